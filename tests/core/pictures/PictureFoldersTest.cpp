#include "FtpTestFiles.h"
#include "SecuredScratch.h"
#include "TestCertificates.h"
#include "TestNeeds.h"
#include "core/pictures/FtpError.h"
#include "core/pictures/ListingImageName.h"
#include "core/pictures/PictureStore.h"
#include "core/pictures/clsFTP.h"

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
        for (const QString& office : QStringList{officeA, officeB} + moreOffices) {
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
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    std::unique_ptr<clsFTP> loggedIn(const QString& id, const QString& password) {
        auto ftp = std::make_unique<clsFTP>();
        openTrusting(*ftp, service.host, service.port, id, password);
        return ftp;
    }
    // True when the server refused the step.
    template <typename Step> static bool refused(Step step) { return ftpFailure(step).has_value(); }

    FtpService service;
    std::unique_ptr<SecuredScratchServer> server;
    QString officeA, officeB;
    QStringList moreOffices;
    QTemporaryDir data;
};

} // namespace

TERAN_SUITE_NEEDS(PictureFoldersTest, mariadb, ftp);

// An office puts and deletes its pictures in its own folder, by the program's own store.
TEST_F(PictureFoldersTest, AnOfficeWritesItsPicturesIntoItsOwnFolder) {
    const QString name = ListingImageName(officeA, 11, mainPictureSuffix(1), QStringLiteral("a.jpg"));
    localPicture(name);
    PictureServer picturesOfA = pictureServer(service.host, service.port, officeA, QStringLiteral("pw-a"));
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

// Office A can neither write nor delete under office B's folder, nor touch B's pictures from
// before the folders.
TEST_F(PictureFoldersTest, AnOfficeCannotTouchAnotherOfficesPictures) {
    const QString ofB = ListingImageName(officeB, 5, mainPictureSuffix(1), QStringLiteral("b.jpg"));
    const QString legacyOfB =
        legacyListingImageStem(officeB, 6, mainPictureSuffix(1)) + QStringLiteral(".jpg");
    ASSERT_TRUE(writeBytes(disk(ofB), "B's picture"));
    ASSERT_TRUE(writeBytes(disk(legacyOfB), "B's old picture"));
    server->data().execute(
        QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, state, imgname1) VALUES(?, 6, 'apt', 1, ?)"),
        {officeB, legacyOfB});
    const QString upload = localPicture(QStringLiteral("intruder.jpg"), "not B's");

    std::unique_ptr<clsFTP> a = loggedIn(officeA, QStringLiteral("pw-a"));
    EXPECT_TRUE(
        refused([&] { a->SimpleFtpPutFile(upload, QStringLiteral("docs/files/") + officeB + "/x.jpg"); }));
    EXPECT_TRUE(refused(
        [&] { a->SimpleFtpPutFile(upload, QStringLiteral("docs/files/") + pictureFolderOf(ofB) + ofB); }));
    EXPECT_TRUE(
        refused([&] { a->DeleteFTPFile(QStringLiteral("docs/files/") + pictureFolderOf(ofB) + ofB); }));
    EXPECT_TRUE(refused([&] { a->DeleteFTPFile(QStringLiteral("docs/files/") + legacyOfB); }));
    EXPECT_TRUE(refused([&] {
        a->RenameFTPFile(QStringLiteral("docs/files/") + legacyOfB,
                         QStringLiteral("docs/files/") + officeA + "/taken.jpg");
    }));
    EXPECT_TRUE(refused([&] { a->SimpleFtpPutFile(upload, QStringLiteral("docs/files/new_1.jpg")); }))
        << "nothing new goes beside the old pictures";
    EXPECT_EQ(readBytes(disk(ofB)), QByteArray("B's picture"));
    EXPECT_EQ(readBytes(disk(legacyOfB)), QByteArray("B's old picture"));
    // Everyone reads every picture: the shared lists show them.
    EXPECT_EQ(a->FtpFileSize(QStringLiteral("docs/files/") + pictureFolderOf(ofB) + ofB), qint64(11));
}

