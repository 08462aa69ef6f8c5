#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class QTimer;

namespace teran {

class Session;

// One waiting change as the 전송대기 window lists it.
struct WaitingChange {
    qint64 id = 0;
    int number = 0;
    QString listing; // the listing as the lists name it
    QString what;    // 공유, 상태변경, 공유해제, 삭제, 날짜갱신
    QDateTime made;
    int tries = 0;
    QString lastError;
};

// Sends the office's waiting changes without anyone asking: every few seconds while changes wait
// and the session works online, it tries the server (a server that returns is used at once) and
// sends them in order, then makes the two stores agree. It tells how many wait after each look.
class OutboxPump : public QObject {
    Q_OBJECT
public:
    OutboxPump(Session& session, int intervalMs, QObject* parent = nullptr);

    // How many changes wait (0 when the outbox cannot be read).
    int waiting();
    // One look now: sends when changes wait and the server answers. After a look that waited
    // long on the server, the next looks are left out (restingTicksAfter).
    void pump();
    static int restingTicksAfter(qint64 spentMs, int intervalMs);

    // The waiting changes, oldest first, and the cancel of one (with the later changes of its
    // listing); false when it was sent meanwhile or the office database refused.
    QList<WaitingChange> changes();
    bool cancel(qint64 id);

Q_SIGNALS:
    void waitingChanged(int count);

private:
    void tell();

    Session& m_session;
    QTimer* m_timer;
    int m_lastCount = -1;
    int m_restingTicks = 0;
};

} // namespace teran
