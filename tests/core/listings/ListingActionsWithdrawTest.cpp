#include "ActionOffice.h"

#include <QDir>
#include <QFileInfo>

using namespace teran;
using namespace teran::test;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class ListingActionsWithdrawTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = ActionOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    int hits(int number) {
        return office->local()
            .scalar("SELECT hitadd + hitmem FROM maemul WHERE table_idx = ?", {number})
            .toInt();
    }
    int serverHits(int number) {
        return office->serverColumn(number, "hitadd").toInt() +
               office->serverColumn(number, "hitmem").toInt();
    }
    bool localExists(int number) {
        return office->local().scalar("SELECT table_idx FROM maemul WHERE table_idx = ?", {number}).isValid();
    }

    std::unique_ptr<ActionOffice> office;
};

struct Expected {
    int local;
    std::optional<int> server; // nullopt: the copy is gone
};

} // namespace

// Each scope takes back its own publication: what stays published keeps its copy with the
// narrower state in both stores, what leaves the server loses its copy and returns to the box.
TEST_P(ListingActionsWithdrawTest, UnpublishScopesOnEveryPublishedState) {
    struct Case {
        UnpublishScope scope;
        QString name; // as the question names the publication
        Expected after1, after3, after7;
        int done;
    };
    const QList<Case> cases = {
        {UnpublishScope::Clubs, QStringLiteral("테란클럽"), {1, 1}, {1, 1}, {0, std::nullopt}, 2},
        {UnpublishScope::Internet, QStringLiteral("인터넷"), {0, std::nullopt}, {7, 7}, {7, 7}, 2},
        {UnpublishScope::Both,
         QStringLiteral("테란클럽 + 인터넷"),
         {0, std::nullopt},
         {0, std::nullopt},
         {0, std::nullopt},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const int one = office->addPublished(1);
        const int three = office->addPublished(3);
        const int seven = office->addPublished(7);
        office->dialogs().clear();
        office->answerYes();

        const ActionOutcome outcome =
            office->actions().unpublish(ActionOffice::picks({one, three, seven}), c.scope);

        const QList<std::tuple<int, int, Expected>> rows{
            {one, 1, c.after1}, {three, 3, c.after3}, {seven, 7, c.after7}};
        for (const auto& [number, before, expected] : rows) {
            SCOPED_TRACE(before);
            EXPECT_EQ(office->localState(number), expected.local);
            EXPECT_EQ(office->serverState(number), expected.server);
            const bool touched = expected.local != before;
            // Every row the unpublish touched loses its grades in both stores; the rest keep them.
            EXPECT_EQ(hits(number), touched ? 0 : 3);
            if (expected.server) {
                EXPECT_EQ(serverHits(number), touched ? 0 : 3);
            }
        }
        EXPECT_EQ(outcome.done, c.done);
        EXPECT_EQ(outcome.skipped, 3 - c.done);
        const auto& question = office->dialogs().shown().first();
        EXPECT_EQ(question.title, QStringLiteral("인터넷매물삭제"));
        EXPECT_TRUE(question.text.startsWith(QStringLiteral("선택된매물 (%1)개 ").arg(c.done) + kCrLf));
        EXPECT_TRUE(question.text.endsWith(QStringLiteral("]을 ") + kCrLf + kCrLf + c.name +
                                           QStringLiteral(" 매물에서 삭제합니다.") + kCrLf + kCrLf +
                                           QStringLiteral("실행하시겠습니까 ?")));
        EXPECT_EQ(office->dialogs().lastText(),
                  QStringLiteral(" 매물 삭제작업 (%1)건을 완료하였습니다.").arg(c.done));
    }
}

TEST_P(ListingActionsWithdrawTest, NothingPublishedToUnpublish) {
    const int boxed = office->addListing();
    const int archived = office->addListing({{"state", 2}});
    const ActionOutcome outcome =
        office->actions().unpublish(ActionOffice::picks({boxed, archived}), UnpublishScope::Both);
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(office->dialogs().lastText(),
              QStringLiteral("선택된 매물이 없거나 인터넷에 등록된매물이 없습니다."));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("확인"));
    EXPECT_EQ(office->localState(archived), 2);
}

// A copy the server refuses to delete keeps the row published: the office can try again.
TEST_P(ListingActionsWithdrawTest, CopyThatCannotBeDeletedKeepsTheRowPublished) {
    const int published = office->addPublished(1);
    const int boxed = office->addListing();
    office->server().execute(QStringLiteral("DROP TABLE filebox"));
    office->answerYes();

    const ActionOutcome outcome = office->actions().archive(ActionOffice::picks({published, boxed}));

    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.failedNumbers, QList<int>{published});
    EXPECT_EQ(office->localState(published), 1);
    EXPECT_EQ(office->serverState(published), 1);
    EXPECT_EQ(office->localState(boxed), 2);
    EXPECT_EQ(office->dialogs().lastText(),
              QStringLiteral("매물보관함으로 이동작업 (1)건을 완료하였습니다.") + kCrLf + kCrLf +
                  QStringLiteral("이동하지 못한 매물 (1)건 [매물%1]").arg(published) + kCrLf +
                  QStringLiteral("잠시 후 다시 실행해 주세요."));
}

