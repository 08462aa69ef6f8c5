#include "session/PublishTransition.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {

using S = PublicationState;
using A = ListingAction;
using E = ServerEffect;
constexpr std::optional<S> none = std::nullopt;

struct Case {
    S state;
    A action;
    E effect;
    std::optional<S> local;
    std::optional<S> server;
    bool resetLocalHits;
    bool resetServerHits;
    bool refreshShowday;
};

const char* actionName(A action) {
    switch (action) {
    case A::PublishInternet:
        return "publish internet";
    case A::PublishClubsAndInternet:
        return "publish clubs+internet";
    case A::PublishClubs:
        return "publish clubs";
    case A::UnpublishClubs:
        return "unpublish clubs";
    case A::UnpublishInternet:
        return "unpublish internet";
    case A::UnpublishBoth:
        return "unpublish both";
    case A::Archive:
        return "archive";
    case A::Restore:
        return "restore";
    }
    return "?";
}

// Every state against every action. Skipped rows carry no new state.
const Case kCases[] = {
    // Publish: unpublished and archived rows get a copy that starts without grades; rows with
    // another scope get exactly the target in both stores; the target itself is skipped.
    {S::Unpublished, A::PublishInternet, E::InsertServerCopy, S::Internet, S::Internet, false, true, false},
    {S::Internet, A::PublishInternet, E::Skip, none, none, false, false, false},
    {S::Archived, A::PublishInternet, E::InsertServerCopy, S::Internet, S::Internet, false, true, false},
    {S::ClubsAndInternet, A::PublishInternet, E::ChangeStateOnly, S::Internet, S::Internet, false, false,
     false},
    {S::Clubs, A::PublishInternet, E::ChangeStateOnly, S::Internet, S::Internet, false, false, false},

    {S::Unpublished, A::PublishClubsAndInternet, E::InsertServerCopy, S::ClubsAndInternet,
     S::ClubsAndInternet, false, true, false},
    {S::Internet, A::PublishClubsAndInternet, E::ChangeStateOnly, S::ClubsAndInternet, S::ClubsAndInternet,
     false, false, false},
    {S::Archived, A::PublishClubsAndInternet, E::InsertServerCopy, S::ClubsAndInternet, S::ClubsAndInternet,
     false, true, false},
    {S::ClubsAndInternet, A::PublishClubsAndInternet, E::Skip, none, none, false, false, false},
    {S::Clubs, A::PublishClubsAndInternet, E::ChangeStateOnly, S::ClubsAndInternet, S::ClubsAndInternet,
     false, false, false},

    {S::Unpublished, A::PublishClubs, E::InsertServerCopy, S::Clubs, S::Clubs, false, true, false},
    {S::Internet, A::PublishClubs, E::ChangeStateOnly, S::Clubs, S::Clubs, false, false, false},
    {S::Archived, A::PublishClubs, E::InsertServerCopy, S::Clubs, S::Clubs, false, true, false},
    {S::ClubsAndInternet, A::PublishClubs, E::ChangeStateOnly, S::Clubs, S::Clubs, false, false, false},
    {S::Clubs, A::PublishClubs, E::Skip, none, none, false, false, false},

    // Unpublish from the clubs.
    {S::Unpublished, A::UnpublishClubs, E::Skip, none, none, false, false, false},
    {S::Internet, A::UnpublishClubs, E::Skip, none, none, false, false, false},
    {S::Archived, A::UnpublishClubs, E::Skip, none, none, false, false, false},
    {S::ClubsAndInternet, A::UnpublishClubs, E::ChangeStateOnly, S::Internet, S::Internet, true, true, false},
    {S::Clubs, A::UnpublishClubs, E::DeleteServerCopy, S::Unpublished, none, true, false, false},

    // Unpublish from the internet.
    {S::Unpublished, A::UnpublishInternet, E::Skip, none, none, false, false, false},
    {S::Internet, A::UnpublishInternet, E::DeleteServerCopy, S::Unpublished, none, true, false, false},
    {S::Archived, A::UnpublishInternet, E::Skip, none, none, false, false, false},
    {S::ClubsAndInternet, A::UnpublishInternet, E::ChangeStateOnly, S::Clubs, S::Clubs, true, true, false},
    {S::Clubs, A::UnpublishInternet, E::Skip, none, none, false, false, false},

    // Unpublish from both.
    {S::Unpublished, A::UnpublishBoth, E::Skip, none, none, false, false, false},
    {S::Internet, A::UnpublishBoth, E::DeleteServerCopy, S::Unpublished, none, true, false, false},
    {S::Archived, A::UnpublishBoth, E::Skip, none, none, false, false, false},
    {S::ClubsAndInternet, A::UnpublishBoth, E::DeleteServerCopy, S::Unpublished, none, true, false, false},
    {S::Clubs, A::UnpublishBoth, E::DeleteServerCopy, S::Unpublished, none, true, false, false},

    // Archive: any copy goes, the row gets 2 without grades.
    {S::Unpublished, A::Archive, E::LocalOnly, S::Archived, none, true, false, false},
    {S::Internet, A::Archive, E::DeleteServerCopy, S::Archived, none, true, false, false},
    {S::Archived, A::Archive, E::Skip, none, none, false, false, false},
    {S::ClubsAndInternet, A::Archive, E::DeleteServerCopy, S::Archived, none, true, false, false},
    {S::Clubs, A::Archive, E::DeleteServerCopy, S::Archived, none, true, false, false},

    // Restore: only from the archive, to 0 without grades and dated now.
    {S::Unpublished, A::Restore, E::Skip, none, none, false, false, false},
    {S::Internet, A::Restore, E::Skip, none, none, false, false, false},
    {S::Archived, A::Restore, E::LocalOnly, S::Unpublished, none, true, false, true},
    {S::ClubsAndInternet, A::Restore, E::Skip, none, none, false, false, false},
    {S::Clubs, A::Restore, E::Skip, none, none, false, false, false},
};

