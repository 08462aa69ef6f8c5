#include "core/listing/ListingRepository.h"
#include "TestServices.h"

#include <QDateTime>
#include <QSqlQuery>

using namespace teran;
using namespace teran::test;

namespace {

// An office's listing table on the test's backend.
class ListingRepositoryTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        createListingTable(office->store(), ListingSide::Local);
    }

    std::unique_ptr<ScratchStore> office;
};

const QString kHostile = QStringLiteral("O'Brien \"역삼\" \\ 100% _x_ ;-- DROP TABLE maemul; 강남구 ");
const QDateTime kWritten(QDate(2023, 12, 31), QTime(23, 59, 58));
const QDateTime kShown(QDate(2024, 2, 29), QTime(8, 5, 9));

// A listing that would break or inject into SQL text if any value were pasted into it.
ListingRow hostileListing() {
    return ListingRow{
        {"id", "office'1"},
        {"subid", "staff\"2"},
        {"tb", "apt"},
        {"ty", "W"},
        {"state", 3},
        {"code", 0},
        {"uname", QStringLiteral("김'철수")},
        {"uhp", "010-1234-5678"},
        {"ubigo", kHostile},
        {"keyword", QStringLiteral("역세권%_;--")},
        {"opid", "staff2"},
        {"addr1", QStringLiteral("서울특별시")},
        {"addr4", QStringLiteral("123-4 '번지'")},
        {"addr5", QStringLiteral("101동 1502호")},
        {"cboname", QStringLiteral("래미안 \"퍼스티지\"")},
        {"mbigo", kHostile},
        {"bigoie", QStringLiteral("줄1\r\n줄2\t탭 \\n 아님")},
        {"special", QStringLiteral("C:\\path\\to ; DELETE FROM maemul --")},
        {"money_m", 9'876'543'210'123LL},
        {"money_b", 1000},
        {"money_w", 50},
        {"money_ys", 5.25},
        {"pyung", 33.0578},
        {"pyung_use", 25.7},
        {"parking", 1.5},
        {"room", 3},
        {"floor", QStringLiteral("B1")},
        {"floor_max", 25},
        {"writeday", kWritten},
        {"showday", kShown},
        {"offday", QDate(2025, 1, 15)},
        {"hitadd", 1},
        {"hitmem", 2},
    };
}

void expectStored(const ListingRow& given, const ListingRow& read, ListingSide side) {
    for (auto it = given.constBegin(); it != given.constEnd(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        if (!isListingColumnOn(it.key(), side)) {
            EXPECT_FALSE(read.contains(it.key()));
            continue;
        }
        const QVariant value = read.value(it.key());
        switch (findListingColumn(it.key())->type) {
        case ColumnType::Integer:
        case ColumnType::BigInt:
            EXPECT_EQ(value.toLongLong(), it.value().toLongLong());
            break;
        case ColumnType::Decimal:
            EXPECT_DOUBLE_EQ(value.toDouble(), it.value().toDouble());
            break;
        case ColumnType::DateTime:
            EXPECT_EQ(value.toDateTime(), SqlStore::toDateTime(it.value()));
            break;
        case ColumnType::Text:
            EXPECT_EQ(value.toString(), it.value().toString());
            break;
        }
    }
}

int countRows(SqlStore& store) {
    return store.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt();
}

} // namespace

