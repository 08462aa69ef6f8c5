#include "core/pictures/clsFTP.h"
#include "FtpTestFiles.h"
#include "TestCertificates.h"
#include "TestNeeds.h"

#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>
#include <curl/curl.h>

using namespace teran;
using namespace teran::test;

namespace {

struct Step {
    qint64 done;
    qint64 total;
};

class ClsFtpTest : public testing::Test {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(ftpService().has_value(), "FTP server");
        m_service = *ftpService();
        ASSERT_TRUE(m_local.isValid());
        openTrusting(m_ftp, m_service.host, m_service.port, m_service.user, m_service.password);
    }

    void TearDown() override {
        for (const QString& path : m_cleanup) {
            QFileInfo info(path);
            if (info.isDir())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
    }

    // A remote path (from the login folder) that this test alone uses; removed at the end.
    QString remote(const QString& folder, const QString& prefix, const QString& suffix = {}) {
        const QString path = folder + uniqueName(prefix) + suffix;
        m_cleanup.append(disk(path));
        return path;
    }
    QString disk(const QString& remotePath) const { return ftpDiskPath(m_service, remotePath); }
    QString local(const QString& name) const { return m_local.filePath(name); }

    FtpService m_service;
    QTemporaryDir m_local;
    clsFTP m_ftp;
    QStringList m_cleanup;
};

} // namespace

TERAN_SUITE_NEEDS(ClsFtpLoginTest, ftp);
TERAN_SUITE_NEEDS(ClsFtpTest, ftp);

