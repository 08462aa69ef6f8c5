#include "SecuredScratch.h"
#include "TcpRelay.h"
#include "TestCertificates.h"
#include "core/online/SecuredServer.h"
#include "core/session/StoreErrorText.h"
#include "core/store/MariaDbTlsCheck.h"

#include <QElapsedTimer>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <atomic>
#include <future>
#include <thread>

#include <sys/socket.h>
#include <sys/time.h>

using namespace teran;
using namespace teran::test;

namespace {

// A server that greets as MariaDB does and then, when it offers TLS, takes the client's request
// for it and shakes hands with the certificate it was given: the desk's check meets exactly what
// a wrong or downgraded server would show it. It keeps every byte the client sent before the
// handshake.
class GreetingServer {
public:
    GreetingServer(bool offersTls, TestCertificate certificate)
        : m_offersTls(offersTls)
        , m_certificate(std::move(certificate)) {
        std::promise<quint16> listening;
        std::future<quint16> port = listening.get_future();
        m_thread = std::thread([this, &listening] { serveOne(listening); });
        m_port = port.get();
    }
    ~GreetingServer() { m_thread.join(); }
    quint16 port() const { return m_port; }
    QByteArray clearBytes() const { return m_clear; }

private:
    // Takes the connection's descriptor for the TLS socket of the thread that serves it.
    class DescriptorServer : public QTcpServer {
    public:
        qintptr taken = -1;

    protected:
        void incomingConnection(qintptr descriptor) override { taken = descriptor; }
    };

    static QByteArray greeting(bool tls) {
        QByteArray payload;
        payload.append(char(10));
        payload.append("10.11.0-fake");
        payload.append('\0');
        payload.append(QByteArray(4, '\1')); // connection id
        payload.append(QByteArray(8, 'a'));  // scramble
        payload.append('\0');                // filler
        const quint16 flags = 0x0200 | 0x8000 | (tls ? 0x0800 : 0);
        payload.append(char(flags & 0xFF));
        payload.append(char(flags >> 8));
        payload.append(char(45));
        payload.append(QByteArray(4, '\0')); // status, upper flags
        payload.append(char(21));
        payload.append(QByteArray(10, '\0'));
        payload.append(QByteArray(12, 'b'));
        payload.append('\0');
        QByteArray header(4, '\0');
        header[0] = char(payload.size());
        return header + payload;
    }

