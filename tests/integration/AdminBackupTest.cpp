#include "AdminRun.h"
#include "TestServices.h"
#include "listing/ListingRepository.h"
#include "session/StoreSetup.h"

#include <QDir>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

// The backup, restore, export and import of teran-admin as a scheduled task or a script runs them:
// 0 when done, 1 with one line of reason, and nothing half done.
TEST(AdminBackupTest, TheCommandsExitAsScriptsCanTrust) {
    QTemporaryDir dir;
    const DataFolder folder(dir.filePath(QStringLiteral("data")));
    initDataFolder(folder);
    const auto count = [&] {
        SqlStore store(uniqueName(QStringLiteral("admin-count")));
        store.open(StoreUrl::sqliteFile(folder.listingStoreFile()));
        return store.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt();
    };
    {
        SqlStore store(uniqueName(QStringLiteral("admin-backup")));
        store.open(StoreUrl::sqliteFile(folder.listingStoreFile()));
        insertLocal(store, {{"id", "off1"}, {"tb", "apt"}, {"ty", "M"}, {"note", "줄\r\n바꿈"}});
    }
    const QStringList at{QStringLiteral("--config"), dir.filePath(QStringLiteral("none.ini")),
                         QStringLiteral("--data"), folder.root()};
    const QString backup = dir.filePath(QStringLiteral("b1"));
    const QString text = dir.filePath(QStringLiteral("apt.txt"));

    AdminRun run = admin(QStringList{"backup", "--out", backup} + at);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    run = admin(QStringList{"backup", "--out", backup} + at);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();

    run = admin(QStringList{"export", "--out", text, "--types", "apt"} + at);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    run = admin(QStringList{"import", "--from", text} + at);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(count(), 2);
    run = admin(QStringList{"import", "--from", dir.filePath(QStringLiteral("none.txt"))} + at);
    EXPECT_EQ(run.exitCode, 1);
    run = admin(QStringList{"export", "--out", text, "--from", "yesterday", "--to", "today"} + at);
    EXPECT_EQ(run.exitCode, 1) << "dates are YYYY-MM-DD";

    run = admin(QStringList{"restore", "--from", backup} + at);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(count(), 1) << "as it was backed up";
    run = admin(QStringList{"restore", "--from", dir.filePath(QStringLiteral("nothing"))} + at);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(count(), 1);

    run = admin(QStringList{"backup"} + at);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(
        QDir(folder.path(QStringLiteral("backup"))).entryList({QStringLiteral("daily-*")}, QDir::Dirs).size(),
        1);
    run = admin(QStringList{"frobnicate"} + at);
    EXPECT_EQ(run.exitCode, 2);
}
