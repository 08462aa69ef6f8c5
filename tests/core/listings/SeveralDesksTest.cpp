#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/listings/ListingActions.h"
#include "core/session/Session.h"
#include "core/session/StoreSetup.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

using namespace teran;
using namespace teran::test;

// Several desks on one office database: two programs delete published listings while a third
// records new ones. Each desk is a process of its own, as in an office.

namespace {

const QString kOffice = QStringLiteral("desks1x");
constexpr int kPerDesk = 400;
constexpr int kInserted = 200;

QString env(const char* name) {
    return qEnvironmentVariable(name);
}

ListingRow listing(int state) {
    return {{"tb", "apt"},    {"ty", "M"},           {"id", kOffice},    {"subid", kOffice},
            {"state", state}, {"cboname", "래미안"}, {"money_m", 50000}, {"uname", "홍길동"}};
}

// One desk: the program of that desk, logged in online, doing its part.
int runDesk() {
    TeranConfig config = TeranConfig::demoDefaults(env("TERAN_DESK_DATA"));
    config.serverUrl = env("TERAN_DESK_SERVER");
    config.probeUrl = probeServiceUrl();
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    if (!session.MdbsqlConnOpen())
        return 3;
    session.InternetCheck();
    session.state().LoginId = session.state().OfficeMainId = kOffice;
    session.state().OnlineMode = QStringLiteral("yes");
    if (env("TERAN_DESK_ROLE") == QLatin1String("insert")) {
        int failed = 0;
        for (int i = 0; i < kInserted; ++i) {
            try {
                insertLocal(session.listingStore(), listing(0));
            } catch (const StoreError&) {
                ++failed;
            }
        }
        printf("done=%d failed=%d\n", kInserted - failed, failed);
        return 0;
    }
    QList<ListingPick> picks;
    for (int n = env("TERAN_DESK_FROM").toInt(); n <= env("TERAN_DESK_TO").toInt(); ++n)
        picks << ListingPick{n, QStringLiteral("매물%1").arg(n)};
    ListingActions actions(session, [] { return std::unique_ptr<PictureStore>(); });
    dialogs.answerNext(DialogAnswer::Yes);
    const ActionOutcome outcome = actions.remove(picks);
    printf("done=%d failed=%d\n", outcome.done, outcome.failed);
    return 0;
}

} // namespace

TERAN_SUITE_NEEDS(SeveralDesks, mariadb, web);

// Run by SeveralDesks.DeleteAndInsertAtOnce in a process of its own; not a test by itself.
TEST(SeveralDesksDesk, DISABLED_Run) {
    if (env("TERAN_DESK_ROLE").isEmpty())
        GTEST_SKIP() << "a desk of SeveralDesks.DeleteAndInsertAtOnce";
    std::exit(runDesk());
}

TEST(SeveralDesks, DeleteAndInsertAtOnce) {
    TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "The loopback HTTP server");
    auto server = ScratchStore::mariaDb();
    TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
    QTemporaryDir data;
    initDataFolder(DataFolder(data.path()));
    initServerStore(server->store(), {QStringLiteral("ftp-pw"), 7300});
    QList<int> numbers;
    {
        SqlStore local(uniqueName(QStringLiteral("desks")));
        local.open(StoreUrl::sqliteFile(DataFolder(data.path()).listingStoreFile()));
        numbers = insertLocalBulk(local, QList<ListingRow>(2 * kPerDesk, listing(1)));
        Transaction tx(server->store());
        for (int number : numbers) {
            ListingRow copy = listing(1);
            copy.insert(QStringLiteral("sub_idx"), number);
            insertServer(server->store(), copy);
        }
        tx.commit();
    }

    QList<QProcess*> desks;
    const struct {
        const char* role;
        int from, to;
    } parts[] = {{"delete", numbers.first(), numbers.at(kPerDesk - 1)},
                 {"delete", numbers.at(kPerDesk), numbers.last()},
                 {"insert", 0, 0}};
    for (const auto& part : parts) {
        auto* desk = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TERAN_DESK_ROLE"), QLatin1String(part.role));
        environment.insert(QStringLiteral("TERAN_DESK_DATA"), data.path());
        environment.insert(QStringLiteral("TERAN_DESK_SERVER"), server->url().toString());
        environment.insert(QStringLiteral("TERAN_DESK_FROM"), QString::number(part.from));
        environment.insert(QStringLiteral("TERAN_DESK_TO"), QString::number(part.to));
        desk->setProcessEnvironment(environment);
        desk->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=SeveralDesksDesk.DISABLED_Run"),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
        desks << desk;
    }
    for (int i = 0; i < desks.size(); ++i) {
        QProcess* desk = desks.at(i);
        ASSERT_TRUE(desk->waitForFinished(240000)) << parts[i].role;
        const QString output = QString::fromUtf8(desk->readAllStandardOutput());
        EXPECT_EQ(desk->exitCode(), 0) << output.toStdString() << desk->readAllStandardError().toStdString();
        const int expected = i < 2 ? kPerDesk : kInserted;
        EXPECT_TRUE(output.contains(QStringLiteral("done=%1 failed=0").arg(expected)))
            << output.toStdString();
        delete desk;
    }

    SqlStore local(uniqueName(QStringLiteral("desks-check")));
    local.open(StoreUrl::sqliteFile(DataFolder(data.path()).listingStoreFile()));
    EXPECT_EQ(local.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt(), kInserted);
    EXPECT_EQ(local.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE state IN (1, 3, 7)")).toInt(),
              0);
    EXPECT_EQ(local.scalar(QStringLiteral("SELECT MIN(table_idx) FROM maemul")).toInt(), numbers.last() + 1)
        << "new numbers never take a deleted listing's number";
    EXPECT_EQ(
        server->store().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ?"), {kOffice}).toInt(),
        0);
}
