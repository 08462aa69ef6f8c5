#include "core/publication/PublicationOutbox.h"
#include "TestOffice.h"
#include "core/listings/ActionTexts.h"
#include "core/listings/ListQuery.h"
#include "core/publication/OutboxPump.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationReconciler.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

using namespace teran;
using namespace teran::test;

namespace {

class PublicationOutboxTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    void serverAway() { office->session().state().InternetOk = false; }
    void serverBack() { office->session().state().InternetOk = true; }
    OutboxReport send() {
        return OutboxSender(office->session(), {}, QStringLiteral("test => ")).sendWaiting();
    }
    PublicationOutbox outbox() { return PublicationOutbox(office->local()); }
    bool localExists(int number) {
        return office->local().scalar("SELECT table_idx FROM maemul WHERE table_idx = ?", {number}).isValid();
    }
    // Published locally exactly where the server holds a copy, in the same state.
    void expectStoresAgree(const QList<int>& numbers) {
        for (int number : numbers) {
            const std::optional<PublicationState> state = publicationStateFrom(office->localState(number));
            const bool published = localExists(number) && state && isPublished(*state);
            EXPECT_EQ(office->serverState(number).has_value(), published) << "listing " << number;
            if (published) {
                EXPECT_EQ(office->serverState(number), office->localState(number)) << "listing " << number;
            }
        }
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// A day with the server away: every action on shared listings is done in the office database and
// waits; when the server answers, the changes go out in the order they were made and the two
// stores agree. A cancel before then gives the listing back the state it had before the change,
// takes the listing's later changes along, and brings a deleted listing back whole with its number
// and image box.
TEST_P(PublicationOutboxTest, ChangesMadeWhileTheServerIsAwayWaitAndGoOutInOrderOrAreCancelled) {
    const int first = office->addListing({{"money_m", 11000}});
    const int second = office->addListing({{"money_m", 12000}});
    const int archived = office->addPublished(1);
    const int plain = office->addListing();
    const int deleted = office->addPublished(3, {{"imgname1", "keep-until-sent.jpg"}});
    ASSERT_TRUE(office->writeLocalPicture(QStringLiteral("keep-until-sent.jpg")));
    const int unsent = office->addListing();
    const int restored = office->addPublished(7, {{"imgname1", "still-here.jpg"}});
    ASSERT_TRUE(office->writeLocalPicture(QStringLiteral("still-here.jpg")));
    office->local().execute(
        "INSERT INTO filebox (tb, ty, tidx, Img1, Img2, img3) VALUES ('apt', 'M', ?, '1', "
        "'box-a.jpg', '')",
        {restored});
    serverAway();

    office->answerYes();
    const ActionOutcome published =
        office->actions().publish(TestOffice::picks({first, second}), PublicationState::Internet);
    EXPECT_EQ(published.done, 2);
    EXPECT_EQ(published.queued, 2);
    office->answerYes();
    const ActionOutcome archivedBoth = office->actions().archive(TestOffice::picks({archived, plain}));
    EXPECT_EQ(archivedBoth.done, 2);
    EXPECT_EQ(archivedBoth.queued, 1) << "the row that was not published needs no server";
    EXPECT_TRUE(office->dialogs.lastText().contains(
        ActionTexts::queuedNote(1, QStringLiteral("매물%1").arg(archived))));
    office->answerYes();
    EXPECT_EQ(office->actions().remove(TestOffice::picks({deleted})).queued, 1);

    EXPECT_EQ(office->localState(first), 1);
    EXPECT_EQ(office->serverState(first), std::nullopt);
    EXPECT_EQ(office->serverState(archived), 1);
    EXPECT_EQ(office->localState(archived), 2);
    EXPECT_EQ(office->localState(plain), 2);
    EXPECT_FALSE(localExists(deleted));
    EXPECT_TRUE(QFile::exists(office->localPicture(QStringLiteral("keep-until-sent.jpg"))))
        << "a waiting deletion keeps the files a cancel would need";
    EXPECT_EQ(outbox().count(), 4);
    EXPECT_EQ(send().sent, 0) << "nothing is tried while the server is away";

    office->answerYes();
    office->actions().publish(TestOffice::picks({unsent}), PublicationState::Internet);
    office->answerYes();
    office->actions().unpublish(TestOffice::picks({unsent}), UnpublishScope::Both);
    office->answerYes();
    office->actions().remove(TestOffice::picks({restored}));
    const QList<OutboxEntry> waiting = outbox().waiting().mid(4);
    ASSERT_EQ(waiting.size(), 3);
    EXPECT_EQ(waiting[0].kind, OutboxKind::Send);
    EXPECT_EQ(waiting[1].kind, OutboxKind::Withdraw);
    EXPECT_EQ(waiting[2].kind, OutboxKind::Delete);
    EXPECT_TRUE(outbox().cancel(waiting[0].id));
    EXPECT_EQ(office->localState(unsent), 0);
    EXPECT_EQ(outbox().count(), 5) << "the withdrawal built on the cancelled publication";
    EXPECT_TRUE(outbox().cancel(waiting[2].id));
    ASSERT_TRUE(localExists(restored));
    EXPECT_EQ(office->localState(restored), 7);
    EXPECT_EQ(office->localValue("SELECT Img2 FROM filebox WHERE tidx = ?", {restored}).toString(),
              "box-a.jpg");
    EXPECT_TRUE(QFile::exists(office->localPicture(QStringLiteral("still-here.jpg"))));
    EXPECT_FALSE(outbox().cancel(waiting[2].id)) << "nothing left to cancel";

    serverBack();
    const OutboxReport report = send();
    EXPECT_EQ(report.sent, 4);
    EXPECT_EQ(report.waiting, 0);
    EXPECT_EQ(outbox().count(), 0);
    expectStoresAgree({first, second, archived, plain, deleted, unsent, restored});
    EXPECT_FALSE(QFile::exists(office->localPicture(QStringLiteral("keep-until-sent.jpg"))));
    EXPECT_TRUE(QFile::exists(office->localPicture(QStringLiteral("still-here.jpg"))));
    // In order: the first publication is the older server row.
    EXPECT_LT(office->serverColumn(first, "table_idx").toInt(),
              office->serverColumn(second, "table_idx").toInt());
    EXPECT_EQ(PublicationReconciler(office->session()).reconcile().changes(), 0);
}

// A change the server refuses (not a lost connection) keeps the later changes of its listing
// waiting behind it, with the error; the other listings' changes go out.
TEST_P(PublicationOutboxTest, ARefusedChangeHoldsBackOnlyItsOwnListing) {
    const int refused = office->addListing();
    const int other = office->addListing();
    serverAway();
    office->answerYes();
    office->actions().publish(TestOffice::picks({refused, other}), PublicationState::Internet);
    office->answerYes();
    office->actions().publish(TestOffice::picks({refused}), PublicationState::Clubs);
    ASSERT_EQ(outbox().count(), 3);

    serverBack();
    int inserts = 0;
    office->session().serverStore().setFaultHook([&](const QString& sql) -> std::optional<QString> {
        if (sql.startsWith(QStringLiteral("INSERT INTO")) && sql.contains(QStringLiteral("maemul")) &&
            inserts++ == 0)
            return QStringLiteral("Data too long for column 'memo'");
        return std::nullopt;
    });
    const OutboxReport report = send();
    office->session().serverStore().setFaultHook({});
    EXPECT_EQ(report.sent, 1);
    EXPECT_EQ(report.waiting, 2);
    const QList<OutboxEntry> left = outbox().waiting();
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0].number, refused);
    EXPECT_EQ(left[0].tries, 1);
    EXPECT_TRUE(left[0].lastError.contains(QStringLiteral("Data too long")));
    EXPECT_EQ(left[1].tries, 0) << "held back, not tried";
    EXPECT_EQ(office->serverState(other), 1);

