#pragma once

#include <QtGlobal>
#include <atomic>
#include <chrono>

namespace teran {

// How the vendor's server answers the steps the program sends it in the background, shared
// between the thread that talks to the server and the window's thread, which must never wait on
// it: while a step has gone unanswered for a while (a server that accepts and never answers, as
// a broken line does), the window's own server steps are left out at once instead of hanging.
class ServerHealth {
public:
    // A step unanswered this long counts as a server that does not answer.
    static constexpr qint64 kUnansweredAfterMs = 1000;
    // The longest a window's own statement waits on a server that stops answering mid-way
    // (before the silence is known): the driver gives up after this and the window shows its
    // lost-server text; the steps after it are refused at once. The courier's connections keep
    // the office's longer limit, since nobody waits on them.
    static constexpr int kWindowWaitSeconds = 3;

    void stepBegins() { m_stepSince.store(nowMs()); }
    void stepEnds(bool answered) {
        m_stepSince.store(0);
        m_unanswered.store(!answered);
    }
    // The running step has waited longer than kUnansweredAfterMs, or the last one never got an
    // answer and no step has answered since.
    bool waiting() const {
        const qint64 since = m_stepSince.load();
        return m_unanswered.load() || (since != 0 && nowMs() - since > kUnansweredAfterMs);
    }

private:
    static qint64 nowMs() {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + 1;
    }

    std::atomic<qint64> m_stepSince{0}; // when the running step began; 0 while none runs
    std::atomic<bool> m_unanswered{false};
};

} // namespace teran
