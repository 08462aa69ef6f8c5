#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

namespace teran::test {

// The window's thread as the user feels it: a timer meant to fire every 20 ms. The longest gap
// between two of its beats is the longest the window stood still.
class Heartbeat {
public:
    Heartbeat() {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { beat(); });
        m_timer.start(20);
    }
    qint64 longestGapMs() {
        beat();
        return m_longest;
    }

private:
    void beat() {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace teran::test