    EXPECT_EQ(send().sent, 2);
    expectStoresAgree({refused, other});
    EXPECT_EQ(office->serverState(refused), 7);
}

// A server that refuses the copies: the publications wait, each attempt is logged, the own list
// calls them shared (a publication that waits counts as made) and the completion text says they wait.
TEST_P(PublicationOutboxTest, ARefusingServerKeepsThePublicationsWaitingAndLogsEach) {
    const QList<int> numbers{office->addListing(), office->addListing()};
    office->server().execute(QStringLiteral("DROP TABLE maemul"));
    office->answerYes();
    EXPECT_EQ(office->actions().publish(TestOffice::picks(numbers), PublicationState::Internet).queued, 2);

    const ListPage page =
        ListQuery(office->session()).ListSearch(ListRequest(ListKind::Own, {}, {}, QStringLiteral("50")));
    const qsizetype sharing = captionsOf(page.columns).indexOf(sharingCaption());
    ASSERT_GE(sharing, 0);
    QStringList cells;
    for (const ListItem& item : page.rows)
        if (numbers.contains(item.number))
            cells << item.cells.at(sharing);
    EXPECT_EQ(cells, QStringList({QStringLiteral("온라인"), QStringLiteral("온라인")}));
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("매물 등록작업 (2)건을 완료하였습니다.\r\n\r\n") +
            ActionTexts::queuedNote(2, QStringLiteral("매물%1,매물%2").arg(numbers[0]).arg(numbers[1])));
    EXPECT_GE(office->logLines().filter(QStringLiteral("frmMain -> internetin => ")).size(), 2);
    EXPECT_EQ(outbox().count(), 2);
}

