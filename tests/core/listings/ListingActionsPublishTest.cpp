#include "ActionOffice.h"
#include "session/DailyLog.h"

#include <QFile>

using namespace teran;
using namespace teran::test;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class ListingActionsPublishTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = ActionOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    QList<int> addListings(int count) {
        QList<int> numbers;
        for (int i = 0; i < count; ++i)
            numbers << office->addListing({{"money_m", 10000 + i}});
        return numbers;
    }

    std::unique_ptr<ActionOffice> office;
};

} // namespace

TEST_P(ListingActionsPublishTest, ElevenListingsShowTheLimitAndChangeNothing) {
    const QList<int> numbers = addListings(11);
    office->answerYes(); // would be taken by a question; none may come

    const ActionOutcome outcome =
        office->actions().publish(ActionOffice::picks(numbers), PublicationState::Internet);

    ASSERT_EQ(office->dialogs().shown().size(), 1);
    const auto& shown = office->dialogs().shown().first();
    EXPECT_EQ(shown.text, QStringLiteral("온라인 매물등록 작업은 한번에 10까지만 등록가능합니다."));
    EXPECT_EQ(shown.title, QStringLiteral("알림"));
    EXPECT_EQ(shown.icon, DialogIcon::Warning);
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(outcome.done, 0);
    EXPECT_EQ(office->serverCount(office->officeId()), 0);
    for (int number : numbers)
        EXPECT_EQ(office->localState(number), 0);
}

// Rows already in the target state do not count towards the limit.
TEST_P(ListingActionsPublishTest, TenListingsGoThroughWithTheirCopies) {
    const QList<int> numbers = addListings(10);
    const int alreadyThere = office->addPublished(1);
    office->answerYes();

    const ActionOutcome outcome = office->actions().publish(
        ActionOffice::picks(numbers + QList<int>{alreadyThere}), PublicationState::Internet);

    const auto& shown = office->dialogs().shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(
        shown.at(0).text.startsWith(QStringLiteral("선택된매물 (10)개 ") + kCrLf + QStringLiteral("[매물")));
    EXPECT_TRUE(shown.at(0).text.endsWith(
        QStringLiteral("]을 ") + kCrLf + kCrLf + QStringLiteral("인터넷 매물로 등록합니다.") + kCrLf +
        QStringLiteral("인터넷매물로 등록할경우 자동으로 매물이 활성매물함으로 이동됩니다. ") + kCrLf +
        QStringLiteral(" 실행하시겠습니까 ?")));
    EXPECT_EQ(shown.at(0).icon, DialogIcon::Question);
    EXPECT_EQ(shown.at(1).text, QStringLiteral("매물 등록작업 (10)건을 완료하였습니다."));
    EXPECT_EQ(shown.at(1).icon, DialogIcon::Information);
    EXPECT_EQ(outcome.done, 10);
    EXPECT_EQ(outcome.skipped, 1);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_EQ(office->serverCount(office->officeId()), 11);
    for (int number : numbers) {
        EXPECT_EQ(office->localState(number), 1);
        EXPECT_EQ(office->serverState(number), 1);
    }
    EXPECT_EQ(office->progressTexts.first(), QStringLiteral("총 10 개의 데이타중 1 개를 등록하는중입니다."));
    EXPECT_EQ(office->progressTexts.at(9), QStringLiteral("총 10 개의 데이타중 10 개를 등록하는중입니다."));
    EXPECT_TRUE(office->progressTexts.last().isEmpty());
}

// The copy carries what the upload columns promise: the office's key, the target state, the
// upload time from the session's clock, the local date as sort key, no grades, no owner.
TEST_P(ListingActionsPublishTest, CopyIsDatedAndKeyedForTheSharedLists) {
    const int number = office->addListing({{"mbigo", "남향 '전망' 좋음"}, {"addr4", "123-4"}});
    office->answerYes();
    office->actions().publish(ActionOffice::picks({number}), PublicationState::ClubsAndInternet);

    EXPECT_EQ(office->serverState(number), 3);
    EXPECT_EQ(office->localState(number), 3);
    EXPECT_EQ(SqlStore::toDateTime(office->serverColumn(number, "showday")), office->clock().now());
    EXPECT_EQ(SqlStore::toDateTime(office->serverColumn(number, "sortday")),
              QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
    EXPECT_EQ(office->serverColumn(number, "hitadd").toInt(), 0);
    EXPECT_EQ(office->serverColumn(number, "mbigo").toString(), QStringLiteral("남향 '전망' 좋음"));
    EXPECT_EQ(office->serverColumn(number, "money_m").toLongLong(), 85000);
    EXPECT_EQ(office->serverColumn(number, "id").toString(), office->officeId());
    // The office keeps its own grades; only the copy starts without them.
    EXPECT_EQ(office->local().scalar("SELECT hitadd FROM maemul WHERE table_idx = ?", {number}).toInt(), 2);
}

TEST_P(ListingActionsPublishTest, PublishingSetsTheScopeOfPublishedRows) {
    const int internet = office->addPublished(1);
    const int clubs = office->addPublished(7);
    const int archived = office->addListing({{"state", 2}});
    const QVariant copyKey =
        office->server().scalar("SELECT table_idx FROM maemul WHERE sub_idx = ?", {internet});
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().publish(ActionOffice::picks({internet, clubs, archived}), PublicationState::Clubs);

    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(outcome.skipped, 1);
    EXPECT_EQ(office->localState(internet), 7);
    EXPECT_EQ(office->serverState(internet), 7);
    EXPECT_EQ(office->server().scalar("SELECT table_idx FROM maemul WHERE sub_idx = ?", {internet}), copyKey)
        << "a scope change rewrote the copy";
    // A scope change keeps the grades of the copy.
    EXPECT_EQ(office->serverColumn(internet, "hitadd").toInt(), 2);
    EXPECT_EQ(office->localState(archived), 7);
    EXPECT_EQ(office->serverState(archived), 7);
    EXPECT_EQ(office->localState(clubs), 7);

    office->dialogs().clear();
    const ActionOutcome again =
        office->actions().publish(ActionOffice::picks({clubs}), PublicationState::Clubs);
    EXPECT_FALSE(again.ran);
    ASSERT_EQ(office->dialogs().shown().size(), 1);
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("선택된 매물이 없거나 이미 등록된매물입니다."));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("확인"));
}

