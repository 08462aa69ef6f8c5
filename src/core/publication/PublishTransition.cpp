#include "PublishTransition.h"

#include <QStringList>

namespace teran {

QString publishedStatesSql() {
    QStringList values;
    for (PublicationState state :
         {PublicationState::Unpublished, PublicationState::Internet, PublicationState::Archived,
          PublicationState::ClubsAndInternet, PublicationState::Clubs})
        if (isPublished(state))
            values << QString::number(stateValue(state));
    return values.join(QStringLiteral(", "));
}

namespace {

using State = PublicationState;

PublishTransition make(ServerEffect effect, std::optional<State> local, std::optional<State> server) {
    PublishTransition t;
    t.effect = effect;
    t.localState = local;
    t.serverState = server;
    return t;
}

// The copy is made from the upload columns, which start it without promotion grades; the local
// row keeps the grades the office chose.
PublishTransition insertCopy(State target) {
    PublishTransition t = make(ServerEffect::InsertServerCopy, target, target);
    t.resetServerHits = true;
    return t;
}

PublishTransition changeState(State state, bool resetHits) {
    PublishTransition t = make(ServerEffect::ChangeStateOnly, state, state);
    t.resetLocalHits = resetHits;
    t.resetServerHits = resetHits;
    return t;
}

PublishTransition deleteCopy(State local) {
    PublishTransition t = make(ServerEffect::DeleteServerCopy, local, std::nullopt);
    t.resetLocalHits = true;
    return t;
}

PublishTransition localOnly(State local) {
    PublishTransition t = make(ServerEffect::LocalOnly, local, std::nullopt);
    t.resetLocalHits = true;
    return t;
}

// Publishing sets the scope rather than adding to it. An archived row is published like an
// unpublished one: it gets a copy and leaves the archive for the target state.
PublishTransition publish(State state, State target) {
    if (state == target)
        return {};
    if (!isPublished(state))
        return insertCopy(target);
    return changeState(target, false);
}

PublishTransition unpublishClubs(State state) {
    if (state == State::Clubs)
        return deleteCopy(State::Unpublished);
    if (state == State::ClubsAndInternet)
        return changeState(State::Internet, true);
    return {};
}

PublishTransition unpublishInternet(State state) {
    if (state == State::Internet)
        return deleteCopy(State::Unpublished);
    if (state == State::ClubsAndInternet)
        return changeState(State::Clubs, true);
    return {};
}

// Unpublishing a row that has no copy changes nothing: in particular an archived row stays
// archived instead of reappearing in the listing box.
PublishTransition unpublishBoth(State state) {
    return isPublished(state) ? deleteCopy(State::Unpublished) : PublishTransition{};
}

// Archiving an archived row would only wipe its grades again; it is skipped.
PublishTransition archive(State state) {
    if (isPublished(state))
        return deleteCopy(State::Archived);
    if (state == State::Unpublished)
        return localOnly(State::Archived);
    return {};
}

// Only archived rows are restored. Setting a published row to 0 would leave its server copy
// behind with no local row claiming it, so those rows are skipped.
PublishTransition restore(State state) {
    if (state != State::Archived)
        return {};
    PublishTransition t = localOnly(State::Unpublished);
    t.refreshShowday = true;
    return t;
}

} // namespace

std::optional<ListingAction> publishActionFor(PublicationState target) {
    switch (target) {
    case State::Internet:
        return ListingAction::PublishInternet;
    case State::ClubsAndInternet:
        return ListingAction::PublishClubsAndInternet;
    case State::Clubs:
        return ListingAction::PublishClubs;
    case State::Unpublished:
    case State::Archived:
        break;
    }
    return std::nullopt;
}

std::optional<PublicationState> publishTarget(ListingAction action) {
    switch (action) {
    case ListingAction::PublishInternet:
        return State::Internet;
    case ListingAction::PublishClubsAndInternet:
        return State::ClubsAndInternet;
    case ListingAction::PublishClubs:
        return State::Clubs;
    default:
        return std::nullopt;
    }
}

PublishTransition PublishTransition::of(PublicationState state, ListingAction action) {
    if (const auto target = publishTarget(action))
        return publish(state, *target);
    switch (action) {
    case ListingAction::UnpublishClubs:
        return unpublishClubs(state);
    case ListingAction::UnpublishInternet:
        return unpublishInternet(state);
    case ListingAction::UnpublishBoth:
        return unpublishBoth(state);
    case ListingAction::Archive:
        return archive(state);
    case ListingAction::Restore:
        return restore(state);
    default:
        return {};
    }
}

PublishTransition PublishTransition::of(const QVariant& storedState, ListingAction action) {
    const auto state = publicationStateFrom(storedState);
    return state ? of(*state, action) : PublishTransition{};
}

} // namespace teran
