#pragma once

#include "core/listing/ListingSelection.h"
#include "core/pictures/PictureSession.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"
#include "core/publication/PublishTransition.h"

#include <QList>
#include <QString>

namespace teran {

class Session;

// What one action does to one ticked listing in both stores and on the picture server.
//
// A change that concerns the server copy is made in the office database together with its entry
// in the outbox, in one short transaction; then the outbox is sent, with no lock of the office
// database held while the servers answer (a stalled server must not stall the office's other
// desks). When the server does not answer, the change waits in the outbox and goes out when it
// does. Each method throws StoreError when the office database refused the change; the row is
// then as it was.
class ListingRowWork {
public:
    // `label` names the action in the daily log.
    ListingRowWork(Session& session, PictureStoreFactory pictures, QString label);

    // Publishes the listing in the target state: the whole copy from the local row, with the
    // pictures when the copy is new or the transition asks for them.
    Delivery publish(const SelectedListing& row, PublicationState target,
                     const PublishTransition& transition);

    // An unpublish that keeps the copy with a narrower scope (clubs and internet to one of them).
    Delivery narrow(const SelectedListing& row, const PublishTransition& transition);

    // Gives the local row `state` and no promotion grades; its copy and pictures leave the server.
    Delivery withdraw(const SelectedListing& row, PublicationState state);

    // Deletes the listing with its image box. An unpublished one takes its files in the data
    // folder with it at once; a published one keeps them until its copy has left the server (a
    // cancel of the waiting deletion brings the listing back whole).
    Delivery remove(const SelectedListing& row);

    // The copy's date set to now, for a listing that stays as it is.
    Delivery refresh(const SelectedListing& row);

    // Local states only, all rows in one transaction: grades back to 0, and the modified date
    // set to now when `touchShowday` (a listing back from the archive counts as new again).
    void setLocalStates(const QList<SelectedListing>& rows, PublicationState state, bool touchShowday);

private:
    template <typename LocalChange> Delivery intend(LocalChange local, OutboxEntry entry);
    OutboxEntry entryFor(const SelectedListing& row, OutboxKind kind) const;
    void setLocalState(int number, PublicationState state, bool resetHits);
    QStringList deleteLocalRow(int number);

    Session& m_session;
    QString m_label;
    OutboxSender m_sender;
};

// 보관/활성 of one listing: from the archive back to the list (as new again), or into the archive,
// withdrawing its server copy first when it is published. False when the listing is not stored.
// Throws StoreError; the listing is then as it was.
bool moveToOtherBox(Session& session, int number, bool fromArchive, const QString& label);
// 매물삭제 of one listing; a published one's copy leaves the server now or, while the server is
// away, when it answers again. Throws StoreError.
void removeListing(Session& session, int number, const QString& label);

} // namespace teran
