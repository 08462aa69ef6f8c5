#include "TestOffice.h"
#include "listings/ActionTexts.h"

using namespace teran;
using namespace teran::test;

namespace {

class ListingActionsUpkeepTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    QDateTime serverShowday(int number) {
        return SqlStore::toDateTime(office->serverColumn(number, "showday"));
    }
    QVariant localValue(int number, const char* column) {
        return office->local().scalar(
            QStringLiteral("SELECT %1 FROM maemul WHERE table_idx = ?").arg(QLatin1String(column)), {number});
    }
    QString label(int number) { return QStringLiteral("매물%1").arg(number); }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// The refresh of all copies counts the office's own copies only, again on the same second.
TEST_P(ListingActionsUpkeepTest, RefreshAllCountsTheOfficesCopiesOnly) {
    office->answerYes();
    EXPECT_EQ(office->actions().refreshAll().done, 0);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("총 0 건의 데이터를 변경하였습니다."));

    const int a = office->addPublished(1);
    const int b = office->addPublished(7);
    const QDateTime old(QDate(2026, 1, 1), QTime(8, 0));
    insertServer(office->server(),
                 {{"id", "elsewhere"}, {"sub_idx", a}, {"tb", "apt"}, {"state", 1}, {"showday", old}});
    for (int round = 0; round < 2; ++round) {
        office->answerYes();
        EXPECT_EQ(office->actions().refreshAll().done, 2);
    }
    EXPECT_EQ(serverShowday(a), office->clock.now());
    EXPECT_EQ(serverShowday(b), office->clock.now());
    EXPECT_EQ(
        SqlStore::toDateTime(office->server().scalar("SELECT showday FROM maemul WHERE id = 'elsewhere'")),
        old);
}

TEST_P(ListingActionsUpkeepTest, RefreshSelectedMovesThePublishedCopiesOnly) {
    const int published = office->addPublished(3);
    const int untouched = office->addPublished(1);
    const int boxed = office->addListing();
    const int lost = office->addListing({{"state", 7}}); // published, but the server has no copy: sent again
    const QDateTime before = serverShowday(untouched);
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
}

// Restoring makes an archived listing new again; a published listing is no archived one
// (setting it to 0 would orphan its copy).
TEST_P(ListingActionsUpkeepTest, RestoreBringsArchivedListingsBackAsNew) {
    const int archived = office->addListing({{"state", 2}});
    const int published = office->addPublished(1);
    office->answerYes();

    const ActionOutcome outcome = office->actions().restore(TestOffice::picks({archived, published}));

    EXPECT_EQ(office->dialogs.shown().first().text, ActionTexts::restoreQuestion(1, label(archived)));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(office->localState(archived), 0);
    EXPECT_EQ(localValue(archived, "hitadd + hitmem").toInt(), 0);
    EXPECT_EQ(SqlStore::toDateTime(localValue(archived, "showday")), office->clock.now());
    EXPECT_EQ(office->localState(published), 1);
    EXPECT_EQ(office->serverState(published), 1);
}

TEST_P(ListingActionsUpkeepTest, ChangeInChargeRewritesTheOfficeAndTheSharedCopy) {
    const int boxed = office->addListing();
    const int published = office->addPublished(3);
    EXPECT_FALSE(office->actions().changeInCharge({}, "st2", "박과장").ran);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("변경할 매물이 선택되지 않았습니다."));
    office->answerYes();

    EXPECT_EQ(office->actions().changeInCharge(TestOffice::picks({boxed, published}), "st2", "박과장").done,
              2);

    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("담당자를 변경하였습니다."));
    EXPECT_EQ(localValue(boxed, "subid").toString(), QStringLiteral("st2"));
    EXPECT_EQ(localValue(published, "subid").toString(), QStringLiteral("st2"));
    EXPECT_EQ(office->serverColumn(published, "subid").toString(), QStringLiteral("st2"));
}

TEST_P(ListingActionsUpkeepTest, OwnerNumbersSkipEmptyDashAndRepeatsAndPrivateContacts) {
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

TEST_P(ListingActionsUpkeepTest, AgentNumbersComeFromTheSharedListingsStaff) {
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
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsUpkeepTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
