#include "ChildDesks.h"
#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/listings/ListingActions.h"
#include "core/session/Session.h"

#include <QProcess>

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
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    const std::unique_ptr<Session> desk = openChildDesk(kOffice, clock, dialogs);
    if (!desk)
        return 3;
    Session& session = *desk;
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
    if (!isChildDesk())
        GTEST_SKIP() << "a desk of SeveralDesks.DeleteAndInsertAtOnce";
    std::exit(runDesk());
}

TEST(SeveralDesks, DeleteAndInsertAtOnce) {
    TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "The loopback HTTP server");
    const auto office = ChildDeskOffice::make();
    TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    const QList<int> numbers = office->insert(QList<ListingRow>(2 * kPerDesk, listing(1)));

    std::vector<std::unique_ptr<QProcess>> desks;
    const struct {
        const char* role;
        int from, to;
    } parts[] = {{"delete", numbers.first(), numbers.at(kPerDesk - 1)},
                 {"delete", numbers.at(kPerDesk), numbers.last()},
                 {"insert", 0, 0}};
    for (const auto& part : parts) {
        QProcessEnvironment environment = office->environment();
        environment.insert(QStringLiteral("TERAN_DESK_ROLE"), QLatin1String(part.role));
        environment.insert(QStringLiteral("TERAN_DESK_FROM"), QString::number(part.from));
        environment.insert(QStringLiteral("TERAN_DESK_TO"), QString::number(part.to));
        desks.push_back(ChildDeskOffice::start("SeveralDesksDesk.DISABLED_Run", environment));
    }
    for (size_t i = 0; i < desks.size(); ++i) {
        QProcess* desk = desks.at(i).get();
        ASSERT_TRUE(desk->waitForFinished(240000)) << parts[i].role;
        const QString output = QString::fromUtf8(desk->readAllStandardOutput());
        EXPECT_EQ(desk->exitCode(), 0) << output.toStdString() << desk->readAllStandardError().toStdString();
        const int expected = i < 2 ? kPerDesk : kInserted;
        EXPECT_TRUE(output.contains(QStringLiteral("done=%1 failed=0").arg(expected)))
            << output.toStdString();
    }

    SqlStore local(uniqueName(QStringLiteral("desks-check")));
    local.open(StoreUrl::sqliteFile(DataFolder(office->dataPath()).listingStoreFile()));
    EXPECT_EQ(local.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt(), kInserted);
    EXPECT_EQ(local.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE state IN (1, 3, 7)")).toInt(),
              0);
    EXPECT_EQ(local.scalar(QStringLiteral("SELECT MIN(table_idx) FROM maemul")).toInt(), numbers.last() + 1)
        << "new numbers never take a deleted listing's number";
    EXPECT_EQ(office->server()
                  .scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ?"), {kOffice})
                  .toInt(),
              0);
}
