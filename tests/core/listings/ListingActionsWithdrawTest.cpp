#include "TestOffice.h"
#include "listings/ActionTexts.h"
#include "publication/OutboxSender.h"

#include <QFileInfo>

using namespace teran;
using namespace teran::test;

namespace {

class ListingActionsWithdrawTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    int hits(int number) {
        return office->local()
            .scalar("SELECT hitadd + hitmem FROM maemul WHERE table_idx = ?", {number})
            .toInt();
    }
    bool localExists(int number) {
        return office->local().scalar("SELECT table_idx FROM maemul WHERE table_idx = ?", {number}).isValid();
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// Each scope takes back its own publication: what stays published keeps its copy with the
// narrower state in both stores, what leaves the server loses its copy and returns to the box.
TEST_P(ListingActionsWithdrawTest, UnpublishScopesOnEveryPublishedState) {
    struct Case {
        UnpublishScope scope;
        const char* name;
        int after1, after3, after7; // local states; the copy stays exactly when the state is not 0
    };
    const Case cases[] = {{UnpublishScope::Clubs, "테란클럽", 1, 1, 0},
                          {UnpublishScope::Internet, "인터넷", 0, 7, 7},
                          {UnpublishScope::Both, "테란클럽 + 인터넷", 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<std::tuple<int, int, int>> rows{{office->addPublished(1), 1, c.after1},
                                                    {office->addPublished(3), 3, c.after3},
                                                    {office->addPublished(7), 7, c.after7}};
        office->dialogs.clear();
        office->answerYes();

        const ActionOutcome outcome = office->actions().unpublish(
            TestOffice::picks({std::get<0>(rows[0]), std::get<0>(rows[1]), std::get<0>(rows[2])}), c.scope);

        int touched = 0;
        for (const auto& [number, before, expected] : rows) {
            SCOPED_TRACE(before);
            EXPECT_EQ(office->localState(number), expected);
            EXPECT_EQ(office->serverState(number), expected ? std::optional<int>(expected) : std::nullopt);
            // Every row the unpublish touched loses its grades; the rest keep them.
            EXPECT_EQ(hits(number), expected != before ? 0 : 3);
            touched += expected != before ? 1 : 0;
        }
        EXPECT_EQ(outcome.done, touched);
        EXPECT_EQ(outcome.skipped, 3 - touched);
        EXPECT_TRUE(office->dialogs.shown().first().text.contains(QString::fromUtf8(c.name) +
                                                                  QStringLiteral(" 매물에서 삭제합니다.")));
        EXPECT_EQ(office->dialogs.lastText(), ActionTexts::unpublishDone(outcome.done));
    }

    const int boxed = office->addListing();
    EXPECT_FALSE(office->actions().unpublish(TestOffice::picks({boxed}), UnpublishScope::Both).ran);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("선택된 매물이 없거나 인터넷에 등록된매물이 없습니다."));
}

// Without the internet the office's own store still moves; a published row's copy waits in the
// outbox and leaves the server when it answers again.
TEST_P(ListingActionsWithdrawTest, ArchiveWithoutTheInternetQueuesThePublishedRows) {
    const int published = office->addPublished(3);
    const int plain = office->addListing();
    office->session().state().InternetOk = false;
    office->answerYes();
    const ActionOutcome outcome = office->actions().archive(TestOffice::picks({published, plain}));
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(outcome.queued, 1);
    EXPECT_EQ(office->localState(plain), 2);
    EXPECT_EQ(office->localState(published), 2);
    EXPECT_EQ(office->serverState(published), 3) << "the server was not reachable";
    EXPECT_TRUE(office->dialogs.lastText().contains(
        ActionTexts::queuedNote(1, QStringLiteral("매물%1").arg(published))));

    office->session().state().InternetOk = true;
    const OutboxReport report = OutboxSender(office->session(), {}, QStringLiteral("test => ")).sendWaiting();
    EXPECT_EQ(report.sent, 1);
    EXPECT_EQ(report.waiting, 0);
    EXPECT_EQ(office->serverState(published), std::nullopt);
}

TEST_P(ListingActionsWithdrawTest, StaffDeletesOnlyTheListingsInHisCharge) {
    office->session().state().LoginId = QStringLiteral("st1");
    const int mine = office->addListing({{"subid", "st1"}});
    const int colleagues = office->addPublished(1, {{"subid", "st2"}});
    const int alsoMine = office->addPublished(7, {{"subid", "st1"}});
    const int nobodys = office->addListing({{"subid", QVariant()}});
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().remove(TestOffice::picks({mine, colleagues, alsoMine, nobodys}));

    EXPECT_EQ(office->dialogs.shown().first().text,
              ActionTexts::deleteQuestion(2, QStringLiteral("매물%1,매물%2").arg(mine).arg(alsoMine)));
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물 삭제작업 (2)건을 완료하였습니다."));
    EXPECT_EQ(outcome.skipped, 2);
    EXPECT_FALSE(localExists(mine));
    EXPECT_FALSE(localExists(alsoMine));
    EXPECT_EQ(office->serverState(alsoMine), std::nullopt);
    EXPECT_TRUE(localExists(nobodys));
    EXPECT_EQ(office->serverState(colleagues), 1);

    // The main account deletes whatever is ticked.
    office->session().state().LoginId = office->officeId();
    office->answerYes();
    EXPECT_EQ(office->actions().remove(TestOffice::picks({colleagues, nobodys})).done, 2);
    EXPECT_EQ(office->serverState(colleagues), std::nullopt);
}

// The image box and the files of a listing are found by its number (`tidx`), never by the
// number of the image-box row, which belongs to another listing as often as not.
TEST_P(ListingActionsWithdrawTest, DeleteRemovesTheListingsOwnImageBoxAndFilesOnly) {
    const int first = office->addListing();
    const int doomed = office->addListing();
    const QString id = office->officeId();
    const auto box = [&](int number) {
        office->local().execute(
            "INSERT INTO filebox (tb, ty, tidx, Img1, Img2) VALUES ('apt', 'M', ?, 'gita_lo|gita_lo', ?)",
            {number, pictureName(id, number, 3) + '|' + pictureName(id, number, 4)});
    };
    box(doomed); // image-box row 1 belongs to listing `doomed`
    box(first);  // image-box row 2 belongs to listing `first`
    ASSERT_EQ(office->local().scalar("SELECT table_idx FROM filebox WHERE tidx = ?", {doomed}).toInt(),
              first);
    const QStringList doomedFiles{pictureName(id, doomed, 1), pictureName(id, doomed, 3),
                                  pictureName(id, doomed, 2, "png"),
                                  QString::number(doomed) + "/contract.pdf"};
    const QStringList keptFiles{pictureName(id, first, 3), pictureName(id, doomed, 30),
                                QString::number(first) + "/contract.pdf"};
    for (const QString& file : doomedFiles + keptFiles)
        ASSERT_TRUE(office->writeLocalPicture(file));
    office->answerYes();

    EXPECT_EQ(office->actions().remove(TestOffice::picks({doomed})).done, 1);

    for (const QString& file : doomedFiles)
        EXPECT_FALSE(QFileInfo::exists(office->localPicture(file))) << file.toStdString();
    for (const QString& file : keptFiles)
        EXPECT_TRUE(QFileInfo::exists(office->localPicture(file))) << file.toStdString();
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM filebox WHERE tidx = ?", {doomed}).toInt(), 0);
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM filebox WHERE tidx = ?", {first}).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsWithdrawTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
