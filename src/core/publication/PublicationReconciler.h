#pragma once

#include "core/pictures/PictureSession.h"

namespace teran {

class Session;

struct ReconcileReport {
    int copiesRemoved = 0; // copies no published listing stood behind
    int copiesSent = 0;    // published listings that had no copy
    int statesAligned = 0; // copies whose publication state followed the listing's
    int failed = 0;        // listings left for the next time (logged)
    int picturesIncomplete = 0;
    int changes() const { return copiesRemoved + copiesSent + statesAligned; }
};

// Makes the vendor's server agree with the office database after anything that cut a
// publication short (the program killed, the server lost half-way): a listing says published
// exactly while its copy is on the server, in the same state.
//
// The office database decides. A copy is removed only when its listing is there unpublished, or
// was deleted (its number is not above the highest the office has used): a desk with a new or
// restored office database never removes the copies it does not know.
class PublicationReconciler {
public:
    explicit PublicationReconciler(Session& session, PictureStoreFactory pictures = {});

    // Throws StoreError when the stores cannot be read; each listing that fails is logged and
    // counted, and the rest go on.
    ReconcileReport reconcile();

private:
    Session& m_session;
    PictureStoreFactory m_pictures;
};

// After an online login and a reconnection: the reconciliation, its failures and what it changed
// written to the day's log. Nothing when the session works offline.
ReconcileReport reconcilePublications(Session& session);

} // namespace teran