// Without the internet the office's own store still moves; the copy stays on the server.
// Without the server only unpublished rows move: a published row would leave its copy behind.
TEST_P(ListingActionsWithdrawTest, ArchiveWithoutTheInternetMovesOnlyUnpublishedRows) {
    const int published = office->addPublished(3);
    const int plain = office->addListing();
    office->session().state().InternetOk = false;
    office->answerYes();
    const ActionOutcome outcome = office->actions().archive(ActionOffice::picks({published, plain}));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.failedNumbers, QList<int>{published});
    EXPECT_EQ(office->localState(plain), 2);
    EXPECT_EQ(office->localState(published), 3);
    EXPECT_EQ(office->serverState(published), 3);
    EXPECT_TRUE(office->dialogs().lastText().contains(QStringLiteral("서버에 연결되어야 옮기거나 삭제할 수 있습니다.")));
}

TEST_P(ListingActionsWithdrawTest, StaffDeletesOnlyTheListingsInHisCharge) {
    office->session().state().LoginId = QStringLiteral("st1");
    const int mine = office->addListing({{"subid", "st1"}});
    const int colleagues = office->addPublished(1, {{"subid", "st2"}});
    const int alsoMine = office->addPublished(7, {{"subid", "st1"}});
    const int nobodys = office->addListing({{"subid", QVariant()}});
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().remove(ActionOffice::picks({mine, colleagues, alsoMine, nobodys}));

    EXPECT_EQ(office->dialogs().shown().first().text,
              QStringLiteral("선택된매물 (2)개 ") + kCrLf +
                  QStringLiteral("[매물%1,매물%2]을 ").arg(mine).arg(alsoMine) +
                  QStringLiteral("매물목록에서 완전히 삭제합니다. 실행하시겠습니까 ?"));
    EXPECT_EQ(office->dialogs().shown().first().title, QStringLiteral("매물삭제"));
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("매물 삭제작업 (2)건을 완료하였습니다."));
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(outcome.skipped, 2);
    EXPECT_FALSE(localExists(mine));
    EXPECT_FALSE(localExists(alsoMine));
    EXPECT_EQ(office->serverState(alsoMine), std::nullopt);
    EXPECT_TRUE(localExists(colleagues));
    EXPECT_TRUE(localExists(nobodys));
    EXPECT_EQ(office->serverState(colleagues), 1);

    // The main account deletes whatever is ticked.
    office->session().state().LoginId = office->officeId();
    office->answerYes();
    EXPECT_EQ(office->actions().remove(ActionOffice::picks({colleagues, nobodys})).done, 2);
    EXPECT_FALSE(localExists(colleagues));
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
    office->local().execute("UPDATE maemul SET imgname1 = ? WHERE table_idx = ?",
                            {pictureName(id, doomed, 1), doomed});
    const QStringList doomedFiles{pictureName(id, doomed, 1), pictureName(id, doomed, 3),
                                  pictureName(id, doomed, 4), pictureName(id, doomed, 2, "png"),
                                  QString::number(doomed) + "/contract.pdf"};
    const QStringList keptFiles{pictureName(id, first, 1), pictureName(id, first, 3),
                                pictureName(id, doomed, 30), QString::number(first) + "/contract.pdf"};
    for (const QString& file : doomedFiles + keptFiles)
        ASSERT_TRUE(office->writeLocalPicture(file));
    office->answerYes();

    EXPECT_EQ(office->actions().remove(ActionOffice::picks({doomed})).done, 1);

    for (const QString& file : doomedFiles)
        EXPECT_FALSE(QFileInfo::exists(office->localPicture(file))) << file.toStdString();
    EXPECT_FALSE(QFileInfo::exists(office->localPicture(QString::number(doomed))));
    for (const QString& file : keptFiles)
        EXPECT_TRUE(QFileInfo::exists(office->localPicture(file))) << file.toStdString();
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM filebox WHERE tidx = ?", {doomed}).toInt(), 0);
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM filebox WHERE tidx = ?", {first}).toInt(), 1);
    EXPECT_TRUE(localExists(first));
}

// A copy that cannot be removed keeps the local row: only the office's row knows the copy.
TEST_P(ListingActionsWithdrawTest, DeleteKeepsARowWhoseCopyCannotBeRemoved) {
    const int published = office->addPublished(3);
    office->server().execute(QStringLiteral("DROP TABLE filebox"));
    office->answerYes();
    const ActionOutcome outcome = office->actions().remove(ActionOffice::picks({published}));
    EXPECT_EQ(outcome.done, 0);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_TRUE(localExists(published));
    EXPECT_TRUE(
        office->dialogs().lastText().startsWith(QStringLiteral("매물 삭제작업 (0)건을 완료하였습니다.")));

    // Offline it is not deleted either: its copy would stay on the server with no row.
    office->session().state().InternetOk = false;
    office->answerYes();
    EXPECT_EQ(office->actions().remove(ActionOffice::picks({published})).failed, 1);
    EXPECT_TRUE(localExists(published));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsWithdrawTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
