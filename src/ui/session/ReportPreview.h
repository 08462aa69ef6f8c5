#pragma once

#include "report/ReportDocument.h"

#include <functional>
#include <optional>

class QWidget;

namespace teran {

class Dialogs;

// How a window hands a printed page on. The program shows the print preview; tests write the
// page to a PDF and read it back.
using ReportOutput = std::function<void(const report::Document& document)>;

// The print preview of a page: it prints on the chosen printer or saves the page as a PDF.
class ReportPreview {
public:
    static void show(const report::Document& document, Dialogs& dialogs, QWidget* parent);
    // `output` when a window was given one, else the preview.
    static void hand(const ReportOutput& output, const report::Document& document, Dialogs& dialogs,
                     QWidget* parent);
    // The page when there is one; else the reason in a box.
    static void handOrTell(const ReportOutput& output, const std::optional<report::Document>& page,
                           const QString& reason, Dialogs& dialogs, QWidget* parent);

    static QString title();       // "인쇄미리보기"
    static QString savePdfText(); // "PDF로 저장"
};

} // namespace teran
