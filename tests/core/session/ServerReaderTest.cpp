// The server's lists read off the window's thread: the window goes on handling its events while
// the reader waits on the vendor's server, gives a read up when the server does not answer or
// the user cancels, and reads again as soon as the server answers.
#include "core/session/ServerReader.h"
#include "Heartbeat.h"
#include "TestOffice.h"
#include "core/listings/ListQuery.h"
#include "core/people/Inquiry.h"
#include "core/publication/PublicationCourier.h"
#include "core/session/Session.h"
#include "core/store/ServerHealth.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

using namespace teran;
using namespace teran::test;

namespace {

class ServerReaderTest : public testing::Test {
protected:
    void SetUp() override {
        OfficeSetup setup;
        setup.backend = Backend::MariaDb;
        setup.desk = Desk::UniqueOffice;
        setup.serverThroughRelay = true;
        office = TestOffice::make(setup);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB, the loopback FTP server or the probe page");
        // As the program runs them: the courier tells a server that stopped answering.
        courier = std::make_unique<PublicationCourier>(office->session());
        reader = std::make_unique<ServerReader>(office->session());
        for (int i = 0; i < 3; ++i)
            office->addShared({{"sub_idx", 10 + i}, {"money_m", 40000 + i}});
    }
    void TearDown() override {
        if (office)
            office->relay()->stall(false);
        reader.reset();
        courier.reset();
    }
    static bool within(int ms, const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms)
            QTest::qWait(20);
        return done();
    }
    Session& session() { return office->session(); }
    const ListRequest shared{ListKind::Shared, {}, {}, QStringLiteral("50")};

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<PublicationCourier> courier;
    std::unique_ptr<ServerReader> reader;
};

} // namespace

TERAN_SUITE_NEEDS(ServerReaderTest, mariadb);

TEST_F(ServerReaderTest, TheSharedListIsReadOffTheWindowsThreadAndGivenUpWhileTheServerIsSilent) {
    ASSERT_TRUE(within(5000, [&] { return session().serverOpen(); }));
    const ListPage inPlace = ListQuery(session()).ListSearch(shared);
    ASSERT_TRUE(inPlace.ok) << inPlace.error.toStdString();
    ASSERT_EQ(inPlace.rows.size(), 3);
    const QThread* windowThread = QThread::currentThread();
    const std::optional<const QThread*> readOn =
        reader->read<const QThread*>([](Session&) -> const QThread* { return QThread::currentThread(); });
    ASSERT_TRUE(readOn.has_value());
    EXPECT_NE(*readOn, windowThread);
    const ListPage read = searchList(session(), shared);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.rows.size(), inPlace.rows.size());
    for (int i = 0; i < read.rows.size(); ++i)
        EXPECT_EQ(read.rows[i].cells, inPlace.rows[i].cells) << i;

    // The line breaks: the window beats all the while, and the read is given up once the
    // courier finds the server silent.
    office->relay()->stall(true);
    courier->sendNow();
    Heartbeat heart;
    QElapsedTimer took;
    took.start();
    const ListPage hung = searchList(session(), shared);
    EXPECT_FALSE(hung.ok);
    EXPECT_EQ(hung.error, ServerReader::unansweredText());
    EXPECT_LT(heart.longestGapMs(), 100) << "the window stood still";
    EXPECT_LT(took.elapsed(), 5000);
    EXPECT_TRUE(session().serverHealth()->waiting());
    // Known silent: the next read is given up at once.
    took.restart();
    EXPECT_FALSE(searchList(session(), shared).ok);
    EXPECT_LT(took.elapsed(), 50);

    // The server answers again: the courier finds it, and the list reads.
    office->relay()->stall(false);
    ASSERT_TRUE(within(8000, [&] { return !session().serverHealth()->waiting(); }));
    ListPage back;
    EXPECT_TRUE(within(8000, [&] {
        back = searchList(session(), shared);
        return back.ok;
    })) << back.error.toStdString();
    EXPECT_EQ(back.rows.size(), 3);
}

TEST_F(ServerReaderTest, TheUserCancelsAWaitBeforeTheSilenceIsKnown) {
    ASSERT_TRUE(within(5000, [&] { return session().serverOpen(); }));
    ASSERT_TRUE(searchList(session(), shared).ok);
    office->relay()->stall(true);
    QElapsedTimer took;
    took.start();
    int asked = 0;
    const ListPage cancelled = searchList(session(), shared, {}, [&] {
        ++asked;
        return took.elapsed() > 300;
    });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_GT(asked, 2) << "the wait was not shown to the user";
}

// A count after the page comes back to its window, and to no window that has gone.
TEST_F(ServerReaderTest, ACountComesBackToItsWindowOnlyWhileTheWindowIsThere) {
    ASSERT_TRUE(within(5000, [&] { return session().serverOpen(); }));
    QObject window;
    std::optional<qint64> total;
    const QThread* deliveredOn = nullptr;
    countListLater(session(), shared, &window, [&](std::optional<qint64> counted) {
        total = counted.value_or(-1);
        deliveredOn = QThread::currentThread();
    });
    ASSERT_TRUE(within(5000, [&] { return total.has_value(); }));
    EXPECT_EQ(*total, 3);
    EXPECT_EQ(deliveredOn, QThread::currentThread());

    bool called = false;
    auto* closed = new QObject;
    office->relay()->stall(true); // the count waits on the server while the window closes
    countListLater(session(), shared, closed, [&](std::optional<qint64>) { called = true; });
    delete closed;
    office->relay()->stall(false);
    QTest::qWait(1000);
    EXPECT_FALSE(called);
}

// The inquiry box is read the same way, and what the server refuses reaches the window as the
// store's own error, on the window's thread.
TEST_F(ServerReaderTest, TheInquiryBoxIsReadOffTheWindowsThreadAndItsErrorsComeBack) {
    ASSERT_TRUE(within(5000, [&] { return session().serverOpen(); }));
    office->addOtherOffice(QStringLiteral("asker"), QStringLiteral("묻는부동산"), QStringLiteral("02-1"),
                           QStringLiteral("010-1"));
    if (office
            ->serverValue(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {office->officeId()})
            .toInt() == 0)
        office->addMember(office->officeId(), office->officeId(), QStringLiteral("A"), QStringLiteral("pw"),
                          QStringLiteral("대표"));
    InquiryDraft draft;
    draft.addressee = office->officeId();
    draft.from = QStringLiteral("asker");
    draft.tb = QStringLiteral("apt");
    draft.listing = 3;
    draft.name = QStringLiteral("묻는부동산");
    draft.title = inquirySubject(3, false);
    draft.content = QStringLiteral("아직 있나요?");
    ASSERT_TRUE(InquiryPost(office->server()).send(draft));
    const std::optional<QList<Inquiry>> box = InquiryBox::listOf(session());
    ASSERT_TRUE(box.has_value());
    ASSERT_EQ(box->size(), 1);
    EXPECT_EQ(box->first().content, draft.content);

    EXPECT_THROW(reader->read<int>([](Session& readerSession) {
        return readerSession.serverStore().scalar(QStringLiteral("SELECT * FROM no_such_table")).toInt();
    }),
                 StoreError);
    office->relay()->stall(true);
    courier->sendNow();
    EXPECT_FALSE(InquiryBox::listOf(session()).has_value()) << "the box waited on a silent server";
}
