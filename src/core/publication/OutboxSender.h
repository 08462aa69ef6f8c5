#pragma once

#include "pictures/ListingPictures.h"
#include "pictures/PictureSession.h"
#include "publication/PublicationOutbox.h"
#include "publication/ServerCopy.h"
#include "session/ListingSelection.h"

namespace teran {

class Session;

// How a change to a shared listing came out.
enum class Delivery {
    Sent,               // the server copy agrees with the listing
    PicturesIncomplete, // the copy agrees; a picture did not reach or leave the picture server
    Waiting,            // the server did not answer: the change waits in the outbox
};

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
    // The outcome of one change after the waiting ones before it were sent.
    Delivery deliver(qint64 id);

    // For the reconciliation: the whole copy again in the row's state with its pictures (false
    // when a picture stayed behind), or a copy no published row stands behind taken away.
    bool resend(const SelectedListing& row);
    bool dropCopy(int number);

    // The listing's files in the data folder: the named ones, every name its picture slots can
    // take, and its file-box folder.
    static void removeLocalFiles(Session& session, int number, const QStringList& names);

private:
    Delivery send(const OutboxEntry& entry);
    bool sendPictures(const SelectedListing& row);
    bool withdrawCopy(int number, const QStringList& morePictures);
    bool lostServer(const StoreError& error) const;

    Session& m_session;
    QString m_label;
    PublicationOutbox m_outbox;
    PictureSession m_ftp;
    ServerCopy m_copy;
    ListingPictures m_pictures;
    QHash<qint64, Delivery> m_outcomes;
    bool m_serverAway = false;
};

// What an online session does when it meets the server (after the login, after 다시 연결, and
// when the server answers again): the waiting changes go out, then the two stores are made to
// agree. Both are logged; nothing happens while the server cannot be reached.
void catchUpWithServer(Session& session);

} // namespace teran
