#include "core/session/TeranConfig.h"
#include "ScriptedDialogs.h"
#include "core/session/InternetProbe.h"
#include "core/session/Session.h"
#include "core/store/StoreUrl.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;

TEST(TeranConfig, WithoutAFileEverythingServesTheEmbeddedDemo) {
    QTemporaryDir dir;
    const TeranConfig config =
        TeranConfig::load(dir.filePath(QStringLiteral("none.ini")), dir.filePath(QStringLiteral("demo")));
    EXPECT_TRUE(config.dataPath.endsWith(QLatin1String("/demo/")));
    const StoreUrl server = StoreUrl::parse(config.serverUrl);
    EXPECT_EQ(server.backend, SqlBackend::Sqlite);
    EXPECT_TRUE(server.path.startsWith(config.dataPath)) << "the demo server lives inside the data folder";
    EXPECT_TRUE(config.probeUrl.startsWith(QLatin1String("file:")));
    EXPECT_TRUE(config.officeServerCommand.isEmpty());
}

TEST(TeranConfig, SavedValuesComeBackAndThePasswordFileIsPrivate) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("conf/teran.ini"));
    TeranConfig config = TeranConfig::demoDefaults(dir.filePath(QStringLiteral("data")));
    config.serverUrl = QStringLiteral("mysql://db.example.invalid:3306/teran");
    config.serverPassword = QStringLiteral("p@ss;word=1");
    config.ftpPort = 2121;
    config.webBaseUrl = QStringLiteral("http://127.0.0.1:28080");
    config.officeServerCommand = QStringLiteral("/opt/office/attach \"R drive\"");
    ASSERT_TRUE(config.save(file));
    EXPECT_EQ(QFile::permissions(file) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());

    const TeranConfig back = TeranConfig::load(file);
    EXPECT_EQ(back.dataPath, config.dataPath);
    EXPECT_EQ(back.serverUrl, config.serverUrl);
    EXPECT_EQ(back.serverPassword, config.serverPassword);
    EXPECT_EQ(back.ftpPort, 2121);
    EXPECT_EQ(back.webBaseUrl, QStringLiteral("http://127.0.0.1:28080/"))
        << "the base address ends in a slash";
    EXPECT_EQ(back.officeServerCommand, config.officeServerCommand);
}

// A vendor's server with an account per member is named without an account: the program then
// connects as whoever logs in, with no server password on the desk.
TEST(TeranConfig, AServerNamedWithoutAnAccountTakesTheMemberWhoLogsIn) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("teran.ini"));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[server]\nUrl=mysql://db-host:3306/teran\n");
    ini.close();
    const TeranConfig config = TeranConfig::load(file);
    EXPECT_TRUE(config.serverUser.isEmpty());
    EXPECT_TRUE(config.serverPassword.isEmpty());
    struct Away final : InternetProbe {
        bool reachable() override { return false; }
    };
    test::ScriptedDialogs dialogs;
    FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    Session session(config, clock, dialogs, std::make_unique<Away>());
    EXPECT_TRUE(session.serverTakesMembers());
    session.setServerLogin(QStringLiteral("office7"), QStringLiteral("its-pw"));
    EXPECT_EQ(session.serverUrl().user, QStringLiteral("office7"));
    EXPECT_EQ(session.serverUrl().password, QStringLiteral("its-pw"));
}

// One unclosed quote would make Qt's reader swallow every later section: the line is named and
// left out, and the values after it are read. A number typed wrong keeps its default, and the
// daily log says so.
TEST(TeranConfig, AnUnclosedQuoteCostsOnlyItsOwnLineAndAMalformedNumberItsOwnValue) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("teran.ini"));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(
        "[server]\nUrl=mysql://db-host:3306/teran\nPassword=\"abc\nUser=office7\n"
        "; a \"comment\" line\n[ftp]\nHost=ftp-host\nUser=\"quoted \\\" inside\"\n[sms]\nPassword=sms\"pw\n"
        "[probe]\nTimeoutMs=abc\n[network]\nStallSeconds=0\nConnectSeconds=\" 9 \"\n");
    ini.close();

    const TeranConfig config = TeranConfig::load(file, dir.filePath(QStringLiteral("data")));
    EXPECT_EQ(config.serverUrl, QStringLiteral("mysql://db-host:3306/teran"));
    EXPECT_TRUE(config.serverPassword.isEmpty()) << "the broken value is not guessed at";
    EXPECT_EQ(config.serverUser, QStringLiteral("office7"));
    EXPECT_EQ(config.ftpHost, QStringLiteral("ftp-host"));
    EXPECT_EQ(config.ftpUser, QStringLiteral("quoted \" inside"));
    EXPECT_EQ(config.connectSeconds, 9);
    EXPECT_EQ(config.probeTimeoutMs, TeranConfig().probeTimeoutMs);
    EXPECT_EQ(config.stallSeconds, TeranConfig().stallSeconds);
    ASSERT_EQ(config.unreadLines.size(), 2);
    EXPECT_EQ(config.unreadLines.at(0), QStringLiteral("3번째 줄: Password=\"abc"));
    EXPECT_EQ(config.unreadLines.at(1), QStringLiteral("10번째 줄: Password=sms\"pw"));
    EXPECT_TRUE(config.unreadLinesText().contains(QStringLiteral("3번째 줄")));
    EXPECT_EQ(config.warnings.filter(QStringLiteral("unclosed quote")).size(), 2);
    EXPECT_EQ(config.warnings.filter(QStringLiteral("is not a number")).size(), 2);
    test::ScriptedDialogs dialogs;
    FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
    const Session session(config, clock, dialogs);
    QFile log(session.log().fileFor(clock.today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("probe/TimeoutMs=abc"));

    // A sound file has nothing to say.
    EXPECT_TRUE(TeranConfig::badLines("[a]\nx=\"closed\"\ny=plain\n").isEmpty());
}
