#include "GreetingServer.h"
#include "SecuredScratch.h"
#include "TcpRelay.h"
#include "TestCertificates.h"
#include "core/online/SecuredServer.h"
#include "core/session/StoreErrorText.h"
#include "core/store/MariaDbTlsCheck.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <thread>

using namespace teran;
using namespace teran::test;

namespace {

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

    // One office tries a hundred connections: it gets its few, the rest are refused at once, and
    // another office logs in and reads the shared list within a second all the while.
    std::vector<std::unique_ptr<SqlStore>> held;
    int refused = 0;
    for (int i = 0; i < 100; ++i) {
        auto connection = std::make_unique<SqlStore>(uniqueName(QStringLiteral("wire-flood")));
        try {
            connection->open(server->memberUrl(id, password));
            held.push_back(std::move(connection));
        } catch (const StoreError& error) {
            EXPECT_EQ(classifyStoreError(error), StoreFault::Busy) << error.description().toStdString();
            ++refused;
        }
    }
    EXPECT_EQ(int(held.size()), kMemberConnections);
    EXPECT_EQ(refused, 100 - kMemberConnections);
    const QString other = server->addOffice(QStringLiteral("other-pw"));
    QElapsedTimer timer;
    timer.start();
    auto otherDesk = server->connectAs(other, QStringLiteral("other-pw"));
    otherDesk->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"));
    EXPECT_LT(timer.elapsed(), 1000) << "another office waits for the one at its limit";
}

} // namespace
