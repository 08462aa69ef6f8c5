#include "SecuredScratch.h"
#include "TestNeeds.h"
#include "core/online/SecuredServer.h"
#include "core/session/StoreErrorText.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace teran {
namespace {

using test::SecuredScratchServer;

// Office A locks what it may read of office B (B's internet listing) and keeps its transaction
// busy; B goes on changing its own shared listings as the program does.
class HeldLocksTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        const bool eventsRun = server->data().scalar(QStringLiteral("SELECT @@event_scheduler")).toString() ==
                               QLatin1String("ON");
        ASSERT_TRUE(eventsRun) << "the server runs without its event scheduler (--event-scheduler=ON)";
        a = server->addOffice(QStringLiteral("pw-a"));
        b = server->addOffice(QStringLiteral("pw-b"));
        for (int number : {1, 2})
            server->data().execute(
                QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, ty, state, money_m, showday) "
                               "VALUES(?, ?, 'apt', 'M', 1, 100, NOW())"),
                {b, number});
    }

    // A's transaction holds B's rows until the server ends it (or `seconds` pass): it locks them,
    // then keeps asking the server something, so it is never idle.
    void holdFromA(int seconds) {
        holder = std::thread([this, seconds] {
            auto asA = server->connectAs(a, QStringLiteral("pw-a"));
            const auto connection = [&] {
                return asA->scalar(QStringLiteral("SELECT CONNECTION_ID()")).toLongLong();
            };
            const qint64 first = connection();
            asA->execute(QStringLiteral("START TRANSACTION"));
            QSqlQuery held =
                asA->query(QStringLiteral("SELECT sub_idx FROM maemul WHERE id=? ") + GetParam(), {b});
            while (held.next())
                ++lockedRows;
            locked = true;
            // The store reconnects after the server ended the connection: a new connection id.
            for (int i = 0; i < seconds * 5 && !holderEnded; ++i) {
                try {
                    asA->scalar(QStringLiteral("SELECT SLEEP(0.2)"));
                    holderEnded = connection() != first;
                } catch (const StoreError&) {
                    holderEnded = true;
                }
            }
        });
        QElapsedTimer wait;
        wait.start();
        while (!locked && wait.elapsed() < 10000)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(locked) << "A could not lock what it reads";
    }

    void TearDown() override {
        if (holder.joinable())
            holder.join();
    }

    std::unique_ptr<SecuredScratchServer> server;
    QString a;
    QString b;
    std::thread holder;
    std::atomic<bool> locked{false};
    std::atomic<bool> holderEnded{false};
    std::atomic<int> lockedRows{0};
};

TERAN_SUITE_NEEDS(HeldLocksTest, mariadb);
TERAN_SUITE_NEEDS(OfficeConnections, mariadb);
TERAN_SUITE_NEEDS(OfficeLimits, mariadb);

TEST_P(HeldLocksTest, AnotherOfficeNeverHoldsAnOfficesOwnSharedListingsLongerThanASecondOrTwo) {
    holdFromA(20);
    EXPECT_EQ(lockedRows, 2) << "A read B's two internet listings";
    auto asB = server->connectAs(b, QStringLiteral("pw-b"));
    const auto timed = [&](const QString& what, const std::function<void()>& work) {
        QElapsedTimer timer;
        timer.start();
        work();
        // Unbounded, the lock would hold B for the lock wait timeout (50 s); the server ends A
        // within a second and a half.
        EXPECT_LT(timer.elapsed(), 2000) << what.toStdString() << " waited for office A";
    };
    timed(QStringLiteral("an edit of B's shared listing"), [&] {
        asB->execute(QStringLiteral("UPDATE maemul SET money_m=? WHERE id=? AND sub_idx=1"), {120, b});
    });
    timed(QStringLiteral("a withdrawal"),
          [&] { asB->execute(QStringLiteral("UPDATE maemul SET state=0 WHERE id=? AND sub_idx=2"), {b}); });
    timed(QStringLiteral("a publish"), [&] {
        asB->execute(QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, ty, state, money_m, showday) "
                                    "VALUES(?, 3, 'apt', 'M', 1, 90, NOW())"),
                     {b});
    });
    holder.join();
    EXPECT_TRUE(holderEnded) << "A's transaction went on holding";
    EXPECT_EQ(server->data()
                  .scalar(QStringLiteral("SELECT money_m FROM maemul WHERE id=? AND sub_idx=1"), {b})
                  .toInt(),
              120);
}

