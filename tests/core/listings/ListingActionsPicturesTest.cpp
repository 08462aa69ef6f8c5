#include "TestOffice.h"
#include "listings/ActionTexts.h"

#include <QFileInfo>
#include <QUrl>

using namespace teran;
using namespace teran::test;

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

class ListingActionsPicturesTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(ftpService().has_value(), "The loopback FTP server");
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    QString name(int number, int suffix, const QString& extension = QStringLiteral("jpg")) const {
        return pictureName(office->officeId(), number, suffix, extension);
    }

    bool onServer(const QString& picture) const { return QFileInfo::exists(office->remotePicture(picture)); }

    // A listing with both main pictures and an image box: slot 0 published, slot 1 kept at the
    // office, slot 2 newly chosen for publication, slot 3 empty.
    int listingWithPictures() {
        const int number = office->addListing();
        const QStringList names{name(number, 3), name(number, 4), name(number, 5, "gif"), QString()};
        office->local().execute("UPDATE maemul SET imgname1 = ?, imgname2 = ? WHERE table_idx = ?",
                                {name(number, 1), name(number, 2, "GIF"), number});
        office->local().execute(
            "INSERT INTO filebox (tb, ty, tidx, Img1, Img2, img3) VALUES (?, ?, ?, ?, ?, ?)",
            {"apt", "M", number, "gita_ie|gita_lo|internet|noimg", names.join('|'),
             "gita_ie|gita_lo|internet|noimg"});
        for (const QString& picture : {name(number, 1), name(number, 2, "GIF"), names[0], names[1], names[2]})
            EXPECT_TRUE(office->writeLocalPicture(picture));
        return number;
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

TEST_P(ListingActionsPicturesTest, PublishingSendsTheChosenPicturesAndRecordsTheImageBox) {
    const int number = listingWithPictures();
    // A picture an earlier publication left, and recorded, in the slot that is now kept at the
    // office; and a file of the same slot that nothing records, which is not looked for.
    ASSERT_TRUE(office->writeRemotePicture(name(number, 4, "png")));
    office->server().execute("INSERT INTO filebox (tb, ty, ID, sub_idx, Img1) VALUES ('apt', 'M', ?, ?, ?)",
                             {office->officeId(), number, name(number, 4, "png")});
    ASSERT_TRUE(office->writeRemotePicture(name(number, 4, "bmp")));
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks({number}), PublicationState::Internet);

    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.picturesIncomplete, 0);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물 등록작업 (1)건을 완료하였습니다."));
    for (const QString& sent :
         {name(number, 1), name(number, 2, "GIF"), name(number, 3), name(number, 5, "gif")})
        EXPECT_TRUE(onServer(sent)) << sent.toStdString();
    EXPECT_FALSE(onServer(name(number, 4, "png")));
    EXPECT_FALSE(onServer(name(number, 4)));
    EXPECT_TRUE(onServer(name(number, 4, "bmp"))) << "the picture folder is never listed";
    EXPECT_EQ(
        office->server()
            .scalar("SELECT Img1 FROM filebox WHERE ID = ? AND sub_idx = ?", {office->officeId(), number})
            .toString(),
        name(number, 3) + '|' + name(number, 5, "gif"));
    EXPECT_EQ(office->serverColumn(number, "imgname2").toString(), name(number, 2, "GIF"));
    EXPECT_EQ(office->local().scalar("SELECT img3 FROM filebox WHERE tidx = ?", {number}).toString(),
              QString());
}

