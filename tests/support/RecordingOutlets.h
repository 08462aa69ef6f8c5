#pragma once

#include "core/report/ReportDocument.h"
#include "core/session/Outlets.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

namespace teran::test {

// Outlets that take everything a window sends out, for the test to look at: the windows opened
// (driven, while they are handed over, by `onWindow`), the pages printed and the URLs opened.
// A window that came without a parent is kept here and deleted with the outlets or by clear().
class RecordingOutlets final : public Outlets {
public:
    ~RecordingOutlets() override { clear(); }

    bool takeWindow(QObject* window) override;
    bool takePage(const report::Document& page) override;
    void openUrl(const QUrl& url) override { urls << url; }

    // The last window taken that is a T and still there; nullptr when none.
    template <typename T> T* last() const {
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
            if (auto* window = qobject_cast<T*>(it->data()))
                return window;
        return nullptr;
    }
    int windowCount() const { return int(m_windows.size()); }
    // The k-th window taken (from 0), or nullptr when it is gone.
    QObject* window(int k) const { return m_windows.at(size_t(k)).data(); }
    // Deletes the windows kept here (before the session they use goes) and forgets the rest.
    void clear();

    std::function<void(QObject* window)> onWindow;
    std::vector<report::Document> pages;
    QList<QUrl> urls;

private:
    std::vector<QPointer<QObject>> m_windows;
    std::vector<std::unique_ptr<QObject>> m_kept;
};

} // namespace teran::test
