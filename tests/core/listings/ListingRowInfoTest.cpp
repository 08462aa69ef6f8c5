#include "core/listings/ListingRowInfo.h"
#include "ListsOffice.h"
#include "core/pictures/PictureStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace teran;
using namespace teran::test;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class ListingRowInfoTest : public ListsTest {
protected:
    void addNote(int number, const QDateTime& when, const QString& work, const QString& tb = "maemul",
                 const QString& addr = {}) {
        f->local().execute(
            QStringLiteral("INSERT INTO mem_work(id, tb, tidx, addr, writeday, work) VALUES(?,?,?,?,?,?)"),
            {QStringLiteral("off1"), tb, number, addr, when, work});
    }

    QString filesPath(const QString& name) const {
        return QDir(f->session().dataFolder().files()).filePath(name);
    }
};

QDateTime day(int d) {
    return QDateTime(QDate(2026, 3, d), QTime(10, 0));
}

} // namespace

TERAN_CASE_NEEDS(ListingRowInfoTest, SharedPicturesComeFromTheWebFolder, ftp, web);

// The owner, unless another staff member keeps him private, the latest note of the listing
// itself, and the pictures whose files are in the data folder.
TEST_F(ListingRowInfoTest, AnOwnRowShowsItsOwnerItsLatestNoteAndItsPictures) {
    const int number = f->addOwn({{"uname", "홍길동"},
                                  {"uhome", "02-111-2222"},
                                  {"uhp", "010-3333-4444"},
                                  {"imgname1", "off1_1_1.jpg"},
                                  {"imgname2", "off1_1_2.jpg"}});
    const int other = f->addOwn({});
    addNote(number, day(1), QStringLiteral("첫 방문"));
    addNote(number, day(5), QStringLiteral("가격 조정"));
    addNote(number, day(9), QStringLiteral("번지 메모"), QStringLiteral("maemul"),
            QStringLiteral("역삼동 12"));
    addNote(number, day(9), QStringLiteral("손님 메모"), QStringLiteral("maesu"));
    addNote(other, day(9), QStringLiteral("다른 매물"));
    ASSERT_TRUE(writeFile(filesPath(QStringLiteral("off1_1_1.jpg")), "jpeg"));

    RowDetails details = ownRowDetails(f->session(), number);
    EXPECT_EQ(details.number, number);
    EXPECT_EQ(details.infoText,
              QStringLiteral("홍길동 [집]02-111-2222 [핸]010-3333-4444\n2026-03-05 가격 조정"));
    EXPECT_EQ(QFileInfo(details.picture1).canonicalFilePath(),
              QFileInfo(filesPath(QStringLiteral("off1_1_1.jpg"))).canonicalFilePath());
    EXPECT_TRUE(details.picture2.isEmpty()); // named but missing
    details = ownRowDetails(f->session(), other);
    EXPECT_TRUE(details.picture1.isEmpty());
    EXPECT_TRUE(details.picture2.isEmpty());

    const int kept = f->addOwn({{"uname", "비공개"}, {"uhp", "010-1"}, {"opid", "st2"}});
    f->loginAs(QStringLiteral("st1"));
    EXPECT_TRUE(ownRowDetails(f->session(), kept).infoText.startsWith(QStringLiteral("-\n")));
    f->loginAs(QStringLiteral("st2"));
    EXPECT_TRUE(
        ownRowDetails(f->session(), kept).infoText.startsWith(QStringLiteral("비공개 [집] [핸]010-1\n")));
}

