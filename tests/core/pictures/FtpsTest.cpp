// The picture server is reached over FTPS only: a server without TLS or with a certificate that
// does not verify is refused with its reason in Korean, and neither the account name nor the
// password ever crosses the wire in clear. Each case runs its own scripts/ftpserver.py, watched
// through a relay that keeps every byte the program sent.
#include "FtpTestFiles.h"
#include "TcpRelay.h"
#include "TestCertificates.h"
#include "TestFtpServer.h"
#include "TestNeeds.h"
#include "core/pictures/PictureStore.h"
#include "core/pictures/clsFTP.h"

#include <QSslCertificate>
#include <QTcpSocket>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

const QString kPassword = QStringLiteral("s3cret-Picture-pw");

class ClsFtpTlsTest : public testing::Test {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(QFile::exists(QStringLiteral("/usr/bin/python3")), "python3 with pyftpdlib");
        ASSERT_TRUE(m_trusted.isValid() && m_stranger.isValid() && m_local.isValid());
        m_good = makeTestCertificate(m_trusted.path(), QStringLiteral("good"));
        ASSERT_FALSE(m_good.certFile.isEmpty());
    }

    // A server of this test with the certificate (none: plain FTP), reached through the relay.
    bool startServer(const TestCertificate& certificate, bool plain = false) {
        TestFtpServer::Options options;
        options.certFile = certificate.certFile;
        options.keyFile = certificate.keyFile;
        options.plain = plain;
        options.vendorPassword = kPassword;
        m_relay.reset();
        m_server = std::make_unique<TestFtpServer>();
        if (!m_server->start(options))
            return false;
        m_relay = std::make_unique<TcpRelay>(QStringLiteral("127.0.0.1"), quint16(m_server->port()));
        return m_relay->open();
    }
    QString relayed() const { return QStringLiteral("127.0.0.1:%1").arg(m_relay->port()); }

    // Logs in through the relay trusting the test's authority; the FtpError, or none when in.
    std::optional<FtpError> login(clsFTP& ftp, const QString& caFile) {
        return ftpFailure([&] {
            openTrusting(ftp, QStringLiteral("127.0.0.1"), m_relay->port(), QStringLiteral("vendor"),
                         kPassword, caFile);
        });
    }

    void expectNothingInClear() const {
        const QByteArray sent = m_relay->clientBytes();
        EXPECT_FALSE(sent.contains(kPassword.toUtf8())) << sent.toStdString();
        EXPECT_FALSE(sent.contains("PASS")) << sent.toStdString();
        EXPECT_FALSE(sent.contains("USER vendor")) << sent.toStdString();
    }

    QTemporaryDir m_trusted;  // the authority the program trusts, and its certificates
    QTemporaryDir m_stranger; // another authority nobody configured
    QTemporaryDir m_local;
    TestCertificate m_good;
    std::unique_ptr<TestFtpServer> m_server;
    std::unique_ptr<TcpRelay> m_relay;
};

} // namespace

TERAN_SUITE_NEEDS(ClsFtpTlsTest, ftp);

