#pragma once

#include "pictures/ListingPictures.h"
#include "pictures/PictureSession.h"
#include "session/ListingSelection.h"
#include "session/PublishTransition.h"
#include "session/ServerCopy.h"

#include <QList>
#include <QString>

namespace teran {

class Session;

// What one action does to one ticked listing in both stores and on the picture server.
//
// One rule holds after every method, whichever step fails: a local row says published only
// while its server copy exists, and a server copy exists only for a local row that says
// published. Each method throws StoreError when the row could not be done; the row is then as
// it was in both stores. Picture transfers never undo a row: they are reported instead.
class ListingRowWork {
public:
    // `label` names the action in the daily log.
    ListingRowWork(Session& session, PictureStoreFactory pictures, QString label);

    // Writes the whole server copy from the local row in the target state (replacing a copy that
    // is there) and sets the local state. Pictures go up when the copy is new or the transition
    // asks for it. Returns false when a picture stayed behind.
    bool publish(const SelectedListing& row, PublicationState target, const PublishTransition& transition);

    // An unpublish that keeps the copy with a narrower scope (clubs and internet to one of them).
    void narrow(const SelectedListing& row, const PublishTransition& transition);

    // Gives the local row `state` and no promotion grades and removes the copy, its image-box row
    // and then its pictures. Returns false when a picture could not be deleted from the server.
    bool withdraw(const SelectedListing& row, PublicationState state);

    // Deletes the listing with its image box and, when it is published, its server copy; then
    // its files in the data folder and its pictures. A published listing is not deleted while
    // the server cannot be reached (`withServer` false): its copy would be left without a row.
    // Returns false when a picture could not be deleted from the server.
    bool remove(const SelectedListing& row, bool withServer);

    // For the reconciliation of the two stores, the local row left as it is: sends the whole copy
    // again in the row's state with its pictures (false when a picture stayed behind), or removes
    // a copy that no published row stands behind, with its pictures.
    bool resend(const SelectedListing& row);
    bool dropCopy(int number);

    // Local states only, all rows in one transaction: grades back to 0, and the modified date
    // set to now when `touchShowday` (a listing back from the archive counts as new again).
    void setLocalStates(const QList<SelectedListing>& rows, PublicationState state, bool touchShowday);

private:
    template <typename LocalChange, typename ServerStep, typename Undo>
    void bracket(LocalChange local, ServerStep server, Undo undo);
    bool sendPictures(const SelectedListing& row);
    ServerCopy::Snapshot takeServerCopy(int number, QStringList& pictureNames);
    bool removePictures(const SelectedListing& row, QStringList names);
    void setLocalState(int number, PublicationState state, bool resetHits);
    QStringList deleteLocalRow(int number);
    void deleteLocalFiles(const SelectedListing& row, const QStringList& boxNames);
    void log(const StoreError& error);

    Session& m_session;
    QString m_label;
    PictureSession m_ftp;
    ServerCopy m_copy;
    ListingPictures m_pictures;
};

// 보관/활성 of one listing: from the archive back to the list (as new again), or into the archive,
// withdrawing its server copy first when it is published. False when the listing is not stored.
// Throws StoreError; the listing is then as it was.
bool moveToOtherBox(Session& session, int number, bool fromArchive, const QString& label);
// 매물삭제 of one listing, with its server copy when the server can be reached (a published
// listing is kept while it cannot). Throws StoreError.
void removeListing(Session& session, int number, const QString& label);

} // namespace teran
