#include "ReportPreview.h"

#include "core/session/Dialogs.h"
#include "core/session/Session.h"
#include "core/session/UserFolders.h"
#include "report/ReportPainter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace teran {

QString ReportPreview::title() {
    return QStringLiteral("인쇄미리보기");
}

QString ReportPreview::savePdfText() {
    return QStringLiteral("PDF로 저장");
}

void ReportPreview::hand(Outlets& outlets, Dialogs& dialogs, const report::Document& document,
                         QWidget* parent) {
    if (!outlets.takePage(document))
        show(document, dialogs, parent);
}

void ReportPreview::hand(Session& session, const report::Document& document, QWidget* parent) {
    hand(session.outlets(), session.dialogs(), document, parent);
}

void ReportPreview::handOrTell(Session& session, const std::optional<report::Document>& page,
                               const QString& reason, QWidget* parent) {
    if (page)
        hand(session, *page, parent);
    else
        session.dialogs().inform(reason, title());
}

void ReportPreview::show(const report::Document& document, Dialogs& dialogs, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.title);
    report::ReportPainter::prepare(document, printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(document.title.isEmpty() ? title()
                                                    : title() + QStringLiteral(" - ") + document.title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* target) { report::ReportPainter::paint(document, *target); });
    if (auto* tools = preview.findChild<QToolBar*>()) {
        QAction* save = tools->addAction(savePdfText());
        save->setObjectName(QStringLiteral("savePdf"));
        QObject::connect(save, &QAction::triggered, &preview, [&] {
            const QString folder = userDocumentsFolder();
            const QString suggested =
                QDir(folder).filePath((document.title.isEmpty() ? QStringLiteral("teran") : document.title) +
                                      QStringLiteral(".pdf"));
            const QString path = QFileDialog::getSaveFileName(&preview, savePdfText(), suggested,
                                                              QStringLiteral("PDF (*.pdf)"));
            if (path.isEmpty())
                return;
            QString error;
            if (!report::ReportPainter::writePdf(document, path, &error))
                dialogs.critical(QStringLiteral("PDF 파일을 저장하지 못했습니다.\r\n") +
                                     QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + error,
                                 savePdfText());
        });
    }
    preview.exec();
}

} // namespace teran
