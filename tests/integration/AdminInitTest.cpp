#include "AdminRun.h"
#include "ScriptedDialogs.h"
#include "TestCertificates.h"
#include "TestServices.h"
#include "core/session/LoginService.h"
#include "core/session/Session.h"
#include "core/session/SessionLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// `init --write-config --server-ca FILE` hands the vendor's authority to the desk by its full
// path; a file that holds no certificate is refused there, and nothing is written, rather than
// leaving the desk unable to reach its server at the next login.
TEST(AdminInitTest, TheServersAuthorityIsWrittenOnlyWhenItHoldsACertificate) {
    QTemporaryDir dir;
    const TestCertificate certificate = makeTestCertificate(dir.filePath(QStringLiteral("tls")));
    ASSERT_TRUE(QFile::exists(certificate.caFile));
    QFile notACertificate(dir.filePath(QStringLiteral("notes.pem")));
    ASSERT_TRUE(notACertificate.open(QIODevice::WriteOnly));
    notACertificate.write("-----BEGIN NOTHING-----\nabc\n-----END NOTHING-----\n");
    notACertificate.close();

    const auto init = [&](const QString& configFile, const QString& ca) {
        return admin({QStringLiteral("init"), QStringLiteral("--config"), configFile,
                      QStringLiteral("--data"), dir.filePath(QStringLiteral("office")),
                      QStringLiteral("--server-ca"), ca, QStringLiteral("--write-config")});
    };
    const QString refusedConfig = dir.filePath(QStringLiteral("refused/teran.ini"));
    const AdminRun refused = init(refusedConfig, notACertificate.fileName());
    EXPECT_EQ(refused.exitCode, 1) << refused.errors.toStdString();
    EXPECT_FALSE(refused.errors.trimmed().isEmpty()) << "the refusal says why";
    EXPECT_FALSE(QFile::exists(refusedConfig)) << "nothing written for a desk that could not log in";

    // Named relatively, as a vendor types it in its own folder: the desk gets the full path.
    const QString configFile = dir.filePath(QStringLiteral("conf/teran.ini"));
    const QString relative = QDir::current().relativeFilePath(certificate.caFile);
    const AdminRun written = init(configFile, relative);
    ASSERT_EQ(written.exitCode, 0) << written.errors.toStdString();
    EXPECT_EQ(TeranConfig::load(configFile).serverCa, QFileInfo(certificate.caFile).absoluteFilePath());
}