// A local row that claims a publication the server lost gets its copy written again.
TEST_P(ListingActionsPublishTest, MissingCopyOfAPublishedRowIsWrittenAgain) {
    const int number = office->addListing({{"state", 1}});
    office->answerYes();
    const ActionOutcome outcome =
        office->actions().publish(ActionOffice::picks({number}), PublicationState::ClubsAndInternet);
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(office->serverState(number), 3);
    EXPECT_EQ(office->localState(number), 3);
}

TEST_P(ListingActionsPublishTest, FailedServerLeavesRowsUnpublishedAndSaysSo) {
    const QList<int> numbers = addListings(2);
    office->server().execute(QStringLiteral("DROP TABLE maemul"));
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().publish(ActionOffice::picks(numbers), PublicationState::Internet);

    EXPECT_EQ(outcome.done, 0);
    EXPECT_EQ(outcome.failed, 2);
    EXPECT_EQ(outcome.failedNumbers, numbers);
    for (int number : numbers)
        EXPECT_EQ(office->localState(number), 0);
    EXPECT_EQ(office->dialogs().lastText(),
              QStringLiteral("매물 등록작업 (0)건을 완료하였습니다.") + kCrLf + kCrLf +
                  QStringLiteral("등록하지 못한 매물 (2)건 [매물%1,매물%2]").arg(numbers[0]).arg(numbers[1]) +
                  kCrLf + QStringLiteral("잠시 후 다시 실행해 주세요."));
    EXPECT_EQ(office->dialogs().shown().last().icon, DialogIcon::Warning);
    QFile log(office->session().log().fileFor(office->clock().today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).count(QStringLiteral("frmMain -> internetin => ")), 2);
}

TEST_P(ListingActionsPublishTest, OnlineActionsNeedAnOnlineLoginAndTheServer) {
    const int number = office->addListing();
    office->session().state().OnlineMode = QStringLiteral("offline");
    office->answerYes();
    ActionOutcome outcome =
        office->actions().publish(ActionOffice::picks({number}), PublicationState::Internet);
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(
        office->dialogs().lastText(),
        QStringLiteral("오프라인으로 로그인하셨습니다.") + kCrLf + kCrLf +
            QStringLiteral(
                "온라인 매물작업은 인터넷에 연결된 상태에서 다시 로그인하신 후에 사용하실 수 있습니다."));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("인터넷연결"));

    office->session().state().OnlineMode = QStringLiteral("yes");
    office->session().state().InternetOk = false;
    for (int round = 0; round < 3; ++round) {
        office->dialogs().clear();
        auto actions = office->actions();
        if (round == 0)
            outcome = actions.unpublish(ActionOffice::picks({number}), UnpublishScope::Both);
        else if (round == 1)
            outcome = actions.refreshSelected(ActionOffice::picks({number}));
        else
            outcome = actions.refreshAll();
        EXPECT_FALSE(outcome.ran);
        ASSERT_EQ(office->dialogs().shown().size(), 1);
        EXPECT_EQ(office->dialogs().lastText(),
                  QStringLiteral("현재 인터넷 접속이 불안정합니다.") + kCrLf + kCrLf +
                      QStringLiteral("인터넷 연결이 문제가 없는지 확인해보세요."));
        EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("인터넷연결"));
    }
    EXPECT_EQ(office->localState(number), 0);
}

TEST_P(ListingActionsPublishTest, NoTickOrNoAnswerChangesNothing) {
    const int number = office->addListing();
    ActionOutcome outcome = office->actions().publish({}, PublicationState::Internet);
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("선택된 매물이 없습니다."));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("확인"));

    outcome =
        office->actions().publish(ActionOffice::picks({number}), PublicationState::Internet); // answered No
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(office->localState(number), 0);
    EXPECT_EQ(office->serverCount(office->officeId()), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsPublishTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