// A picture from before the folders belongs to the office whose listings on the vendor's server
// name it, whatever its name looks like: "offa12_1.jpg" is office offa1's listing 2, not offa's
// listing 12. Offa may delete, rename and replace only the old pictures its own listing copies
// or image boxes name.
TEST_F(PictureFoldersTest, OldPicturesBelongToTheOfficeTheServersRecordsName) {
    const QString offa = uniqueAccountName(QStringLiteral("of")) + QStringLiteral("a");
    const QString offa1 = offa + QStringLiteral("1");
    for (const QString& id : {offa, offa1}) {
        server->addOffice(NewOffice{id, QStringLiteral("pw-") + id, QStringLiteral("대표 ") + id,
                                    QStringLiteral("테스트부동산")});
        moreOffices << id;
    }
    const QString ofOffa1 = legacyListingImageStem(offa1, 2, mainPictureSuffix(1)) + QStringLiteral(".jpg");
    ASSERT_EQ(ofOffa1, legacyListingImageStem(offa, 12, mainPictureSuffix(1)) + QStringLiteral(".jpg"));
    const QString copyOfOffa = legacyListingImageStem(offa, 5, mainPictureSuffix(2)) + QStringLiteral(".jpg");
    const QString boxOfOffa = legacyListingImageStem(offa, 7, imageBoxSuffix(1)) + QStringLiteral(".jpg");
    const QString unrecorded = legacyListingImageStem(offa, 9, mainPictureSuffix(1)) + QStringLiteral(".jpg");
    SqlStore& vendor = server->data();
    vendor.execute(
        QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, state, imgname1) VALUES(?, 2, 'apt', 1, ?)"),
        {offa1, ofOffa1});
    vendor.execute(
        QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, state, imgname2) VALUES(?, 5, 'apt', 0, ?)"),
        {offa, copyOfOffa});
    vendor.execute(
        QStringLiteral("INSERT INTO filebox(tb, ty, ID, sub_idx, Img1) VALUES('apt', '', ?, 7, ?)"),
        {offa, ListingImageName(offa, 7, imageBoxSuffix(0), QStringLiteral("x.jpg")) + QStringLiteral("|") +
                   boxOfOffa});
    for (const QString& name : {ofOffa1, copyOfOffa, boxOfOffa, unrecorded})
        ASSERT_TRUE(writeBytes(disk(name), "old " + name.toUtf8()));
    const QString upload = localPicture(QStringLiteral("new.jpg"), "new bytes");
    const QString old = QStringLiteral("docs/files/");

    std::unique_ptr<clsFTP> a = loggedIn(offa, QStringLiteral("pw-") + offa);
    // offa1's picture: no delete, no rename, no overwrite.
    EXPECT_TRUE(refused([&] { a->DeleteFTPFile(old + ofOffa1); }));
    EXPECT_TRUE(refused([&] { a->RenameFTPFile(old + ofOffa1, old + offa + QStringLiteral("/mine.jpg")); }));
    EXPECT_TRUE(refused([&] { a->SimpleFtpPutFile(upload, old + ofOffa1); }));
    EXPECT_EQ(readBytes(disk(ofOffa1)), "old " + ofOffa1.toUtf8());
    // Nothing of the server names this one: its name alone proves nothing.
    EXPECT_TRUE(refused([&] { a->DeleteFTPFile(old + unrecorded); }));
    EXPECT_TRUE(QFile::exists(disk(unrecorded)));

    // Its own, by the listing's copy and by the image box.
    EXPECT_FALSE(refused([&] { a->SimpleFtpPutFile(upload, old + copyOfOffa); }));
    EXPECT_EQ(readBytes(disk(copyOfOffa)), QByteArray("new bytes"));
    const QString moved = offa + QStringLiteral("/") + ListingImageName(offa, 7, imageBoxSuffix(1), "x.jpg");
    EXPECT_FALSE(refused([&] { a->RenameFTPFile(old + boxOfOffa, old + moved); }));
    EXPECT_EQ(readBytes(ftpDiskPath(service, old + moved)), "old " + boxOfOffa.toUtf8());
    // ... but not out of its folder under a name nobody recorded.
    EXPECT_TRUE(refused([&] { a->RenameFTPFile(old + moved, old + unrecorded + QStringLiteral("x")); }));
    EXPECT_FALSE(refused([&] { a->DeleteFTPFile(old + copyOfOffa); }));
    EXPECT_FALSE(QFile::exists(disk(copyOfOffa)));

    // offa1 itself may delete the picture its listing names.
    std::unique_ptr<clsFTP> b = loggedIn(offa1, QStringLiteral("pw-") + offa1);
    EXPECT_FALSE(refused([&] { b->DeleteFTPFile(old + ofOffa1); }));
    EXPECT_FALSE(QFile::exists(disk(ofOffa1)));
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