    void serveOne(std::promise<quint16>& listening) {
        DescriptorServer server;
        server.listen(QHostAddress::LocalHost);
        listening.set_value(server.serverPort());
        if (!server.waitForNewConnection(15000) || server.taken < 0)
            return;
        // The greeting and the request go over the bare socket, so that nothing of the client's
        // handshake that follows is read before the TLS socket takes the connection.
        const int descriptor = int(server.taken);
        const QByteArray hello = greeting(m_offersTls);
        ::send(descriptor, hello.constData(), size_t(hello.size()), MSG_NOSIGNAL);
        timeval wait{3, 0};
        ::setsockopt(descriptor, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        QByteArray request(36, '\0');
        const ssize_t got = ::recv(descriptor, request.data(), size_t(request.size()), MSG_WAITALL);
        m_clear = request.left(std::max<ssize_t>(got, 0));
        QSslSocket socket;
        socket.setSocketDescriptor(server.taken);
        if (!m_offersTls || m_clear.size() < 36)
            return;
        QFile cert(m_certificate.certFile);
        QFile key(m_certificate.keyFile);
        cert.open(QIODevice::ReadOnly);
        key.open(QIODevice::ReadOnly);
        socket.setLocalCertificate(QSslCertificate(cert.readAll()));
        socket.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
        socket.startServerEncryption();
        socket.waitForEncrypted(5000);
        if (socket.state() == QAbstractSocket::ConnectedState)
            socket.waitForDisconnected(3000);
    }

    bool m_offersTls;
    TestCertificate m_certificate;
    quint16 m_port = 0;
    QByteArray m_clear;
    std::thread m_thread;
};

// The authority and certificates of one test, apart from the loopback servers' own.
struct Certificates {
    QTemporaryDir dir;
    TestCertificate good = makeTestCertificate(dir.path());
    TestCertificate otherName =
        makeTestCertificate(dir.path(), QStringLiteral("other"), {QStringLiteral("db.other.example")});
    TestCertificate expired = makeTestCertificate(dir.path(), QStringLiteral("expired"), {}, true);
};

MariaDbTlsCheck::Result checkAgainst(bool offersTls, const TestCertificate& served, const QString& caFile,
                                     QByteArray* clear = nullptr) {
    GreetingServer server(offersTls, served);
    const auto result =
        MariaDbTlsCheck(TlsTrust(caFile), 5000).check(QStringLiteral("127.0.0.1"), server.port());
    if (clear)
        *clear = server.clearBytes();
    return result;
}

TERAN_SUITE_NEEDS(VendorServerWire, mariadb);

TEST(MariaDbTlsCheck, RefusesAServerWithoutTlsOrWithACertificateThatDoesNotVerifyAndSaysWhy) {
    Certificates certs;
    ASSERT_FALSE(certs.good.caFile.isEmpty()) << "openssl could not make the test's certificates";

    QByteArray clear;
    const auto good = checkAgainst(true, certs.good, certs.good.caFile, &clear);
    EXPECT_EQ(good.outcome, MariaDbTlsCheck::Outcome::Verified) << good.text.toStdString();
    // Before the handshake the desk sends its request for TLS and nothing else: no account.
    EXPECT_EQ(clear.size(), 36);

    const auto plain = checkAgainst(false, certs.good, certs.good.caFile, &clear);
    EXPECT_EQ(plain.outcome, MariaDbTlsCheck::Outcome::Refused);
    EXPECT_TRUE(plain.text.contains(QStringLiteral("TLS"))) << plain.text.toStdString();
    EXPECT_TRUE(clear.isEmpty()) << "a server without TLS is told nothing";

    const auto other = checkAgainst(true, certs.otherName, certs.good.caFile);
    EXPECT_EQ(other.outcome, MariaDbTlsCheck::Outcome::Refused);
    EXPECT_TRUE(other.text.contains(QStringLiteral("다른 이름(db.other.example)")))
        << other.text.toStdString();

    const auto expired = checkAgainst(true, certs.expired, certs.good.caFile);
    EXPECT_EQ(expired.outcome, MariaDbTlsCheck::Outcome::Refused);
    EXPECT_TRUE(expired.text.contains(QStringLiteral("2020년 12월 31일"))) << expired.text.toStdString();

    QTemporaryDir elsewhere;
    const TestCertificate stranger = makeTestCertificate(elsewhere.path());
    const auto unknown = checkAgainst(true, stranger, certs.good.caFile);
    EXPECT_EQ(unknown.outcome, MariaDbTlsCheck::Outcome::Refused);
    EXPECT_TRUE(unknown.text.contains(QStringLiteral("발급한 기관"))) << unknown.text.toStdString();

    for (const auto& refused : {plain, other, expired, unknown})
        EXPECT_TRUE(TlsTrust::isRefusal(refused.text)) << refused.text.toStdString();
}

TEST(MariaDbTlsCheck, AServerThatNeverAnswersIsUnreachableNotRefused) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QElapsedTimer timer;
    timer.start();
    const auto result =
        MariaDbTlsCheck(TlsTrust(), 300).check(QStringLiteral("127.0.0.1"), silent.serverPort());
    EXPECT_EQ(result.outcome, MariaDbTlsCheck::Outcome::Unreachable);
    const StoreError error(result.text, QStringLiteral("test"));
    EXPECT_EQ(classifyStoreError(error), StoreFault::ServerLost);
}

// The desk and the vendor's MariaDB as they meet on the internet: every connection verified,
// nothing of the office readable on the wire, the member accounts held to their limits.
class VendorServerWire : public testing::Test {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        ASSERT_FALSE(server->adminUrl().caFile.isEmpty()) << "the loopback server's authority is unknown";
        id = server->addOffice(password);
    }

    StoreUrl throughRelay(const TcpRelay& relay) const {
        StoreUrl url = server->memberUrl(id, password);
        url.host = QStringLiteral("127.0.0.1");
        url.port = relay.port();
        return url;
    }

    std::unique_ptr<SecuredScratchServer> server;
    QString id;
    const QString password = QStringLiteral("wire-secret-7Q");
};

