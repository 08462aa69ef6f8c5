#pragma once

#include "core/listings/ListPrintPage.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLineEdit;
class QListWidget;

namespace teran {

class Session;

// What a list window hands the printing window: its name, the list shown (for the file of the
// picked columns), the columns it shows and the cells of its ticked rows.
struct PrintSource {
    QString windowName; // "frmList", "frmListie", ...
    ListKind kind = ListKind::Own;
    QString tb;                 // "" for every type
    QList<PrintColumn> columns; // in grid order, positions as in the rows' cells
    QList<QStringList> rows;
};

// `frmSearchPrint`: prints the ticked rows of a list window as a table of the columns the user
// ticks in `lvHead`. The picked columns are remembered per user and list (`cmdPsave`); `cmdPrint`
// writes the page to rd/<LoginId>.html for a browser and prints it through the print preview.
class frmSearchPrint : public QDialog {
    Q_OBJECT
public:
    frmSearchPrint(Session& session, PrintSource source, QWidget* parent = nullptr);
    ~frmSearchPrint() override;

    QList<PrintColumn> pickedColumns() const;
    const PrintSource& source() const { return m_source; }

    static QString pageTitle(); // "매물리스트"

private:
    void fillColumns();
    void printPage();
    void savePicked();
    PrintColumnsFile columnsFile() const;

    Session& m_session;
    PrintSource m_source;
    QLineEdit* m_nowFrm = nullptr;
    QListWidget* m_head = nullptr;
};

} // namespace teran
