// Servers that stop answering without closing their connections (a process stopped with SIGSTOP,
// a cable pulled mid-way): every network step ends within its limit, and a batch does not pay the
// limit again for each of its rows.
#include "TestCertificates.h"
#include "TestFtpServer.h"
#include "TestServices.h"
#include "core/pictures/ListingImageName.h"
#include "core/pictures/PictureSession.h"
#include "core/pictures/PictureStore.h"
#include "core/store/SqlStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

// An FTP server of this test alone, so that stopping it does not stall the other tests.
struct PrivateFtpServer {
    bool start() {
        certificate = makeTestCertificate(certificates.path());
        TestFtpServer::Options options;
        options.certFile = certificate.certFile;
        options.keyFile = certificate.keyFile;
        options.vendorUser = QStringLiteral("stall");
        options.vendorPassword = QStringLiteral("stall-pw");
        return certificates.isValid() && server.start(options);
    }
    bool holds(const QString& name) const {
        return server.holds(QStringLiteral("docs/files/") + pictureFolderOf(name) + name);
    }

    QTemporaryDir certificates;
    TestCertificate certificate;
    TestFtpServer server;
};

class StalledServerTest : public testing::Test {
protected:
    void SetUp() override {
        // A server of the test's own, not one of scripts/services.sh.
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            GTEST_SKIP() << "python3 with pyftpdlib is not installed (scripts/deps.sh)";
        ASSERT_TRUE(m_data.isValid());
        ASSERT_TRUE(QDir().mkpath(m_data.filePath(QStringLiteral("files"))));
        for (int i = 0; i < 10; ++i) {
            QFile picture(m_data.filePath(QStringLiteral("files/") + name(i)));
            ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
            picture.write(QByteArray(2048, static_cast<char>(i)));
        }
    }

    static QString name(int i) { return QStringLiteral("stall_%1.jpg").arg(i); }

    PictureStoreFactory factory(int port, const QString& caFile = {}) {
        return [this, port, caFile] {
            PictureServer server;
            server.host = QStringLiteral("127.0.0.1");
            server.port = port;
            server.user = QStringLiteral("stall");
            server.password = QStringLiteral("stall-pw");
            server.caFile = caFile;
            auto store = std::make_unique<PictureStore>(server, m_data.path() + QLatin1Char('/'));
            store->setTimeouts(2, 2);
            return store;
        };
    }

    QTemporaryDir m_data;
};

TEST_F(StalledServerTest, APictureBatchOnAStoppedFtpServerEndsWithinOneLimitAndTheServerServesAgainLater) {
    PrivateFtpServer ftp;
    ASSERT_TRUE(ftp.start()) << "scripts/ftpserver.py did not start";
    {
        PictureSession working(factory(ftp.server.port(), ftp.certificate.caFile));
        ASSERT_TRUE(working.up(name(0)));
        EXPECT_TRUE(ftp.holds(name(0)));
    }

    PictureSession session(factory(ftp.server.port(), ftp.certificate.caFile));
    ASSERT_TRUE(session.up(name(1))); // the connection is up when the server stops
    ftp.server.stop();
    QElapsedTimer clock;
    clock.start();
    int failed = 0;
    for (int i = 2; i < 10; ++i)
        failed += session.up(name(i)) ? 0 : 1;
    EXPECT_EQ(failed, 8);
    // Eight uploads at a two-second limit each would take 16 s; the first one's limit ends the batch.
    EXPECT_LT(clock.elapsed(), 12000);

    ftp.server.resume();
    PictureSession later(factory(ftp.server.port(), ftp.certificate.caFile));
    EXPECT_TRUE(later.up(name(9)));
    EXPECT_TRUE(ftp.holds(name(9)));
}

TEST_F(StalledServerTest, AnFtpServerThatNeverGreetsIsGivenUpAtTheConnectLimit) {
    QTcpServer silent; // the kernel accepts, nobody answers: a stopped server
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    PictureSession session(factory(silent.serverPort()));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(session.up(name(0)));
    EXPECT_FALSE(session.up(name(1))); // without waiting again
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST(StalledDatabaseTest, ADatabaseServerThatNeverGreetsFailsTheOpenAtTheConnectLimit) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    StoreUrl url;
    url.backend = SqlBackend::MariaDb;
    url.host = QStringLiteral("127.0.0.1");
    url.port = silent.serverPort();
    url.database = QStringLiteral("teran");
    url.user = QStringLiteral("nobody");
    url.password = QStringLiteral("nothing");
    SqlStore store(QStringLiteral("stalled-server"));
    StoreLimits limits;
    limits.connectSeconds = 1;
    limits.stallSeconds = 1;
    store.setLimits(limits);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(store.open(url), StoreError);
    EXPECT_FALSE(store.isOpen());
    EXPECT_LT(clock.elapsed(), 8000);
}

} // namespace
