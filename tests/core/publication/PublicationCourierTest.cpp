// The desk against a vendor's server that accepts and never answers (a stopped process, a broken
// line): the window's thread goes on handling its events, the changes wait in the outbox, and
// when the server answers again they leave by themselves, each once.
#include "core/publication/PublicationCourier.h"
#include "Heartbeat.h"
#include "TestOffice.h"
#include "core/people/Inquiry.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"
#include "core/register/ListingSave.h"
#include "core/session/Session.h"
#include "core/session/StoreErrorText.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace teran;
using namespace teran::test;

namespace {

class PublicationCourierTest : public testing::Test {
protected:
    void SetUp() override {
        OfficeSetup setup;
        setup.backend = Backend::MariaDb;
        setup.desk = Desk::UniqueOffice;
        setup.serverThroughRelay = true;
        office = TestOffice::make(setup);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB, the loopback FTP server or the probe page");
        courier = std::make_unique<PublicationCourier>(office->session());
    }
    void TearDown() override {
        if (office)
            office->relay()->stall(false);
        courier.reset();
    }

    TcpRelay& relay() { return *office->relay(); }
    int waiting() { return PublicationOutbox(office->local()).count(); }
    // Lets the courier's rounds come back to the window's thread until `done` or `ms` pass.
    static bool within(int ms, const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms)
            QTest::qWait(20);
        return done();
    }
    QList<int> addListings(int count) {
        QList<int> numbers;
        for (int i = 0; i < count; ++i)
            numbers << office->addListing({{"money_m", 50000 + i}});
        return numbers;
    }
    // The server has been found silent: the courier's wait passed the health's limit.
    void hangServer() {
        relay().stall(true);
        courier->sendNow();
        ASSERT_TRUE(within(5000, [&] { return office->session().serverHealth()->waiting(); }));
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<PublicationCourier> courier;
};

} // namespace

TEST_F(PublicationCourierTest, TenListingsPublishedOnAHungServerLeaveTheWindowFreeAndGoOutOnceItAnswers) {
    const QList<int> numbers = addListings(10);
    ASSERT_TRUE(within(5000, [&] { return office->session().serverOpen(); }));
    relay().stall(true); // not known yet: the first row finds it out

    Heartbeat heart;
    QElapsedTimer took;
    took.start();
    office->answerYes();
    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks(numbers), PublicationState::Internet);
    EXPECT_LT(heart.longestGapMs(), 100) << "the window stood still";
    EXPECT_LT(took.elapsed(), 3000) << "the action waited for the server";
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.queued, 10) << office->dialogs.lastText().toStdString();
    for (int number : numbers)
        EXPECT_EQ(office->localState(number), 1) << number;
    EXPECT_EQ(waiting(), 10);

    relay().stall(false);
    took.restart();
    EXPECT_TRUE(within(5000, [&] { return waiting() == 0; })) << waiting() << " still wait";
    EXPECT_LT(took.elapsed(), 5000);
    EXPECT_EQ(office->serverCount(office->officeId()), 10) << "every listing once";
    for (int number : numbers)
        EXPECT_EQ(office->serverState(number), 1) << number;
    EXPECT_FALSE(office->session().serverHealth()->waiting());
}

// A window's statement that meets the silence before anyone knows of it gives up after the
// window's short limit, not the office's stall limit. From then on every server step of the window
// (the shared lists, the inquiry box, the cash balance, a save's copy) goes through the session's
// server store, which refuses at once, and the login's catch-up goes to the courier.
TEST_F(PublicationCourierTest, TheWindowsServerStepsGiveUpWithinTheWindowsLimitAndThenAtOnce) {
    ASSERT_TRUE(within(5000, [&] { return office->session().serverOpen(); }));
    ASSERT_GT(office->session().config().stallSeconds, 2 * ServerHealth::kWindowWaitSeconds);
    relay().stall(true);
    QElapsedTimer took;
    took.start();
    const auto refusedAsLost = [&] {
        try {
            office->session().serverStore().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"));
            ADD_FAILURE() << "a silent server answered";
        } catch (const StoreError& error) {
            EXPECT_EQ(classifyStoreError(error), StoreFault::ServerLost) << error.description().toStdString();
        }
    };
    refusedAsLost();
    EXPECT_LT(took.elapsed(), 2000 * ServerHealth::kWindowWaitSeconds) << "the window waited the stall limit";
    took.restart();
    EXPECT_FALSE(office->session().serverReachable());
    refusedAsLost();
    EXPECT_THROW(InquiryBox(office->session()).list(), StoreError) << "문의함 on a silent server";
    catchUpWithServer(office->session());
    EXPECT_LT(took.elapsed(), 100) << "a step after the silence was known waited";

    relay().stall(false);
    EXPECT_TRUE(within(8000, [&] { return office->session().serverReachable(); }));
    EXPECT_FALSE(office->session().serverHealth()->waiting());
    EXPECT_EQ(office->session().serverStore().scalar(QStringLiteral("SELECT 1")).toInt(), 1);
}

// A server that went away (the port refuses) and comes back is found by the courier within
// seconds: the queue leaves and the window's store is connected again, with no login.
TEST_F(PublicationCourierTest, AServerThatComesBackIsUsedWithinSecondsWithoutALogin) {
    const QList<int> numbers = addListings(3);
    relay().close();
    office->answerYes();
    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks(numbers), PublicationState::Internet);
    EXPECT_EQ(outcome.queued, 3) << office->dialogs.lastText().toStdString();

    ASSERT_TRUE(relay().open());
    QElapsedTimer took;
    took.start();
    EXPECT_TRUE(within(5000, [&] { return waiting() == 0; })) << waiting() << " still wait";
    EXPECT_LT(took.elapsed(), 5000);
    EXPECT_EQ(office->serverCount(office->officeId()), 3);
    EXPECT_TRUE(office->session().serverReachable());
}

// The save of a shared listing on a silent server: the row and its copy's change are saved at once
// and the save says the share waits; the copy follows when the server answers.
TEST_F(PublicationCourierTest, ASharedListingSavedOnASilentServerWaitsAndFollowsWhenItAnswers) {
    hangServer();
    ListingSaveRequest request;
    request.fields = {{"tb", "apt"},       {"maemultype", "매매"}, {"addr1", "서울"}, {"addr2", "마포구"},
                      {"addr3", "공덕동"}, {"cboname", "자이"},    {"money_m", 90000}};
    request.share = true;
    request.disclosure.state = PublicationState::Clubs;
    Heartbeat heart;
    QElapsedTimer took;
    took.start();
    const ListingSaveResult saved = ListingSaveService(sessionSaveTargets(office->session())).save(request);
    EXPECT_LT(heart.longestGapMs(), 100);
    EXPECT_LT(took.elapsed(), 1000);
    ASSERT_TRUE(saved.saved()) << saved.localError.toStdString();
    EXPECT_EQ(saved.sharing, ListingSaveResult::Sharing::Queued);
    EXPECT_EQ(office->localState(saved.number), 7);

    relay().stall(false);
    EXPECT_TRUE(within(5000, [&] { return office->serverState(saved.number) == 7 && waiting() == 0; }))
        << waiting() << " still wait";
}
