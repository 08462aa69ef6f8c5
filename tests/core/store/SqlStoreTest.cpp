#include "core/store/SqlStore.h"
#include "TestServices.h"
#include "core/store/TableDef.h"

#include <QDateTime>

using namespace teran;
using namespace teran::test;

namespace {

class SqlStoreTest : public testing::TestWithParam<Backend> {};

TableDef sampleTable() {
    return TableDef{QStringLiteral("sample"),
                    {{QStringLiteral("table_idx"), ColumnType::Integer, 0, true, {}},
                     {QStringLiteral("name"), ColumnType::Text, 40, false, {}},
                     {QStringLiteral("memo"), ColumnType::Text, 0, false, {}},
                     {QStringLiteral("money"), ColumnType::BigInt, 0, false, {}},
                     {QStringLiteral("rate"), ColumnType::Decimal, 0, false, {}},
                     {QStringLiteral("writeday"), ColumnType::DateTime, 0, false, {}}},
                    {{QStringLiteral("ix_sample_name"), {QStringLiteral("name"), QStringLiteral("memo")}}}};
}

} // namespace

// Values that would break or inject into SQL text must pass through untouched as bound values.
TEST_P(SqlStoreTest, HostileTextsMoneyAndDatesRoundTrip) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    const TableDef table = sampleTable();
    store.execute(createTableSql(table, store.backend()));
    for (const QString& sql : createIndexSql(table, store.backend()))
        store.execute(sql);

    const QString hostile = QStringLiteral("O'Brien \"역삼\" \\ 100% _x_ ;-- DROP TABLE sample; 강남구 ");
    const qint64 bigMoney = 9'876'543'210'123LL;
    const QDateTime when(QDate(2026, 2, 28), QTime(23, 59, 58));
    const QVariant id = store.insert(
        QStringLiteral("INSERT INTO sample(name, memo, money, rate, writeday) VALUES(?,?,?,?,?)"),
        {QStringLiteral("가나'다"), hostile, bigMoney, 5.25, when});
    ASSERT_TRUE(id.isValid());

    QSqlQuery q = store.query(
        QStringLiteral("SELECT name, memo, money, rate, writeday FROM sample WHERE memo = ?"), {hostile});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("가나'다"));
    EXPECT_EQ(q.value(1).toString(), hostile);
    EXPECT_EQ(q.value(2).toLongLong(), bigMoney);
    EXPECT_DOUBLE_EQ(q.value(3).toDouble(), 5.25);
    EXPECT_EQ(SqlStore::toDateTime(q.value(4)), when);
    EXPECT_FALSE(q.next());

    // A typed search text is data: its % and _ match themselves, not any text.
    const QString like =
        QStringLiteral("SELECT COUNT(*) FROM sample WHERE memo LIKE ?") + SqlStore::likeEscapeSql();
    EXPECT_EQ(store.scalar(like, {SqlStore::likeContains(QStringLiteral("100% _x_"))}).toInt(), 1);
    EXPECT_EQ(store.scalar(like, {SqlStore::likeContains(QStringLiteral("100%%"))}).toInt(), 0);
    EXPECT_EQ(store.scalar(like, {SqlStore::likeContains(QStringLiteral("_x__"))}).toInt(), 0);
    // Cut-off dates compare the same on both backends.
    EXPECT_EQ(
        store.scalar(QStringLiteral("SELECT COUNT(*) FROM sample WHERE writeday >= ?"), {when.addSecs(1)})
            .toInt(),
        0);
    EXPECT_EQ(
        store.scalar(QStringLiteral("SELECT COUNT(*) FROM sample WHERE writeday >= ?"), {when.addDays(-60)})
            .toInt(),
        1);
}

// A failed statement carries its SQL and a transaction left without commit rolls back. Too few
// or too many values must never run: a missing value would silently become NULL.
TEST_P(SqlStoreTest, FailedStatementCarriesSqlAndTransactionRollsBack) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    store.execute(createTableSql(sampleTable(), store.backend()));
    {
        Transaction tx(store);
        store.execute(QStringLiteral("INSERT INTO sample(name) VALUES(?)"), {QStringLiteral("kept?")});
        try {
            store.execute(QStringLiteral("INSERT INTO no_such_table(x) VALUES(?)"), {1});
            FAIL() << "a statement on a missing table must throw";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.sql().contains(QStringLiteral("no_such_table")));
            EXPECT_FALSE(e.description().isEmpty());
        }
    } // left without commit
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT COUNT(*) FROM sample")).toInt(), 0);

    EXPECT_THROW(
        store.execute(QStringLiteral("INSERT INTO sample(name, memo) VALUES(?, ?)"), {QStringLiteral("a")}),
        StoreError);
    EXPECT_THROW(store.execute(QStringLiteral("INSERT INTO sample(name) VALUES(?)"), {1, 2}), StoreError);
    // A question mark inside a quoted text is data, not a placeholder.
    store.execute(QStringLiteral("INSERT INTO sample(name, memo) VALUES('왜?', ?)"), {QStringLiteral("b")});
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT COUNT(*) FROM sample")).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlStoreTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// Dates as rows keep them, and the other forms older files hold; impossible days stay invalid.
TEST(SqlStoreDates, StoredTextsAreReadAsTheDatesTheyName) {
    const QDateTime afternoon(QDate(2026, 3, 10), QTime(14, 5, 30));
    EXPECT_EQ(SqlStore::toDateTime(QStringLiteral("2026-03-10 14:05:30")), afternoon);
    EXPECT_EQ(SqlStore::toDateTime(QStringLiteral(" 2026-03-10 14:05:30 ")), afternoon);
    EXPECT_EQ(SqlStore::toDateTime(QStringLiteral("2026-03-10T14:05:30")), afternoon);
    EXPECT_EQ(SqlStore::toDateTime(QStringLiteral("2026-03-10")), QDate(2026, 3, 10).startOfDay());
    EXPECT_EQ(SqlStore::toDateTime(QStringLiteral("2024-02-29 23:59:59")),
              QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
    for (const char* impossible : {"2026-02-30 10:00:00", "2026-13-01 10:00:00", "2026-03-10 10:60:00",
                                   "2026-0a-10 10:00:00", "", "오늘"})
        EXPECT_FALSE(SqlStore::toDateTime(QString::fromUtf8(impossible)).isValid()) << impossible;
    EXPECT_EQ(SqlStore::toDateTime(SqlStore(QStringLiteral("dates")).toStored(afternoon)), afternoon)
        << "a stored date reads back";
}
