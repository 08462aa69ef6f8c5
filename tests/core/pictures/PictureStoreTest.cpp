#include "core/pictures/PictureStore.h"
#include "FtpTestFiles.h"
#include "TestCertificates.h"
#include "TestNeeds.h"
#include "core/pictures/ListingImageName.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>

using namespace teran;
using namespace teran::test;

namespace {

const QString kTable = QStringLiteral("maemul");

class PictureStoreTest : public testing::Test {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(ftpService().has_value(), "FTP server");
        TERAN_REQUIRE_SERVICE(!webServiceUrl().isEmpty(), "picture web server");
        m_service = *ftpService();
        ASSERT_TRUE(m_data.isValid());
        PictureServer server =
            pictureServer(m_service.host, m_service.port, m_service.user, m_service.password);
        server.webBaseUrl = webServiceUrl();
        m_store = std::make_unique<PictureStore>(server, m_data.path() + QLatin1Char('/'),
                                                 [this](const QString& line) { m_log.append(line); });
        // The connect time includes the login, which the server answers only after a pause when refused.
        m_store->setTimeouts(10, 10);
    }

    void TearDown() override {
        for (const QString& path : m_cleanup)
            QFile::remove(path);
    }

    // A picture name that this test alone uses; its remote copy is removed at the end.
    QString pictureName(const QString& suffix = QStringLiteral(".jpg")) {
        const QString name = uniqueName(QStringLiteral("pic")) + suffix;
        m_cleanup.append(remoteDisk(name));
        return name;
    }
    QString localFile(const QString& name) const { return m_data.filePath(QStringLiteral("files/") + name); }
    QString remoteDisk(const QString& name) const {
        return ftpDiskPath(m_service, QStringLiteral("docs/files/") + pictureFolderOf(name) + name);
    }

    FtpService m_service;
    QTemporaryDir m_data;
    QStringList m_log;
    QStringList m_cleanup;
    std::unique_ptr<PictureStore> m_store;
};

} // namespace

TERAN_SUITE_NEEDS(PictureStoreTest, ftp, web);

// A phone's picture goes up at most 1920 px long, turned as its EXIF says, and the web serves what
// went up; the office keeps the original. A small one and a GIF, which cannot be written, go up as
// they are.
TEST_F(PictureStoreTest, PicturesGoUpScaledAndTurnedAndAreServedOverTheWeb) {
    const QString large = pictureName();
    QImage photo(4000, 2000, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QImageWriter writer(localFile(large), "jpg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90); // held upright
    QDir().mkpath(QFileInfo(localFile(large)).absolutePath());
    ASSERT_TRUE(writer.write(photo)) << writer.errorString().toStdString();
    const QByteArray original = readBytes(localFile(large));
    const QString small = pictureName(QStringLiteral(".png"));
    QImage(800, 600, QImage::Format_RGB32).save(localFile(small));
    const QString gif = pictureName(QStringLiteral("_사진.gif"));
    ASSERT_TRUE(writeBytes(localFile(gif), binarySample(40'000)));

    ASSERT_TRUE(m_store->FtpOpen()) << m_store->lastError().toStdString();
    for (const QString& name : {large, small, gif})
        EXPECT_TRUE(m_store->FtpCommand(QStringLiteral("up"), kTable, name)) << name.toStdString();
    m_store->FtpClose();

    QImageReader sent(remoteDisk(large));
    sent.setAutoTransform(true);
    EXPECT_EQ(sent.read().size(), QSize(960, 1920));
    EXPECT_EQ(readBytes(localFile(large)), original);
    EXPECT_EQ(readBytes(remoteDisk(small)), readBytes(localFile(small)));
    EXPECT_EQ(readBytes(remoteDisk(gif)), readBytes(localFile(gif)));

    ASSERT_FALSE(QFileInfo::exists(m_store->TmpImgDir()));
    const QString path = m_store->DownloadPicture(gif);
    EXPECT_EQ(path, m_data.filePath(QStringLiteral("TmpImgDownLoadFile/") + gif));
    EXPECT_EQ(readBytes(path), readBytes(localFile(gif)));
    EXPECT_TRUE(m_log.isEmpty()) << m_log.join(QLatin1Char('\n')).toStdString();
}

// A failed upload must reach the caller and the log, so that no listing is marked published with it.
TEST_F(PictureStoreTest, FailedCommandsAreReportedNotSwallowed) {
    const QString name = pictureName();
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("up"), kTable, name)); // not open yet
    ASSERT_TRUE(m_store->FtpOpen());

    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("up"), kTable, name)); // no local file
    EXPECT_TRUE(m_store->lastError().startsWith(QStringLiteral("no picture at ")))
        << m_store->lastError().toStdString();
    ASSERT_FALSE(m_log.isEmpty());
    EXPECT_TRUE(m_log.last().startsWith(QStringLiteral("FtpCommand up ") + name + QStringLiteral(" --> ")));
    EXPECT_TRUE(m_log.last().endsWith(QStringLiteral(" => PictureStore")));
    EXPECT_FALSE(QFileInfo::exists(remoteDisk(name)));

    ASSERT_TRUE(writeBytes(localFile(name), ""));
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("up"), kTable, name)) << "an empty file is no picture";
    ASSERT_TRUE(writeBytes(localFile(name), "x"));
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("up"), QStringLiteral("buyer"), name)); // no such table
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("up"), kTable, QStringLiteral("../") + name));
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("up"), kTable, name, QStringLiteral("a/b.jpg")));
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("del"), kTable, QString()));
    EXPECT_EQ(m_log.size(), 7);
    EXPECT_FALSE(QFileInfo::exists(remoteDisk(name)));
}

