#include "core/maintenance/OfficeBackup.h"
#include "DemoSeed.h"
#include "OfficeContents.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/maintenance/AutoBackup.h"
#include "core/online/ReferenceData.h"
#include "core/session/StoreSchemas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

const QString kOffice = QStringLiteral("demo");

// An office's data folder with a seeded database, pictures (one in a listing's box folder) and a
// layout file beside the database.
class OfficeBackupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.ensureFolders());
        {
            SqlStore office(uniqueName(QStringLiteral("office")));
            office.open(StoreUrl::sqliteFile(data.listingStoreFile()));
            upgradeListingStore(office);
            fillEmptyReferenceTables(office);
            auto server = ScratchStore::sqlite();
            upgradeServerStore(server->store());
            ASSERT_TRUE(
                seedDemo(office, server->store(), FixedClock{QDateTime(QDate(2026, 12, 9), QTime(9, 0))}));
            insertLocal(office, {{"tb", "apt"}, {"ty", "M"}, {"note", "줄\r\n바꿈 'O''Brien'"}});
        }
        write(data.files() + QStringLiteral("demo-1_1.jpg"), "picture one");
        write(data.files() + QStringLiteral("3/demo-3_b1.jpg"), "box picture");
        write(data.rd() + QStringLiteral("layout.ini"), "[grid]\nwidth=120\n");
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The office database's rows, read through a connection of its own that is closed again.
    QStringList officeContents(const QString& file) {
        SqlStore store(uniqueName(QStringLiteral("read")));
        StoreUrl url = StoreUrl::sqliteFile(file);
        url.mustExist = true;
        store.open(url);
        return contentsOf(store);
    }
    QStringList officeContents() { return officeContents(data.listingStoreFile()); }

    // Every file below a folder with its bytes.
    static QStringList filesOf(const QString& root) {
        QStringList found;
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                found << QDir(root).relativeFilePath(path) + QLatin1Char('=') +
                             QString::fromUtf8(file.readAll());
        }
        found.sort();
        return found;
    }

    // The office changes after its backup: a listing gone, a picture changed, one added.
    void changeTheOffice() {
        SqlStore office(uniqueName(QStringLiteral("change")));
        office.open(StoreUrl::sqliteFile(data.listingStoreFile()));
        office.execute(
            QStringLiteral("DELETE FROM maemul WHERE table_idx = (SELECT MIN(table_idx) FROM maemul)"));
        write(data.files() + QStringLiteral("demo-1_1.jpg"), "another picture");
        write(data.files() + QStringLiteral("demo-9_1.jpg"), "new");
    }

    OfficeBackup backup() const {
        return OfficeBackup(StoreUrl::sqliteFile(data.listingStoreFile()), data, kOffice);
    }
    QString folder(const QString& name) const { return work.filePath(name); }

    QTemporaryDir dir;
    QTemporaryDir work;
    DataFolder data{dir.path()};
};

} // namespace

// A backup restored gives back the same database and the same files; the office as it was before
// the restore is kept whole beside it.
TEST_F(OfficeBackupTest, ABackupRestoredGivesBackTheSameDatabaseAndFiles) {
    const QStringList rows = officeContents();
    const QStringList pictures = filesOf(data.files());
    const BackupManifest made = backup().backupTo(folder(QStringLiteral("TeranBackup_20261209")));
    EXPECT_GT(made.listings, 1);
    EXPECT_EQ(made.files, 3);
    EXPECT_EQ(OfficeBackup::check(folder(QStringLiteral("TeranBackup_20261209")), kOffice).listings,
              made.listings);

    changeTheOffice();
    const QStringList changedRows = officeContents();
    const QStringList changedPictures = filesOf(data.files());
    ASSERT_NE(changedRows, rows);

    const RestoreReport report = restoreOffice(folder(QStringLiteral("TeranBackup_20261209")), data, kOffice,
                                               folder(QStringLiteral("before-restore")));
    EXPECT_EQ(report.restored.listings, made.listings);
    EXPECT_EQ(officeContents(), rows);
    EXPECT_EQ(filesOf(data.files()), pictures);
    EXPECT_EQ(filesOf(data.rd()).filter(QStringLiteral("layout.ini")).size(), 1);
    EXPECT_FALSE(QFile::exists(data.listingStoreFile() + QStringLiteral("-journal")));

    // The safety copy is itself a whole backup of the office as it was.
    OfficeBackup::check(report.safetyCopy, kOffice);
    EXPECT_EQ(officeContents(QDir(report.safetyCopy).filePath(QStringLiteral("rd/terandb.db"))), changedRows);
    EXPECT_EQ(filesOf(QDir(report.safetyCopy).filePath(QStringLiteral("files"))), changedPictures);
}