TEST_F(ListingRowInfoTest, SharedRowShowsTheOfficeAndItsAgent) {
    f->addOtherOffice(QStringLiteral("other"), QStringLiteral("이사장"), QStringLiteral("02-555-0000"),
                      QStringLiteral("010-5555-0000"));
    f->server().execute(QStringLiteral("UPDATE members SET shopname = ? WHERE memID = ?"),
                        {QStringLiteral("다른부동산"), QStringLiteral("other")});
    f->addShared({{"bigoie", "공동중개 환영"}});
    const int serverIdx = lastServerRow();

    const RowDetails details = sharedRowDetails(f->session(), serverIdx);
    EXPECT_EQ(details.number, serverIdx);
    EXPECT_EQ(details.infoText,
              QStringLiteral("다른부동산\n[이사장]\n02-555-0000 [대]\n010-5555-0000 [담]\n공동중개 환영"));

    EXPECT_EQ(sharedRowDetails(f->session(), serverIdx + 50).infoText, QStringLiteral("등록자정보없음."));
    f->addShared({{"id", "ghost"}, {"subid", "ghost"}});
    const int orphan = lastServerRow();
    EXPECT_EQ(sharedRowDetails(f->session(), orphan).infoText, QStringLiteral("등록자정보없음."));

    // Its pictures are only fetched from the web while online; a picture store on this machine
    // (no FTP host) needs no web address, FTP pictures do.
    f->session().state().InternetOk = false;
    EXPECT_FALSE(webPictureFetch(f->session()));
    f->session().state().InternetOk = true;
    const TeranConfig& config = f->session().config();
    EXPECT_EQ(bool(webPictureFetch(f->session())), config.ftpHost.isEmpty() || !config.webBaseUrl.isEmpty());
}

TEST_F(ListingRowInfoTest, SharedPicturesComeFromTheWebFolder) {
    const std::optional<FtpService> ftp = ftpService();
    TERAN_REQUIRE_SERVICE(ftp && !webServiceUrl().isEmpty(), "The loopback FTP/HTTP server");
    const QString name = uniqueName(QStringLiteral("rowinfo")) + QStringLiteral(".jpg");
    const QString remote = QDir(ftp->root).filePath(QStringLiteral("docs/files/") + name);
    ASSERT_TRUE(writeFile(remote, "picture bytes"));
    f->addShared({{"imgname1", name}, {"imgname2", "missing-" + name}});
    const int serverIdx = lastServerRow();

    PictureServer web;
    web.webBaseUrl = webServiceUrl();
    auto store = std::make_shared<PictureStore>(web, f->session().dataFolder().root());
    const RowDetails details = sharedRowDetails(
        f->session(), serverIdx, [store](const QString& n) { return store->DownloadPicture(n); });
    QFile::remove(remote);
    QFile local(details.picture1);
    ASSERT_TRUE(local.open(QIODevice::ReadOnly)) << details.picture1.toStdString();
    EXPECT_EQ(local.readAll(), QByteArray("picture bytes"));
    EXPECT_TRUE(details.picture2.isEmpty()); // not on the server: no picture, no failure
}

TEST_F(ListingRowInfoTest, TheDetailViewListsCaptionedValuesOfTheServerRow) {
    f->addShared({{"sub_idx", 77},
                  {"tb", "apt"},
                  {"ty", "W"},
                  {"cboname", "래미안"},
                  {"money_b", 2000},
                  {"money_w", 120},
                  {"money_m", 0},
                  {"floor", "7"},
                  {"floor_max", 15},
                  {"mbigo", "<역세권>"}});
    const int serverIdx = lastServerRow();
    const QList<DetailField> fields = sharedListingDetail(f->server(), serverIdx);
    QHash<QString, QString> byCaption;
    QStringList captions;
    for (const DetailField& field : fields) {
        byCaption.insert(field.caption, field.value);
        captions << field.caption;
    }
    EXPECT_EQ(byCaption.value(QStringLiteral("번호")), QStringLiteral("77"));
    EXPECT_EQ(byCaption.value(QStringLiteral("종목")), QStringLiteral("아파트"));
    EXPECT_EQ(byCaption.value(QStringLiteral("분류")), QStringLiteral("월세"));
    EXPECT_EQ(byCaption.value(QStringLiteral("아파트명")), QStringLiteral("래미안"));
    EXPECT_EQ(byCaption.value(QStringLiteral("월세보증금")), QStringLiteral("2,000"))
        << "as the apartment form calls it";
    EXPECT_EQ(byCaption.value(QStringLiteral("층수")), QStringLiteral("7 / 15"));
    EXPECT_EQ(byCaption.value(QStringLiteral("비고")), QStringLiteral("<역세권>"));
    EXPECT_FALSE(captions.contains(QStringLiteral("매매가"))); // no amount, no line
    EXPECT_EQ(captions.count(QStringLiteral("번호")), 1);
    EXPECT_TRUE(sharedListingDetail(f->server(), serverIdx + 99).isEmpty());
}
