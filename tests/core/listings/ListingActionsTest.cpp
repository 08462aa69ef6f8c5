#include "TestOffice.h"
#include "core/listings/ActionTexts.h"
#include "core/publication/PublicationReconciler.h"

#include <QFileInfo>

using namespace teran;
using namespace teran::test;

// What an office does to its ticked listings from the main window. How a change reaches a server
// that is away or fails half way is tried by the publication tests.

namespace {

class ListingActionsTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    QList<int> addListings(int count) {
        QList<int> numbers;
        for (int i = 0; i < count; ++i)
            numbers << office->addListing({{"money_m", 10000 + i}});
        return numbers;
    }
    ActionOutcome publish(const QList<int>& numbers, PublicationState target = PublicationState::Internet) {
        office->answerYes();
        return office->actions().publish(TestOffice::picks(numbers), target);
    }
    QDateTime serverShowday(int number) {
        return SqlStore::toDateTime(office->serverColumn(number, "showday"));
    }
    QVariant localValue(int number, const char* column) {
        return office->local().scalar(
            QStringLiteral("SELECT %1 FROM maemul WHERE table_idx = ?").arg(QLatin1String(column)), {number});
    }
    bool localExists(int number) { return localValue(number, "table_idx").isValid(); }
    static QString label(int number) { return QStringLiteral("매물%1").arg(number); }

    std::unique_ptr<TestOffice> office;
};

// The same with the pictures on the loopback FTP server.
class ListingActionsPicturesTest : public ListingActionsTest {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(ftpService().has_value(), "The loopback FTP server");
        ListingActionsTest::SetUp();
    }

    QString picture(int number, int suffix, const QString& extension = QStringLiteral("jpg")) const {
        return pictureName(office->officeId(), number, suffix, extension);
    }
    bool onServer(const QString& name) const { return QFileInfo::exists(office->remotePicture(name)); }

    // A listing with both main pictures and an image box: slot 0 published, slot 1 kept at the
    // office, slot 2 newly chosen for publication, slot 3 empty.
    int listingWithPictures() {
        const int number = office->addListing();
        const QStringList names{picture(number, 3), picture(number, 4), picture(number, 5, "gif"), QString()};
        office->local().execute("UPDATE maemul SET imgname1 = ?, imgname2 = ? WHERE table_idx = ?",
                                {picture(number, 1), picture(number, 2, "GIF"), number});
        office->local().execute(
            "INSERT INTO filebox (tb, ty, tidx, Img1, Img2, img3) VALUES (?, ?, ?, ?, ?, ?)",
            {"apt", "M", number, "gita_ie|gita_lo|internet|noimg", names.join('|'),
             "gita_ie|gita_lo|internet|noimg"});
        for (const QString& name :
             {picture(number, 1), picture(number, 2, "GIF"), names[0], names[1], names[2]})
            EXPECT_TRUE(office->writeLocalPicture(name));
        return number;
    }
};

} // namespace

TERAN_SUITE_NEEDS(ListingActionsPicturesTest, ftp);

// Eleven rows to publish are refused before any question; rows already in the target state do
// not count towards the limit.
TEST_P(ListingActionsTest, TenListingsAtATimeGoThroughWithTheirCopies) {
    const QList<int> numbers = addListings(10);
    const int eleventh = office->addListing();
    EXPECT_FALSE(publish(numbers + QList<int>{eleventh}).ran);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("온라인 매물등록 작업은 한번에 10까지만 등록가능합니다."));
    EXPECT_EQ(office->serverCount(office->officeId()), 0);

    office->dialogs.clear();
    const int alreadyThere = office->addPublished(1);
    const ActionOutcome outcome = publish(numbers + QList<int>{alreadyThere});
    ASSERT_EQ(office->dialogs.shown().size(), 2);
    EXPECT_TRUE(office->dialogs.shown().first().text.startsWith(QStringLiteral("선택된매물 (10)개 ")));
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물 등록작업 (10)건을 완료하였습니다."));
    EXPECT_EQ(outcome.done, 10);
    EXPECT_EQ(outcome.skipped, 1);
    EXPECT_EQ(office->serverCount(office->officeId()), 11);
    for (int number : numbers) {
        EXPECT_EQ(office->localState(number), 1);
        EXPECT_EQ(office->serverState(number), 1);
    }
    EXPECT_EQ(office->progressTexts.at(9), QStringLiteral("총 10 개의 데이타중 10 개를 등록하는중입니다."));
    EXPECT_TRUE(office->progressTexts.last().isEmpty()) << "the status bar is cleared at the end";
}

