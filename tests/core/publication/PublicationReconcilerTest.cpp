#include "core/publication/PublicationReconciler.h"
#include "TestOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

class PublicationReconcilerTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }
    void setLocalState(int number, int state) {
        office->local().execute("UPDATE maemul SET state = ? WHERE table_idx = ?", {state, number});
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

// What a program killed half-way through publications leaves, made whole again; the office
// database decides, and what it cannot know about is left alone.
TEST_P(PublicationReconcilerTest, CopiesFollowTheOfficeDatabaseInBothDirections) {
    const int noCopy = office->addPublished(1); // the copy never arrived
    office->server().execute("DELETE FROM maemul WHERE id = ? AND sub_idx = ?", {office->officeId(), noCopy});
    const int withdrawn = office->addPublished(1); // withdrawn locally, the copy left behind
    setLocalState(withdrawn, 0);
    const int archived = office->addPublished(3);
    setLocalState(archived, 2);
    const int deleted = office->addPublished(1); // deleted locally, the copy left behind
    const int narrowed = office->addPublished(3);
    setLocalState(narrowed, 7);
    const int fine = office->addPublished(1);
    office->local().execute("DELETE FROM maemul WHERE table_idx = ?", {deleted});
    // A copy from a number this office database never had (a desk set up anew): not its to judge.
    const int unknown = office->addPublished(1);
    office->server().execute("UPDATE maemul SET sub_idx = ? WHERE id = ? AND sub_idx = ?",
                             {unknown + 1000, office->officeId(), unknown});
    setLocalState(unknown, 0);
    const int othersCopy = office->addShared({{"sub_idx", withdrawn}});

    const ReconcileReport report = PublicationReconciler(office->session()).reconcile();
    EXPECT_EQ(report.copiesSent, 1);
    EXPECT_EQ(report.copiesRemoved, 3);
    EXPECT_EQ(report.statesAligned, 1);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(office->serverState(noCopy), 1);
    EXPECT_EQ(office->serverColumn(noCopy, "addr3"),
              office->localValue("SELECT addr3 FROM maemul WHERE table_idx = ?", {noCopy}))
        << "the whole copy is sent";
    EXPECT_EQ(office->serverState(withdrawn), std::nullopt);
    EXPECT_EQ(office->serverState(archived), std::nullopt);
    EXPECT_EQ(office->serverState(deleted), std::nullopt);
    EXPECT_EQ(office->serverState(narrowed), 7);
    EXPECT_EQ(office->serverState(fine), 1);
    EXPECT_EQ(office->serverState(unknown + 1000), 1);
    EXPECT_EQ(
        office->serverValue("SELECT COUNT(*) FROM maemul WHERE id = 'other' AND sub_idx = ?", {othersCopy})
            .toInt(),
        1)
        << "another office's copy of the same number";
    EXPECT_EQ(office->localState(withdrawn), 0) << "the office database is never changed";

    // Whole again: a second run finds nothing to do.
    EXPECT_EQ(PublicationReconciler(office->session()).reconcile().changes(), 0);

    // 매물관리 › 온라인매물 서버와 맞추기: the same mending on demand, said in the office's words;
    // offline it is refused like every action that needs the server.
    setLocalState(fine, 0);
    ActionOutcome outcome = office->actions().reconcile();
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(office->serverState(fine), std::nullopt);
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("서버의 온라인매물을 사무소 자료에 맞추었습니다.\r\n\r\n"
                             "다시 올린 매물: 0건\r\n서버에서 내린 매물: 1건\r\n"
                             "상태를 맞춘 매물: 0건"));
    outcome = office->actions().reconcile();
    EXPECT_EQ(outcome.done, 0);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("서버의 온라인매물이 사무소 자료와 맞습니다."));

    office->session().state().OnlineMode = QStringLiteral("no");
    EXPECT_FALSE(office->actions().reconcile().ran);
}

INSTANTIATE_TEST_SUITE_P(Backends, PublicationReconcilerTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
