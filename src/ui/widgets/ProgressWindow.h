#pragma once

#include <QProgressDialog>
#include <functional>
#include <optional>

namespace teran {

// The progress of a long piece of work of the core (a backup, an export, an import) with a
// cancel button: step() is the core's progress callback. It shows itself only when the work
// lasts, and keeps the window painting meanwhile.
class ProgressWindow {
public:
    ProgressWindow(QWidget* parent, const QString& title, const QString& label);

    // The work's count so far and its total (0 when not known); false once cancelled.
    bool step(qint64 done, qint64 total);
    // The same under the words of the step in hand.
    bool step(const QString& doing, qint64 done, qint64 total);
    // The work is over: the window goes before the work's closing message shows.
    void finish();
    bool cancelled() const { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
};

// The wait for a read of the vendor's server: nothing while it is short; past a moment the
// window "서버 응답 대기" with 취소. cancelled() is what the core's read asks while it waits.
class ServerWait {
public:
    explicit ServerWait(QWidget* parent)
        : m_parent(parent) {}
    ~ServerWait();
    ServerWait(const ServerWait&) = delete;
    ServerWait& operator=(const ServerWait&) = delete;

    std::function<bool()> cancelled();

private:
    QWidget* m_parent;
    std::optional<ProgressWindow> m_window;
};

} // namespace teran