TEST_P(ListingRepositoryTest, HostileAndLongListingsRoundTripOnBothSides) {
    SqlStore& store = office->store();
    TERAN_SCRATCH_STORE(vendor, GetParam());
    SqlStore& server = vendor->store();
    createListingTable(server, ListingSide::Server);

    const ListingRow given = hostileListing();
    const int number = insertLocal(store, given);
    const auto local = readLocal(store, number);
    ASSERT_TRUE(local.has_value());
    expectStored(given, *local, ListingSide::Local);
    EXPECT_EQ(local->value("table_idx").toInt(), number);
    EXPECT_FALSE(local->value("money_jb").isValid()) << "a column not given stays null";
    EXPECT_FALSE(local->contains(QStringLiteral("money_jb")));
    EXPECT_EQ(local->value("money_m").typeId(), QMetaType::LongLong);
    EXPECT_EQ(local->value("showday").typeId(), QMetaType::QDateTime);

    ListingRow copy = *local; // the owner's details and other local columns must stay behind
    copy.insert(QStringLiteral("sub_idx"), number);
    insertServer(server, copy);
    const auto shared = readServer(server, QStringLiteral("office'1"), number);
    ASSERT_TRUE(shared.has_value());
    expectStored(given, *shared, ListingSide::Server);
    EXPECT_EQ(shared->value("sub_idx").toInt(), number);
    for (const QString& key : shared->keys())
        EXPECT_TRUE(isListingColumnOn(key, ListingSide::Server)) << key.toStdString();
    EXPECT_FALSE(readServer(server, QStringLiteral("office'1"), number + 1).has_value());
    EXPECT_FALSE(readServer(server, QStringLiteral("office"), number).has_value());

    // Long texts in every wide column fit the row.
    const QString longText = QString(1500, QChar(0xAC00)) + QStringLiteral("끝");
    ListingRow wide;
    for (const ColumnDef& c : listingColumnsOf(ListingSide::Local))
        if (c.type == ColumnType::Text && c.size == 0)
            wide.insert(c.name, longText);
    const auto readWide = readLocal(store, insertLocal(store, wide));
    ASSERT_TRUE(readWide.has_value());
    expectStored(wide, *readWide, ListingSide::Local);
}

// Numbers come from the store inside the insert: rising, never reused, not taken from the row,
// distinct for two desks on the same store (a cluster of servers hands them out interleaved).
TEST_P(ListingRepositoryTest, StoreAssignsNumbersThatAreNeverReused) {
    SqlStore& store = office->store();
    const int first = insertLocal(store, {{"table_idx", 500}, {"tb", "apt"}});
    EXPECT_GE(first, 1);
    EXPECT_LT(first, 500);
    const int second = insertLocal(store, {{"tb", "land"}});
    EXPECT_GT(second, first);
    const int third = insertLocal(store, {{"tb", "gong"}});
    EXPECT_GT(third, second);
    EXPECT_FALSE(readLocal(store, 500).has_value());
    store.execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {third});
    const int fourth = insertLocal(store, {{"tb", "dan"}});
    EXPECT_GT(fourth, third) << "the deleted number is not handed out again";

    SqlStore otherDesk(uniqueName(QStringLiteral("desk2")));
    otherDesk.open(office->url());
    QList<int> numbers;
    for (int i = 0; i < 4; ++i) {
        numbers << insertLocal(i % 2 ? otherDesk : store, {{"tb", "villa"}});
        EXPECT_GT(numbers.last(), i ? numbers.at(i - 1) : fourth);
    }
    EXPECT_EQ(countRows(store), 7);
}

// The state changes of the list actions: the grades go back to 0 only when asked, the modified
// date only when given, and a row that is not there is reported, not invented.
TEST_P(ListingRepositoryTest, StateAndInChargeChangesTouchOnlyWhatTheyName) {
    SqlStore& store = office->store();
    const int n = insertLocal(
        store,
        {{"tb", "apt"}, {"state", 1}, {"hitadd", 2}, {"hitmem", 1}, {"subid", "st1"}, {"showday", kShown}});
    ASSERT_TRUE(setLocalState(store, n, 3, false));
    std::optional<ListingRow> row = readLocal(store, n);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->value("state").toInt(), 3);
    EXPECT_EQ(row->value("hitadd").toInt(), 2);
    EXPECT_EQ(row->value("showday").toDateTime(), kShown);

    ASSERT_TRUE(setLocalState(store, n, 0, true, kWritten));
    row = readLocal(store, n);
    EXPECT_EQ(row->value("state").toInt(), 0);
    EXPECT_EQ(row->value("hitadd").toInt(), 0);
    EXPECT_EQ(row->value("hitmem").toInt(), 0);
    EXPECT_EQ(row->value("showday").toDateTime(), kWritten);
    EXPECT_FALSE(setLocalState(store, n + 1, 2, true));

    setLocalInCharge(store, n, QStringLiteral("st2'"));
    EXPECT_EQ(readLocal(store, n)->value("subid").toString(), QStringLiteral("st2'"));
    EXPECT_EQ(countRows(store), 1);
}

