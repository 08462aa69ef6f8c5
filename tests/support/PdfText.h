#pragma once

#include "core/report/ReportDocument.h"

#include <QString>

namespace teran::test {

// What a reader of a PDF sees: the text by `pdftotext -layout`, the page count by `pdfinfo`.
// Empty text or 0 pages when the tool is missing or the file is no PDF.
QString pdfText(const QString& path);
int pdfPages(const QString& path);

// A printed page rendered to a PDF file in a temporary folder (or in TERAN_TEST_PDF_DIR, to
// keep it), as the preview's "PDF로 저장" writes it, and read back.
struct RenderedPdf {
    QString path;
    QString text;
    int pages = 0;
};
RenderedPdf renderPdf(const report::Document& document);

} // namespace teran::test
