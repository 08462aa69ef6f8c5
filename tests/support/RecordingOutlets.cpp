#include "RecordingOutlets.h"

namespace teran::test {

bool RecordingOutlets::takeWindow(QObject* window) {
    m_windows.emplace_back(window);
    if (!window->parent())
        m_kept.emplace_back(window);
    if (onWindow)
        onWindow(window);
    return true;
}

bool RecordingOutlets::takePage(const report::Document& page) {
    pages.push_back(page);
    return true;
}

void RecordingOutlets::clear() {
    m_kept.clear();
    m_windows.clear();
}

} // namespace teran::test