// The copy carries the office's key, the target state, the upload time from the session's clock,
// the local date as sort key, no grades; the office keeps its own grades. It keeps to what the
// office chose to show when it shared the listing from the registration window, also when the
// reconciliation makes it again.
TEST_P(ListingActionsTest, CopyIsDatedKeyedAndWithholdsWhatTheOfficeWithheld) {
    Disclosure withheld;
    withheld.addr3 = false;
    withheld.name = false;
    const int number = office->addListing({{"mbigo", "남향 '전망' 좋음"},
                                           {"addr2", "강남구"},
                                           {"addr3", "역삼동"},
                                           {"addr4", "123-4"},
                                           {"cboname", "래미안"},
                                           {"tb", "villa"},
                                           {"scope_ie", disclosureScopeText(withheld)}});
    publish({number}, PublicationState::ClubsAndInternet);

    EXPECT_EQ(office->serverState(number), 3);
    EXPECT_EQ(office->localState(number), 3);
    EXPECT_EQ(serverShowday(number), office->clock.now());
    EXPECT_EQ(SqlStore::toDateTime(office->serverColumn(number, "sortday")),
              QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
    EXPECT_EQ(office->serverColumn(number, "hitadd").toInt(), 0);
    EXPECT_EQ(office->serverColumn(number, "mbigo").toString(), QStringLiteral("남향 '전망' 좋음"));
    EXPECT_EQ(office->serverColumn(number, "id").toString(), office->officeId());
    EXPECT_EQ(localValue(number, "hitadd").toInt(), 2);

    const auto expectWithheld = [&] {
        EXPECT_EQ(office->serverColumn(number, "addr2").toString(), QStringLiteral("강남구"));
        EXPECT_EQ(office->serverColumn(number, "addr3").toString(), QString());
        EXPECT_EQ(office->serverColumn(number, "cboname").toString(), QString());
    };
    expectWithheld();
    // The server lost the copy: the reconciliation writes it again, as withheld as before.
    office->server().execute(QStringLiteral("DELETE FROM maemul WHERE id = ? AND sub_idx = ?"),
                             {office->officeId(), number});
    ASSERT_EQ(PublicationReconciler(office->session()).reconcile().copiesSent, 1);
    expectWithheld();
}

// A scope change keeps the copy (its key and grades); an archived row comes back published; a
// published row whose copy the server lost gets it written again.
TEST_P(ListingActionsTest, PublishingSetsTheScopeOfPublishedRows) {
    const int internet = office->addPublished(1);
    const int clubs = office->addPublished(7);
    const int archived = office->addListing({{"state", 2}});
    const int lost = office->addListing({{"state", 1}});
    const QVariant copyKey = office->serverColumn(internet, "table_idx");

    const ActionOutcome outcome = publish({internet, clubs, archived, lost}, PublicationState::Clubs);

    EXPECT_EQ(outcome.done, 3);
    EXPECT_EQ(outcome.skipped, 1);
    for (int number : {internet, clubs, archived, lost}) {
        EXPECT_EQ(office->localState(number), 7);
        EXPECT_EQ(office->serverState(number), 7);
    }
    EXPECT_EQ(office->serverColumn(internet, "table_idx"), copyKey) << "a scope change rewrote the copy";
    EXPECT_EQ(office->serverColumn(internet, "hitadd").toInt(), 2);

    office->dialogs.clear();
    EXPECT_FALSE(publish({clubs}, PublicationState::Clubs).ran);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("선택된 매물이 없거나 이미 등록된매물입니다."));
}

// After an offline login no online action starts; while the server cannot be reached, what works
// on every copy at once does not either (single listings wait in the outbox instead). No tick, or
// No to the question, changes nothing.
TEST_P(ListingActionsTest, OnlineActionsNeedAnOnlineLoginTheServerAndAYes) {
    const int number = office->addListing();
    office->session().state().OnlineMode = QStringLiteral("offline");
    EXPECT_FALSE(office->actions().publish(TestOffice::picks({number}), PublicationState::Internet).ran);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("오프라인으로 로그인하셨습니다.\r\n\r\n온라인 매물작업은 본사 서버에 연결되면 "
                             "상태표시줄의 '다시 연결' 단추를 누른 후에 사용하실 수 있습니다."));

    office->session().state().OnlineMode = QStringLiteral("yes");
    office->session().state().InternetOk = false;
    office->dialogs.clear();
    EXPECT_FALSE(office->actions().refreshAll().ran);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("현재 인터넷 접속이 불안정합니다.\r\n\r\n인터넷 연결이 문제가 없는지 확인해보세요."));

    office->session().state().InternetOk = true;
    EXPECT_FALSE(office->actions().publish({}, PublicationState::Internet).ran);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("선택된 매물이 없습니다."));
    EXPECT_FALSE(office->actions().publish(TestOffice::picks({number}), PublicationState::Internet).ran)
        << "answered No";
    EXPECT_EQ(office->localState(number), 0);
    EXPECT_EQ(office->serverCount(office->officeId()), 0);
}

