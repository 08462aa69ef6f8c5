#include "ActionOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class ListingActionsUpkeepTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = ActionOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    QDateTime serverShowday(int number) {
        return SqlStore::toDateTime(office->serverColumn(number, "showday"));
    }
    QString localText(int number, const char* column) {
        return office->local()
            .scalar(QStringLiteral("SELECT %1 FROM maemul WHERE table_idx = ?").arg(QLatin1String(column)),
                    {number})
            .toString();
    }

    std::unique_ptr<ActionOffice> office;
};

} // namespace

TEST_P(ListingActionsUpkeepTest, RefreshAllCountsTheOfficesCopiesOnly) {
    office->answerYes();
    ActionOutcome outcome = office->actions().refreshAll();
    EXPECT_EQ(office->dialogs().shown().first().text,
              QStringLiteral("온라인 매물의 전체날짜를 갱신합니다.실행하시겠습니까 ?"));
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("총 0 건의 데이터를 변경하였습니다."));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("날짜갱신완료"));
    EXPECT_EQ(outcome.done, 0);

    const int a = office->addPublished(1);
    const int b = office->addPublished(7);
    insertServer(office->server(), {{"id", "elsewhere"},
                                    {"sub_idx", a},
                                    {"tb", "apt"},
                                    {"state", 1},
                                    {"showday", QDateTime(QDate(2026, 1, 1), QTime(8, 0))}});
    for (int round = 0; round < 2; ++round) { // a second refresh on the same second still counts them
        office->answerYes();
        outcome = office->actions().refreshAll();
        EXPECT_EQ(outcome.done, 2);
        EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("총 2 건의 데이터를 변경하였습니다."));
    }
    EXPECT_EQ(serverShowday(a), office->clock().now());
    EXPECT_EQ(serverShowday(b), office->clock().now());
    EXPECT_EQ(
        SqlStore::toDateTime(office->server().scalar("SELECT showday FROM maemul WHERE id = 'elsewhere'")),
        QDateTime(QDate(2026, 1, 1), QTime(8, 0)));
}

TEST_P(ListingActionsUpkeepTest, RefreshSelectedMovesThePublishedCopiesOnly) {
    const int published = office->addPublished(3);
    const int untouched = office->addPublished(1);
    const int boxed = office->addListing();
    const int lost = office->addListing({{"state", 7}}); // published, but the server has no copy
    const QDateTime before = serverShowday(untouched);
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().refreshSelected(ActionOffice::picks({published, boxed, lost}));

    const auto& question = office->dialogs().shown().first();
    EXPECT_EQ(
        question.text,
        QStringLiteral("선택된매물 (2)개 [매물%1,매물%2]의 온라인 매물날짜를 갱신합니다.실행하시겠습니까 ?")
            .arg(published)
            .arg(lost));
    EXPECT_EQ(question.title, QStringLiteral("온라인매물 날짜갱신"));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.failedNumbers, QList<int>{lost});
    EXPECT_TRUE(office->dialogs().lastText().startsWith(
        QStringLiteral(" 온라인매물 날짜갱신작업 (1)건을 완료하였습니다.") + kCrLf + kCrLf +
        QStringLiteral("갱신하지 못한 매물 (1)건 [매물%1]").arg(lost)));
    EXPECT_EQ(serverShowday(published), office->clock().now());
    EXPECT_EQ(serverShowday(untouched), before);
    // The office's own modified date is not the copy's.
    EXPECT_EQ(SqlStore::toDateTime(
                  office->local().scalar("SELECT showday FROM maemul WHERE table_idx = ?", {published})),
              QDateTime(QDate(2026, 11, 1), QTime(9, 0)));

    office->dialogs().clear();
    EXPECT_FALSE(office->actions().refreshSelected(ActionOffice::picks({boxed})).ran);
    EXPECT_EQ(office->dialogs().lastText(),
              QStringLiteral("선택된 매물이 없거나 온라인에 등록된매물이 없습니다."));
}

TEST_P(ListingActionsUpkeepTest, RestoreBringsArchivedListingsBackAsNew) {
    const int archived = office->addListing({{"state", 2}});
    const int published = office->addPublished(1);
    office->answerYes();

    const ActionOutcome outcome = office->actions().restore(ActionOffice::picks({archived, published}));

    EXPECT_EQ(office->dialogs().shown().first().text,
              QStringLiteral("선택된매물 (1)개 ") + kCrLf +
                  QStringLiteral("[매물%1]을 매물함으로 이동합니다. 실행하시겠습니까 ?").arg(archived));
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.skipped, 1);
    EXPECT_EQ(office->localState(archived), 0);
    EXPECT_EQ(localText(archived, "hitadd + hitmem"), QStringLiteral("0"));
    EXPECT_EQ(SqlStore::toDateTime(
                  office->local().scalar("SELECT showday FROM maemul WHERE table_idx = ?", {archived})),
              office->clock().now());
    // A published listing is no archived one: setting it to 0 would orphan its copy.
    EXPECT_EQ(office->localState(published), 1);
    EXPECT_EQ(office->serverState(published), 1);

    office->dialogs().clear();
    EXPECT_FALSE(office->actions().restore(ActionOffice::picks({published})).ran);
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("선택된 매물이 없습니다."));
}