TEST_F(PictureStoreTest, DeleteRemovesThePictureAndAMissingOneCountsAsDeleted) {
    const QString name = pictureName();
    const QString other = pictureName();
    ASSERT_TRUE(writeBytes(remoteDisk(name), "x"));
    ASSERT_TRUE(writeBytes(remoteDisk(other), "y"));
    ASSERT_TRUE(m_store->FtpOpen());

    EXPECT_TRUE(m_store->FtpCommand(QStringLiteral("del"), kTable, name));
    EXPECT_FALSE(QFileInfo::exists(remoteDisk(name)));
    EXPECT_TRUE(QFileInfo::exists(remoteDisk(other)));
    EXPECT_TRUE(m_store->FtpCommand(QStringLiteral("del"), kTable, name));
    EXPECT_TRUE(m_log.isEmpty()) << m_log.join(QLatin1Char('\n')).toStdString();

    // Something of that name that the server refuses to delete is a failure, not "already gone".
    const QString folder = pictureName();
    ASSERT_TRUE(QDir().mkpath(remoteDisk(folder)));
    EXPECT_FALSE(m_store->FtpCommand(QStringLiteral("del"), kTable, folder));
    EXPECT_TRUE(m_store->lastError().startsWith(QStringLiteral("DeleteFTPFile error code: 21 Message: ")))
        << m_store->lastError().toStdString();
    EXPECT_EQ(m_log.size(), 1);
    QDir(remoteDisk(folder)).removeRecursively();
}

TEST_F(PictureStoreTest, FailedDownloadLeavesNoFile) {
    const QString name = pictureName();
    ASSERT_TRUE(QDir().mkpath(m_store->TmpImgDir()));
    // An older copy must not pass for the server's picture either.
    ASSERT_TRUE(writeBytes(QDir(m_store->TmpImgDir()).filePath(name), "stale"));

    EXPECT_TRUE(m_store->DownloadPicture(name).isEmpty());
    EXPECT_TRUE(QDir(m_store->TmpImgDir()).isEmpty())
        << QDir(m_store->TmpImgDir()).entryList().join(',').toStdString();
    ASSERT_EQ(m_log.size(), 1);
    EXPECT_TRUE(m_log.last().startsWith(QStringLiteral("DownloadPicture ") + name));

    EXPECT_TRUE(m_store->DownloadPicture(QStringLiteral("../probe.html")).isEmpty());
    EXPECT_TRUE(QDir(m_store->TmpImgDir()).isEmpty());
}

TEST(PictureStoreOfflineTest, SilentWebServerEndsTheDownloadWithoutAFile) {
    QTcpServer silent; // accepts and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    QTemporaryDir data;
    PictureServer server;
    server.webBaseUrl = QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort());
    PictureStore store(server, data.path());
    store.setTimeouts(1, 1);
    EXPECT_TRUE(store.DownloadPicture(QStringLiteral("x.jpg")).isEmpty());
    EXPECT_FALSE(store.lastError().isEmpty());
    EXPECT_TRUE(QDir(store.TmpImgDir()).isEmpty());
}
