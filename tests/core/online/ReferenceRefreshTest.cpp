#include "core/online/ReferenceRefresh.h"
#include "TestOffice.h"
#include "core/online/ReferenceData.h"
#include "core/session/InternetNotice.h"

#include <QFile>
#include <QSqlQuery>

using namespace teran;
using namespace teran::test;

namespace {

// Postal rows of one town, each with its own lot range.
QList<PostRow> postRows(int count, const QString& town, int firstLot = 1) {
    QList<PostRow> rows;
    for (int i = 0; i < count; ++i) {
        const int lot = firstLot + i * 10;
        rows.append({QStringLiteral("%1").arg(6000 + i % 400, 5, 10, QLatin1Char('0')),
                     QStringLiteral("서울"), QStringLiteral("강남구"), town,
                     QStringLiteral("%1~%2").arg(lot).arg(lot + 9)});
    }
    return rows;
}

QList<SubwayRow> subwayRows(const QList<int>& numbers, const QString& line) {
    QList<SubwayRow> rows;
    for (int n : numbers)
        rows.append({n, line, QStringLiteral("역%1").arg(n)});
    return rows;
}

// A table's rows, sorted, one text per row, for comparing whole tables.
QStringList snapshot(SqlStore& store, ReferenceJob job) {
    QStringList rows;
    QSqlQuery q = store.query(selectSql(job));
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < referenceTable(job).columns.size(); ++i)
            values << q.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

class ReferenceRefreshTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "The loopback servers");
        local = std::make_unique<SqlStore>(uniqueName(QStringLiteral("refresh-local")));
        local->open(office->listingUrl());
    }

    std::unique_ptr<Session> startSession() {
        auto made = office->newSession();
        made->ensureOpen();
        return made;
    }

    QString logText() const {
        QFile file(DataFolder(office->dir.path()).log() +
                   office->clock.today().toString(QStringLiteral("yyyy-MM-dd")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    SqlStore& server() { return office->server(); }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<SqlStore> local;
};

} // namespace

// Different counts ask and the answer decides (asking changes nothing); equal counts say nothing
// is new even when the rows differ; a server table that cannot be read is logged and shown;
// offline only the connection problem is shown.
TEST_P(ReferenceRefreshTest, TheCountsDecideWhetherTheCopyIsOffered) {
    insertPostRows(server(), postRows(30, QStringLiteral("역삼동")));
    insertPostRows(*local, postRows(20, QStringLiteral("역삼동")));
    insertSubwayRows(server(), subwayRows({1, 2, 3}, QStringLiteral("2호선")));
    auto session = startSession();
    office->dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_EQ(checkReference(*session, ReferenceJob::Post), RefreshCheck::Accepted);
    EXPECT_EQ(office->dialogs.lastText(), refreshQuestionText(ReferenceJob::Post));
    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_EQ(checkReference(*session, ReferenceJob::Subway), RefreshCheck::Declined);
    EXPECT_EQ(local->scalar(QStringLiteral("SELECT COUNT(*) FROM post")).toInt(), 20);
    EXPECT_EQ(local->scalar(QStringLiteral("SELECT COUNT(*) FROM subway")).toInt(), 0);

    local->execute(QStringLiteral("DELETE FROM post"));
    insertPostRows(*local, postRows(30, QStringLiteral("삼성동")));
    EXPECT_EQ(checkReference(*session, ReferenceJob::Post), RefreshCheck::NothingNew);
    EXPECT_EQ(office->dialogs.lastText(), nothingNewText(ReferenceJob::Post));

    server().execute(QStringLiteral("DROP TABLE subway"));
    office->dialogs.clear();
    EXPECT_EQ(checkReference(*session, ReferenceJob::Subway), RefreshCheck::Failed);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_TRUE(logText().contains(QStringLiteral("frmMain downSubway_Click => ")))
        << logText().toStdString();

    const QStringList before = snapshot(*local, ReferenceJob::Post);
    office->goOffline();
    auto offline = office->newSession();
    office->dialogs.clear();
    EXPECT_EQ(checkReference(*offline, ReferenceJob::Post), RefreshCheck::Offline);
    EXPECT_FALSE(runReferenceCopy(*offline, ReferenceJob::Post));
    ASSERT_EQ(office->dialogs.shown().size(), 2);
    EXPECT_EQ(office->dialogs.lastText(), InternetNotice::text());
    EXPECT_FALSE(offline->serverOpen());
    EXPECT_EQ(snapshot(*local, ReferenceJob::Post), before);
}

// The copy replaces the office's table whatever it held, more rows than the server's included, and
// the subway rows keep the server's numbers.
TEST_P(ReferenceRefreshTest, TheCopyReplacesALocalTableThatHasMoreRowsThanTheServers) {
    insertPostRows(server(), postRows(25, QStringLiteral("역삼동"), 5000));
    insertPostRows(*local, postRows(40, QStringLiteral("삼성동")));
    insertSubwayRows(server(), subwayRows({3, 7, 8, 40}, QStringLiteral("신분당선")));
    insertSubwayRows(*local, subwayRows({1, 2, 3}, QStringLiteral("9호선")));
    auto session = startSession();

    EXPECT_TRUE(runReferenceCopy(*session, ReferenceJob::Post));
    EXPECT_EQ(snapshot(*local, ReferenceJob::Post), snapshot(server(), ReferenceJob::Post));
    EXPECT_EQ(
        local->scalar(QStringLiteral("SELECT COUNT(*) FROM post WHERE addr3=?"), {QStringLiteral("삼성동")})
            .toInt(),
        0);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(), refreshDoneText(ReferenceJob::Post));

    EXPECT_TRUE(runReferenceCopy(*session, ReferenceJob::Subway));
    EXPECT_EQ(snapshot(*local, ReferenceJob::Subway), snapshot(server(), ReferenceJob::Subway));
    EXPECT_EQ(local->scalar(QStringLiteral("SELECT station FROM subway WHERE table_idx=?"), {40}).toString(),
              QStringLiteral("역40"));
    EXPECT_EQ(office->dialogs.lastText(), refreshDoneText(ReferenceJob::Subway));

    office->dialogs.clear();
    EXPECT_EQ(checkReference(*session, ReferenceJob::Post), RefreshCheck::NothingNew);
}

