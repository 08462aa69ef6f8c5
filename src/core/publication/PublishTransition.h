#pragma once

#include "core/listing/PropertyTypes.h"

#include <QVariant>
#include <optional>

namespace teran {

// What the main window's listing actions ask for.
enum class ListingAction {
    PublishInternet,         // target state 1
    PublishClubsAndInternet, // target state 3
    PublishClubs,            // target state 7
    UnpublishClubs,
    UnpublishInternet,
    UnpublishBoth,
    Archive,
    Restore, // back from the archive to the listing box
};

// The states isPublished() holds true of, as a statement lists them ("1, 3, 7"): the one rule of
// which rows have a server copy, in SQL as in code.
QString publishedStatesSql();

// The publish action whose target is the given state; nullopt for 0 and 2.
std::optional<ListingAction> publishActionFor(PublicationState target);
// The target state of a publish action; nullopt for the other actions.
std::optional<PublicationState> publishTarget(ListingAction action);

// What happens to the server copy.
enum class ServerEffect {
    InsertServerCopy, // a new server row from the upload columns; both rows get the new state
    ChangeStateOnly,  // the existing server row and the local row get the new state
    DeleteServerCopy, // the server row (with its pictures and files) goes; the local row changes
    LocalOnly,        // no server statement; only the local row changes
    Skip,             // nothing to do for this row
};

// The outcome of one action on one listing, decided from its state alone, so the windows,
// the save and the tests share one rule and no store is touched to decide it.
struct PublishTransition {
    ServerEffect effect = ServerEffect::Skip;
    std::optional<PublicationState> localState;  // the local row's new state; nullopt when skipped
    std::optional<PublicationState> serverState; // the state of the server row that remains
    bool resetLocalHits = false;                 // local hitadd and hitmem become 0
    bool resetServerHits = false;                // the remaining server row's hitadd and hitmem are 0
    bool refreshShowday = false;                 // the local showday becomes now

    bool skipped() const { return effect == ServerEffect::Skip; }

    static PublishTransition of(PublicationState state, ListingAction action);
    // A state as stored; a value that is no known state is skipped by every action.
    static PublishTransition of(const QVariant& storedState, ListingAction action);
};

} // namespace teran
