#include "core/register/AddressBook.h"
#include "PostalRows.h"
#include "TestServices.h"
#include "core/store/StoreTables.h"

#include <algorithm>

using namespace teran;
using namespace teran::test;

namespace {

// The postal and subway tables, made exactly as the ListingStore declares them.
void createReferenceTables(SqlStore& store) {
    for (const TableDef& table : listingStoreTables()) {
        if (table.name != QStringLiteral("post") && table.name != QStringLiteral("subway"))
            continue;
        store.execute(createTableSql(table, store.backend()));
        for (const QString& sql : createIndexSql(table, store.backend()))
            store.execute(sql);
    }
}

QStringList sorted(QStringList list) {
    std::sort(list.begin(), list.end());
    return list;
}

class AddressBookTest : public testing::TestWithParam<Backend> {};

} // namespace

// The town search lists every matching town once in order, and typed wildcards and quotes match
// only themselves; the cascade's lists and the subway lines with their stations are distinct and
// sorted.
TEST_P(AddressBookTest, TownsLinesAndStationsAreListedOnceInOrder) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    createReferenceTables(store);
    // Several postcodes per town: the search must still give each town one line.
    const char* rows[][4] = {{"서울", "강남구", "역삼동", "831~840"},
                             {"서울", "강남구", "역삼동", "823~830"},
                             {"서울", "강남구", "역삼2동", nullptr},
                             {"서울", "강남구", "역삼1동", ""},
                             {"경기", "용인시 처인구", "역삼동", "1~10"},
                             {"서울", "강남구", "삼성동", "1"},
                             {"부산", "해운대구", "우동", "1"}};
    for (const auto& r : rows)
        addPost(store, QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2]),
                r[3] ? QVariant(QString::fromUtf8(r[3])) : QVariant());

    AddressBook book(store);
    const QList<TownAddress> expected{
        {QStringLiteral("경기"), QStringLiteral("용인시 처인구"), QStringLiteral("역삼동")},
        {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼1동")},
        {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼2동")},
        {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")},
    };
    EXPECT_EQ(book.searchTowns(QStringLiteral("역삼")), expected);
    EXPECT_EQ(book.searchTowns(QStringLiteral("우")).size(), 1);
    EXPECT_TRUE(book.searchTowns(QStringLiteral("청담")).isEmpty());

    // The cascade's lists: distinct, sorted, and nothing for a region the table does not know.
    EXPECT_EQ(book.regions(),
              (QStringList{QStringLiteral("경기"), QStringLiteral("부산"), QStringLiteral("서울")}));
    EXPECT_EQ(book.districts(QStringLiteral("서울")), QStringList{QStringLiteral("강남구")});
    EXPECT_EQ(book.towns(QStringLiteral("서울"), QStringLiteral("강남구")),
              sorted({QStringLiteral("역삼동"), QStringLiteral("역삼1동"), QStringLiteral("역삼2동"),
                      QStringLiteral("삼성동")}));
    // Empty and missing rests are no choices.
    EXPECT_EQ(book.lotParts(QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")),
              (QStringList{QStringLiteral("823~830"), QStringLiteral("831~840")}));
    EXPECT_TRUE(
        book.lotParts(QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼2동")).isEmpty());

    for (const QString& town : {QStringLiteral("백%동"), QStringLiteral("백분동"), QStringLiteral("신_동"),
                                QStringLiteral("신가동"), QStringLiteral("느낌!동"), QStringLiteral("오'동")})
        addPost(store, QStringLiteral("전남"), QStringLiteral("목포시"), town);

    auto townsFound = [&](const QString& text) {
        QStringList towns;
        for (const TownAddress& found : book.searchTowns(text))
            towns << found.addr3;
        return towns;
    };
    EXPECT_EQ(townsFound(QStringLiteral("%")), QStringList{QStringLiteral("백%동")});
    EXPECT_EQ(townsFound(QStringLiteral("백%")), QStringList{QStringLiteral("백%동")});
    EXPECT_EQ(townsFound(QStringLiteral("_")), QStringList{QStringLiteral("신_동")});
    EXPECT_EQ(townsFound(QStringLiteral("!")), QStringList{QStringLiteral("느낌!동")});
    EXPECT_EQ(townsFound(QStringLiteral("'")), QStringList{QStringLiteral("오'동")});
    EXPECT_TRUE(townsFound(QStringLiteral("' OR '1'='1")).isEmpty());
    EXPECT_EQ(townsFound(QStringLiteral("동")).size(), 6 + 6) << "the six towns of 목포시 and the six above";

    addStation(store, QStringLiteral("2호선"), QStringLiteral("역삼"));
    addStation(store, QStringLiteral("2호선"), QStringLiteral("강남"));
    addStation(store, QStringLiteral("2호선"), QStringLiteral("강남"));
    addStation(store, QStringLiteral("신분당선"), QStringLiteral("강남"));
    addStation(store, QStringLiteral("9호선"), QString());
    addStation(store, QStringLiteral("9호선"), QVariant());

    EXPECT_EQ(book.lines(),
              (QStringList{QStringLiteral("2호선"), QStringLiteral("9호선"), QStringLiteral("신분당선")}));
    EXPECT_EQ(book.stations(QStringLiteral("2호선")),
              (QStringList{QStringLiteral("강남"), QStringLiteral("역삼")}));
    EXPECT_TRUE(book.stations(QStringLiteral("9호선")).isEmpty());
    EXPECT_TRUE(book.stations(QStringLiteral("경의선")).isEmpty());
}

TEST_P(AddressBookTest, EmptyTablesGiveEmptyListsAndAMissingTableThrows) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    AddressBook book(store);
    EXPECT_THROW(book.searchTowns(QStringLiteral("역삼")), StoreError);
    EXPECT_THROW(book.lines(), StoreError);

    createReferenceTables(store);
    EXPECT_TRUE(book.regions().isEmpty());
    EXPECT_TRUE(book.searchTowns(QStringLiteral("역삼")).isEmpty());
    EXPECT_TRUE(book.stations(QStringLiteral("2호선")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, AddressBookTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

TEST(TownAddressItem, PartsComeBackOutOfTheTextOrItIsRefused) {
    const QList<TownAddress> towns{
        {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")},
        {QStringLiteral("경기"), QStringLiteral("용인시 처인구"), QStringLiteral("역삼동")},
        {QStringLiteral("경북"), QStringLiteral("군위군"), QStringLiteral("삼국유사면 화북리")},
        {QStringLiteral("세종"), QString(), QStringLiteral("조치원읍")},
    };
    for (const TownAddress& town : towns) {
        const auto cut = TownAddress::fromItemText(town.itemText(), town.addr2.size());
        ASSERT_TRUE(cut.has_value()) << town.itemText().toStdString();
        EXPECT_EQ(*cut, town);
    }
    EXPECT_EQ(towns.at(0).itemText(), QStringLiteral("서울 강남구 역삼동"));

    // A region of another length than two characters.
    const TownAddress longRegion{QStringLiteral("강원도"), QStringLiteral("춘천시"),
                                 QStringLiteral("효자동")};
    EXPECT_FALSE(TownAddress::fromItemText(longRegion.itemText(), 3).has_value());
    const TownAddress shortRegion{QStringLiteral("X"), QStringLiteral("춘천시"), QStringLiteral("효자동")};
    EXPECT_FALSE(TownAddress::fromItemText(shortRegion.itemText(), 3).has_value());
    // A stored length that does not fit the district.
    const QString text = QStringLiteral("경기 용인시 처인구 역삼동");
    EXPECT_FALSE(TownAddress::fromItemText(text, 2).has_value());
    EXPECT_FALSE(TownAddress::fromItemText(text, 4).has_value());
    EXPECT_FALSE(TownAddress::fromItemText(text, -1).has_value());
    // Nothing left for the town.
    EXPECT_FALSE(TownAddress::fromItemText(QStringLiteral("서울 강남구"), 3).has_value());
    EXPECT_FALSE(TownAddress::fromItemText(QStringLiteral("서울 강남구 "), 3).has_value());
    EXPECT_FALSE(TownAddress::fromItemText(QString(), 0).has_value());
}