TEST_P(ListingActionsUpkeepTest, ChangeInChargeRewritesTheOfficeAndTheSharedCopy) {
    const int boxed = office->addListing();
    const int published = office->addPublished(3);
    EXPECT_FALSE(office->actions().changeInCharge({}, "st2", "박과장").ran);
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("변경할 매물이 선택되지 않았습니다."));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("확인"));
    office->dialogs().clear();
    office->answerYes();

    const ActionOutcome outcome =
        office->actions().changeInCharge(ActionOffice::picks({boxed, published}), "st2", "박과장");

    EXPECT_EQ(office->dialogs().shown().first().text,
              QStringLiteral("선택된매물 (2)개를 ") + kCrLf +
                  QStringLiteral("담당자 [박과장]님으로 변경합니다.실행하시겠습니까 ?"));
    EXPECT_EQ(office->dialogs().shown().first().title, QStringLiteral("담당자변경"));
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("담당자를 변경하였습니다."));
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(localText(boxed, "subid"), QStringLiteral("st2"));
    EXPECT_EQ(localText(published, "subid"), QStringLiteral("st2"));
    EXPECT_EQ(office->serverColumn(published, "subid").toString(), QStringLiteral("st2"));
}

TEST_P(ListingActionsUpkeepTest, OwnerNumbersSkipEmptyDashAndRepeatsAndPrivateContacts) {
    const QList<int> numbers{office->addListing({{"uhp", "010-1111-2222"}}),
                             office->addListing({{"uhp", " 010-1111-2222 "}}),
                             office->addListing({{"uhp", "-"}}),
                             office->addListing({{"uhp", ""}}),
                             office->addListing({{"uhp", QVariant()}}),
                             office->addListing({{"uhp", "010-3333-4444"}}),
                             office->addListing({{"uhp", "010-5555-6666"}, {"opid", "st2"}})};
    office->answerYes();

    const QStringList sent = office->actions().ownerNumbers(ActionOffice::picks(numbers));

    EXPECT_EQ(sent, QStringList({"010-1111-2222", "010-3333-4444"}));
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("선택된매도인 (2)명 에게 ") + kCrLf +
                                                QStringLiteral("문자메세지를 전송합니다.실행하시겠습니까 ?"));
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("문자메세지전송"));

    // The staff member who keeps the contact private still reaches the owner.
    office->session().state().LoginId = QStringLiteral("st2");
    office->answerYes();
    EXPECT_TRUE(
        office->actions().ownerNumbers(ActionOffice::picks({numbers.last()})).contains("010-5555-6666"));

    office->dialogs().clear();
    EXPECT_TRUE(office->actions().ownerNumbers(ActionOffice::picks({numbers[2], numbers[3]})).isEmpty());
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("선택된 매도인이 없습니다."));
    EXPECT_TRUE(office->actions().ownerNumbers(ActionOffice::picks({numbers[0]})).isEmpty()) << "answered No";
}

TEST_P(ListingActionsUpkeepTest, AgentNumbersComeFromTheSharedListingsStaff) {
    const QString other = uniqueName(QStringLiteral("other"));
    auto member = [&](const QString& id, const QString& phone) {
        office->server().execute(
            "INSERT INTO members (companyID, memID, memType, hantel) VALUES (?, ?, 'B', ?)",
            {other, id, phone});
    };
    member(other + "a", "010-7777-8888");
    member(other + "b", "-");
    member(other + "c", "010-7777-8888");
    QList<int> rows;
    int sub = 1;
    for (const QString& agent : {other + "a", other + "b", other + "c", other + "a"}) {
        insertServer(office->server(),
                     {{"id", other}, {"sub_idx", sub++}, {"tb", "apt"}, {"subid", agent}, {"state", 1}});
        rows << office->server().scalar("SELECT MAX(table_idx) FROM maemul").toInt();
    }
    office->answerYes();

    EXPECT_EQ(office->actions().agentNumbers(ActionOffice::picks(rows)), QStringList{"010-7777-8888"});
    EXPECT_EQ(office->dialogs().lastText(), QStringLiteral("선택된매도인 (1)명 에게 ") + kCrLf +
                                                QStringLiteral("문자메세지를 전송합니다.실행하시겠습니까 ?"));

    office->session().state().InternetOk = false;
    EXPECT_TRUE(office->actions().agentNumbers(ActionOffice::picks(rows)).isEmpty());
    EXPECT_EQ(office->dialogs().shown().last().title, QStringLiteral("인터넷연결"));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingActionsUpkeepTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
