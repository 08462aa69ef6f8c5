#include "core/listings/ListingGroupActions.h"
#include "ListsOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

// The groups live in the ListingStore, which is the office's SQLite file on every setup.
class ListingGroupsTest : public ListsTest {
protected:
    ListingGroups groups(const QString& loginId = QStringLiteral("off1")) {
        return ListingGroups(f->local(), loginId);
    }
};

class ListingGroupActionsTest : public ListingGroupsTest {
protected:
    ListingGroupActions actions() { return ListingGroupActions(f->session()); }
    ListingGroups store() { return groups(); }

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
};

QDateTime at(int day) {
    return QDateTime(QDate(2026, 3, day), QTime(9, 0));
}

} // namespace

TEST_F(ListingGroupsTest, GroupsAreListedNewestFirstAndOnlyForTheirOwner) {
    ListingGroups mine = groups();
    const int older =
        mine.create({0, QStringLiteral("역삼 아파트"), QStringLiteral("급매"), QStringLiteral("3월"), at(1)});
    const int newer = mine.create({0, QStringLiteral("  상가  "), {}, {}, at(5)});
    groups(QStringLiteral("st1")).create({0, QStringLiteral("남의 그룹"), {}, {}, at(9)});

    const QList<ListingGroup> list = mine.list();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0).idx, newer);
    EXPECT_EQ(list.at(0).name, QStringLiteral("상가")); // kept without the blanks
    EXPECT_EQ(list.at(1).idx, older);
    EXPECT_EQ(list.at(1).remark, QStringLiteral("3월"));
    EXPECT_EQ(list.at(1).day, at(1));
    EXPECT_NE(older, newer);

    EXPECT_TRUE(mine.findByName(QStringLiteral(" 상가")));
    EXPECT_FALSE(mine.findByName(QStringLiteral("남의 그룹")));
    EXPECT_FALSE(groups(QStringLiteral("st1")).find(older));
}

TEST_F(ListingGroupsTest, UpdateChangesOnlyAnExistingGroupOfTheUser) {
    ListingGroups mine = groups();
    const int g = mine.create({0, QStringLiteral("old"), QStringLiteral("t"), QStringLiteral("r"), at(1)});
    EXPECT_TRUE(mine.update({g, QStringLiteral("new"), QStringLiteral("t2"), QStringLiteral("r2"), at(7)}));
    // the same values again: MariaDB reports no changed row, which is no missing group
    EXPECT_TRUE(mine.update({g, QStringLiteral("new"), QStringLiteral("t2"), QStringLiteral("r2"), at(7)}));
    const std::optional<ListingGroup> read = mine.find(g);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, QStringLiteral("new"));
    // names are compared as typed, not by a database collation
    EXPECT_FALSE(mine.findByName(QStringLiteral("New")));
    EXPECT_TRUE(mine.findByName(QStringLiteral("new")));
    EXPECT_EQ(read->day, at(7));
    EXPECT_FALSE(groups(QStringLiteral("st1")).update({g, QStringLiteral("theirs"), {}, {}, at(8)}));
    EXPECT_FALSE(mine.update({g + 1000, QStringLiteral("x"), {}, {}, at(8)}));
    EXPECT_EQ(mine.find(g)->name, QStringLiteral("new"));
}

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

// Moving asks for a group among the user's (a new name makes it) only when something is ticked;
// moving twice adds no second row, and a listing deleted on another desk does not go in.
TEST_F(ListingGroupActionsTest, MovingIntoAGroupChosenOrNamedAnew) {
    const int a = f->addOwn({});
    const int b = f->addOwn({});
    const int deleted = f->addOwn({});
    f->local().execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {deleted});
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

    EXPECT_FALSE(
        actions().moveInto({{a, {}}}, [](const QStringList&) { return std::optional<QString>(); }).ran);
    EXPECT_EQ(store().list().size(), 1); // cancelled: nothing made
    EXPECT_FALSE(actions().moveInto({{a, {}}}, answer(QStringLiteral(" "))).ran);
    EXPECT_EQ(last().text, QStringLiteral("그룹명이 입력되지 않았습니다.\r\n그룹명을 적어주세요."));
    EXPECT_EQ(last().title, QStringLiteral("그룹이동"));

    out = actions().moveInto({{a, {}}, {deleted, {}}}, answer(QStringLiteral("신규")));
    ASSERT_TRUE(out.ran);
    EXPECT_EQ(out.changed, 1);
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