const A kAllActions[] = {A::PublishInternet,   A::PublishClubsAndInternet, A::PublishClubs, A::UnpublishClubs,
                         A::UnpublishInternet, A::UnpublishBoth,           A::Archive,      A::Restore};

} // namespace

TEST(PublishTransition, EveryStateAgainstEveryAction) {
    ASSERT_EQ(std::size(kCases), 5u * 8u);
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "state " << stateValue(c.state) << ", " << actionName(c.action));
        const PublishTransition t = PublishTransition::of(c.state, c.action);
        EXPECT_EQ(t.effect, c.effect);
        EXPECT_EQ(t.skipped(), c.effect == E::Skip);
        EXPECT_EQ(t.localState, c.local);
        EXPECT_EQ(t.serverState, c.server);
        EXPECT_EQ(t.resetLocalHits, c.resetLocalHits);
        EXPECT_EQ(t.resetServerHits, c.resetServerHits);
        EXPECT_EQ(t.refreshShowday, c.refreshShowday);
    }
}

// A row whose state is stored as text answers like its number; anything else is left alone.
TEST(PublishTransition, StoredStatesAsTextAndUnknownValues) {
    const PublishTransition fromText =
        PublishTransition::of(QVariant(QStringLiteral("7")), A::UnpublishClubs);
    EXPECT_EQ(fromText.effect, E::DeleteServerCopy);
    EXPECT_EQ(fromText.localState, S::Unpublished);
    EXPECT_EQ(PublishTransition::of(QVariant(3), A::UnpublishInternet).localState, S::Clubs);

    for (const QVariant& unknown :
         {QVariant(), QVariant(5), QVariant(QStringLiteral("")), QVariant(QStringLiteral("x"))})
        for (A action : kAllActions) {
            const PublishTransition t = PublishTransition::of(unknown, action);
            EXPECT_TRUE(t.skipped()) << unknown.toString().toStdString() << " " << actionName(action);
            EXPECT_FALSE(t.localState.has_value());
        }
}

TEST(PublishTransition, PublishActionsAndTheirTargets) {
    EXPECT_EQ(publishActionFor(S::Internet), A::PublishInternet);
    EXPECT_EQ(publishActionFor(S::ClubsAndInternet), A::PublishClubsAndInternet);
    EXPECT_EQ(publishActionFor(S::Clubs), A::PublishClubs);
    EXPECT_FALSE(publishActionFor(S::Unpublished).has_value());
    EXPECT_FALSE(publishActionFor(S::Archived).has_value());
    for (A action : kAllActions) {
        const auto target = publishTarget(action);
        if (target) {
            EXPECT_EQ(publishActionFor(*target), action);
        } else {
            EXPECT_TRUE(action != A::PublishInternet && action != A::PublishClubs &&
                        action != A::PublishClubsAndInternet);
        }
    }
}

// Whatever the action, a row never ends up published without a server row or with a server
// row that its local state does not claim.
TEST(PublishTransition, LocalAndServerNeverDisagree) {
    const S states[] = {S::Unpublished, S::Internet, S::Archived, S::ClubsAndInternet, S::Clubs};
    for (S state : states)
        for (A action : kAllActions) {
            const PublishTransition t = PublishTransition::of(state, action);
            if (t.skipped())
                continue;
            SCOPED_TRACE(testing::Message() << "state " << stateValue(state) << ", " << actionName(action));
            const bool copyBefore = isPublished(state);
            const bool copyAfter = t.effect == E::InsertServerCopy || t.effect == E::ChangeStateOnly;
            EXPECT_EQ(isPublished(*t.localState), copyAfter);
            EXPECT_EQ(t.serverState.has_value(), copyAfter);
            if (copyAfter) {
                EXPECT_EQ(t.serverState, t.localState);
            }
            // A copy is only inserted where none exists, and only changed or deleted where one does.
            EXPECT_EQ(copyBefore, t.effect == E::ChangeStateOnly || t.effect == E::DeleteServerCopy);
        }
}
