#pragma once

#include "core/report/ReportDocument.h"

class QPagedPaintDevice;

namespace teran::report {

// Lays a document out on A4 pages and paints it: onto a PDF writer for a file, onto a printer
// for paper. Text is set in a Korean font that keeps its spaces in PDFs, so that a PDF can be
// read back (and searched) as text.
class ReportPainter {
public:
    // Sets the device to A4 in the document's orientation with the program's margins.
    static void prepare(const Document& document, QPagedPaintDevice& device);
    // Paints every page of the document on a prepared device. False with a reason when the
    // device cannot be painted on.
    static bool paint(const Document& document, QPagedPaintDevice& device, QString* error = nullptr);
    // Writes the document as a PDF file, replacing the file only when the whole PDF was made.
    static bool writePdf(const Document& document, const QString& path, QString* error = nullptr);
    // How many pages the document takes on a prepared device.
    static int pageCount(const Document& document, QPagedPaintDevice& device);

    static QString fontFamily(); // "NanumBarunGothic"
};

} // namespace teran::report