// An office opens as many connections as its members may (every member up to its own limit):
// beyond the office's share the newest are ended within a second or two, and the other offices
// log in at once all the while.
TEST(OfficeConnections, AnOfficeOfManyMembersIsHeldToItsShareOfTheServer) {
    auto server = SecuredScratchServer::make();
    TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
    const QString office = server->addOffice(QStringLiteral("pw-main"));
    const QStringList others{server->addOffice(QStringLiteral("pw-other")),
                             server->addOffice(QStringLiteral("pw-other"))};
    SqlStore vendor(QStringLiteral("office-connections-vendor"));
    vendor.open(server->adminUrl());
    SecuredServer secured(vendor, server->adminUrl().database);
    QStringList members{office};
    for (int i = 0; i < 3; ++i) {
        const QString staff = test::uniqueAccountName(QStringLiteral("st"));
        server->data().execute(QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name) "
                                              "VALUES(?, ?, 'B', '', '직원')"),
                               {office, staff});
        secured.setAccount(staff, QStringLiteral("pw-main"));
        members << staff;
    }
    std::vector<std::unique_ptr<SqlStore>> opened;
    for (const QString& member : members)
        for (int i = 0; i < kMemberConnections; ++i)
            opened.push_back(server->connectAs(member, QStringLiteral("pw-main")));
    ASSERT_GT(int(opened.size()), kOfficeConnections);
    const auto connectionsOf = [&](const QString& id) {
        return vendor
            .scalar(QStringLiteral(
                        "SELECT COUNT(*) FROM information_schema.PROCESSLIST p JOIN %1.member_office o "
                        "ON o.login = p.USER WHERE o.office = ?")
                        .arg(SecuredServer::dataDatabaseOf(server->adminUrl().database)),
                    {id})
            .toInt();
    };
    QElapsedTimer timer;
    timer.start();
    while (connectionsOf(office) > kOfficeConnections && timer.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_LE(connectionsOf(office), kOfficeConnections);
    EXPECT_LT(timer.elapsed(), 3000) << "the office kept more than its share for long";
    // Every other office logs in and reads the shared list at once while the office holds its
    // share.
    for (const QString& other : others) {
        timer.restart();
        auto otherDesk = server->connectAs(other, QStringLiteral("pw-other"));
        otherDesk->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"));
        EXPECT_LT(timer.elapsed(), 1000) << other.toStdString() << " waited while one office held its share";
    }
    opened.clear();
    for (const QString& member : members.mid(1))
        secured.dropAccount(member);
}

