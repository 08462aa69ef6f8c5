#include "core/online/ReferenceData.h"
#include "TestServices.h"
#include "core/session/StoreSchemas.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

QString postKey(const PostRow& row) {
    return QStringList{row.postno, row.addr1, row.addr2, row.addr3, row.addr4}.join(QLatin1Char('|'));
}

} // namespace

TEST(ReferenceFiles, EveryPostalRowHasARegionOfTwoCharactersACodeOfItsRegionAndATown) {
    const QList<PostRow> rows = referencePostRows();
    ASSERT_GT(rows.size(), 2000);
    const QRegularExpression fiveDigits(QStringLiteral("^\\d{5}$"));
    QSet<QString> seen;
    QHash<QString, QSet<QString>> districts;
    for (const PostRow& row : rows) {
        SCOPED_TRACE(postKey(row).toStdString());
        ASSERT_TRUE(regionNames().contains(row.addr1));
        ASSERT_EQ(row.addr1.size(), 2);
        ASSERT_TRUE(fiveDigits.match(row.postno).hasMatch());
        ASSERT_FALSE(row.addr2.trimmed().isEmpty());
        ASSERT_FALSE(row.addr3.trimmed().isEmpty());
        ASSERT_FALSE(row.addr4.trimmed().isEmpty());
        ASSERT_EQ(row.addr3, row.addr3.trimmed());
        ASSERT_LE(row.addr2.size(), 50); // the width of the indexed columns
        ASSERT_LE(row.addr3.size(), 50);
        ASSERT_FALSE(seen.contains(postKey(row))) << "duplicate row";
        seen.insert(postKey(row));
        districts[row.addr1].insert(row.addr2);
    }
    // Every region is there with its districts (제주 has two cities and no more).
    EXPECT_EQ(districts.size(), 16);
    int allDistricts = 0;
    for (const QString& region : regionNames()) {
        EXPECT_GE(districts.value(region).size(), 2) << region.toStdString();
        allDistricts += districts.value(region).size();
    }
    EXPECT_GE(allDistricts, 150);
    EXPECT_TRUE(districts.value(QStringLiteral("서울")).contains(QStringLiteral("강남구")));
}

TEST(ReferenceFiles, MalformedTablesAreRefusedWithTheLineNamed) {
    const QByteArray header = "postno\taddr1\taddr2\taddr3\taddr4\n";
    EXPECT_THROW(parsePostRows(QByteArray()), StoreError);
    EXPECT_THROW(parsePostRows("postno\taddr1\taddr2\taddr3\n06236\t서울\t강남구\t역삼동\n"), StoreError);
    try {
        parsePostRows(header + "06236\t서울\t강남구\t역삼동\t1~100\n06237\t서울\t강남구\t역삼동\n");
        FAIL() << "a row with four values was taken";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("Line 3"))) << error.what();
    }
    // Windows line ends and a blank last line are fine; empty values stay empty.
    const QList<PostRow> rows = parsePostRows(header + "06236\t서울\t강남구\t역삼동\t\r\n\r\n");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().addr3, QStringLiteral("역삼동"));
    EXPECT_TRUE(rows.first().addr4.isEmpty());
    EXPECT_THROW(parseSubwayRows("line\tstation\n2호선\t강남\n"), StoreError);
}

class ReferenceFillTest : public testing::TestWithParam<Backend> {};

TEST_P(ReferenceFillTest, EmptyTablesGetTheShippedRowsOnceAndKeepThemWordForWord) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    upgradeServerStore(store);
    const QList<PostRow> shipped = referencePostRows();
    const QList<SubwayRow> lines = referenceSubwayRows();

    const ReferenceFillReport first = fillEmptyReferenceTables(store);
    EXPECT_EQ(first.post, shipped.size());
    EXPECT_EQ(first.subway, lines.size());

    QSet<QString> stored;
    QSqlQuery q = store.query(QStringLiteral("SELECT postno, addr1, addr2, addr3, addr4 FROM post"));
    while (q.next())
        stored.insert(postKey({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                               q.value(3).toString(), q.value(4).toString()}));
    QSet<QString> expected;
    for (const PostRow& row : shipped)
        expected.insert(postKey(row));
    EXPECT_EQ(stored, expected);
    const SubwayRow& last = lines.last();
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT station FROM subway WHERE table_idx=?"), {last.tableIdx})
                  .toString(),
              last.station);

    // A table that holds rows is the vendor's or the office's own: it is left alone.
    store.execute(QStringLiteral("DELETE FROM subway WHERE table_idx=?"), {1});
    const ReferenceFillReport second = fillEmptyReferenceTables(store);
    EXPECT_EQ(second.post, -1);
    EXPECT_EQ(second.subway, -1);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT COUNT(*) FROM subway")).toInt(), lines.size() - 1);
}

TEST_P(ReferenceFillTest, ADemoOfficeStartsBehindTheServerByTheLastRowsAndTheLastLine) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    upgradeServerStore(store);
    const QList<PostRow> shipped = referencePostRows();
    const QList<SubwayRow> lines = referenceSubwayRows();

    const ReferenceFillReport filled =
        fillEmptyReferenceTables(store, {.leaveOutLastPostRows = 50, .leaveOutLastSubwayLines = 1});
    EXPECT_EQ(filled.post, shipped.size() - 50);
    EXPECT_EQ(store
                  .scalar(QStringLiteral("SELECT COUNT(*) FROM post WHERE postno=? AND addr4=?"),
                          {shipped.last().postno, shipped.last().addr4})
                  .toInt(),
              0);
    const QString lastLine = lines.last().sline;
    const qsizetype lastLineStations = std::count_if(
        lines.begin(), lines.end(), [&](const SubwayRow& row) { return row.sline == lastLine; });
    EXPECT_EQ(filled.subway, lines.size() - lastLineStations);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT COUNT(*) FROM subway WHERE sline=?"), {lastLine}).toInt(),
              0);
    QSet<QString> allLines;
    for (const SubwayRow& row : lines)
        allLines.insert(row.sline);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT COUNT(DISTINCT sline) FROM subway")).toInt(),
              allLines.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(Stores, ReferenceFillTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
