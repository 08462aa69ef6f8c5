#include "listings/ListingGroupActions.h"
#include "TestOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

class ListingGroupActionsTest : public testing::Test {
protected:
    void SetUp() override {
        f = TestOffice::make({Backend::Sqlite, Desk::Office, listsAfternoon()});
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

    std::unique_ptr<TestOffice> f;
};

} // namespace

TEST_F(ListingGroupActionsTest, MakeChecksTheNameThenReportsTheNewGroup) {
    GroupOutcome out = actions().make({QStringLiteral("   "), {}, {}, {}});
    EXPECT_FALSE(out.ran);
    EXPECT_EQ(last().text, QStringLiteral("그룹명이 입력되지 않았습니다.\r\n그룹명을 적어주세요."));
    EXPECT_EQ(last().title, QStringLiteral("그룹만들기"));

    out = actions().make({QStringLiteral("급매"), QStringLiteral("제목"), QStringLiteral("비고"), {}});
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(last().text, QStringLiteral("그룹명[급매]을 성공적으로 만들었습니다."));
    const std::optional<ListingGroup> made = store().find(out.groupIdx);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->day, f->clock.now()); // a new group is dated now

    out = actions().make({QStringLiteral("급매"), {}, {}, {}});
    EXPECT_FALSE(out.ran);
    EXPECT_EQ(last().text,
              QStringLiteral("[급매]의 그룹명이 이미 존재합니다.\r\n그룹명을 바꿔서 입력하세요."));
    EXPECT_EQ(store().list().size(), 1);

    // the same name is free for another user
    f->loginAs(QStringLiteral("st1"));
    EXPECT_TRUE(actions().make({QStringLiteral("급매"), {}, {}, {}}).ran);
}

TEST_F(ListingGroupActionsTest, EditNeedsAGroupAndAFreeName) {
    const int g = store().create({0, QStringLiteral("a"), {}, {}, f->clock.now()});
    store().create({0, QStringLiteral("b"), {}, {}, f->clock.now()});

    EXPECT_FALSE(actions().edit(0, {QStringLiteral("x"), {}, {}, {}}).ran);
    EXPECT_EQ(last().text, QStringLiteral("그룹을 먼저 선택해 주세요."));
    EXPECT_EQ(last().title, QStringLiteral("그룹수정"));

    EXPECT_FALSE(actions().edit(g, {QStringLiteral("b"), {}, {}, {}}).ran);
    EXPECT_EQ(last().text, QStringLiteral("[b]의 그룹명이 이미 존재합니다.\r\n그룹명을 바꿔서 입력하세요."));

    const QDateTime day(QDate(2026, 2, 1), QTime(0, 0));
    EXPECT_TRUE(
        actions().edit(g, {QStringLiteral("a2"), QStringLiteral("title"), QStringLiteral("memo"), day}).ran);
    EXPECT_EQ(last().text, QStringLiteral("수정이 완료되었습니다."));
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
    EXPECT_EQ(last().text, QStringLiteral("그룹명[정리]을 삭제합니다.\r\n그룹을 삭제하시면 그룹에 속해있는 "
                                          "매물도 같이 삭제됩니다.실행 하시겠습니까?"));
    EXPECT_EQ(last().buttons, DialogButtons::YesNo);
    EXPECT_TRUE(store().find(g));

    f->dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_TRUE(actions().remove(g).ran);
    EXPECT_EQ(last().text, QStringLiteral("그룹삭제가 완료되었습니다."));
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
    EXPECT_EQ(last().text,
              QStringLiteral("그룹이동할 내용이 없습니다.\r\n이동할 목록에 '√'표시를 해주시기바랍니다."));

    const int g = store().create({0, QStringLiteral("관심"), {}, {}, f->clock.now()});
    QStringList offered;
    out = actions().moveInto({{a, QStringLiteral("아파트 a")}}, answer(QStringLiteral("관심"), &offered));
    EXPECT_EQ(offered, QStringList{QStringLiteral("관심")});
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(out.groupIdx, g);
    EXPECT_EQ(last().text, QStringLiteral("그룹명[관심]으로 이동 하였습니다."));

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
    EXPECT_EQ(last().text, QStringLiteral("그룹명이 입력되지 않았습니다.\r\n그룹명을 적어주세요."));
    EXPECT_EQ(last().title, QStringLiteral("그룹이동"));

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
    EXPECT_EQ(
        last().text,
        QStringLiteral("삭제할 매물이 없습니다.\r\n그룹에서 삭제할 매물에 '√'표시를 해주시기바랍니다."));

    EXPECT_FALSE(actions().removeFrom(0, {{a, {}}}).ran);
    EXPECT_EQ(last().text, QStringLiteral("그룹을 먼저 선택해 주세요."));

    f->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(actions().removeFrom(g, {{a, {}}}).ran);
    EXPECT_EQ(last().text, QStringLiteral("선택된 매물을 [관심]그룹매물에서 삭제합니다.실행 하시겠습니까?"));
    EXPECT_EQ(groupRows(g, a), 1);

    f->dialogs.answerNext(DialogAnswer::Yes);
    const GroupOutcome out = actions().removeFrom(g, {{a, {}}});
    EXPECT_TRUE(out.ran);
    EXPECT_EQ(out.changed, 1);
    EXPECT_EQ(last().text, QStringLiteral("그룹매물을 삭제하였습니다."));
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