TEST_P(ReferenceRefreshTest, AServerThatGoesAwayHalfWayLeavesTheOldRowsWhole) {
    insertPostRows(server(), postRows(1003, QStringLiteral("역삼동")));
    insertPostRows(*local, postRows(300, QStringLiteral("삼성동")));
    const QStringList before = snapshot(*local, ReferenceJob::Post);
    auto session = startSession();

    qint64 seen = 0;
    const bool copied = runReferenceCopy(*session, ReferenceJob::Post, [&](qint64 counter, qint64) {
        seen = counter;
        if (counter >= 500)
            session->serverStore().close();
    });
    EXPECT_FALSE(copied);
    EXPECT_EQ(seen, 500);
    EXPECT_EQ(snapshot(*local, ReferenceJob::Post), before);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("The server connection was closed during the copy"));
    EXPECT_TRUE(logText().contains(QStringLiteral(
        "frmUpgrade cmdAc_Click => The server connection was closed during the copy => ReferenceRefresh")))
        << logText().toStdString();
    // The office can still read its table, and the next check offers the copy again.
    EXPECT_EQ(session->listingStore().scalar(QStringLiteral("SELECT COUNT(*) FROM post")).toInt(), 300);
}

TEST_P(ReferenceRefreshTest, ARowTheOfficesTableRefusesRollsTheWholeCopyBack) {
    insertPostRows(server(), postRows(800, QStringLiteral("역삼동")));
    insertPostRows(*local, postRows(300, QStringLiteral("삼성동")));
    const QStringList before = snapshot(*local, ReferenceJob::Post);
    // The 700th row of the server cannot be stored here, as with a full disk or a damaged file.
    const QString trigger = refuseInsert(*local, QStringLiteral("post"), QStringLiteral("addr4"),
                                         QStringLiteral("6991~7000"), QStringLiteral("row refused"));

    EXPECT_THROW(copyReferenceTable(server(), *local, ReferenceJob::Post), StoreError);
    EXPECT_EQ(snapshot(*local, ReferenceJob::Post), before);

    auto session = startSession();
    EXPECT_FALSE(runReferenceCopy(*session, ReferenceJob::Post));
    EXPECT_TRUE(office->dialogs.lastText().contains(QStringLiteral("row refused")));
    EXPECT_TRUE(logText().contains(QStringLiteral("frmUpgrade cmdAc_Click => "))) << logText().toStdString();
    EXPECT_EQ(snapshot(*local, ReferenceJob::Post), before);
    // Nothing of the failed copy is left open: a later copy works.
    local->execute(QStringLiteral("DROP TRIGGER ") + trigger);
    office->dialogs.clear();
    EXPECT_TRUE(runReferenceCopy(*session, ReferenceJob::Post));
    EXPECT_EQ(snapshot(*local, ReferenceJob::Post), snapshot(server(), ReferenceJob::Post));
}

TEST_P(ReferenceRefreshTest, TheDemoOfficeIsBroughtUpToDateByTheRefresh) {
    fillEmptyReferenceTables(server());
    fillEmptyReferenceTables(*local, {.leaveOutLastPostRows = 50, .leaveOutLastSubwayLines = 1});
    auto session = startSession();

    for (ReferenceJob job : {ReferenceJob::Post, ReferenceJob::Subway}) {
        office->dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_EQ(checkReference(*session, job), RefreshCheck::Accepted);
        EXPECT_TRUE(runReferenceCopy(*session, job));
        EXPECT_EQ(snapshot(*local, job), snapshot(server(), job));
        EXPECT_EQ(checkReference(*session, job), RefreshCheck::NothingNew);
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, ReferenceRefreshTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
