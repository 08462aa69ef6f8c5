#include "core/publication/PublishTransition.h"
#include "core/store/SqlStore.h"

#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;

namespace {

using S = PublicationState;
using A = ListingAction;
using E = ServerEffect;
constexpr std::optional<S> none = std::nullopt;

const A kAllActions[] = {A::PublishInternet,   A::PublishClubsAndInternet, A::PublishClubs, A::UnpublishClubs,
                         A::UnpublishInternet, A::UnpublishBoth,           A::Archive,      A::Restore};

} // namespace

// Anchors of the rules: publishing reaches its target, a narrower withdrawal keeps the other
// scope, archiving a shared listing takes its copy away, restoring counts the listing as new, and
// an action that does not apply skips the row. The invariant below holds for every pair.
TEST(PublishTransition, AnchorsOfTheRules) {
    const struct {
        S from;
        A action;
        std::optional<S> to;
        E effect;
    } anchors[] = {
        {S::Unpublished, A::PublishClubs, S::Clubs, E::InsertServerCopy},
        {S::ClubsAndInternet, A::UnpublishInternet, S::Clubs, E::ChangeStateOnly},
        {S::Internet, A::Archive, S::Archived, E::DeleteServerCopy},
        {S::Archived, A::Restore, S::Unpublished, E::LocalOnly},
        {S::Internet, A::PublishInternet, none, E::Skip},
        {S::Unpublished, A::UnpublishBoth, none, E::Skip},
        {S::Unpublished, A::Restore, none, E::Skip},
    };
    for (const auto& anchor : anchors) {
        const PublishTransition t = PublishTransition::of(anchor.from, anchor.action);
        SCOPED_TRACE(testing::Message()
                     << "state " << stateValue(anchor.from) << ", action " << int(anchor.action));
        EXPECT_EQ(t.localState, anchor.to);
        EXPECT_EQ(t.effect, anchor.effect);
        EXPECT_EQ(t.skipped(), anchor.effect == E::Skip);
    }
    EXPECT_TRUE(PublishTransition::of(S::Unpublished, A::PublishClubs).resetServerHits)
        << "a new copy starts without grades";
    EXPECT_TRUE(PublishTransition::of(S::Archived, A::Restore).refreshShowday);
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
            EXPECT_TRUE(t.skipped()) << unknown.toString().toStdString() << ", action " << int(action);
            EXPECT_FALSE(t.localState.has_value());
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
            SCOPED_TRACE(testing::Message() << "state " << stateValue(state) << ", action " << int(action));
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

// The statements that pick published rows pick exactly the rows isPublished() says have a copy,
// text-stored states included.
TEST(PublishTransition, TheSqlOfPublishedStatesAgreesWithTheRule) {
    QTemporaryDir dir;
    SqlStore store(QStringLiteral("published-states"));
    store.open(StoreUrl::sqliteFile(dir.filePath(QStringLiteral("states.db"))));
    store.execute(QStringLiteral("CREATE TABLE maemul (table_idx INTEGER PRIMARY KEY, state)"));
    QSet<int> expected;
    for (int value = 0; value <= 9; ++value) {
        store.execute(QStringLiteral("INSERT INTO maemul (table_idx, state) VALUES (?, ?)"), {value, value});
        const std::optional<PublicationState> state = publicationStateFrom(value);
        if (state && isPublished(*state))
            expected << value;
    }
    QSet<int> picked;
    QSqlQuery q = store.query(
        QStringLiteral("SELECT table_idx FROM maemul WHERE state IN (%1)").arg(publishedStatesSql()));
    while (q.next())
        picked << q.value(0).toInt();
    EXPECT_EQ(picked, expected);
    EXPECT_EQ(expected.size(), 3);
}
