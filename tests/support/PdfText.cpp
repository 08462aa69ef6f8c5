#include "PdfText.h"

#include "report/ReportPainter.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUuid>

namespace teran::test {

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// TERAN_TEST_PDF_DIR keeps the PDFs the tests print, for a look at the pages.
QString scratchFolder() {
    static QTemporaryDir dir;
    const QString kept = qEnvironmentVariable("TERAN_TEST_PDF_DIR");
    return kept.isEmpty() || !QDir().mkpath(kept) ? dir.path() : kept;
}

} // namespace

QString pdfText(const QString& path) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

int pdfPages(const QString& path) {
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(run(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

RenderedPdf renderPdf(const report::Document& document) {
    RenderedPdf rendered;
    rendered.path =
        QDir(scratchFolder())
            .filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".pdf"));
    if (!report::ReportPainter::writePdf(document, rendered.path))
        return rendered;
    rendered.text = pdfText(rendered.path);
    rendered.pages = pdfPages(rendered.path);
    return rendered;
}

} // namespace teran::test
