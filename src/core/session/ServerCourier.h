#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace teran {

// How a change to a shared listing came out.
enum class Delivery {
    Sent,               // the server copy agrees with the listing
    PicturesIncomplete, // the copy agrees; a picture did not reach or leave the picture server
    Waiting,            // the server did not answer: the change waits in the outbox
};

// A change's outcome with what a window names to the user.
struct DeliveryReport {
    Delivery outcome = Delivery::Waiting;
    QStringList unsentPictures; // PicturesIncomplete: the pictures that did not reach the server
    QString pictureError;       // and what the picture server said
};

// Carries the office's waiting changes to the server off the window's thread. The program runs
// one (the outbox's courier); without one, the server steps run where they are asked for.
class ServerCourier {
public:
    virtual ~ServerCourier() = default;

    // Sends what waits now, then (when asked) makes the two stores agree.
    virtual void sendNow(bool reconcile = false) = 0;
    // Sends what waits and tells how each of `ids` came out, handling the window's events all the
    // while; gives up on the server once it stops answering (those ids come back Waiting), or
    // when `cancelled` says so.
    virtual QHash<qint64, DeliveryReport> awaitDelivery(const QList<qint64>& ids,
                                                        const std::function<bool()>& cancelled) = 0;
    // The courier's last look reached the server (for a session that works offline: 다시 연결
    // can be offered).
    virtual bool serverAnswered() const = 0;
};

} // namespace teran
