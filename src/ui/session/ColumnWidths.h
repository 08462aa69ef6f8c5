#pragma once

#include "session/Dialogs.h"
#include "session/LayoutFile.h"

#include <QList>
#include <QPointer>
#include <optional>

class QHeaderView;
class QTableView;
class QTreeView;

namespace teran {

// What the save-widths button ended with.
enum class WidthsOutcome { EmptyGrid, Saved, Reset, Failed };

// The saved column widths of one grid: applied after each fill, saved or reset by the list
// windows' `cmdlvWith` button. Works on the grid's horizontal header, so a table and a tree
// view are handled alike; widths are by column in model order.
class ColumnWidths {
public:
    explicit ColumnWidths(QHeaderView* header);
    explicit ColumnWidths(QTableView* view);
    explicit ColumnWidths(QTreeView* view);

    // The widths the window gives its columns; a reset returns to them. Columns without one
    // go back to the header's default section size.
    void setDefaultWidths(QList<int> widths) { m_defaults = std::move(widths); }

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
