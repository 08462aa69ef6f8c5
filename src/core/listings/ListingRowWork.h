#pragma once

#include "ListingPictures.h"
#include "ListingSelection.h"
#include "PictureSession.h"
#include "ServerCopy.h"
#include "session/PublishTransition.h"

#include <QList>
#include <QString>

namespace teran {

class Session;

// What one action does to one ticked listing in both stores and on the picture server.
//
// The local state follows the server: a row's local state changes only after its server copy
// was written, changed or removed, so the office never believes in a copy that is not there.
// When the local write then fails, the server step is undone where it can be. Each method
// throws StoreError when the row could not be done; the row is as it was then, but for the
// cases its comment names. Picture transfers never undo a row: they are reported instead.
class ListingRowWork {
public:
    // `label` names the action in the daily log.
    ListingRowWork(Session& session, PictureStoreFactory pictures, QString label);

    // Publishes with a new copy or gives the existing copy the target state. A copy missing on
    // the server is written again, pictures and all. Returns false when a picture stayed behind.
    bool publish(const SelectedListing& row, PublicationState target, const PublishTransition& transition);

    // An unpublish that keeps the copy with a narrower scope (clubs and internet to one of them).
    void narrow(const SelectedListing& row, const PublishTransition& transition);

    // Removes the copy, its image-box row and its pictures, then gives the local row `state`
    // and no promotion grades. When only the local write fails, the copy is gone already: the
    // next unpublish or archive of the row finds nothing on the server and just sets the state.
    // Returns false when a picture could not be deleted from the server.
    bool withdraw(const SelectedListing& row, PublicationState state);

    // Deletes the listing, with its server copy first when `withServer` (a copy that cannot be
    // removed keeps the local row, which alone knows it), then its image box and its files in
    // the data folder. Returns false when a picture could not be deleted from the server.
    bool remove(const SelectedListing& row, bool withServer);

    // Local states only, all rows in one transaction: grades back to 0, and the modified date
    // set to now when `touchShowday` (a listing back from the archive counts as new again).
    void setLocalStates(const QList<SelectedListing>& rows, PublicationState state, bool touchShowday);

private:
    bool sendPictures(const SelectedListing& row);
    bool removeServerCopy(const SelectedListing& row);
    void undoPublish(const SelectedListing& row, bool inserted);
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

} // namespace teran
