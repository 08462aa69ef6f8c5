#include "core/maintenance/OfficeCopy.h"
#include "DemoSeed.h"
#include "OfficeContents.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/maintenance/OfficeBackup.h"
#include "core/online/ReferenceData.h"
#include "core/session/StoreSchemas.h"

#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

TERAN_SUITE_NEEDS(OfficeCopy, mariadb);

// An office moved SQLite → MariaDB → SQLite comes back with the same rows, and none of the
// stores hands out again a number the office had used; backed up on MariaDB, it becomes one
// portable SQLite file with the same rows.
TEST(OfficeCopy, AnOfficeTravelsToMariaDbAndBackUnchanged) {
    auto mariaDb = ScratchStore::mariaDb();
    TERAN_REQUIRE_SERVICE(mariaDb != nullptr, "MariaDB");
    auto source = ScratchStore::sqlite();
    auto server = ScratchStore::sqlite();
    upgradeListingStore(source->store());
    upgradeServerStore(server->store());
    fillEmptyReferenceTables(source->store());
    const FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ASSERT_TRUE(seedDemo(source->store(), server->store(), clock));
    // Texts that break quoting, and the highest number deleted: it must stay used.
    const int odd =
        insertLocal(source->store(), {{"tb", "apt"}, {"ty", "M"}, {"cboname", "O'Brien \"역삼\" \\ 100%"}});
    const int gone = insertLocal(source->store(), {{"tb", "apt"}, {"ty", "M"}});
    source->store().execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {gone});
    const QStringList original = contentsOf(source->store());
    ASSERT_GT(original.size(), 100);

    const OfficeCopyReport there = copyOffice(source->store(), mariaDb->store());
    EXPECT_EQ(there.rows, original.size());
    EXPECT_EQ(contentsOf(mariaDb->store()), original);
    EXPECT_GT(insertLocal(mariaDb->store(), {{"tb", "apt"}, {"ty", "M"}}), gone);
    mariaDb->store().execute(QStringLiteral("DELETE FROM maemul WHERE table_idx > ?"), {odd});

    QTemporaryDir dir;
    const DataFolder data(dir.path());
    ASSERT_TRUE(data.ensureFolders());
    OfficeBackup(mariaDb->url(), data, QStringLiteral("demo")).backupTo(dir.filePath(QStringLiteral("b")));
    EXPECT_NO_THROW(OfficeBackup::check(dir.filePath(QStringLiteral("b")), QStringLiteral("demo")));
    {
        SqlStore backedUp(uniqueName(QStringLiteral("backed-up")));
        StoreUrl url = StoreUrl::sqliteFile(dir.filePath(QStringLiteral("b/rd/terandb.db")));
        url.mustExist = true;
        backedUp.open(url);
        EXPECT_EQ(contentsOf(backedUp), original);
    }

    auto back = ScratchStore::sqlite();
    copyOffice(mariaDb->store(), back->store());
    EXPECT_EQ(contentsOf(back->store()), original);
    EXPECT_GT(insertLocal(back->store(), {{"tb", "apt"}, {"ty", "M"}}), gone + 1);

    // An office is never copied over another one.
    EXPECT_THROW(copyOffice(source->store(), back->store()), StoreError);
}