// The copy is written, so the listing is published; the picture that did not go up is named.
TEST_P(ListingActionsPicturesTest, PictureThatCannotGoUpIsReportedButTheRowStaysPublished) {
    const int number = office->addListing();
    // Named by the listing, but the file never reached the data folder.
    office->local().execute("UPDATE maemul SET imgname1 = ? WHERE table_idx = ?", {name(number, 1), number});
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks({number}), PublicationState::ClubsAndInternet);

    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.picturesIncomplete, 1);
    EXPECT_EQ(office->localState(number), 3);
    EXPECT_EQ(office->serverState(number), 3);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("매물 등록작업 (1)건을 완료하였습니다.") + kBreak +
                  ActionTexts::picturesNotSentNote(1, QStringLiteral("매물%1").arg(number)));
    EXPECT_EQ(office->serverColumn(number, "imgname1").toString(), QString())
        << "the copy names only pictures that arrived";
    EXPECT_EQ(office->local().scalar("SELECT imgname1 FROM maemul WHERE table_idx = ?", {number}).toString(),
              name(number, 1))
        << "the office keeps its own name";
}

TEST_P(ListingActionsPicturesTest, ArchivingAClubAndInternetListingRemovesItsCopyAndPictures) {
    const int number = listingWithPictures();
    const int other = office->addPublished(1);
    office->answerYes();
    office->actions().publish(TestOffice::picks({number}), PublicationState::ClubsAndInternet);
    ASSERT_EQ(office->serverState(number), 3);
    ASSERT_TRUE(onServer(name(number, 1)));
    ASSERT_TRUE(onServer(name(number, 3)));
    office->progressTexts.clear();
    office->dialogs.clear();
    office->answerYes();

    const ActionOutcome outcome = office->actions().archive(TestOffice::picks({number}));

    EXPECT_EQ(office->dialogs.shown().first().text,
              ActionTexts::archiveQuestion(1, QStringLiteral("매물%1").arg(number)));
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물보관함으로 이동작업 (1)건을 완료하였습니다."));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(office->localState(number), 2);
    EXPECT_EQ(
        office->local().scalar("SELECT hitadd + hitmem FROM maemul WHERE table_idx = ?", {number}).toInt(),
        0);
    EXPECT_EQ(office->serverState(number), std::nullopt);
    EXPECT_EQ(
        office->server()
            .scalar("SELECT COUNT(*) FROM filebox WHERE ID = ? AND sub_idx = ?", {office->officeId(), number})
            .toInt(),
        0);
    for (const QString& gone :
         {name(number, 1), name(number, 2, "GIF"), name(number, 3), name(number, 5, "gif")})
        EXPECT_FALSE(onServer(gone)) << gone.toStdString();
    EXPECT_EQ(office->serverState(other), 1);
    EXPECT_EQ(office->progressTexts,
              QStringList({QStringLiteral("총 1 개의 데이타중 1 개를 이동하는중입니다."), QString()}));
    // The office keeps its own pictures.
    EXPECT_TRUE(QFileInfo::exists(office->localPicture(name(number, 1))));
}

// With the picture server gone the copy still leaves the shared lists; the pictures left behind
// are named so that the office knows.
TEST_P(ListingActionsPicturesTest, UnpublishWithThePictureServerGoneStillRemovesTheCopy) {
    const int number = office->addPublished(7);
    office->server().execute("UPDATE maemul SET imgname1 = ? WHERE sub_idx = ?", {name(number, 1), number});
    ASSERT_TRUE(office->writeRemotePicture(name(number, 1)));
    ListingActions actions(office->session(), [this] {
        PictureServer dead;
        dead.host = QStringLiteral("127.0.0.1");
        dead.port = QUrl(closedPortUrl()).port();
        return std::make_unique<PictureStore>(dead, office->session().dataFolder().root());
    });
    office->answerYes();

    const ActionOutcome outcome = actions.unpublish(TestOffice::picks({number}), UnpublishScope::Clubs);

    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.picturesIncomplete, 1);
    EXPECT_EQ(office->serverState(number), std::nullopt);
    EXPECT_EQ(office->localState(number), 0);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral(" 매물 삭제작업 (1)건을 완료하였습니다.") + kBreak +
                  ActionTexts::picturesNotRemovedNote(1, QStringLiteral("매물%1").arg(number)));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsPicturesTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
