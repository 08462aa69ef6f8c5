#include "TestOffice.h"
#include "listings/ActionTexts.h"
#include "listings/ListQuery.h"
#include "publication/PublicationOutbox.h"
#include "publication/PublicationReconciler.h"
#include "session/DailyLog.h"

#include <QFile>

using namespace teran;
using namespace teran::test;

namespace {

class ListingActionsPublishTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    QList<int> addListings(int count) {
        QList<int> numbers;
        for (int i = 0; i < count; ++i)
            numbers << office->addListing({{"money_m", 10000 + i}});
        return numbers;
    }
    ActionOutcome publish(const QList<int>& numbers, PublicationState target = PublicationState::Internet) {
        office->answerYes();
        return office->actions().publish(TestOffice::picks(numbers), target);
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// Eleven rows to publish are refused before any question; rows already in the target state do
// not count towards the limit.
TEST_P(ListingActionsPublishTest, TenListingsAtATimeGoThroughWithTheirCopies) {
    const QList<int> numbers = addListings(10);
    const int eleventh = office->addListing();
    EXPECT_FALSE(publish(numbers + QList<int>{eleventh}).ran);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("온라인 매물등록 작업은 한번에 10까지만 등록가능합니다."));
    EXPECT_EQ(office->serverCount(office->officeId()), 0);

    office->dialogs.clear();
    const int alreadyThere = office->addPublished(1);
    const ActionOutcome outcome = publish(numbers + QList<int>{alreadyThere});
    ASSERT_EQ(office->dialogs.shown().size(), 2);
    EXPECT_TRUE(office->dialogs.shown().first().text.startsWith(QStringLiteral("선택된매물 (10)개 ")));
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물 등록작업 (10)건을 완료하였습니다."));
    EXPECT_EQ(outcome.done, 10);
    EXPECT_EQ(outcome.skipped, 1);
    EXPECT_EQ(office->serverCount(office->officeId()), 11);
    for (int number : numbers) {
        EXPECT_EQ(office->localState(number), 1);
        EXPECT_EQ(office->serverState(number), 1);
    }
    EXPECT_EQ(office->progressTexts.at(9), QStringLiteral("총 10 개의 데이타중 10 개를 등록하는중입니다."));
    EXPECT_TRUE(office->progressTexts.last().isEmpty()) << "the status bar is cleared at the end";
}

// The copy carries the office's key, the target state, the upload time from the session's clock,
// the local date as sort key, no grades; the office keeps its own grades.
TEST_P(ListingActionsPublishTest, CopyIsDatedAndKeyedForTheSharedLists) {
    const int number = office->addListing({{"mbigo", "남향 '전망' 좋음"}, {"addr4", "123-4"}});
    publish({number}, PublicationState::ClubsAndInternet);

    EXPECT_EQ(office->serverState(number), 3);
    EXPECT_EQ(office->localState(number), 3);
    EXPECT_EQ(SqlStore::toDateTime(office->serverColumn(number, "showday")), office->clock.now());
    EXPECT_EQ(SqlStore::toDateTime(office->serverColumn(number, "sortday")),
              QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
    EXPECT_EQ(office->serverColumn(number, "hitadd").toInt(), 0);
    EXPECT_EQ(office->serverColumn(number, "mbigo").toString(), QStringLiteral("남향 '전망' 좋음"));
    EXPECT_EQ(office->serverColumn(number, "id").toString(), office->officeId());
    EXPECT_EQ(office->local().scalar("SELECT hitadd FROM maemul WHERE table_idx = ?", {number}).toInt(), 2);
}

// A copy the main window or the reconciliation makes keeps to what the office chose to show when
// it shared the listing from the registration window.
TEST_P(ListingActionsPublishTest, ACopyMadeAgainWithholdsWhatTheOfficeWithheld) {
    Disclosure withheld;
    withheld.addr3 = false;
    withheld.name = false;
    const int kept = office->addListing({{"addr2", "강남구"},
                                         {"addr3", "역삼동"},
                                         {"cboname", "래미안"},
                                         {"tb", "villa"},
                                         {"scope_ie", disclosureScopeText(withheld)}});
    publish({kept}, PublicationState::Internet);

    ASSERT_EQ(office->serverState(kept), 1);
    EXPECT_EQ(office->serverColumn(kept, "addr2").toString(), QStringLiteral("강남구"));
    EXPECT_EQ(office->serverColumn(kept, "addr3").toString(), QString());
    EXPECT_EQ(office->serverColumn(kept, "cboname").toString(), QString());

    // The server lost the copy: the reconciliation writes it again, as withheld as before.
    office->server().execute(QStringLiteral("DELETE FROM maemul WHERE id = ? AND sub_idx = ?"),
                             {office->officeId(), kept});
    ASSERT_EQ(PublicationReconciler(office->session()).reconcile().copiesSent, 1);
    EXPECT_EQ(office->serverColumn(kept, "addr2").toString(), QStringLiteral("강남구"));
    EXPECT_EQ(office->serverColumn(kept, "addr3").toString(), QString());
    EXPECT_EQ(office->serverColumn(kept, "cboname").toString(), QString());
}

// A scope change keeps the copy (its key and grades); an archived row comes back published; a
// published row whose copy the server lost gets it written again.
TEST_P(ListingActionsPublishTest, PublishingSetsTheScopeOfPublishedRows) {
    const int internet = office->addPublished(1);
    const int clubs = office->addPublished(7);
    const int archived = office->addListing({{"state", 2}});
    const int lost = office->addListing({{"state", 1}});
    const QVariant copyKey = office->serverColumn(internet, "table_idx");

    const ActionOutcome outcome = publish({internet, clubs, archived, lost}, PublicationState::Clubs);

    EXPECT_EQ(outcome.done, 3);
    EXPECT_EQ(outcome.skipped, 1);
    for (int number : {internet, clubs, archived, lost}) {
        EXPECT_EQ(office->localState(number), 7);
        EXPECT_EQ(office->serverState(number), 7);
    }
    EXPECT_EQ(office->serverColumn(internet, "table_idx"), copyKey) << "a scope change rewrote the copy";
    EXPECT_EQ(office->serverColumn(internet, "hitadd").toInt(), 2);

    office->dialogs.clear();
    EXPECT_FALSE(publish({clubs}, PublicationState::Clubs).ran);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("선택된 매물이 없거나 이미 등록된매물입니다."));
}

// A server that refuses the copies: the publications are kept in the office database and wait in
// the outbox with the server's error, each attempt logged; the completion text says they wait.
TEST_P(ListingActionsPublishTest, ARefusingServerKeepsThePublicationsWaitingAndLogsEach) {
    const QList<int> numbers = addListings(2);
    office->server().execute(QStringLiteral("DROP TABLE maemul"));

    const ActionOutcome outcome = publish(numbers);

    EXPECT_EQ(outcome.queued, 2);
    EXPECT_TRUE(outcome.failedNumbers.isEmpty());
    for (int number : numbers)
        EXPECT_EQ(office->localState(number), 1);
    // The own list calls them shared: the program treats a publication that waits as made.
    const ListPage page =
        ListQuery(office->session()).ListSearch(ListRequest(ListKind::Own, {}, {}, QStringLiteral("50")));
    const qsizetype sharing = captionsOf(page.columns).indexOf(sharingCaption());
    ASSERT_GE(sharing, 0);
    int listed = 0;
    for (const ListItem& item : page.rows)
        if (numbers.contains(item.number)) {
            ++listed;
            EXPECT_EQ(item.cells.at(sharing), QStringLiteral("온라인"));
        }
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("매물 등록작업 (2)건을 완료하였습니다.") + QStringLiteral("\r\n\r\n") +
            ActionTexts::queuedNote(2, QStringLiteral("매물%1,매물%2").arg(numbers[0]).arg(numbers[1])));
    const QList<OutboxEntry> waiting = PublicationOutbox(office->local()).waiting();
    ASSERT_EQ(waiting.size(), 2);
    for (const OutboxEntry& entry : waiting) {
        EXPECT_GE(entry.tries, 1);
        EXPECT_FALSE(entry.lastError.isEmpty());
    }
    QFile log(office->session().log().fileFor(office->clock.today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_GE(QString::fromUtf8(log.readAll()).count(QStringLiteral("frmMain -> internetin => ")), 2);
}

// After an offline login no online action starts; while the server cannot be reached, what works
// on every copy at once does not either (single listings wait in the outbox instead). No tick, or
// No to the question, changes nothing.
TEST_P(ListingActionsPublishTest, OnlineActionsNeedAnOnlineLoginTheServerAndAYes) {
    const int number = office->addListing();
    office->session().state().OnlineMode = QStringLiteral("offline");
    EXPECT_FALSE(office->actions().publish(TestOffice::picks({number}), PublicationState::Internet).ran);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("오프라인으로 로그인하셨습니다.\r\n\r\n온라인 매물작업은 본사 서버에 연결되면 "
                             "상태표시줄의 '다시 연결' 단추를 누른 후에 사용하실 수 있습니다."));

    office->session().state().OnlineMode = QStringLiteral("yes");
    office->session().state().InternetOk = false;
    office->dialogs.clear();
    EXPECT_FALSE(office->actions().refreshAll().ran);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("현재 인터넷 접속이 불안정합니다.\r\n\r\n인터넷 연결이 문제가 없는지 확인해보세요."));

    office->session().state().InternetOk = true;
    EXPECT_FALSE(office->actions().publish({}, PublicationState::Internet).ran);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("선택된 매물이 없습니다."));
    EXPECT_FALSE(office->actions().publish(TestOffice::picks({number}), PublicationState::Internet).ran)
        << "answered No";
    EXPECT_EQ(office->localState(number), 0);
    EXPECT_EQ(office->serverCount(office->officeId()), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsPublishTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