// A damaged backup, a folder that is none, or another office's backup is refused before anything
// of the office is touched.
TEST_F(OfficeBackupTest, ADamagedOrForeignBackupIsRefusedAndNothingChanges) {
    const QString good = folder(QStringLiteral("good"));
    backup().backupTo(good);
    changeTheOffice();
    const QStringList rows = officeContents();
    const QStringList pictures = filesOf(data.files());

    const auto refused = [&](const QString& backupFolder, const QString& because) {
        SCOPED_TRACE(because.toStdString());
        const QString safety = folder(QStringLiteral("safety"));
        try {
            restoreOffice(backupFolder, data, kOffice, safety);
            ADD_FAILURE() << "restored";
        } catch (const BackupError& error) {
            EXPECT_FALSE(error.reason().isEmpty());
        }
        EXPECT_EQ(officeContents(), rows);
        EXPECT_EQ(filesOf(data.files()), pictures);
        EXPECT_FALSE(QDir(safety).exists()) << "no safety copy for a refused restore";
    };
    const auto copyOf = [&](const QString& name) {
        const QString copy = folder(name);
        for (const QString& line : filesOf(good)) {
            const QString relative = line.section(QLatin1Char('='), 0, 0);
            QDir().mkpath(QFileInfo(QDir(copy).filePath(relative)).absolutePath());
            QFile::copy(QDir(good).filePath(relative), QDir(copy).filePath(relative));
        }
        return copy;
    };

    refused(folder(QStringLiteral("nothing-here")), QStringLiteral("no backup at all"));

    const QString torn = copyOf(QStringLiteral("torn"));
    {
        QFile db(QDir(torn).filePath(QStringLiteral("rd/terandb.db")));
        ASSERT_TRUE(db.open(QIODevice::ReadWrite));
        db.seek(db.size() / 2);
        db.write(QByteArray(8192, '\x5a'));
    }
    refused(torn, QStringLiteral("a database damaged in the middle"));

    const QString truncated = copyOf(QStringLiteral("truncated"));
    ASSERT_TRUE(QFile::resize(QDir(truncated).filePath(QStringLiteral("rd/terandb.db")), 1000));
    refused(truncated, QStringLiteral("a database cut short"));

    const QString missing = copyOf(QStringLiteral("missing"));
    ASSERT_TRUE(QFile::remove(QDir(missing).filePath(QStringLiteral("files/3/demo-3_b1.jpg"))));
    refused(missing, QStringLiteral("a picture missing"));

    const QString intact = copyOf(QStringLiteral("intact"));
    OfficeBackup(StoreUrl::sqliteFile(data.listingStoreFile()), data, QStringLiteral("other"))
        .backupTo(folder(QStringLiteral("other-office")));
    refused(folder(QStringLiteral("other-office")), QStringLiteral("another office's backup"));
    EXPECT_NO_THROW(OfficeBackup::check(intact, kOffice)) << "a copy of the folder is whole";
}

// Only a finished, checked backup carries the folder's name: a cancel, or a folder that holds
// something already, leaves no backup and no half one.
TEST_F(OfficeBackupTest, ACancelledOrRefusedBackupLeavesNoFolderBehind) {
    const QString target = folder(QStringLiteral("cancelled"));
    int steps = 0;
    EXPECT_THROW(
        backup().backupTo(target, [&](const QString& step, qint64,
                                      qint64) { return ++steps < 3 || step != QLatin1String("files"); }),
        BackupError);
    EXPECT_FALSE(QDir(target).exists());
    EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());

    const QString used = folder(QStringLiteral("used"));
    write(QDir(used).filePath(QStringLiteral("mine.txt")), "the user's own");
    EXPECT_THROW(backup().backupTo(used), BackupError);
    EXPECT_EQ(filesOf(used), QStringList{QStringLiteral("mine.txt=the user's own")});

    QDir().mkpath(folder(QStringLiteral("empty")));
    EXPECT_NO_THROW(backup().backupTo(folder(QStringLiteral("empty")))) << "an empty folder the user made";
}

// The automatic backups: one a day, the last 7 days kept and the newest of each of the 4 weeks
// before; the old ones go only once the new one was made and checked.
TEST_F(OfficeBackupTest, TheDailyBackupsKeepSevenDaysAndFourWeeks) {
    QStringList days; // 60 days of backups, newest first
    for (int i = 0; i < 60; ++i)
        days << AutoBackup::nameOf(QDate(2026, 12, 9).addDays(-i));
    const QStringList kept = AutoBackup::kept(days);
    EXPECT_EQ(kept.mid(0, 7), days.mid(0, 7));
    // The dailies (12-03 to 12-09) cover the weeks from Monday 11-30 and 12-07; the weeklies are
    // the newest of each week before: the Sundays 11-29, 11-22, 11-15 and 11-08.
    EXPECT_EQ(kept.mid(7),
              (QStringList{"daily-20261129", "daily-20261122", "daily-20261115", "daily-20261108"}));

    const QString area = folder(QStringLiteral("backup"));
    QDir().mkpath(area);
    for (const QString& old : days.mid(1)) // made on the days before
        QDir().mkpath(QDir(area).filePath(old));
    AutoBackup daily(backup(), area);
    EXPECT_TRUE(daily.due(QDate(2026, 12, 9)));
    EXPECT_FALSE(daily.due(QDate(2026, 12, 8)));

    // A backup that fails removes nothing.
    AutoBackup failing(OfficeBackup(StoreUrl::sqliteFile(folder(QStringLiteral("gone.db"))), data, kOffice),
                       area);
    EXPECT_THROW(failing.run(QDate(2026, 12, 9)), BackupError);
    EXPECT_EQ(daily.backups().size(), 59);

    const QString made = daily.run(QDate(2026, 12, 9));
    EXPECT_EQ(made, QDir(area).filePath(QStringLiteral("daily-20261209")));
    EXPECT_NO_THROW(OfficeBackup::check(made, kOffice));
    EXPECT_EQ(daily.backups(), kept);
    EXPECT_EQ(daily.run(QDate(2026, 12, 9)), QString()) << "one a day";
}
