#include "online/ReferenceData.h"
#include "TestServices.h"
#include "session/StoreSchemas.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

// The first two digits of the five-digit codes of each region, as the postal service assigns
// them (대구 took 군위군 over with its 39xxx codes).
const QHash<QString, QList<int>>& postalPrefixes() {
    static const QHash<QString, QList<int>> prefixes = {
        {QStringLiteral("서울"), {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {QStringLiteral("경기"), {10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {QStringLiteral("인천"), {21, 22, 23}},
        {QStringLiteral("강원"), {24, 25, 26}},
        {QStringLiteral("충북"), {27, 28, 29}},
        {QStringLiteral("충남"), {31, 32, 33}},
        {QStringLiteral("대전"), {34, 35}},
        {QStringLiteral("경북"), {36, 37, 38, 39, 40}},
        {QStringLiteral("대구"), {39, 41, 42, 43}},
        {QStringLiteral("울산"), {44, 45}},
        {QStringLiteral("부산"), {46, 47, 48, 49}},
        {QStringLiteral("경남"), {50, 51, 52, 53}},
        {QStringLiteral("전북"), {54, 55, 56}},
        {QStringLiteral("전남"), {57, 58, 59, 60}},
        {QStringLiteral("광주"), {61, 62}},
        {QStringLiteral("제주"), {63}},
    };
    return prefixes;
}

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
        ASSERT_TRUE(postalPrefixes().value(row.addr1).contains(row.postno.left(2).toInt()));
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

TEST(ReferenceFiles, TheAddressFinderFindsWellKnownTowns) {
    QSet<QString> towns;
    for (const PostRow& row : referencePostRows())
        towns.insert(row.addr1 + QLatin1Char(' ') + row.addr2 + QLatin1Char(' ') + row.addr3);
    for (const char* town : {"서울 강남구 역삼동", "부산 해운대구 우동", "경기 성남시 분당구 정자동",
                             "제주 서귀포시 중문동", "대전 유성구 봉명동", "전남 여수시 돌산읍"})
        EXPECT_TRUE(towns.contains(QString::fromUtf8(town))) << town;
}

TEST(ReferenceFiles, SubwayLinesOfTheSeoulAreaWithStationsWrittenWithoutTheWordStation) {
    const QList<SubwayRow> rows = referenceSubwayRows();
    QHash<QString, QStringList> lines;
    QSet<int> numbers;
    for (const SubwayRow& row : rows) {
        SCOPED_TRACE((row.sline + QLatin1Char(' ') + row.station).toStdString());
        ASSERT_FALSE(row.sline.trimmed().isEmpty());
        ASSERT_FALSE(row.station.trimmed().isEmpty());
        ASSERT_FALSE(row.station.endsWith(QStringLiteral("역"))) << "the pickers add 역 themselves";
        ASSERT_FALSE(lines.value(row.sline).contains(row.station)) << "station listed twice";
        ASSERT_FALSE(numbers.contains(row.tableIdx));
        numbers.insert(row.tableIdx);
        lines[row.sline].append(row.station);
    }
    for (int n = 1; n <= 9; ++n)
        EXPECT_GE(lines.value(QStringLiteral("%1호선").arg(n)).size(), 10) << n;
    for (const char* line : {"신분당선", "경의중앙선", "공항철도", "수인분당선"})
        EXPECT_GE(lines.value(QString::fromUtf8(line)).size(), 10) << line;
    for (const char* station : {"강남", "역삼", "선릉", "삼성", "잠실"})
        EXPECT_TRUE(lines.value(QStringLiteral("2호선")).contains(QString::fromUtf8(station))) << station;
    EXPECT_EQ(*std::min_element(numbers.begin(), numbers.end()), 1);
    EXPECT_EQ(*std::max_element(numbers.begin(), numbers.end()), rows.size());
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