// Each scope takes back its own publication: what stays published keeps its copy with the
// narrower state in both stores, what leaves the server loses its copy and returns to the box.
TEST_P(ListingActionsTest, UnpublishScopesOnEveryPublishedState) {
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
            EXPECT_EQ(localValue(number, "hitadd + hitmem").toInt(), expected != before ? 0 : 3);
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

TEST_P(ListingActionsTest, StaffDeletesOnlyTheListingsInHisCharge) {
    office->session().state().LoginId = QStringLiteral("st1");
    const int mine = office->addListing({{"subid", "st1"}});
    const int colleagues = office->addPublished(1, {{"subid", "st2"}});
    const int alsoMine = office->addPublished(7, {{"subid", "st1"}});
    const int nobodys = office->addListing({{"subid", QVariant()}});
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().remove(TestOffice::picks({mine, colleagues, alsoMine, nobodys}));

    EXPECT_EQ(office->dialogs.shown().first().text,
              ActionTexts::deleteQuestion(2, label(mine) + ',' + label(alsoMine)));
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
TEST_P(ListingActionsTest, DeleteRemovesTheListingsOwnImageBoxAndFilesOnly) {
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

// The refresh of the ticked rows moves their published copies only (a published row whose copy
// the server lost is sent again); the refresh of all copies counts the office's own copies only,
// again on the same second.
TEST_P(ListingActionsTest, RefreshMovesThePublishedCopiesOfTheTickedRowsOrOfTheOffice) {
    office->answerYes();
    EXPECT_EQ(office->actions().refreshAll().done, 0);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("총 0 건의 데이터를 변경하였습니다."));

    const int published = office->addPublished(3);
    const int untouched = office->addPublished(1);
    const int boxed = office->addListing();
    const int lost = office->addListing({{"state", 7}}); // published, but the server has no copy: sent again
    const QDateTime before = serverShowday(untouched);
    const QDateTime old(QDate(2026, 1, 1), QTime(8, 0));
    insertServer(
        office->server(),
        {{"id", "elsewhere"}, {"sub_idx", published}, {"tb", "apt"}, {"state", 1}, {"showday", old}});
    office->dialogs.clear();
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().refreshSelected(TestOffice::picks({published, boxed, lost}));

    EXPECT_EQ(office->dialogs.shown().first().text,
              ActionTexts::refreshQuestion(2, label(published) + ',' + label(lost)));
    EXPECT_EQ(outcome.done, 2);
    EXPECT_TRUE(outcome.failedNumbers.isEmpty());
    EXPECT_EQ(office->serverState(lost), 7);
    EXPECT_EQ(serverShowday(published), office->clock.now());
    EXPECT_EQ(serverShowday(untouched), before);
    EXPECT_EQ(SqlStore::toDateTime(localValue(published, "showday")),
              QDateTime(QDate(2026, 11, 1), QTime(9, 0)))
        << "the office's own modified date is not the copy's";

    office->dialogs.clear();
    EXPECT_FALSE(office->actions().refreshSelected(TestOffice::picks({boxed})).ran);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("선택된 매물이 없거나 온라인에 등록된매물이 없습니다."));

    for (int round = 0; round < 2; ++round) {
        office->answerYes();
        EXPECT_EQ(office->actions().refreshAll().done, 3);
    }
    EXPECT_EQ(serverShowday(untouched), office->clock.now());
    EXPECT_EQ(
        SqlStore::toDateTime(office->server().scalar("SELECT showday FROM maemul WHERE id = 'elsewhere'")),
        old);
}

// Restoring makes an archived listing new again; a published listing is no archived one
// (setting it to 0 would orphan its copy). A change of the staff member in charge rewrites the
// office's rows and the shared copy.
TEST_P(ListingActionsTest, RestoreBringsArchivedListingsBackAndTheChargeChangesEverywhere) {
    const int archived = office->addListing({{"state", 2}});
    const int published = office->addPublished(3);
    office->answerYes();

    const ActionOutcome outcome = office->actions().restore(TestOffice::picks({archived, published}));

    EXPECT_EQ(office->dialogs.shown().first().text, ActionTexts::restoreQuestion(1, label(archived)));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(office->localState(archived), 0);
    EXPECT_EQ(localValue(archived, "hitadd + hitmem").toInt(), 0);
    EXPECT_EQ(SqlStore::toDateTime(localValue(archived, "showday")), office->clock.now());
    EXPECT_EQ(office->localState(published), 3);
    EXPECT_EQ(office->serverState(published), 3);

    EXPECT_FALSE(office->actions().changeInCharge({}, "st2", "박과장").ran);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("변경할 매물이 선택되지 않았습니다."));
    office->answerYes();
    EXPECT_EQ(
        office->actions().changeInCharge(TestOffice::picks({archived, published}), "st2", "박과장").done, 2);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("담당자를 변경하였습니다."));
    EXPECT_EQ(localValue(archived, "subid").toString(), QStringLiteral("st2"));
    EXPECT_EQ(localValue(published, "subid").toString(), QStringLiteral("st2"));
    EXPECT_EQ(office->serverColumn(published, "subid").toString(), QStringLiteral("st2"));
}

