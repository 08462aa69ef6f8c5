#include "PublicationCourier.h"

#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"
#include "core/publication/PublicationReconciler.h"
#include "core/session/Session.h"
#include "core/session/ThreadSession.h"

#include <QDateTime>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace teran {

namespace {

const QString kLabel = QStringLiteral("Outbox => ");
// How long the window waits at the end for a courier still waiting on the server; beyond it the
// thread is left to the ending program.
constexpr unsigned long kStopWaitMs = 3000;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

// The courier's side on its own thread: a session of its own, made like the window's and told
// the window's login state with every round, whose stores are opened in this thread.
class CourierDesk : public QObject {
public:
    CourierDesk(const Session& window, PictureStoreFactory pictures, PublicationCourier* courier)
        : m_worker(window, kLabel, true)
        , m_pictures(std::move(pictures))
        , m_courier(courier) {}

    void run(qint64 token, const SessionState& state, bool reconcile);

private:
    void take(const SessionState& state);
    bool ready(const SessionState& state);
    void report(qint64 token, const QHash<qint64, DeliveryReport>& outcomes, int waiting, bool reached);

    ThreadSession m_worker;
    PictureStoreFactory m_pictures;
    PublicationCourier* m_courier;
    Session* m_session = nullptr; // the worker's, once take() made it
};

// The window's login state, and the session of the courier made on the first round.
void CourierDesk::take(const SessionState& state) {
    m_session = &m_worker.take(state);
}

bool CourierDesk::ready(const SessionState& state) {
    take(state);
    if (!state.isOnline() || !state.InternetOk)
        return false;
    if (m_session->listingOpen())
        return true;
    try {
        m_session->listingStore().open(m_session->listingUrl());
        return true;
    } catch (const StoreError& error) {
        m_session->logError(kLabel, error);
        return false;
    }
}

// One round: the waiting changes in order, then the reconciliation when asked; with nothing to
// send, one short question tells whether the server still answers. The courier's store times
// every wait on the server into the window's ServerHealth.
void CourierDesk::run(qint64 token, const SessionState& state, bool reconcile) {
    // Offline the courier only looks whether the server can be reached (the internet, then the
    // server itself), as the status bar's 다시 연결 needs to know.
    if (!state.isOnline() && !state.LoginId.isEmpty()) {
        take(state);
        report(token, {}, 0, m_session->reachServer());
        return;
    }
    QHash<qint64, DeliveryReport> outcomes;
    int waiting = 0;
    bool reached = false;
    if (ready(state)) {
        try {
            OutboxSender sender(*m_session, m_pictures, kLabel);
            const OutboxReport sent = sender.sendWaiting();
            outcomes = sender.outcomes();
            waiting = sent.waiting;
            if (sent.sent > 0)
                m_session->WriteLog(kLabel +
                                    QStringLiteral("sent %1, waiting %2").arg(sent.sent).arg(sent.waiting));
            if (reconcile && m_session->serverOpen())
                reconcilePublications(*m_session);
            else if (sent.sent == 0 && serverCopiesReachable(*m_session))
                m_session->serverStore().scalar(QStringLiteral("SELECT 1"));
        } catch (const StoreError& error) {
            m_session->logError(kLabel, error);
        }
        reached = m_session->serverOpen();
    }
    report(token, outcomes, waiting, reached);
}

void CourierDesk::report(qint64 token, const QHash<qint64, DeliveryReport>& outcomes, int waiting,
                         bool reached) {
    PublicationCourier* courier = m_courier;
    QMetaObject::invokeMethod(
        courier,
        [courier, token, outcomes, waiting, reached] {
            courier->takeRound(token, outcomes, waiting, reached);
        },
        Qt::QueuedConnection);
}

PublicationCourier::PublicationCourier(Session& session, PictureStoreFactory pictures, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_thread(new QThread)
    , m_desk(new CourierDesk(session, std::move(pictures), this))
    , m_timer(new QTimer(this)) {
    m_thread->setObjectName(QStringLiteral("courier"));
    m_desk->moveToThread(m_thread);
    // The desk's stores close in the thread that opened them.
    connect(m_thread, &QThread::finished, m_desk, &QObject::deleteLater);
    m_thread->start();
    connect(m_timer, &QTimer::timeout, this, &PublicationCourier::tick);
    m_timer->start(kTickMs);
    m_session.setCourier(this);
}

PublicationCourier::~PublicationCourier() {
    if (m_session.courier() == this)
        m_session.setCourier(nullptr);
    m_thread->quit();
    if (m_thread->wait(kStopWaitMs)) {
        delete m_thread;
        return;
    }
    // A round still waits on a server that does not answer: what it had not sent stays in the
    // outbox for the next start, and the thread ends with the program.
    m_session.WriteLog(kLabel + QStringLiteral("the server did not answer; the waiting changes stay queued"));
}

qint64 PublicationCourier::request(bool reconcile) {
    const qint64 token = ++m_lastToken;
    const SessionState state = m_session.state();
    CourierDesk* desk = m_desk;
    QMetaObject::invokeMethod(
        desk, [desk, token, state, reconcile] { desk->run(token, state, reconcile); }, Qt::QueuedConnection);
    m_lastLookMs = nowMs();
    return token;
}

void PublicationCourier::sendNow(bool reconcile) {
    request(reconcile);
}

int PublicationCourier::waitingLocally() {
    if (!m_session.listingOpen())
        return 0;
    try {
        return PublicationOutbox(m_session.listingStore()).count();
    } catch (const StoreError& error) {
        m_session.logError(kLabel, error);
        return 0;
    }
}

// While changes wait or the server has gone quiet the courier goes every second; otherwise it
// looks every few seconds. A round still under way is never doubled.
void PublicationCourier::tick() {
    if (m_doneToken < m_lastToken)
        return;
    const bool lookingOnly = !m_session.state().isOnline();
    const bool due = nowMs() - m_lastLookMs >= kLookEveryMs ||
                     (!lookingOnly && (m_session.serverHealth()->waiting() || !m_session.serverOpen() ||
                                       waitingLocally() > 0));
    if (due)
        request(false);
}

void PublicationCourier::takeRound(qint64 token, const QHash<qint64, DeliveryReport>& outcomes, int waiting,
                                   bool reached) {
    m_doneToken = std::max(m_doneToken, token);
    m_reached = reached;
    for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
        if (m_awaited.contains(it.key()))
            m_outcomes.insert(it.key(), it.value());
    // A server the courier reached again serves the window's steps at once, not at the next
    // failure of one of them.
    if (reached && m_session.state().isOnline() && m_session.state().InternetOk && !m_session.serverOpen())
        m_session.serverReachable();
    Q_EMIT roundDone(waiting, reached);
}

QHash<qint64, DeliveryReport> PublicationCourier::awaitDelivery(const QList<qint64>& ids,
                                                                const std::function<bool()>& cancelled) {
    QHash<qint64, DeliveryReport> result;
    if (ids.isEmpty())
        return result;
    for (qint64 id : ids)
        m_awaited.insert(id);
    const qint64 token = request(false);
    const auto over = [&] {
        return m_doneToken >= token || m_session.serverHealth()->waiting() || (cancelled && cancelled());
    };
    if (!over()) {
        QEventLoop loop;
        QTimer look;
        connect(&look, &QTimer::timeout, &loop, [&] {
            if (over())
                loop.quit();
        });
        connect(this, &PublicationCourier::roundDone, &loop, [&] {
            if (over())
                loop.quit();
        });
        look.start(50);
        loop.exec();
    }
    for (qint64 id : ids) {
        result.insert(id, m_outcomes.value(id));
        m_outcomes.remove(id);
        m_awaited.remove(id);
    }
    return result;
}

} // namespace teran
