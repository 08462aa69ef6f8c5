#pragma once

#include "core/listing/ListingSelection.h"
#include "core/pictures/ListingPictures.h"
#include "core/pictures/PictureSession.h"
#include "core/publication/PublicationOutbox.h"
#include "core/publication/ServerCopy.h"
#include "core/session/ServerCourier.h"

namespace teran {

class Session;

struct OutboxReport {
    int sent = 0;
    int picturesIncomplete = 0;
    int waiting = 0; // left in the outbox (the server away, or a listing that failed)
};

// Does the server steps of the office's waiting changes, holding no lock of the office database
// while it talks to the servers: each change is read, sent, and then taken off the outbox in a
// statement of its own. A change is sent as "the copy as the listing now stands", so sending one
// twice (after a crash between the server step and its removal) does no harm.
class OutboxSender {
public:
    OutboxSender(Session& session, PictureStoreFactory pictures, QString label);

    // Every waiting change in order. Stops at the first sign that the server is gone; a listing
    // whose change failed otherwise keeps its later changes waiting behind it, and the others go
    // on. Nothing is tried when the session cannot reach the server, and a sender that found the
    // server away does not ask again: an action on many rows waits for it once, not per row.
    OutboxReport sendWaiting();
    // The outcome of one change after the waiting ones before it were sent; with the session's
    // courier, sent by the courier while the window goes on handling its events.
    Delivery deliver(qint64 id) { return deliverReporting(id).outcome; }
    // The same with the pictures that did not go and why.
    DeliveryReport deliverReporting(qint64 id);
    // How each change this sender tried came out.
    const QHash<qint64, DeliveryReport>& outcomes() const { return m_outcomes; }

    // For the reconciliation: the whole copy again in the row's state with its pictures (false
    // when a picture stayed behind), or a copy no published row stands behind taken away.
    bool resend(const SelectedListing& row);
    bool dropCopy(int number);

    // The listing's files in the data folder: the named ones, every name its picture slots can
    // take, and its file-box folder.
    static void removeLocalFiles(Session& session, int number, const QStringList& names);

private:
    Delivery send(const OutboxEntry& entry);
    bool sendPictures(const SelectedListing& row, int choice, const std::array<QString, 2>& before);
    bool withdrawCopy(int number, const QStringList& morePictures);
    bool lostServer(const StoreError& error) const;

    Session& m_session;
    QString m_label;
    PublicationOutbox m_outbox;
    PictureSession m_ftp;
    ServerCopy m_copy;
    ListingPictures m_pictures;
    QHash<qint64, DeliveryReport> m_outcomes;
    DeliveryReport m_sending; // the pictures of the change being sent
    bool m_serverAway = false;
};

// What an online session does when it meets the server (after the login, after 다시 연결, and
// when the server answers again): the waiting changes go out, then the two stores are made to
// agree. Both are logged; nothing happens while the server cannot be reached. With the session's
// courier it is handed to the courier and the window goes on at once.
void catchUpWithServer(Session& session);

} // namespace teran