// The pump of the status bar: counts what waits, and sends it by itself once the server answers.
TEST_P(PublicationOutboxTest, ThePumpSendsWithoutBeingAsked) {
    const int number = office->addListing();
    serverAway();
    office->answerYes();
    office->actions().publish(TestOffice::picks({number}), PublicationState::Internet);
    OutboxPump pump(office->session(), 50);
    QList<int> told;
    QObject::connect(&pump, &OutboxPump::waitingChanged, [&](int count) { told << count; });
    EXPECT_EQ(pump.waiting(), 1);
    ASSERT_EQ(pump.changes().size(), 1);
    EXPECT_EQ(pump.changes().first().what, QStringLiteral("공유"));

    serverBack();
    for (int i = 0; i < 100 && pump.waiting() > 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20), QThread::msleep(10);
    EXPECT_EQ(pump.waiting(), 0);
    EXPECT_EQ(office->serverState(number), 1);
    EXPECT_EQ(told, QList<int>{0});
}

// A server that goes away in the middle of an action on many rows is met once: the first row's
// change finds it gone, the others wait in the outbox without each asking it again (a stalled
// server would hold the desk once per row).
TEST_P(PublicationOutboxTest, AnActionOnManyRowsMeetsAServerThatWentAwayOnce) {
    QList<int> numbers;
    for (int i = 0; i < 5; ++i)
        numbers << office->addListing();
    int asked = 0;
    office->session().serverStore().setFaultHook([&](const QString&) -> std::optional<QString> {
        ++asked;
        return QStringLiteral("Lost connection to server during query");
    });
    office->answerYes();
    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks(numbers), PublicationState::Internet);
    office->session().serverStore().setFaultHook({});
    EXPECT_EQ(outcome.queued, 5);
    EXPECT_EQ(asked, 1) << "the server was asked once for the whole action";
    EXPECT_EQ(outbox().count(), 5);

    EXPECT_EQ(send().sent, 5);
    expectStoresAgree(numbers);
}

INSTANTIATE_TEST_SUITE_P(Backends, PublicationOutboxTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