// The numbers a text message goes to: the agents of ticked shared listings (while the server
// answers), or the owners of ticked own listings, empty, dashed and repeated numbers left out.
TEST_P(ListingActionsTest, MessageNumbersOfTheSharedListingsAgentsAndOfTheOwners) {
    const QString other = uniqueName(QStringLiteral("other"));
    QList<int> rows;
    int sub = 1;
    for (const auto& [agent, phone] : {std::pair{"a", "010-7777-8888"}, std::pair{"b", "-"},
                                       std::pair{"c", "010-7777-8888"}, std::pair{"a", ""}}) {
        if (*phone)
            office->server().execute(
                "INSERT INTO members (companyID, memID, memType, hantel) VALUES (?, ?, 'B', ?)",
                {other, other + agent, phone});
        insertServer(
            office->server(),
            {{"id", other}, {"sub_idx", sub++}, {"tb", "apt"}, {"subid", other + agent}, {"state", 1}});
        rows << office->server().scalar("SELECT MAX(table_idx) FROM maemul").toInt();
    }
    office->answerYes();

    EXPECT_EQ(office->actions().agentNumbers(TestOffice::picks(rows)), QStringList{"010-7777-8888"});
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("선택된매도인 (1)명 에게 \r\n문자메세지를 전송합니다.\r\n실행하시겠습니까 ?"));

    office->session().state().InternetOk = false;
    EXPECT_TRUE(office->actions().agentNumbers(TestOffice::picks(rows)).isEmpty());
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("현재 인터넷 접속이 불안정합니다.\r\n\r\n인터넷 연결이 문제가 없는지 확인해보세요."));

    office->session().state().InternetOk = true;
    const QList<int> numbers{office->addListing({{"uhp", "010-1111-2222"}}),
                             office->addListing({{"uhp", " 010-1111-2222 "}}),
                             office->addListing({{"uhp", "-"}}),
                             office->addListing({{"uhp", QVariant()}}),
                             office->addListing({{"uhp", "010-3333-4444"}}),
                             office->addListing({{"uhp", "010-5555-6666"}, {"opid", "st2"}})};
    office->answerYes();

    EXPECT_EQ(office->actions().ownerNumbers(TestOffice::picks(numbers)),
              QStringList({"010-1111-2222", "010-3333-4444"}));
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("선택된매도인 (2)명 에게 \r\n문자메세지를 전송합니다.\r\n실행하시겠습니까 ?"));

    // The staff member who keeps the contact private still reaches the owner.
    office->session().state().LoginId = QStringLiteral("st2");
    office->answerYes();
    EXPECT_TRUE(
        office->actions().ownerNumbers(TestOffice::picks({numbers.last()})).contains("010-5555-6666"));

    EXPECT_TRUE(office->actions().ownerNumbers(TestOffice::picks({numbers[2], numbers[3]})).isEmpty());
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("선택된 매도인이 없습니다."));
    EXPECT_TRUE(office->actions().ownerNumbers(TestOffice::picks({numbers[0]})).isEmpty()) << "answered No";
}

