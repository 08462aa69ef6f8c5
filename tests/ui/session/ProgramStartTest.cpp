#include "session/ProgramStart.h"
#include "ScriptedDialogs.h"
#include "listings/frmMain.h"
#include "session/Session.h"
#include "session/StoreSetup.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

// A demo data folder as teran-admin makes it: the ListingStore, the embedded server, the probe page.
TeranConfig makeDemo(const QTemporaryDir& dir) {
    const TeranConfig config = TeranConfig::demoDefaults(dir.path());
    initDataFolder(DataFolder(config.dataPath));
    QDir().mkpath(dir.filePath(QStringLiteral("server")));
    QFile probe(dir.filePath(QStringLiteral("server/probe.html")));
    EXPECT_TRUE(probe.open(QIODevice::WriteOnly));
    probe.write("ok");
    probe.close();
    SqlStore server(QStringLiteral("demo-server"));
    server.open(StoreUrl::sqliteFile(config.embeddedServerFile()));
    initServerStore(server, {QStringLiteral("pw"), 7300});
    return config;
}

} // namespace

TEST(ProgramStart, TheFrameWindowOpensOnTheDemoDataOnline) {
    QTemporaryDir dir;
    const TeranConfig config = makeDemo(dir);
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    session.setProgramEnd([](int) { FAIL() << "the demo must not end the program"; });

    std::unique_ptr<QWidget> window = startProgram(session, {});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("frmMain"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("부동산전문 관리프로그램[TERAN] - 실행중"));
    EXPECT_TRUE(session.listingOpen());
    EXPECT_TRUE(session.serverOpen());
    EXPECT_EQ(session.state().FtpPassword, QStringLiteral("pw"));
    auto* connection = window->findChild<QLabel*>(QStringLiteral("lblConnection"));
    ASSERT_NE(connection, nullptr);
    EXPECT_TRUE(connection->text().startsWith(QStringLiteral("온라인")));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST(ProgramStart, WithTheProbeFailingTheProgramRunsOfflineOnTheListingStore) {
    QTemporaryDir dir;
    TeranConfig config = makeDemo(dir);
    QFile::remove(dir.filePath(QStringLiteral("server/probe.html")));
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);

    std::unique_ptr<QWidget> window = startProgram(session, {});
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(session.listingOpen());
    EXPECT_FALSE(session.serverOpen());
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblConnection"))
                    ->text()
                    .startsWith(QStringLiteral("오프라인")));
}

TEST(ProgramStart, AFolderWithoutTheOfficeDatabaseIsNamedAndNothingOpens) {
    QTemporaryDir dir;
    const TeranConfig config = TeranConfig::demoDefaults(dir.filePath(QStringLiteral("empty")));
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);

    EXPECT_EQ(startProgram(session, {}), nullptr);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, missingDataFolderText(session.dataFolder().root()));
    EXPECT_FALSE(QFile::exists(session.dataFolder().listingStoreFile()));
}
