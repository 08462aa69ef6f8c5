#include "core/session/DailyLog.h"
#include "core/session/StoreErrorText.h"
#include "core/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;

namespace {

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

struct LogFixture : testing::Test {
    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7))};
    QString user = QStringLiteral("office1");
    DailyLog log{dir.path() + QStringLiteral("/"), clock, [this] { return user; }};
};

} // namespace

TEST_F(LogFixture, LinesOfOneDayShareAFileAndTheNextDayStartsANewOne) {
    // No Log folder yet: the first line must make it rather than be lost.
    ASSERT_FALSE(QDir(dir.filePath(QStringLiteral("Log"))).exists());
    ASSERT_TRUE(log.WriteLog(QStringLiteral("로그인 => 첫번째 오류 => teran")));
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    user = QStringLiteral("staff2");
    ASSERT_TRUE(log.WriteLog(QStringLiteral("두번째")));

    const QString today = dir.filePath(QStringLiteral("Log/2026-12-06"));
    EXPECT_EQ(readAll(today),
              QStringLiteral("2026-12-06 09:05:07   office1   로그인 => 첫번째 오류 => teran\r\n"
                             "2026-12-06 23:59:59   staff2   두번째\r\n"));

    clock.advanceDays(1);
    ASSERT_TRUE(log.WriteLog(QStringLiteral("다음날")));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("Log/2026-12-07"))),
              QStringLiteral("2026-12-07 23:59:59   staff2   다음날\r\n"));
    EXPECT_EQ(readAll(today).count(QStringLiteral("\r\n")), 2) << "the old day's file is left alone";
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Log"))).entryList(QDir::Files).size(), 2);
}

TEST_F(LogFixture, BeforeLoginTheIdIsEmptyAndAnUnwritableFolderIsReported) {
    user.clear();
    ASSERT_TRUE(log.WriteLog(QStringLiteral("x")));
    EXPECT_TRUE(readAll(log.fileFor(clock.today())).startsWith(QStringLiteral("2026-12-06 09:05:07      x")));

    // A file where the Log folder should be (a read-only or full share behaves alike; the file
    // refuses the folder even to root): the line goes to the user's own log folder, naming the
    // data folder, and the error box names that folder; with neither, the caller learns it and
    // the box claims no log.
    QTemporaryDir other;
    QFile blocker(other.filePath(QStringLiteral("Log")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DailyLog blocked(other.path(), clock, [] { return QString(); });
    QTemporaryDir own;
    const QString ownLog = own.filePath(QStringLiteral("Log"));
    blocked.setFallbackFolder(ownLog);
    ASSERT_TRUE(blocked.WriteLog(QStringLiteral("kept")));
    EXPECT_EQ(blocked.lastFolder(), ownLog);
    const QString kept = readAll(QDir(ownLog).filePath(QStringLiteral("2026-12-06")));
    EXPECT_TRUE(kept.startsWith(QStringLiteral("[") + other.path())) << kept.toStdString();
    EXPECT_TRUE(kept.endsWith(QStringLiteral("   kept\r\n")));
    const StoreError error(QStringLiteral("attempt to write a readonly database"), QStringLiteral("x"));
    EXPECT_TRUE(describeStoreError(error, false, blocked.lastFolder()).text.contains(ownLog));

    blocked.setFallbackFolder(other.filePath(QStringLiteral("Log/also")));
    EXPECT_FALSE(blocked.WriteLog(QStringLiteral("lost")));
    EXPECT_TRUE(blocked.lastFolder().isEmpty());
    const QString claimed = describeStoreError(error, false, blocked.lastFolder()).text;
    EXPECT_TRUE(claimed.contains(QStringLiteral("오류 기록도 남기지 못했습니다"))) << claimed.toStdString();
    EXPECT_FALSE(claimed.contains(QStringLiteral("남겼습니다")));
}

TEST(DailyLogMessages, LabelDescriptionAndSourceFollowTheProgramsConvention) {
    EXPECT_EQ(DailyLog::errorMessage(QStringLiteral("로그인 => "), QStringLiteral("연결 실패"),
                                     QStringLiteral("teran")),
              QStringLiteral("로그인 => 연결 실패 => teran"));
    const StoreError withSql(QStringLiteral("no such table: x"), QStringLiteral("listing-0"),
                             QStringLiteral("select * from x"));
    EXPECT_EQ(DailyLog::errorMessage(QStringLiteral("MysqlQuery => "), withSql),
              QStringLiteral("MysqlQuery => select * from x --> no such table: x => listing-0"));
    const StoreError noSql(QStringLiteral("refused"), QStringLiteral("open"));
    EXPECT_EQ(DailyLog::errorMessage(QStringLiteral("mdb 연결오류 MdbsqlConnOpen => "), noSql),
              QStringLiteral("mdb 연결오류 MdbsqlConnOpen => refused => open"));
}
