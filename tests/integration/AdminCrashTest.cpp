#include "AdminRun.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/maintenance/OfficeBackup.h"
#include "core/session/StoreSetup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

using namespace teran;
using namespace teran::test;

namespace {

// An office with some thousands of listings, so that a backup, a restore and an import take
// long enough to be killed in the middle; teran-admin does the work as a scheduled task or a
// script runs it: 0 when done, 1 with one line of reason, and nothing half done.
class AdminCrashTest : public testing::Test {
protected:
    static constexpr int kListings = 8192;

    void SetUp() override {
        const std::unique_ptr<SqlStore> store = office.store();
        insertLocal(*store, {{"id", "off1"}, {"tb", "apt"}, {"ty", "M"}, {"note", "줄\r\n바꿈"}});
        QStringList columns;
        QSqlQuery info = store->query(QStringLiteral("PRAGMA table_info(maemul)"));
        while (info.next())
            if (info.value(1).toString() != QLatin1String("table_idx"))
                columns << info.value(1).toString();
        const QString list = columns.join(QLatin1Char(','));
        while (listings() < kListings)
            store->execute(QStringLiteral("INSERT INTO maemul(%1) SELECT %1 FROM maemul").arg(list));
        ASSERT_EQ(run({"export", "--out", textFile()}).exitCode, 0);
        ASSERT_EQ(run({"backup", "--out", backupFolder()}).exitCode, 0);
    }

    QStringList at() const { return office.at(); }
    AdminRun run(const QStringList& arguments) const { return office.run(arguments); }
    QString textFile() const { return office.dir.filePath(QStringLiteral("all.txt")); }
    QString backupFolder() const { return office.dir.filePath(QStringLiteral("good-backup")); }

    // Starts the command and kills it without warning after `afterMs`; false when it had
    // already finished by then.
    bool killedDuring(const QStringList& arguments, int afterMs) const {
        QProcess process;
        process.start(QStringLiteral(TERAN_ADMIN_BINARY), arguments + at());
        if (!process.waitForStarted())
            return false;
        if (process.waitForFinished(afterMs))
            return false;
        process.kill(); // SIGKILL
        process.waitForFinished();
        return true;
    }

    int listings() const { return office.listings(); }
    QString integrity() const {
        return office.store()->scalar(QStringLiteral("PRAGMA integrity_check")).toString();
    }

    AdminOffice office;
};

// The delays at which the work is killed: early, in the middle and late.
const int kDelaysMs[] = {30, 120, 300, 700, 1500};

} // namespace

// An import killed at any moment leaves the office database whole, with all of the file's
// listings or none of them.
TEST_F(AdminCrashTest, AnImportKilledLeavesAllOrNothing) {
    int killed = 0;
    for (int delay : kDelaysMs) {
        const int before = listings();
        if (killedDuring({"import", "--from", textFile()}, delay))
            ++killed;
        EXPECT_EQ(integrity(), "ok") << delay;
        const int after = listings();
        EXPECT_TRUE(after == before || after == before + kListings)
            << delay << ": " << before << " -> " << after;
    }
    EXPECT_GT(killed, 0) << "the import was never caught in the middle";

    EXPECT_EQ(run({"import", "--from", office.dir.filePath(QStringLiteral("none.txt"))}).exitCode, 1);
    EXPECT_EQ(run({"export", "--out", textFile(), "--from", "yesterday", "--to", "today"}).exitCode, 1)
        << "dates are YYYY-MM-DD";
    EXPECT_EQ(run({"frobnicate"}).exitCode, 2);
}

// A backup killed at any moment leaves no folder that is taken for a backup: the target is
// either missing or a checked backup; the office itself is untouched.
TEST_F(AdminCrashTest, ABackupKilledLeavesNoHalfBackup) {
    int killed = 0;
    for (int delay : kDelaysMs) {
        const QString target = office.dir.filePath(QStringLiteral("killed-%1").arg(delay));
        if (killedDuring({"backup", "--out", target}, delay))
            ++killed;
        if (QDir(target).exists()) {
            EXPECT_NO_THROW(OfficeBackup::check(target)) << delay;
        }
        EXPECT_EQ(integrity(), "ok");
        EXPECT_EQ(listings(), kListings);
    }
    EXPECT_GT(killed, 0) << "the backup was never caught in the middle";
    // the next run is not hindered by what a killed one left
    EXPECT_EQ(run({"backup", "--out", office.dir.filePath(QStringLiteral("after"))}).exitCode, 0);
    const AdminRun again = run({"backup", "--out", office.dir.filePath(QStringLiteral("after"))});
    EXPECT_EQ(again.exitCode, 1) << "never over another backup";
    EXPECT_EQ(again.errors.count(QLatin1Char('\n')), 1) << again.errors.toStdString();
    // without a folder named, the day's backup into the office's own
    EXPECT_EQ(run({"backup"}).exitCode, 0);
    EXPECT_EQ(QDir(office.folder.path(QStringLiteral("backup")))
                  .entryList({QStringLiteral("daily-*")}, QDir::Dirs)
                  .size(),
              1);
}

// A restore killed at any moment leaves either the office as it was or the backup, whole.
TEST_F(AdminCrashTest, ARestoreKilledLeavesTheOldOrTheNewOffice) {
    ASSERT_EQ(run({"import", "--from", textFile()}).exitCode, 0);
    const int current = listings();
    ASSERT_EQ(current, 2 * kListings);
    int killed = 0;
    for (int delay : kDelaysMs) {
        if (killedDuring({"restore", "--from", backupFolder()}, delay))
            ++killed;
        EXPECT_EQ(integrity(), "ok") << delay;
        const int now = listings();
        EXPECT_TRUE(now == current || now == kListings) << delay << ": " << now;
        if (now == kListings)
            break; // restored; a further kill would start from the backup itself
    }
    EXPECT_GT(killed, 0) << "the restore was never caught in the middle";
    EXPECT_EQ(run({"restore", "--from", backupFolder()}).exitCode, 0);
    EXPECT_EQ(listings(), kListings);
    EXPECT_EQ(run({"restore", "--from", office.dir.filePath(QStringLiteral("nothing"))}).exitCode, 1);
    EXPECT_EQ(listings(), kListings);
}

// Two desks importing the same file at once: both finish, every listing gets a number of its
// own and none is lost.
TEST_F(AdminCrashTest, TwoDesksImportingAtOnceLoseNothing) {
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(TERAN_ADMIN_BINARY), QStringList{"import", "--from", textFile()} + at());
    second.start(QStringLiteral(TERAN_ADMIN_BINARY), QStringList{"import", "--from", textFile()} + at());
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    EXPECT_EQ(listings(), 3 * kListings);
    EXPECT_EQ(office.store()->scalar(QStringLiteral("SELECT COUNT(DISTINCT table_idx) FROM maemul")).toInt(),
              3 * kListings);
}