// Keys match ignoring case and values are converted to their columns; a misspelt or hostile key
// or a value its column cannot hold refuses the whole row, alone or in a bulk.
TEST_P(ListingRepositoryTest, KeysMatchIgnoringCaseAndValuesAreConvertedOrRefusedWholesale) {
    SqlStore& store = office->store();
    const int number = insertLocal(store, {{"Keyword", QStringLiteral("급매")},
                                           {"Line", "2"},
                                           {"sub_idx", 99},
                                           {"money_m", " 45000 "},
                                           {"money_b", ""},
                                           {"room", "3"},
                                           {"pyung", "84.5"},
                                           {"showday", QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9, 999))},
                                           {"writeday", "2024-05-01 10:00:00"},
                                           {"offday", ""}});
    const auto read = readLocal(store, number);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->value("keyword").toString(), QStringLiteral("급매"));
    EXPECT_EQ(read->value("line").toString(), QStringLiteral("2"));
    EXPECT_FALSE(read->contains(QStringLiteral("sub_idx"))); // a server column, not kept here
    // A new listing without a state or code is an ordinary unpublished one.
    EXPECT_EQ(read->value("state").toInt(), 0);
    EXPECT_TRUE(read->value("state").isValid());
    EXPECT_EQ(read->value("code").toInt(), 0);
    EXPECT_EQ(read->value("money_m").toLongLong(), 45000);
    EXPECT_FALSE(read->value("money_b").isValid()) << "empty text in an amount is no amount";
    EXPECT_EQ(read->value("room").toInt(), 3);
    EXPECT_DOUBLE_EQ(read->value("pyung").toDouble(), 84.5);
    EXPECT_EQ(read->value("showday").toDateTime(), QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    EXPECT_EQ(read->value("writeday").toDateTime(), QDateTime(QDate(2024, 5, 1), QTime(10, 0)));
    EXPECT_FALSE(read->value("offday").isValid());

    for (const char* bad : {"no_such_column", "money_m); DROP TABLE maemul;--"})
        EXPECT_THROW(insertLocal(store, {{"Keyword", "x"}, {bad, 1}}), StoreError) << bad;
    const QList<ListingRow> refused = {{{"money_m", "1억"}}, {{"money_m", "1,000"}},
                                       {{"room", 2.5}},      {{"room", 5'000'000'000LL}},
                                       {{"pyung", "넓음"}},  {{"showday", "어제"}}};
    for (const ListingRow& bad : refused) {
        EXPECT_THROW(insertLocal(store, bad), StoreError) << bad.begin().value().toString().toStdString();
        EXPECT_THROW(insertLocalBulk(store, {{{"tb", "apt"}}, bad}), StoreError);
    }
    EXPECT_THROW(updateLocal(store, number, {{"no_such_column", 1}}), StoreError);
    EXPECT_EQ(countRows(store), 1) << "a refused row leaves nothing behind";
}

TEST_P(ListingRepositoryTest, BulkWritesAllInOrderWithProgress) {
    SqlStore& store = office->store();
    QList<ListingRow> rows;
    for (int i = 0; i < 1203; ++i) {
        ListingRow row{{"tb", i % 2 ? "apt" : "land"}, {"money_m", qint64(i) * 1'000'000'000LL}};
        if (i % 3 == 0)
            row.insert(QStringLiteral("mbigo"), QStringLiteral("비고 %1 '").arg(i));
        rows << row;
    }
    QList<int> heard;
    const QList<int> numbers = insertLocalBulk(store, rows, [&](int done) { heard << done; });
    ASSERT_EQ(numbers.size(), rows.size());
    for (int i = 1; i < numbers.size(); ++i)
        EXPECT_GT(numbers.at(i), numbers.at(i - 1));
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(heard.last(), 1203);
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));

    const auto last = readLocal(store, numbers.last());
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->value("money_m").toLongLong(), 1202LL * 1'000'000'000LL);
    EXPECT_FALSE(last->value("mbigo").isValid());
    EXPECT_EQ(readLocal(store, numbers.at(3))->value("mbigo").toString(), QStringLiteral("비고 3 '"));
    EXPECT_EQ(readLocal(store, numbers.at(3))->value("state").toInt(), 0);
    EXPECT_TRUE(insertLocalBulk(store, {}).isEmpty());
}

// A large import into a fresh file builds the indexes at its end: they are all there afterwards
// and agree with the table, and an import that fails keeps them as they were.
TEST_P(ListingRepositoryTest, ALargeImportLeavesEveryIndexInPlace) {
    if (GetParam() != Backend::Sqlite)
        GTEST_SKIP() << "the indexes are built at the end on SQLite only";
    SqlStore& store = office->store();
    const auto indexNames = [&] {
        QStringList names;
        QSqlQuery query =
            store.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                       "tbl_name = 'maemul' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
        while (query.next())
            names << query.value(0).toString();
        return names;
    };
    const QStringList before = indexNames();
    ASSERT_GT(before.size(), 5);

    QList<ListingRow> rows;
    for (int i = 0; i < 6000; ++i)
        rows << ListingRow{{"tb", i % 3 ? "apt" : "land"}, {"money_m", i}};
    QList<ListingRow> failing = rows;
    failing << ListingRow{{"showday", "어제"}};
    EXPECT_THROW(insertLocalBulk(store, failing), StoreError);
    EXPECT_EQ(indexNames(), before);
    EXPECT_EQ(countRows(store), 0);

    insertLocalBulk(store, rows);
    EXPECT_EQ(indexNames(), before);
    EXPECT_EQ(store.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(store
                  .scalar(QStringLiteral("SELECT count(*) FROM maemul INDEXED BY ix_maemul_tb_maker "
                                         "WHERE tb = 'apt'"))
                  .toInt(),
              4000);
}

TEST_P(ListingRepositoryTest, KeysetPagesSeeEveryRowOnce) {
    SqlStore& store = office->store();
    QList<ListingRow> rows(7, ListingRow{{"tb", "apt"}});
    QList<int> expected = insertLocalBulk(store, rows);
    store.execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {expected.takeAt(2)});

    QList<int> seen;
    int after = 0;
    for (int page = 0; page < 10; ++page) {
        const QList<ListingRow> chunk = readPage(store, after, 3);
        if (chunk.isEmpty())
            break;
        EXPECT_LE(chunk.size(), 3);
        for (const ListingRow& r : chunk)
            seen << r.value("table_idx").toInt();
        after = seen.last();
        if (page == 0) // a row added while paging shows up once, at the end
            expected << insertLocal(store, {{"tb", "villa"}});
    }
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(readPage(store, 0, 0).isEmpty());
    EXPECT_TRUE(readPage(store, 0, -1).isEmpty());
    EXPECT_TRUE(readPage(store, expected.last(), 50).isEmpty());
}

TEST_P(ListingRepositoryTest, ServerCopiesAreKeyedByOfficeAndNumber) {
    TERAN_SCRATCH_STORE(vendor, GetParam());
    SqlStore& store = vendor->store();
    createListingTable(store, ListingSide::Server);
    insertServer(store, {{"id", "office1"}, {"sub_idx", 7}, {"tb", "apt"}, {"state", 1}});
    insertServer(store, {{"id", "office2"}, {"sub_idx", 7}, {"tb", "land"}, {"state", 7}});
    EXPECT_THROW(insertServer(store, {{"id", "office1"}, {"sub_idx", 7}, {"tb", "villa"}}), StoreError);
    EXPECT_THROW(insertServer(store, {{"sub_idx", 8}, {"tb", "apt"}}), StoreError);
    EXPECT_THROW(insertServer(store, {{"id", "office1"}, {"tb", "apt"}}), StoreError);
    EXPECT_THROW(insertServer(store, {{"id", ""}, {"sub_idx", 9}}), StoreError);
    EXPECT_EQ(countRows(store), 2);
    EXPECT_EQ(readServer(store, QStringLiteral("office1"), 7)->value("tb").toString(), QStringLiteral("apt"));
    EXPECT_EQ(readServer(store, QStringLiteral("office2"), 7)->value("state").toInt(), 7);

    // Server rows page by the server's own number.
    const QList<ListingRow> page = readPage(store, 0, 10, ListingSide::Server);
    ASSERT_EQ(page.size(), 2);
    EXPECT_EQ(page.at(1).value("id").toString(), QStringLiteral("office2"));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingRepositoryTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
