#pragma once

#include "core/session/Dialogs.h"
#include "core/session/LayoutFile.h"

#include <QList>
#include <QPointer>
#include <optional>

class QHeaderView;
class QTableView;
class QTreeView;

namespace teran {

// What the save-widths button ended with.
enum class WidthsOutcome { EmptyGrid, Saved, Reset, Failed };

// The column widths of one grid: fitted to the page shown after each fill, then the user's
// saved widths over them; saved or reset by the list windows' `cmdlvWith` button. Works on the
// grid's horizontal header, so a table and a tree view are handled alike; widths are by column
// in model order.
class ColumnWidths {
public:
    explicit ColumnWidths(QHeaderView* header);
    explicit ColumnWidths(QTableView* view);
    explicit ColumnWidths(QTreeView* view);

    // The widths the window gives its columns; a reset returns to them. Columns without one
    // go back to the header's default section size.
    void setDefaultWidths(QList<int> widths) { m_defaults = std::move(widths); }

    // The width of each column that shows its widest cell of the rows held and its caption
    // whole, but at most maximumWidth(), so that one long remark does not push the other columns
    // out of the window. A column the grid hides keeps its width.
    QList<int> fittedWidths() const;
    // Makes the fitted widths the defaults and gives them to the columns.
    void fitToContents();
    // The widest a fitted column gets: about forty characters of the grid's font.
    int maximumWidth() const;

    // After the grid is filled: applies the file's widths to the columns present (a missing
    // file leaves every width as it is). Returns the number of columns set.
    int apply(const LayoutFile& file);
    int apply(const QList<std::optional<int>>& widths);

    QList<int> widths() const;
    void resetToDefaults();

    // The `cmdlvWith` flow: on an empty grid a notice; otherwise the question, then Yes saves
    // the current widths into the file and No resets the grid and removes the file.
    WidthsOutcome saveOrReset(Dialogs& dialogs, const LayoutFile& file);

private:
    bool gridIsEmpty() const;

    QPointer<QHeaderView> m_header;
    QList<int> m_defaults;
};

} // namespace teran
