// The desk reaches the gateway over TLS only: a gateway whose certificate names another host, has
// expired or comes from an authority the desk does not trust, or that speaks no TLS at all, is
// refused with the reason, and nothing of the account or the messages leaves the desk.
#include "core/people/SmsGateway.h"
#include "core/people/SmsSender.h"

#include "TestCertificates.h"
#include "TestServices.h"
#include "core/session/TeranConfig.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

const SmsAccount kOffice{QStringLiteral("tlsoffice"), QStringLiteral("tls-secret")};
const SmsBatch kBatch{
    {QStringLiteral("01012345678")}, QStringLiteral("0255512345"), QStringLiteral("비밀 안내문")};

// A gateway of this process for one office, over TLS with the given certificate.
struct TlsGateway {
    QTemporaryDir dir;
    std::unique_ptr<SmsGateway> gateway;
    QString error;
    bool start(const TestCertificate& certificate) {
        gateway = std::make_unique<SmsGateway>(kOffice, dir.filePath(QStringLiteral("sent.log")), 500);
        if (!certificate.certFile.isEmpty() &&
            !gateway->useTls(certificate.certFile, certificate.keyFile, &error))
            return false;
        return gateway->listen(0, &error);
    }
    QByteArray sent() const {
        QFile file(dir.filePath(QStringLiteral("sent.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

SmsBatchResult sendTo(quint16 port, const QString& caFile,
                      const QString& host = QStringLiteral("127.0.0.1")) {
    SmsSender sender(SmsLink::tls(host, port, caFile), kOffice, {3000, 3000});
    return sender.send(kBatch);
}

class SmsTlsTest : public testing::Test {
protected:
    QTemporaryDir certs;
    QTemporaryDir strangers; // another authority, which the desk does not trust
};

} // namespace

TEST_F(SmsTlsTest, AVerifiedGatewayDeliversAndEachBadCertificateIsRefusedWithItsReason) {
    const TestCertificate good = makeTestCertificate(certs.path());
    ASSERT_FALSE(good.certFile.isEmpty()) << "openssl made no certificate";
    TlsGateway trusted;
    ASSERT_TRUE(trusted.start(good)) << trusted.error.toStdString();
    const SmsBatchResult delivered = sendTo(trusted.gateway->port(), good.caFile);
    EXPECT_EQ(delivered.delivered(), 1) << delivered.error.toStdString();
    EXPECT_TRUE(trusted.sent().contains("01012345678"));
    // Named by its host name too: the certificate holds localhost beside 127.0.0.1.
    EXPECT_EQ(sendTo(trusted.gateway->port(), good.caFile, QStringLiteral("localhost")).delivered(), 1);

    struct Refused {
        const char* what;
        TestCertificate certificate;
        QString caFile;
        QString reason;
    };
    const QList<Refused> refusals{
        {"another name", makeTestCertificate(certs.path(), "other", {"gateway.other.example"}), good.caFile,
         QStringLiteral("다른 이름(gateway.other.example)")},
        {"expired", makeTestCertificate(certs.path(), "old", {}, true), good.caFile,
         QStringLiteral("유효기간이 2020년 12월 31일에 끝났습니다")},
        {"unknown authority", makeTestCertificate(strangers.path()), good.caFile,
         QStringLiteral("발급한 기관을 확인할 수 없습니다")},
    };
    for (const Refused& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TlsGateway gateway;
        ASSERT_TRUE(gateway.start(refusal.certificate)) << gateway.error.toStdString();
        const SmsBatchResult result = sendTo(gateway.gateway->port(), refusal.caFile);
        EXPECT_TRUE(result.results.isEmpty());
        EXPECT_TRUE(TlsTrust::isRefusal(result.error)) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(refusal.reason)) << result.error.toStdString();
        EXPECT_TRUE(
            result.error.contains(QStringLiteral("SMS 서버 127.0.0.1:%1").arg(gateway.gateway->port())));
        EXPECT_TRUE(gateway.sent().isEmpty()) << "nothing reached the gateway";
    }

    // A CA file that is not there refuses before anything is tried.
    const SmsBatchResult noCa = sendTo(trusted.gateway->port(), certs.filePath("missing.pem"));
    EXPECT_TRUE(noCa.error.startsWith(QStringLiteral("서버 인증기관 파일이 없습니다")))
        << noCa.error.toStdString();
}

// A gateway that speaks clear text (the demo's, or one listening for the protocol) is refused, and
// of what the desk wrote it saw only the start of a handshake: not the account, not the password,
// not a record.
TEST_F(SmsTlsTest, AGatewayWithoutTlsIsRefusedAndHearsNothingInClear) {
    TlsGateway clear;
    ASSERT_TRUE(clear.start({})) << clear.error.toStdString();
    const SmsBatchResult refused = sendTo(clear.gateway->port(), makeTestCertificate(certs.path()).caFile);
    EXPECT_EQ(refused.error,
              TlsTrust::noTlsText(QStringLiteral("SMS 서버 127.0.0.1:%1").arg(clear.gateway->port())));
    EXPECT_TRUE(clear.sent().isEmpty());

    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    QByteArray heard;
    QObject::connect(&listener, &QTcpServer::newConnection, &listener, [&] {
        QTcpSocket* socket = listener.nextPendingConnection();
        socket->write("#CON");
        // As a gateway of the protocol does: every piece it reads is answered as a bad record.
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&heard, socket] {
            heard += socket->readAll();
            socket->write(smsResultList({{smsCode::BadRecord, QStringLiteral("-")}}));
        });
    });
    const SmsBatchResult spoken = sendTo(listener.serverPort(), makeTestCertificate(certs.path()).caFile);
    EXPECT_EQ(spoken.error,
              TlsTrust::noTlsText(QStringLiteral("SMS 서버 127.0.0.1:%1").arg(listener.serverPort())));
    EXPECT_FALSE(heard.isEmpty()) << "the desk began a handshake";
    for (const QByteArray& secret : {kOffice.user.toLatin1(), kOffice.password.toLatin1(),
                                     QByteArray("01012345678"), QByteArray("0144")})
        EXPECT_FALSE(heard.contains(secret)) << secret.constData();
}

// Only the embedded demo's own gateway is reached in clear text; every configured one over TLS,
// trusting the authority of teran.ini and checking the configured host.
TEST(SmsLinkTest, OnlyTheEmbeddedDemoSpeaksClearText) {
    QTemporaryDir dir;
    TeranConfig demo = TeranConfig::demoDefaults(dir.path());
    demo.serverUrl = QStringLiteral("sqlite:") + demo.embeddedServerFile();
    ASSERT_TRUE(demo.isEmbeddedDemo());
    const SmsLink own = smsLinkOf(demo, 7300);
    EXPECT_FALSE(own.trust.has_value());
    EXPECT_EQ(own.host, QStringLiteral("127.0.0.1"));

    TeranConfig office = demo;
    office.serverUrl = QStringLiteral("mysql://db.vendor.example:3306/teran");
    office.serverCa = dir.filePath(QStringLiteral("ca.pem"));
    const SmsLink vendor = smsLinkOf(office, 7300);
    ASSERT_TRUE(vendor.trust.has_value());
    EXPECT_EQ(vendor.trust->caFile(), office.serverCa);
    EXPECT_EQ(vendor.host, QStringLiteral("127.0.0.1"));

    // A demo data folder whose gateway is on another host is no longer the program's own.
    demo.smsHost = QStringLiteral("sms.vendor.example");
    EXPECT_TRUE(smsLinkOf(demo, 7300).trust.has_value());
}