// A verified server takes the login and the transfers; on the wire there is the AUTH TLS and
// then nothing readable: neither the account, nor the password, nor the folder's commands. (The
// transfers themselves are ClsFtpTest's, against the loopback server, which is FTPS too.)
TEST_F(ClsFtpTlsTest, AVerifiedServerServesEverythingInsideTls) {
    ASSERT_TRUE(startServer(m_good)) << m_server->output().toStdString();
    clsFTP ftp;
    const std::optional<FtpError> refused = login(ftp, m_good.caFile);
    ASSERT_FALSE(refused) << refused->text().toStdString();

    const QByteArray bytes = binarySample(50'000);
    ASSERT_TRUE(writeBytes(m_local.filePath(QStringLiteral("up.jpg")), bytes));
    ftp.SimpleFtpPutFile(m_local.filePath(QStringLiteral("up.jpg")), QStringLiteral("docs/files/tls_1.jpg"));
    EXPECT_EQ(readBytes(QDir(m_server->root()).filePath(QStringLiteral("docs/files/tls_1.jpg"))), bytes);
    ftp.DeleteFTPFile(QStringLiteral("docs/files/tls_1.jpg"));
    EXPECT_FALSE(m_server->holds(QStringLiteral("docs/files/tls_1.jpg")));
    ftp.CloseConnection();

    const QByteArray sent = m_relay->clientBytes();
    EXPECT_TRUE(sent.startsWith("AUTH TLS\r\n")) << sent.left(40).toStdString();
    expectNothingInClear();
    EXPECT_FALSE(sent.contains("DELE")) << "the commands too travel inside TLS";
}

// Each way a server can fail the check, with the reason the user is told; the password stays
// on this machine in every case.
TEST_F(ClsFtpTlsTest, AServerThatDoesNotVerifyIsRefusedBeforeTheLogin) {
    const TestCertificate otherName =
        makeTestCertificate(m_trusted.path(), QStringLiteral("other"), {QStringLiteral("pictures.example")});
    const TestCertificate expired = makeTestCertificate(m_trusted.path(), QStringLiteral("old"), {}, true);
    const TestCertificate stranger = makeTestCertificate(m_stranger.path(), QStringLiteral("stranger"));
    ASSERT_FALSE(otherName.certFile.isEmpty() || expired.certFile.isEmpty() || stranger.certFile.isEmpty());
    const QList<QSslCertificate> expiredCert = QSslCertificate::fromPath(expired.certFile);
    ASSERT_EQ(expiredCert.size(), 1);
    const QString lastDay =
        expiredCert.first().expiryDate().toLocalTime().toString(QStringLiteral("yyyy년 M월 d일"));

    const struct {
        const char* what;
        TestCertificate certificate;
        bool plain;
        QString says; // a part of the reason that names it
    } cases[] = {
        {"no TLS", {}, true, QStringLiteral("암호화 연결(TLS)을 지원하지 않아")},
        {"another name", otherName, false, QStringLiteral("다른 이름(pictures.example)")},
        {"expired", expired, false, QStringLiteral("유효기간이 %1에 끝났습니다").arg(lastDay)},
        {"unknown authority", stranger, false, QStringLiteral("발급한 기관을 확인할 수 없습니다")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(startServer(c.certificate, c.plain)) << m_server->output().toStdString();
        clsFTP ftp;
        const std::optional<FtpError> refused = login(ftp, m_good.caFile);
        ASSERT_TRUE(refused.has_value());
        EXPECT_FALSE(ftp.isConnected());
        EXPECT_TRUE(TlsTrust::isRefusal(refused->response())) << refused->text().toStdString();
        EXPECT_TRUE(refused->response().contains(relayed())) << refused->text().toStdString();
        EXPECT_TRUE(refused->response().contains(c.says)) << refused->text().toStdString();
        if (c.plain) {
            EXPECT_EQ(refused->response(), TlsTrust::noTlsText(relayed()));
        }
        expectNothingInClear();

        // The picture store tells the same reason, alone, and logs the technical rest.
        const PictureServer pictures = pictureServer(QStringLiteral("127.0.0.1"), m_relay->port(),
                                                     QStringLiteral("vendor"), kPassword, m_good.caFile);
        QStringList log;
        PictureStore store(pictures, m_local.path(), [&log](const QString& line) { log << line; });
        store.setTimeouts(5, 5);
        EXPECT_FALSE(store.FtpOpen());
        EXPECT_EQ(store.lastError(), refused->response());
        ASSERT_EQ(log.size(), 1);
        EXPECT_TRUE(log.first().contains(QStringLiteral("OpenConnection error code: ")))
            << log.first().toStdString();
        expectNothingInClear();
    }
}

// A CA file that is missing is said so, and no connection is even tried.
TEST_F(ClsFtpTlsTest, AMissingAuthorityFileIsToldAndNothingIsSent) {
    ASSERT_TRUE(startServer(m_good)) << m_server->output().toStdString();
    clsFTP ftp;
    const QString missing = m_trusted.filePath(QStringLiteral("none.pem"));
    const std::optional<FtpError> refused = login(ftp, missing);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->response(), TlsTrust(missing).problem());
    EXPECT_TRUE(refused->response().contains(missing));
    EXPECT_TRUE(m_relay->clientBytes().isEmpty());
}

// The server's side: a client that logs in without AUTH TLS, or opens a data channel without
// protecting it, is turned away.
TEST_F(ClsFtpTlsTest, TheServerRefusesALoginInClear) {
    ASSERT_TRUE(startServer(m_good)) << m_server->output().toStdString();
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(m_server->port()));
    ASSERT_TRUE(socket.waitForConnected(5000));
    const auto reply = [&socket] {
        while (!socket.canReadLine())
            if (!socket.waitForReadyRead(5000))
                return QByteArray();
        return socket.readLine().trimmed();
    };
    EXPECT_TRUE(reply().startsWith("220"));
    socket.write("USER vendor\r\n");
    const QByteArray answer = reply();
    EXPECT_TRUE(answer.startsWith("550")) << answer.toStdString();
    socket.write("PASV\r\n");
    EXPECT_TRUE(reply().startsWith("530")) << "no data channel before a login";
}

// Two picture servers side by side, each with its own port and passive ports, both serve at once.
TEST_F(ClsFtpTlsTest, TwoServersSideBySideBothServe) {
    const int first = freeLoopbackPort();
    TestFtpServer one, two;
    TestFtpServer::Options options;
    options.certFile = m_good.certFile;
    options.keyFile = m_good.keyFile;
    options.vendorPassword = kPassword;
    options.passivePorts = QStringLiteral("%1-%2").arg(first).arg(first + 1);
    ASSERT_TRUE(one.start(options)) << one.output().toStdString();
    options.passivePorts = QStringLiteral("%1-%2").arg(first + 2).arg(first + 3);
    ASSERT_TRUE(two.start(options)) << two.output().toStdString();
    ASSERT_NE(one.port(), two.port());

    clsFTP a, b;
    for (auto [ftp, server] : {std::pair{&a, &one}, std::pair{&b, &two}})
        openTrusting(*ftp, QStringLiteral("127.0.0.1"), server->port(), QStringLiteral("vendor"), kPassword,
                     m_good.caFile);
    ASSERT_TRUE(writeBytes(m_local.filePath(QStringLiteral("p.jpg")), binarySample(20'000)));
    for (int round = 0; round < 3; ++round)
        for (auto [ftp, server] : {std::pair{&a, &one}, std::pair{&b, &two}}) {
            const QString remote = QStringLiteral("docs/files/side_%1.jpg").arg(round);
            ftp->SimpleFtpPutFile(m_local.filePath(QStringLiteral("p.jpg")), remote);
            EXPECT_TRUE(server->holds(remote));
            EXPECT_EQ(ftp->FtpFileSize(remote), std::optional<qint64>(20'000));
        }
}
