#pragma once

#include "core/report/ReportDocument.h"

#include <optional>

class QWidget;

namespace teran {

class Dialogs;
class Outlets;
class Session;

// The print preview of a page: it prints on the chosen printer or saves the page as a PDF.
class ReportPreview {
public:
    static void show(const report::Document& document, Dialogs& dialogs, QWidget* parent);
    // A printed page to the outlets, or to the preview when they do not take it.
    static void hand(Outlets& outlets, Dialogs& dialogs, const report::Document& document, QWidget* parent);
    static void hand(Session& session, const report::Document& document, QWidget* parent);
    // The page when there is one; else the reason in a box.
    static void handOrTell(Session& session, const std::optional<report::Document>& page,
                           const QString& reason, QWidget* parent);

    static QString title();       // "인쇄미리보기"
    static QString savePdfText(); // "PDF로 저장"
};

} // namespace teran
