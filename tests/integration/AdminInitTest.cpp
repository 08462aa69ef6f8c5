#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "core/session/LoginService.h"
#include "core/session/Session.h"
#include "core/session/SessionLoader.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

using namespace teran;
using namespace teran::test;

TERAN_SUITE_NEEDS(AdminInitTest, mariadb, web);

// What `teran-admin init --write-config` writes works as written: a newcomer logs in online with
// it, on the server it was pointed at, with the probe page it named.
TEST(AdminInitTest, TheWrittenConfigurationLogsInOnline) {
    auto server = ScratchStore::mariaDb();
    TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
    QTemporaryDir dir;
    const QString configFile = dir.filePath(QStringLiteral("conf/teran.ini"));
    const QString data = dir.filePath(QStringLiteral("office"));
    QProcess admin;
    admin.start(QStringLiteral(TERAN_ADMIN_BINARY),
                {QStringLiteral("init"), QStringLiteral("--demo"), QStringLiteral("--config"), configFile,
                 QStringLiteral("--data"), data, QStringLiteral("--server"), server->url().toString(),
                 QStringLiteral("--ftp-password"), QStringLiteral("pw"), QStringLiteral("--write-config")});
    ASSERT_TRUE(admin.waitForFinished(120000));
    ASSERT_EQ(admin.exitCode(), 0) << admin.readAllStandardError().toStdString();

    const TeranConfig config = TeranConfig::load(configFile);
    EXPECT_TRUE(config.warnings.isEmpty()) << config.warnings.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(QUrl(config.probeUrl).isLocalFile());
    EXPECT_TRUE(QFile::exists(QUrl(config.probeUrl).toLocalFile())) << "the probe page it names is there";
    EXPECT_TRUE(config.ftpHost.isEmpty()) << "no test server's port is written for the pictures";

    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    session.setProgramEnd([](int) {});
    session.CreateDbObjects();
    ASSERT_TRUE(session.MdbsqlConnOpen());
    const LoginIni ini(dir.filePath(QStringLiteral("conf/Login.ini")));
    const LoginResult result =
        LoginService(session, ini).login({QStringLiteral("demo"), QStringLiteral("demo1234")});
    EXPECT_EQ(result.outcome, LoginOutcome::Online) << result.status.toStdString();
    ASSERT_EQ(SessionLoader(session).load(), LoadOutcome::Loaded);
    EXPECT_EQ(session.state().OfficeMainId, QStringLiteral("demo"));
    EXPECT_EQ(session.state().Staff.size(), 3);
}