// Office A runs a cross join of the shared listings twice, once within its account's time limit
// and once after switching that limit off for its session, and leaves a transaction open after
// switching the idle limit off too: the server ends the statements and the transaction, and all
// the while office B logs in and reads the shared list within a second.
TEST(OfficeLimits, ARunawaySearchAndAnIdleTransactionAreEndedEvenWithTheOfficesLimitsSwitchedOff) {
    auto server = SecuredScratchServer::make();
    TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
    const QString a = server->addOffice(QStringLiteral("pw-a"));
    const QString b = server->addOffice(QStringLiteral("pw-b"));
    server->data().execute(QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, ty, state, money_m, showday) "
                                          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                          "WHERE i < 300) SELECT ?, i, 'apt', 'M', 1, 100, NOW() FROM n"),
                           {b});
    server->data().execute(QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, ty, state, money_m, showday) "
                                          "VALUES(?, 1, 'apt', 'M', 0, 100, NOW())"),
                           {a});

    // The transaction left open: A's own listing changed and never committed.
    auto idle = server->connectAs(a, QStringLiteral("pw-a"));
    const qint64 idleId = idle->scalar(QStringLiteral("SELECT CONNECTION_ID()")).toLongLong();
    idle->execute(QStringLiteral("SET SESSION idle_transaction_timeout = 0"));
    idle->execute(QStringLiteral("START TRANSACTION"));
    idle->execute(QStringLiteral("UPDATE maemul SET money_m = 999 WHERE id = ? AND sub_idx = 1"), {a});
    QElapsedTimer idleFor;
    idleFor.start();

    struct Search {
        bool switchOff = false;
        std::atomic<bool> cut{false};
        std::atomic<bool> usableAfter{false};
        std::atomic<qint64> ms{0};
        std::string said;
    } withinLimit, limitOff;
    limitOff.switchOff = true;
    const auto run = [&](Search& search) {
        // A connection belongs to the thread that opened it.
        auto asA = server->connectAs(a, QStringLiteral("pw-a"));
        if (search.switchOff)
            asA->execute(QStringLiteral("SET SESSION max_statement_time = 0"));
        QElapsedTimer timer;
        timer.start();
        try {
            asA->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul w, maemul x, maemul y, maemul z"));
        } catch (const StoreError& error) {
            search.cut = classifyStoreError(error) == StoreFault::Cut;
            search.said = error.description().toStdString();
        }
        search.ms = timer.elapsed();
        search.usableAfter = asA->scalar(QStringLiteral("SELECT 1")).toInt() == 1;
    };
    std::thread first([&] { run(withinLimit); });
    std::thread second([&] { run(limitOff); });

    for (int look = 0; look < 4; ++look) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        QElapsedTimer timer;
        timer.start();
        auto asB = server->connectAs(b, QStringLiteral("pw-b"));
        QSqlQuery page = asB->query(QStringLiteral("SELECT table_idx, money_m FROM maemul WHERE state IN "
                                                   "(1, 3, 7) ORDER BY table_idx DESC LIMIT 50"));
        int rows = 0;
        while (page.next())
            ++rows;
        EXPECT_EQ(rows, 50);
        EXPECT_LT(timer.elapsed(), 1000) << "B waited for A's search";
    }
    first.join();
    second.join();
    for (const Search* search : {&withinLimit, &limitOff}) {
        SCOPED_TRACE(search->switchOff ? "limit switched off" : "within the account's limit");
        EXPECT_TRUE(search->cut) << "the search ended otherwise: " << search->said;
        EXPECT_LT(search->ms, (kMemberStatementSeconds + 4) * 1000);
        EXPECT_TRUE(search->usableAfter) << "the office's connection stays usable after the cut";
    }

    SqlStore vendor(QStringLiteral("office-limits-vendor"));
    vendor.open(server->adminUrl());
    const auto stillThere = [&] {
        return vendor
                   .scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID = ?"),
                           {idleId})
                   .toInt() > 0;
    };
    while (stillThere() && idleFor.elapsed() < (kIdleTransactionSeconds + 6) * 1000)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(stillThere()) << "the idle transaction was left open";
    EXPECT_GE(idleFor.elapsed(), kIdleTransactionSeconds * 1000) << "ended before its time";
    EXPECT_EQ(server->data()
                  .scalar(QStringLiteral("SELECT money_m FROM maemul WHERE id = ? AND sub_idx = 1"), {a})
                  .toInt(),
              100)
        << "the ended transaction rolled back";
}

INSTANTIATE_TEST_SUITE_P(Locks, HeldLocksTest, testing::Values("FOR UPDATE", "LOCK IN SHARE MODE"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] == 'F' ? "ForUpdate" : "InShareMode");
                         });

} // namespace
} // namespace teran
