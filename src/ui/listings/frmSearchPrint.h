#pragma once

#include "listings/ListPrintPage.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLineEdit;
class QListWidget;
class QTextDocument;

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
// writes the page to rd/<LoginId>.html and shows it in the print preview.
class frmSearchPrint : public QDialog {
    Q_OBJECT
public:
    frmSearchPrint(Session& session, PrintSource source, QWidget* parent = nullptr);
    ~frmSearchPrint() override;

    // How the page is shown; by default a print preview that prints. Tests print elsewhere.
    using Preview = std::function<void(QTextDocument& document)>;
    void setPreview(Preview preview) { m_preview = std::move(preview); }

    QList<PrintColumn> pickedColumns() const;
    const PrintSource& source() const { return m_source; }

    // The document the preview and the printer draw: the table in a font that keeps Hangul and
    // the spaces between words in PDFs.
    static std::unique_ptr<QTextDocument> document(const QString& html);
    static QString previewTitle(); // "인쇄미리보기"
    // The print preview over `parent`, landscape, that prints the document.
    static void showPreview(QWidget* parent, QTextDocument& document);

private:
    void fillColumns();
    void printPage();
    void savePicked();
    PrintColumnsFile columnsFile() const;

    Session& m_session;
    PrintSource m_source;
    Preview m_preview;
    QLineEdit* m_nowFrm = nullptr;
    QListWidget* m_head = nullptr;
};

} // namespace teran
