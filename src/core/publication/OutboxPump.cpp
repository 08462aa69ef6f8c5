#include "OutboxPump.h"

#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"
#include "core/session/Session.h"

#include <QElapsedTimer>
#include <QTimer>

namespace teran {

namespace {

const QString kLabel = QStringLiteral("Outbox => ");

QString whatOf(const OutboxEntry& entry) {
    switch (entry.kind) {
    case OutboxKind::Send:
        return QStringLiteral("공유");
    case OutboxKind::State:
        return QStringLiteral("상태변경");
    case OutboxKind::Withdraw:
        return QStringLiteral("공유해제");
    case OutboxKind::Delete:
        return QStringLiteral("삭제");
    case OutboxKind::Refresh:
        return QStringLiteral("날짜갱신");
    case OutboxKind::ServerRow:
        return entry.serverRow.isEmpty() ? QStringLiteral("서버사본 삭제") : QStringLiteral("서버사본");
    }
    return QString();
}

} // namespace

OutboxPump::OutboxPump(Session& session, int intervalMs, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_timer(new QTimer(this)) {
    connect(m_timer, &QTimer::timeout, this, &OutboxPump::pump);
    m_timer->start(intervalMs);
}

int OutboxPump::waiting() {
    if (!m_session.hasStores() || !m_session.listingStore().isOpen())
        return 0;
    try {
        return PublicationOutbox(m_session.listingStore()).count();
    } catch (const StoreError& error) {
        m_session.logError(kLabel, error);
        return 0;
    }
}

void OutboxPump::pump() {
    // The session's courier sends off the window's thread by itself; the pump only counts.
    if (m_session.courier()) {
        tell();
        return;
    }
    if (m_restingTicks > 0) {
        --m_restingTicks;
    } else if (waiting() > 0 && m_session.state().isOnline()) {
        QElapsedTimer spent;
        spent.start();
        // A server the status bar's check found gone is asked again here, not 30 seconds later.
        if (!m_session.state().InternetOk)
            m_session.reachServer();
        try {
            OutboxSender(m_session, {}, kLabel).sendWaiting();
        } catch (const StoreError& error) {
            m_session.logError(kLabel, error);
        }
        m_restingTicks = restingTicksAfter(spent.elapsed(), m_timer->interval());
    }
    tell();
}

// A server that refuses at once costs nothing to ask every few seconds; one that takes long to
// answer (stalled, or far away) would hold the desk's window that long each time. The pump rests
// so that it spends at most a tenth of the time waiting on the server.
int OutboxPump::restingTicksAfter(qint64 spentMs, int intervalMs) {
    if (intervalMs <= 0)
        return 0;
    return int(spentMs * 9 / intervalMs);
}

void OutboxPump::tell() {
    const int count = waiting();
    if (count != m_lastCount) {
        m_lastCount = count;
        Q_EMIT waitingChanged(count);
    }
}

QList<WaitingChange> OutboxPump::changes() {
    QList<WaitingChange> list;
    try {
        for (const OutboxEntry& e : PublicationOutbox(m_session.listingStore()).waiting())
            list << WaitingChange{e.id, e.number, e.label, whatOf(e), e.made, e.tries, e.lastError};
    } catch (const StoreError& error) {
        m_session.logError(kLabel, error);
    }
    return list;
}

bool OutboxPump::cancel(qint64 id) {
    bool cancelled = false;
    try {
        cancelled = PublicationOutbox(m_session.listingStore()).cancel(id);
        if (cancelled)
            m_session.WriteLog(kLabel + QStringLiteral("cancelled %1").arg(id));
    } catch (const StoreError& error) {
        m_session.logError(kLabel, error);
    }
    tell();
    return cancelled;
}

} // namespace teran
