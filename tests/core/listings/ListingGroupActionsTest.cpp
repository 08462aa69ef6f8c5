#include "listings/ListingGroupActions.h"
#include "ListFixture.h"

using namespace teran;
using namespace teran::test;

namespace {

class ListingGroupActionsTest : public testing::Test {
protected:
    void SetUp() override {
        f = ListFixture::make(Backend::Sqlite);
        ASSERT_TRUE(f);
    }

    ListingGroupActions actions() { return ListingGroupActions(f->session()); }
    ListingGroups store() { return ListingGroups(f->local(), QStringLiteral("off1")); }

    const ScriptedDialogs::Shown& last() { return f->dialogs.shown().last(); }

    int groupRows(int groupIdx, int number) {
        return f->local()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM group_mul WHERE g_idx = ? AND t_idx = ?"),
                    {groupIdx, number})
            .toInt();
    }

    static ListingGroupActions::ChooseName answer(const QString& name, QStringList* offered = nullptr) {
        return [name, offered](const QStringList& names) -> std::optional<QString> {
            if (offered)
                *offered = names;
            return name;
        };
    }

    std::unique_ptr<ListFixture> f;
};

} // namespace

TEST_F(ListingGroupActionsTest, MakeChecksTheNameThenReportsTheNewGroup) {
    GroupOutcome out = actions().make({QStringLiteral("   "), {}, {}, {}});
    EXPECT_FALSE(out.ran);
    EXPECT_EQ(last().text, GroupTexts::emptyName());
    EXPECT_EQ(last().title, GroupTexts::titleMake());

    out = actions().make({QStringLiteral("급매"), QStringLiteral("제목"), QStringLiteral("비고"), {}});
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(last().text, GroupTexts::made(QStringLiteral("급매")));
    const std::optional<ListingGroup> made = store().find(out.groupIdx);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->day, f->clock.now()); // a new group is dated now

    out = actions().make({QStringLiteral("급매"), {}, {}, {}});
    EXPECT_FALSE(out.ran);
    EXPECT_EQ(last().text, GroupTexts::nameExists(QStringLiteral("급매")));
    EXPECT_EQ(store().list().size(), 1);

    // the same name is free for another user
    f->loginAs(QStringLiteral("st1"));
    EXPECT_TRUE(actions().make({QStringLiteral("급매"), {}, {}, {}}).ran);
}

TEST_F(ListingGroupActionsTest, EditNeedsAGroupAndAFreeName) {
    const int g = store().create({0, QStringLiteral("a"), {}, {}, f->clock.now()});
    store().create({0, QStringLiteral("b"), {}, {}, f->clock.now()});

    EXPECT_FALSE(actions().edit(0, {QStringLiteral("x"), {}, {}, {}}).ran);
    EXPECT_EQ(last().text, GroupTexts::noGroup());
    EXPECT_EQ(last().title, GroupTexts::titleEdit());

    EXPECT_FALSE(actions().edit(g, {QStringLiteral("b"), {}, {}, {}}).ran);
    EXPECT_EQ(last().text, GroupTexts::nameExists(QStringLiteral("b")));

    const QDateTime day(QDate(2026, 2, 1), QTime(0, 0));
    EXPECT_TRUE(
        actions().edit(g, {QStringLiteral("a2"), QStringLiteral("title"), QStringLiteral("memo"), day}).ran);
    EXPECT_EQ(last().text, GroupTexts::edited());
    EXPECT_EQ(store().find(g)->name, QStringLiteral("a2"));
    EXPECT_EQ(store().find(g)->remark, QStringLiteral("memo"));
    EXPECT_EQ(store().find(g)->day, day);

    // keeping its own name is no clash
    EXPECT_TRUE(actions().edit(g, {QStringLiteral("a2"), {}, {}, day}).ran);
}

