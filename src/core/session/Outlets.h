#pragma once

class QObject;
class QUrl;

namespace teran {

namespace report {
struct Document;
}

// Where what a window sends out goes: a window it opens, a page it prints, a web page or folder
// it opens. The program shows the window, the print preview and the desktop's browser; tests
// take them instead and look at them. A window taken stays with its parent; one without a parent
// (a top-level window, never one on the caller's stack) becomes the taker's.
class Outlets {
public:
    virtual ~Outlets() = default;

    // True when the window was taken here: the caller then neither shows nor runs it.
    virtual bool takeWindow(QObject* window);
    // True when the page was taken here: the caller then shows no print preview.
    virtual bool takePage(const report::Document& page);
    // A web page, or a folder as a file URL, opened by the desktop.
    virtual void openUrl(const QUrl& url);
};

} // namespace teran
