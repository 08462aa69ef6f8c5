#include "FtpTestFiles.h"
#include "SecuredScratch.h"
#include "pictures/FtpError.h"
#include "pictures/ListingImageName.h"
#include "pictures/PictureStore.h"
#include "pictures/clsFTP.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

// Two offices of a vendor's server with an account per member, and its picture server: each
// member logs in to it with its own account.
class PictureFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        const std::optional<FtpService> ftp = ftpService();
        TERAN_REQUIRE_SERVICE(ftp.has_value(), "the loopback FTP server");
        service = *ftp;
        server = SecuredScratchServer::make({QStringLiteral("shared-ftp-secret"), 0});
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        officeA = server->addOffice(QStringLiteral("pw-a"));
        officeB = server->addOffice(QStringLiteral("pw-b"));
        ASSERT_TRUE(data.isValid());
        ASSERT_TRUE(QDir().mkpath(data.filePath(QStringLiteral("files"))));
    }

    void TearDown() override {
        const QDir files(QDir(service.root).filePath(QStringLiteral("docs/files")));
        for (const QString& office : {officeA, officeB}) {
            if (office.isEmpty())
                continue;
            QDir(files.filePath(office)).removeRecursively();
            for (const QString& name : files.entryList({office + QLatin1Char('*')}, QDir::Files))
                QFile::remove(files.filePath(name));
        }
    }

    QString disk(const QString& name) const {
        return ftpDiskPath(service, QStringLiteral("docs/files/") + pictureFolderOf(name) + name);
    }
    QString localPicture(const QString& name, const QByteArray& bytes = "picture bytes") {
        const QString path = data.filePath(QStringLiteral("files/") + name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    std::unique_ptr<clsFTP> loggedIn(const QString& id, const QString& password) {
        auto ftp = std::make_unique<clsFTP>();
        ftp->setTimeouts(5, 10);
        ftp->OpenConnection(service.host, service.port, id, password);
        return ftp;
    }
    // True when the server refused the step.
    template <typename Step> static bool refused(Step step) {
        try {
            step();
            return false;
        } catch (const FtpError&) {
            return true;
        }
    }

    FtpService service;
    std::unique_ptr<SecuredScratchServer> server;
    QString officeA, officeB;
    QTemporaryDir data;
};

} // namespace

// An office puts and deletes its pictures in its own folder, by the program's own store.
TEST_F(PictureFoldersTest, AnOfficeWritesItsPicturesIntoItsOwnFolder) {
    const QString name = ListingImageName(officeA, 11, mainPictureSuffix(1), QStringLiteral("a.jpg"));
    localPicture(name);
    PictureServer picturesOfA;
    picturesOfA.host = service.host;
    picturesOfA.port = service.port;
    picturesOfA.user = officeA;
    picturesOfA.password = QStringLiteral("pw-a");
    PictureStore store(picturesOfA, data.path());
    ASSERT_TRUE(store.FtpOpen()) << store.lastError().toStdString();
    ASSERT_TRUE(store.FtpCommand(QStringLiteral("up"), QStringLiteral("maemul"), name))
        << store.lastError().toStdString();
    EXPECT_TRUE(QFile::exists(disk(name)));
    EXPECT_TRUE(disk(name).contains(QStringLiteral("/docs/files/") + officeA + QLatin1Char('/')));
    EXPECT_TRUE(store.FtpCommand(QStringLiteral("del"), QStringLiteral("maemul"), name));
    EXPECT_FALSE(QFile::exists(disk(name)));

    picturesOfA.password = QStringLiteral("wrong");
    PictureStore wrong(picturesOfA, data.path());
    EXPECT_FALSE(wrong.FtpOpen()) << "the picture server asks the vendor's server";
}

// Office A can neither write nor delete under office B's folder, nor delete B's pictures from
// before the folders; it may delete its own of those.
TEST_F(PictureFoldersTest, AnOfficeCannotTouchAnotherOfficesPictures) {
    const QString ofB = ListingImageName(officeB, 5, mainPictureSuffix(1), QStringLiteral("b.jpg"));
    const QString legacyOfB =
        legacyListingImageStem(officeB, 6, mainPictureSuffix(1)) + QStringLiteral(".jpg");
    const QString legacyOfA =
        legacyListingImageStem(officeA, 7, mainPictureSuffix(2)) + QStringLiteral(".jpg");
    ASSERT_TRUE(writeBytes(disk(ofB), "B's picture"));
    ASSERT_TRUE(writeBytes(disk(legacyOfB), "B's old picture"));
    ASSERT_TRUE(writeBytes(disk(legacyOfA), "A's old picture"));
    const QString upload = localPicture(QStringLiteral("intruder.jpg"), "not B's");

    std::unique_ptr<clsFTP> a = loggedIn(officeA, QStringLiteral("pw-a"));
    EXPECT_TRUE(
        refused([&] { a->SimpleFtpPutFile(upload, QStringLiteral("docs/files/") + officeB + "/x.jpg"); }));
    EXPECT_TRUE(refused(
        [&] { a->SimpleFtpPutFile(upload, QStringLiteral("docs/files/") + pictureFolderOf(ofB) + ofB); }));
    EXPECT_TRUE(
        refused([&] { a->DeleteFTPFile(QStringLiteral("docs/files/") + pictureFolderOf(ofB) + ofB); }));
    EXPECT_TRUE(refused([&] { a->DeleteFTPFile(QStringLiteral("docs/files/") + legacyOfB); }));
    EXPECT_TRUE(refused([&] { a->SimpleFtpPutFile(upload, QStringLiteral("docs/files/") + legacyOfA); }))
        << "the old folder is read-only";
    EXPECT_TRUE(refused([&] {
        a->RenameFTPFile(QStringLiteral("docs/files/") + legacyOfB,
                         QStringLiteral("docs/files/") + officeA + "/taken.jpg");
    }));
    EXPECT_EQ(readBytes(disk(ofB)), QByteArray("B's picture"));
    EXPECT_TRUE(QFile::exists(disk(legacyOfB)));

    EXPECT_FALSE(refused([&] { a->DeleteFTPFile(QStringLiteral("docs/files/") + legacyOfA); }));
    EXPECT_FALSE(QFile::exists(disk(legacyOfA)));
    // Everyone reads every picture: the shared lists show them.
    EXPECT_EQ(a->FtpFileSize(QStringLiteral("docs/files/") + pictureFolderOf(ofB) + ofB), qint64(11));
}

// The vendor's server keeps no FTP password in the texts every office reads, even when one was
// given or kept from before the accounts.
TEST_F(PictureFoldersTest, NoServerTextHoldsAnFtpPassword) {
    std::unique_ptr<SqlStore> member = server->connectAs(officeA, QStringLiteral("pw-a"));
    QSqlQuery texts = member->query(QStringLiteral("SELECT table_idx, content FROM mem_msg"));
    int seen = 0;
    while (texts.next()) {
        ++seen;
        EXPECT_FALSE(texts.value(1).toString().contains(QStringLiteral("shared-ftp-secret")))
            << "row " << texts.value(0).toInt();
        if (texts.value(0).toInt() == 8) {
            EXPECT_TRUE(texts.value(1).toString().isEmpty());
        }
    }
    EXPECT_GT(seen, 0);
}