TEST_F(ListingGroupActionsTest, DeleteAsksAndLeavesTheListings) {
    const int a = f->addOwn({});
    const int g = store().create({0, QStringLiteral("정리"), {}, {}, f->clock.now()});
    store().add(g, {a}, f->clock.now());

    f->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(actions().remove(g).ran);
    EXPECT_EQ(last().text, GroupTexts::deleteQuestion(QStringLiteral("정리")));
    EXPECT_EQ(last().buttons, DialogButtons::YesNo);
    EXPECT_TRUE(store().find(g));

    f->dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_TRUE(actions().remove(g).ran);
    EXPECT_EQ(last().text, GroupTexts::deleted());
    EXPECT_FALSE(store().find(g));
    EXPECT_EQ(groupRows(g, a), 0);
    EXPECT_EQ(
        f->local().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE table_idx = ?"), {a}).toInt(), 1);
}

TEST_F(ListingGroupActionsTest, MovingTwiceAddsNoSecondRow) {
    const int a = f->addOwn({});
    const int b = f->addOwn({});
    bool asked = false;
    GroupOutcome out = actions().moveInto({}, [&asked](const QStringList&) -> std::optional<QString> {
        asked = true;
        return QStringLiteral("x");
    });
    EXPECT_FALSE(out.ran);
    EXPECT_FALSE(asked); // nothing ticked: no chooser
    EXPECT_EQ(last().text, GroupTexts::nothingToMove());

    const int g = store().create({0, QStringLiteral("관심"), {}, {}, f->clock.now()});
    QStringList offered;
    out = actions().moveInto({{a, QStringLiteral("아파트 a")}}, answer(QStringLiteral("관심"), &offered));
    EXPECT_EQ(offered, QStringList{QStringLiteral("관심")});
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(out.groupIdx, g);
    EXPECT_EQ(last().text, GroupTexts::moved(QStringLiteral("관심")));

    out = actions().moveInto({{a, {}}, {b, {}}}, answer(QStringLiteral("관심")));
    EXPECT_EQ(out.changed, 1);
    EXPECT_EQ(groupRows(g, a), 1);
    EXPECT_EQ(groupRows(g, b), 1);
}

TEST_F(ListingGroupActionsTest, MovingIntoANewNameMakesTheGroup) {
    const int a = f->addOwn({});
    const int deleted = f->addOwn({});
    f->local().execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {deleted});

    EXPECT_FALSE(
        actions().moveInto({{a, {}}}, [](const QStringList&) { return std::optional<QString>(); }).ran);
    EXPECT_TRUE(store().list().isEmpty()); // cancelled: nothing made

    EXPECT_FALSE(actions().moveInto({{a, {}}}, answer(QStringLiteral(" "))).ran);
    EXPECT_EQ(last().text, GroupTexts::emptyName());
    EXPECT_EQ(last().title, GroupTexts::titleMove());

    const GroupOutcome out = actions().moveInto({{a, {}}, {deleted, {}}}, answer(QStringLiteral("신규")));
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(out.changed, 1); // a listing deleted on another desk does not go in
    const std::optional<ListingGroup> made = store().findByName(QStringLiteral("신규"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->idx, out.groupIdx);
    EXPECT_EQ(store().members(made->idx), QList<int>{a});
}

TEST_F(ListingGroupActionsTest, RemovingFromTheGroupAsksFirst) {
    const int a = f->addOwn({});
    const int b = f->addOwn({});
    const int g = store().create({0, QStringLiteral("관심"), {}, {}, f->clock.now()});
    store().add(g, {a, b}, f->clock.now());

    EXPECT_FALSE(actions().removeFrom(g, {}).ran);
    EXPECT_EQ(last().text, GroupTexts::nothingToRemove());

    EXPECT_FALSE(actions().removeFrom(0, {{a, {}}}).ran);
    EXPECT_EQ(last().text, GroupTexts::noGroup());

    f->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(actions().removeFrom(g, {{a, {}}}).ran);
    EXPECT_EQ(last().text, GroupTexts::removeQuestion(QStringLiteral("관심")));
    EXPECT_EQ(groupRows(g, a), 1);

    f->dialogs.answerNext(DialogAnswer::Yes);
    const GroupOutcome out = actions().removeFrom(g, {{a, {}}});
    EXPECT_TRUE(out.ran);
    EXPECT_EQ(out.changed, 1);
    EXPECT_EQ(last().text, GroupTexts::removed());
    EXPECT_EQ(store().members(g), QList<int>{b});
}

TEST_F(ListingGroupActionsTest, AStoreFailureIsLoggedWithTheButtonAndShown) {
    const int a = f->addOwn({});
    f->local().execute(QStringLiteral("DROP TABLE group_mul"));
    const GroupOutcome out = actions().moveInto({{a, {}}}, answer(QStringLiteral("새 그룹")));
    EXPECT_FALSE(out.ran);
    const QStringList lines = f->logLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().contains(QStringLiteral("frmList -> cmdGroup => ")))
        << lines.last().toStdString();
    // the new group went back with the failed move
    EXPECT_TRUE(store().list().isEmpty());
}