TEST_P(ListingActionsPicturesTest, PublishingSendsTheChosenPicturesAndRecordsTheImageBox) {
    const int number = listingWithPictures();
    // A picture an earlier publication left, and recorded, in the slot that is now kept at the
    // office; and a file of the same slot that nothing records, which is not looked for.
    ASSERT_TRUE(office->writeRemotePicture(picture(number, 4, "png")));
    office->server().execute("INSERT INTO filebox (tb, ty, ID, sub_idx, Img1) VALUES ('apt', 'M', ?, ?, ?)",
                             {office->officeId(), number, picture(number, 4, "png")});
    ASSERT_TRUE(office->writeRemotePicture(picture(number, 4, "bmp")));
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks({number}), PublicationState::Internet);

    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.picturesIncomplete, 0);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물 등록작업 (1)건을 완료하였습니다."));
    for (const QString& sent :
         {picture(number, 1), picture(number, 2, "GIF"), picture(number, 3), picture(number, 5, "gif")})
        EXPECT_TRUE(onServer(sent)) << sent.toStdString();
    EXPECT_FALSE(onServer(picture(number, 4, "png")));
    EXPECT_FALSE(onServer(picture(number, 4)));
    EXPECT_TRUE(onServer(picture(number, 4, "bmp"))) << "the picture folder is never listed";
    EXPECT_EQ(
        office->server()
            .scalar("SELECT Img1 FROM filebox WHERE ID = ? AND sub_idx = ?", {office->officeId(), number})
            .toString(),
        picture(number, 3) + '|' + picture(number, 5, "gif"));
    EXPECT_EQ(office->serverColumn(number, "imgname2").toString(), picture(number, 2, "GIF"));
    EXPECT_EQ(office->local().scalar("SELECT img3 FROM filebox WHERE tidx = ?", {number}).toString(),
              QString());
}

// The copy is written, so the listing is published; the picture that did not go up is named.
TEST_P(ListingActionsPicturesTest, PictureThatCannotGoUpIsReportedButTheRowStaysPublished) {
    const int number = office->addListing();
    // Named by the listing, but the file never reached the data folder.
    office->local().execute("UPDATE maemul SET imgname1 = ? WHERE table_idx = ?",
                            {picture(number, 1), number});
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().publish(TestOffice::picks({number}), PublicationState::ClubsAndInternet);

    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.picturesIncomplete, 1);
    EXPECT_EQ(office->localState(number), 3);
    EXPECT_EQ(office->serverState(number), 3);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물 등록작업 (1)건을 완료하였습니다.") +
                                              QStringLiteral("\r\n\r\n") +
                                              ActionTexts::picturesNotSentNote(1, label(number)));
    EXPECT_EQ(office->serverColumn(number, "imgname1").toString(), QString())
        << "the copy names only pictures that arrived";
    EXPECT_EQ(office->local().scalar("SELECT imgname1 FROM maemul WHERE table_idx = ?", {number}).toString(),
              picture(number, 1))
        << "the office keeps its own name";
}

TEST_P(ListingActionsPicturesTest, ArchivingAClubAndInternetListingRemovesItsCopyAndPictures) {
    const int number = listingWithPictures();
    const int other = office->addPublished(1);
    office->answerYes();
    office->actions().publish(TestOffice::picks({number}), PublicationState::ClubsAndInternet);
    ASSERT_EQ(office->serverState(number), 3);
    ASSERT_TRUE(onServer(picture(number, 1)));
    ASSERT_TRUE(onServer(picture(number, 3)));
    office->progressTexts.clear();
    office->dialogs.clear();
    office->answerYes();

    const ActionOutcome outcome = office->actions().archive(TestOffice::picks({number}));

    EXPECT_EQ(office->dialogs.shown().first().text, ActionTexts::archiveQuestion(1, label(number)));
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물보관함으로 이동작업 (1)건을 완료하였습니다."));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(office->localState(number), 2);
    EXPECT_EQ(localValue(number, "hitadd + hitmem").toInt(), 0);
    EXPECT_EQ(office->serverState(number), std::nullopt);
    EXPECT_EQ(
        office->server()
            .scalar("SELECT COUNT(*) FROM filebox WHERE ID = ? AND sub_idx = ?", {office->officeId(), number})
            .toInt(),
        0);
    for (const QString& gone :
         {picture(number, 1), picture(number, 2, "GIF"), picture(number, 3), picture(number, 5, "gif")})
        EXPECT_FALSE(onServer(gone)) << gone.toStdString();
    EXPECT_EQ(office->serverState(other), 1);
    EXPECT_EQ(office->progressTexts,
              QStringList({QStringLiteral("총 1 개의 데이타중 1 개를 이동하는중입니다."), QString()}));
    // The office keeps its own pictures.
    EXPECT_TRUE(QFileInfo::exists(office->localPicture(picture(number, 1))));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsPicturesTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
