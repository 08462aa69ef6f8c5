#include "core/people/Clubs.h"
#include "TwoOffices.h"

#include <gtest/gtest.h>

namespace teran {
namespace {

class ClubsTest : public test::TwoOfficesTest {
protected:
    Clubs clubsOf(const QString& id) { return Clubs(as(id), secured != nullptr, id); }
};

} // namespace

TEST_P(ClubsTest, AClubIsMadeJoinedHandedOverAndDeletedByTheRules) {
    Clubs byA = clubsOf(a);
    Clubs byB = clubsOf(b);
    EXPECT_EQ(
        byA.save({0, {}, QStringLiteral(" "), QStringLiteral("친목"), {QStringLiteral("apt")}, {}}).message,
        QStringLiteral("클럽명을 적어주세요."));
    EXPECT_EQ(byA.save({0, {}, QStringLiteral("서초"), QString(), {QStringLiteral("apt")}, {}}).message,
              QStringLiteral("모임형태를 적어주세요."));
    EXPECT_EQ(byA.save({0, {}, QStringLiteral("서초"), QStringLiteral("친목"), {}, {}}).message,
              QStringLiteral("공유하고자 하는 종목을 선택하여 주세요."));
    const ClubOutcome made = byA.save({0,
                                       {},
                                       QStringLiteral("서초모임"),
                                       QStringLiteral("친목"),
                                       {QStringLiteral("apt"), QStringLiteral("villa")},
                                       QStringLiteral("소개말")});
    ASSERT_TRUE(made.done) << made.message.toStdString();
    EXPECT_EQ(made.message, QStringLiteral("클럽명 '서초모임' 가\r\n 성공적으로 만들어졌습니다."));
    ASSERT_GT(made.clubIdx, 0);
    const int club = made.clubIdx;
    const QList<ClubRow> mine = byA.own();
    ASSERT_EQ(mine.size(), 1);
    EXPECT_EQ(mine.at(0).level, 3);
    EXPECT_EQ(byA.members(club).size(), 1);
    EXPECT_EQ(byA.details(club)->types, QStringList({QStringLiteral("apt"), QStringLiteral("villa")}));

    // B finds it, joins as an associate: listed among its clubs, not readable.
    QString refusal;
    EXPECT_TRUE(byB.search({QString(), true, false, false}, &refusal).isEmpty());
    EXPECT_EQ(refusal, QStringLiteral("검색할 단어를 적어주세요."));
    EXPECT_TRUE(byB.search({QStringLiteral("친목"), false, false, false}, &refusal).isEmpty());
    EXPECT_EQ(refusal, QStringLiteral("검색할 항목에 체크해 주세요."));
    const QList<ClubRow> found = byB.search({QStringLiteral("친목"), false, true, false}, &refusal);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.at(0).level, -1);
    EXPECT_EQ(byB.join(club).message, QStringLiteral("준회원으로 가입 되었습니다."));
    EXPECT_FALSE(byB.join(club).done);
    EXPECT_EQ(byB.own().size(), 1);
    EXPECT_TRUE(byB.readable().isEmpty());
    EXPECT_FALSE(byB.setLevel(club, b, 2).done) << "an associate raises nobody, itself least";
    EXPECT_FALSE(
        byB.save({club, {}, QStringLiteral("빼앗음"), QStringLiteral("친목"), {QStringLiteral("apt")}, {}})
            .done);
    ASSERT_TRUE(byA.setLevel(club, b, 2).done);
    EXPECT_EQ(byB.readable(), QList<int>({club}));

    // A message to the chairman keeps its line break as <br>.
    EXPECT_EQ(byB.sendToChairman(club, QString(), QStringLiteral("x")).message,
              QStringLiteral("제목을 적어주세요."));
    EXPECT_TRUE(byB.sendToChairman(club, QStringLiteral("안녕하세요"), QStringLiteral("첫줄\n둘째줄")).done);
    EXPECT_EQ(vendor()
                  .scalar(QStringLiteral("SELECT content FROM teranclub_paper WHERE toid=? AND id=?"), {a, b})
                  .toString(),
              QStringLiteral("첫줄<br>둘째줄"));

    // Not deleted while B is in it; the chair goes to a member only, in one step.
    const ClubOutcome kept = byA.remove(club);
    EXPECT_FALSE(kept.done);
    EXPECT_TRUE(
        kept.message.startsWith(QStringLiteral("가입되어있는 회원(1명)이 남아있어 삭제할 수가 없습니다.")));
    EXPECT_FALSE(byA.changeChair(club, QStringLiteral("nobody")).done);
    EXPECT_FALSE(byB.changeChair(club, b).done);
    EXPECT_EQ(byA.changeChair(club, b).message, QStringLiteral("클럽회장님이 변경되었습니다."));
    EXPECT_EQ(byB.details(club)->chairman, b);
    EXPECT_EQ(
        vendor()
            .scalar(QStringLiteral("SELECT level FROM teranclub_mem WHERE club_idx=? AND id=?"), {club, a})
            .toInt(),
        2);
    EXPECT_FALSE(byB.leave(club).done) << "the chairman hands over or deletes";
    EXPECT_EQ(byA.leave(club).message, QStringLiteral("탈퇴 되었습니다."));
    EXPECT_EQ(byB.remove(club).message, QStringLiteral("삭제 되었습니다."));
    EXPECT_TRUE(byB.all().isEmpty());
    EXPECT_EQ(vendor()
                  .scalar(QStringLiteral("SELECT COUNT(*) FROM teranclub_mem WHERE club_idx=?"), {club})
                  .toInt(),
              0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ClubsTest, testing::Values(test::Backend::Sqlite, test::Backend::MariaDb),
                         test::backendName);

} // namespace teran