TEST_F(VendorServerWire, NothingOfTheOfficeCrossesTheWireReadably) {
    // A staff member with a resident number and a phone: what the main account reads back.
    const QString staffJumin = QStringLiteral("1734567");
    const QString staffPhone = QStringLiteral("010-5551-7321");
    const QString staff = id + QStringLiteral("s");
    server->data().execute(
        QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name, jumin1, "
                       "jumin2, hantel) VALUES(?, ?, 'B', '', '직원', '880101', ?, ?)"),
        {id, staff, staffJumin, staffPhone});
    TcpRelay relay(server->adminUrl().host, server->adminUrl().port);
    ASSERT_TRUE(relay.open());
    {
        SqlStore desk(QStringLiteral("wire-desk"));
        desk.open(throughRelay(relay));
        QSqlQuery row =
            desk.query(QStringLiteral("SELECT jumin2, hantel FROM members WHERE memID=?"), {staff});
        ASSERT_TRUE(row.next());
        EXPECT_EQ(row.value(0).toString(), staffJumin);
        EXPECT_EQ(row.value(1).toString(), staffPhone);
    }
    const QByteArray wire = relay.recorded();
    ASSERT_GT(wire.size(), 1000) << "the relay recorded the session";
    for (const QString& secret : {password, staffJumin, staffPhone, staff})
        EXPECT_FALSE(wire.contains(secret.toUtf8())) << secret.toStdString() << " crossed the wire readably";

    // The same relay that hides the server's TLS from the desk (a downgrade on the path): the
    // desk refuses and sends nothing; the recording itself would show what a desk sent.
    relay.clearRecording();
    relay.hideMariaDbTls(true);
    SqlStore downgraded(QStringLiteral("wire-downgraded"));
    try {
        downgraded.open(throughRelay(relay));
        ADD_FAILURE() << "a server without TLS was talked to";
    } catch (const StoreError& error) {
        EXPECT_EQ(classifyStoreError(error), StoreFault::Refused) << error.description().toStdString();
    }
    EXPECT_FALSE(relay.recorded().contains(id.toUtf8()));
    QTcpSocket clear;
    clear.connectToHost(QStringLiteral("127.0.0.1"), relay.port());
    ASSERT_TRUE(clear.waitForConnected(3000));
    clear.write(password.toUtf8());
    clear.waitForBytesWritten(3000);
    QElapsedTimer timer;
    timer.start();
    while (!relay.recorded().contains(password.toUtf8()) && timer.elapsed() < 3000)
        QThread::msleep(20);
    EXPECT_TRUE(relay.recorded().contains(password.toUtf8())) << "the recording catches what goes in clear";
}

TEST_F(VendorServerWire, AMemberAccountConnectsOnlyOverTlsAndWithinItsLimits) {
    SqlStore vendor(QStringLiteral("wire-vendor"));
    vendor.open(server->adminUrl());
    QSqlQuery create =
        vendor.query(QStringLiteral("SELECT ssl_type, max_user_connections, max_statement_time "
                                    "FROM mysql.user WHERE User=?"),
                     {id});
    ASSERT_TRUE(create.next());
    EXPECT_EQ(create.value(0).toString(), QStringLiteral("ANY")) << "the account requires TLS";
    EXPECT_EQ(create.value(1).toInt(), kMemberConnections);
    EXPECT_EQ(create.value(2).toDouble(), double(kMemberStatementSeconds));

    // One office takes every connection it may have; one more is refused, and another office
    // still logs in and reads the shared list at once.
    std::vector<std::unique_ptr<SqlStore>> held;
    for (int i = 0; i < kMemberConnections; ++i)
        held.push_back(server->connectAs(id, password));
    SqlStore beyond(QStringLiteral("wire-beyond"));
    EXPECT_THROW(beyond.open(server->memberUrl(id, password)), StoreError);
    const QString other = server->addOffice(QStringLiteral("other-pw"));
    QElapsedTimer timer;
    timer.start();
    auto otherDesk = server->connectAs(other, QStringLiteral("other-pw"));
    otherDesk->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"));
    EXPECT_LT(timer.elapsed(), 3000) << "another office waits for the one at its limit";
    held.clear();

    // A runaway statement of the office is cut by the server within the limit, while another
    // office's work goes on; the desk is told in Korean, and its connection stays usable.
    std::atomic<bool> cut{false};
    std::atomic<bool> usableAfter{false};
    std::string cutText;
    std::thread search([&] {
        // A connection belongs to the thread that opened it.
        auto runaway = server->connectAs(id, password);
        try {
            runaway->scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.COLUMNS a, "
                                           "information_schema.COLUMNS b, information_schema.COLUMNS c"));
        } catch (const StoreError& error) {
            cut = classifyStoreError(error) == StoreFault::Cut;
            cutText = error.description().toStdString();
        }
        usableAfter = runaway->scalar(QStringLiteral("SELECT 1")).toInt() == 1;
    });
    QThread::msleep(500);
    timer.restart();
    auto during = server->connectAs(other, QStringLiteral("other-pw"));
    during->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"));
    EXPECT_LT(timer.elapsed(), 3000) << "another office waits for the runaway statement";
    search.join();
    EXPECT_TRUE(cut) << "the runaway statement ended otherwise: " << cutText;
    EXPECT_TRUE(usableAfter) << "the office's connection stays usable after the cut";
}

} // namespace
