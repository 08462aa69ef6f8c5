#pragma once

#include "core/pictures/PictureSession.h"
#include "core/session/ServerCourier.h"
#include "core/session/SessionState.h"

#include <QHash>
#include <QObject>
#include <QSet>

class QThread;
class QTimer;

namespace teran {

class CourierDesk;
class Session;

// Carries the office's waiting changes to the vendor's server on a thread of its own, with its
// own connections to both stores (a store's connection belongs to the thread that opened it), so
// that no window waits on the network: the window writes a change and its outbox entry in one
// local transaction and hands the rest to the courier. The courier also looks at the server
// every second while changes wait or the server has gone quiet, and every few seconds otherwise:
// a server that answers again is used at once, and the session's ServerHealth tells the window's
// own steps to leave a server alone that does not answer. A session that works offline is told
// within seconds when the server can be reached again.
class PublicationCourier : public QObject, public ServerCourier {
    Q_OBJECT
public:
    // Without a factory the picture server comes from the session's configuration.
    explicit PublicationCourier(Session& session, PictureStoreFactory pictures = {},
                                QObject* parent = nullptr);
    ~PublicationCourier() override;

    void sendNow(bool reconcile = false) override;
    QHash<qint64, DeliveryReport> awaitDelivery(const QList<qint64>& ids,
                                                const std::function<bool()>& cancelled) override;
    bool serverAnswered() const override { return m_reached; }

    // How often the courier looks for a server that answers while nothing waits.
    static constexpr int kLookEveryMs = 5000;
    static constexpr int kTickMs = 1000;

Q_SIGNALS:
    // After each round: how many changes still wait, and whether the courier reached the server.
    void roundDone(int waiting, bool reached);

private:
    friend class CourierDesk;
    qint64 request(bool reconcile);
    void tick();
    void takeRound(qint64 token, const QHash<qint64, DeliveryReport>& outcomes, int waiting, bool reached);
    int waitingLocally();

    Session& m_session;
    QThread* m_thread;
    CourierDesk* m_desk;
    QTimer* m_timer;
    qint64 m_lastToken = 0;
    qint64 m_doneToken = 0;
    qint64 m_lastLookMs = 0;
    QHash<qint64, DeliveryReport> m_outcomes; // of the ids someone awaits
    QSet<qint64> m_awaited;
    bool m_reached = false;
};

} // namespace teran