// Bytes must arrive untouched (binary mode), Hangul names as UTF-8, and a second put replaces the first.
TEST_F(ClsFtpTest, PutAndGetRoundTripBytesAndHangulNames) {
    const QString target =
        remote(QStringLiteral("docs/files/"), QStringLiteral("put"), QStringLiteral("_한글 사진.jpg"));
    const QByteArray bytes = binarySample(70'000);
    ASSERT_TRUE(writeBytes(local(QStringLiteral("source.jpg")), bytes));

    m_ftp.SimpleFtpPutFile(local(QStringLiteral("source.jpg")), target);
    EXPECT_EQ(readBytes(disk(target)), bytes);
    EXPECT_EQ(m_ftp.FtpFileSize(target), std::optional<qint64>(bytes.size()));
    EXPECT_EQ(m_ftp.FtpFileSize(target + QStringLiteral(".none")), std::nullopt);
    EXPECT_FALSE(m_ftp.FtpIsFolder(target));
    EXPECT_TRUE(m_ftp.FtpIsFolder(QStringLiteral("docs/files")));

    m_ftp.SimpleFtpGetFile(target, local(QStringLiteral("back.jpg")));
    EXPECT_EQ(readBytes(local(QStringLiteral("back.jpg"))), bytes);

    const QByteArray shorter = binarySample(10);
    ASSERT_TRUE(writeBytes(local(QStringLiteral("source.jpg")), shorter));
    m_ftp.SimpleFtpPutFile(local(QStringLiteral("source.jpg")), target);
    EXPECT_EQ(readBytes(disk(target)), shorter);

    // An empty file is a file too.
    ASSERT_TRUE(writeBytes(local(QStringLiteral("empty")), {}));
    m_ftp.SimpleFtpPutFile(local(QStringLiteral("empty")), target);
    m_ftp.SimpleFtpGetFile(target, local(QStringLiteral("back.jpg")));
    EXPECT_TRUE(QFileInfo::exists(disk(target)));
    EXPECT_EQ(QFileInfo(local(QStringLiteral("back.jpg"))).size(), 0);
    EXPECT_EQ(m_ftp.FtpFileSize(target), std::optional<qint64>(0)) << "an empty file is there";
}

TEST_F(ClsFtpTest, PutMakesMissingFoldersAndFailuresNameTheOperation) {
    const QString folder = remote(QStringLiteral("docs/"), QStringLiteral("newdir"));
    const QString target = folder + QStringLiteral("/깊은/b/x.gif");
    ASSERT_TRUE(writeBytes(local(QStringLiteral("x.gif")), "GIF89a"));
    m_ftp.SimpleFtpPutFile(local(QStringLiteral("x.gif")), target);
    EXPECT_EQ(readBytes(disk(target)), QByteArray("GIF89a"));

    std::optional<FtpError> error =
        ftpFailure([&] { m_ftp.SimpleFtpPutFile(local(QStringLiteral("no such file")), target); });
    ASSERT_TRUE(error) << "a missing local file must fail";
    EXPECT_EQ(error->code(), CURLE_READ_ERROR);
    EXPECT_TRUE(error->text().startsWith(QStringLiteral("SimpleFtpPutFile error code: 26 Message: ")))
        << error->what();
    EXPECT_EQ(readBytes(disk(target)), QByteArray("GIF89a"));

    // A failed get keeps the local file as it was.
    ASSERT_TRUE(writeBytes(local(QStringLiteral("keep.gif")), "old"));
    error = ftpFailure([&] {
        m_ftp.SimpleFtpGetFile(folder + QStringLiteral("/missing.gif"), local(QStringLiteral("keep.gif")));
    });
    ASSERT_TRUE(error) << "getting a missing remote file must fail";
    EXPECT_TRUE(error->text().startsWith(QStringLiteral("SimpleFtpGetFile error code: ")));
    EXPECT_EQ(error->replyCode(), 550) << error->what();
    EXPECT_EQ(readBytes(local(QStringLiteral("keep.gif"))), QByteArray("old"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(m_local.path()).entryList(QDir::Files),
              QStringList({QStringLiteral("keep.gif"), QStringLiteral("x.gif")}));
}

TEST_F(ClsFtpTest, ChunkedTransfersReportEveryBlockUpToTheTotal) {
    const QString target =
        remote(QStringLiteral("docs/files/"), QStringLiteral("chunk"), QStringLiteral(".jpg"));
    const qint64 size = 100'000;
    const qint64 block = 8192;
    const QByteArray bytes = binarySample(size);
    ASSERT_TRUE(writeBytes(local(QStringLiteral("big.jpg")), bytes));

    std::vector<Step> steps;
    QObject::connect(&m_ftp, &clsFTP::progress, [&](qint64 done, qint64 total) {
        steps.push_back({done, total});
    });

    const auto checkSteps = [&](const char* what) {
        ASSERT_GE(steps.size(), static_cast<size_t>(size / block)) << what;
        qint64 before = 0;
        for (const Step& step : steps) {
            EXPECT_GT(step.done, before) << what;
            EXPECT_LE(step.done - before, block) << what;
            EXPECT_EQ(step.total, size) << what;
            before = step.done;
        }
        EXPECT_EQ(steps.back().done, size) << what;
    };

    m_ftp.FtpPutFileChunked(local(QStringLiteral("big.jpg")), target, block);
    EXPECT_EQ(readBytes(disk(target)), bytes);
    checkSteps("put");

    steps.clear();
    m_ftp.FtpGetFileChunked(target, local(QStringLiteral("back.jpg")), block);
    EXPECT_EQ(readBytes(local(QStringLiteral("back.jpg"))), bytes);
    checkSteps("get");
}

// Commands after a transfer in a subfolder must still take their paths from the login folder,
// although the reused connection was left in that subfolder.
TEST_F(ClsFtpTest, RenameAndDeleteOnTheReusedConnection) {
    const QString from =
        remote(QStringLiteral("docs/files/"), QStringLiteral("ren"), QStringLiteral("_원본.jpg"));
    const QString to =
        remote(QStringLiteral("docs/files/"), QStringLiteral("ren"), QStringLiteral("_새이름.jpg"));
    ASSERT_TRUE(writeBytes(local(QStringLiteral("r.jpg")), "picture"));
    m_ftp.SimpleFtpPutFile(local(QStringLiteral("r.jpg")), from);

    m_ftp.RenameFTPFile(from, to);
    EXPECT_FALSE(QFileInfo::exists(disk(from)));
    EXPECT_EQ(readBytes(disk(to)), QByteArray("picture"));

    m_ftp.DeleteFTPFile(to);
    EXPECT_FALSE(QFileInfo::exists(disk(to)));

    const std::optional<FtpError> error = ftpFailure([&] { m_ftp.DeleteFTPFile(to); });
    ASSERT_TRUE(error) << "deleting a missing file must fail";
    EXPECT_EQ(error->code(), CURLE_QUOTE_ERROR);
    EXPECT_EQ(error->text(), QStringLiteral("DeleteFTPFile error code: 21 Message: ") +
                                 QString::fromUtf8(curl_easy_strerror(CURLE_QUOTE_ERROR)) + QLatin1Char(' ') +
                                 error->response());
    EXPECT_EQ(error->replyCode(), 550);
    EXPECT_THROW(m_ftp.RenameFTPFile(from, to), FtpError);
}

TEST_F(ClsFtpTest, MakeListAndRemoveFolders) {
    const QString folder = remote(QStringLiteral("docs/"), QStringLiteral("list"), QStringLiteral("_폴더"));
    m_ftp.CreateFTPDirectory(folder);
    EXPECT_TRUE(QFileInfo(disk(folder)).isDir());
    EXPECT_THROW(m_ftp.CreateFTPDirectory(folder), FtpError);
    // A name must not smuggle a second FTP command in after a line break.
    const std::optional<FtpError> smuggled =
        ftpFailure([&] { m_ftp.DeleteFTPFile(QStringLiteral("x\r\nRMD ") + folder); });
    ASSERT_TRUE(smuggled) << "a line break must be refused";
    EXPECT_EQ(smuggled->code(), CURLE_URL_MALFORMAT);
    EXPECT_TRUE(QFileInfo(disk(folder)).isDir());

    ASSERT_TRUE(writeBytes(disk(folder + QStringLiteral("/a b.jpg")), binarySample(1234)));
    ASSERT_TRUE(writeBytes(disk(folder + QStringLiteral("/사진.GIF")), {}));
    m_ftp.CreateFTPDirectory(folder + QStringLiteral("/sub"));

    for (const bool mlsd : {true, false}) {
        m_ftp.setUseMlsd(mlsd);
        const cDirList list = m_ftp.FtpFindFirstFile(folder);
        ASSERT_EQ(list.count(), 3) << "MLSD " << mlsd;
        const cDirItem* file = list.find(QStringLiteral("a b.jpg"));
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->size, 1234);
        EXPECT_FALSE(file->isFolder);
        const QDateTime onDisk = QFileInfo(disk(folder + QStringLiteral("/a b.jpg"))).lastModified().toUTC();
        ASSERT_TRUE(file->modified.isValid());
        EXPECT_LE(std::abs(file->modified.secsTo(onDisk)), mlsd ? 1 : 60);
        ASSERT_NE(list.find(QStringLiteral("사진.GIF")), nullptr);
        EXPECT_EQ(list.find(QStringLiteral("사진.GIF"))->size, 0);
        ASSERT_NE(list.find(QStringLiteral("sub")), nullptr);
        EXPECT_TRUE(list.find(QStringLiteral("sub"))->isFolder);
    }
    EXPECT_THROW(m_ftp.FtpFindFirstFile(folder + QStringLiteral("/none")), FtpError);

    EXPECT_THROW(m_ftp.RemoveFTPDirectory(folder), FtpError); // not empty
    m_ftp.RemoveFTPDirectory(folder + QStringLiteral("/sub"));
    EXPECT_FALSE(QFileInfo::exists(disk(folder + QStringLiteral("/sub"))));
    EXPECT_EQ(m_ftp.FtpFindFirstFile(folder).count(), 2);
}

// Every way a login fails ends in an error that tells why, and leaves no connection behind.
TEST(ClsFtpLoginTest, FailedLoginsEndInTheirReason) {
    TERAN_REQUIRE_SERVICE(ftpService().has_value(), "FTP server");
    const FtpService service = *ftpService();
    clsFTP ftp;
    std::optional<FtpError> error = ftpFailure([&] {
        openTrusting(ftp, service.host, service.port, service.user, service.password + QStringLiteral("x"));
    });
    ASSERT_TRUE(error) << "a wrong password must be refused";
    EXPECT_EQ(error->code(), 67);
    EXPECT_TRUE(error->text().startsWith(QStringLiteral("OpenConnection error code: 67 Message: ") +
                                         QString::fromUtf8(curl_easy_strerror(CURLE_LOGIN_DENIED))))
        << error->what();
    EXPECT_EQ(error->replyCode(), 530) << error->what();
    EXPECT_TRUE(error->text().endsWith(QLatin1Char(' ') + error->response()));
    EXPECT_FALSE(ftp.isConnected());
    error = ftpFailure([&] { ftp.DeleteFTPFile(QStringLiteral("docs/files/x.jpg")); });
    ASSERT_TRUE(error) << "a command without connection must fail";
    EXPECT_TRUE(error->text().startsWith(QStringLiteral("DeleteFTPFile error code: 2 Message: ")));

    ftp.setTimeouts(2, 2);
    const int closedPort = QUrl(closedPortUrl()).port();
    error = ftpFailure([&] {
        ftp.OpenConnection(QStringLiteral("127.0.0.1"), closedPort, QStringLiteral("teran"),
                           QStringLiteral("pw"));
    });
    ASSERT_TRUE(error) << "a closed port must fail";
    EXPECT_EQ(error->code(), CURLE_COULDNT_CONNECT) << error->what();
    // Accepts the connection (the system does, while nobody reads it) but never greets.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    error = ftpFailure([&] {
        ftp.OpenConnection(QStringLiteral("127.0.0.1"), silent.serverPort(), QStringLiteral("teran"),
                           QStringLiteral("pw"));
    });
    ASSERT_TRUE(error) << "a server that never answers must fail";
    EXPECT_EQ(error->code(), CURLE_OPERATION_TIMEDOUT) << error->what();
    EXPECT_FALSE(ftp.isConnected());
}
