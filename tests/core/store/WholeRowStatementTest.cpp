#include "core/store/WholeRowStatement.h"
#include "TestServices.h"
#include "core/store/TableDef.h"

#include <QDateTime>

using namespace teran;
using namespace teran::test;

namespace {

class WholeRowStatementTest : public testing::TestWithParam<Backend> {};

void createSample(SqlStore& store) {
    const TableDef table{QStringLiteral("sample"),
                         {{QStringLiteral("table_idx"), ColumnType::Integer, 0, true, {}},
                          {QStringLiteral("name"), ColumnType::Text, 0, false, {}},
                          {QStringLiteral("money"), ColumnType::BigInt, 0, false, {}},
                          {QStringLiteral("writeday"), ColumnType::DateTime, 0, false, {}}},
                         {}};
    store.execute(createTableSql(table, store.backend()));
}

} // namespace

// The whole-row binding reaches into how Qt hands values to its drivers; these checks fail
// loudly if a Qt upgrade changes that.
TEST_P(WholeRowStatementTest, EachRunBindsExactlyItsOwnRow) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    createSample(store);
    const QDateTime when(QDate(2024, 2, 29), QTime(13, 14, 15));
    {
        WholeRowStatement insert(store,
                                 QStringLiteral("INSERT INTO sample(name, money, writeday) VALUES(?,?,?)"));
        insert.run({QStringLiteral("첫째 ' \" \\ ;--"), 9'000'000'000'000LL, when});
        const int first = insert.lastInsertId().toInt();
        EXPECT_GE(first, 1);
        insert.run({QVariant(), QVariant(), QVariant()});
        EXPECT_GT(insert.lastInsertId().toInt(), first) << "each run its own new row";
        EXPECT_THROW(insert.run({QStringLiteral("too few")}), StoreError);
        EXPECT_THROW(insert.run({1, 2, 3, 4}), StoreError);
    }
    {
        // A question mark inside a quoted text is no placeholder.
        WholeRowStatement literal(store, QStringLiteral("INSERT INTO sample(name, money) VALUES('왜?', ?)"));
        EXPECT_THROW(literal.run({1, 2}), StoreError);
        literal.run({7});
    }
    QSqlQuery q = store.query(QStringLiteral("SELECT name, money, writeday FROM sample ORDER BY table_idx"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("첫째 ' \" \\ ;--"));
    EXPECT_EQ(q.value(1).toLongLong(), 9'000'000'000'000LL);
    EXPECT_EQ(SqlStore::toDateTime(q.value(2)), when);
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).isNull()) << "the second row must not keep the first row's values";
    EXPECT_TRUE(q.value(1).isNull());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("왜?"));
    EXPECT_EQ(q.value(1).toLongLong(), 7);
    EXPECT_FALSE(q.next()) << "a refused run writes nothing";
    // Dates bound this way compare with bound cut-offs like any other.
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT COUNT(*) FROM sample WHERE writeday >= ?"), {when}).toInt(),
              1);

    // A statement that cannot be prepared, or a closed store, throws at once.
    EXPECT_THROW(WholeRowStatement(store, QStringLiteral("INSERT INTO no_such_table(x) VALUES(?)")),
                 StoreError);
    store.close();
    EXPECT_THROW(WholeRowStatement(store, QStringLiteral("SELECT 1")), StoreError);
}

INSTANTIATE_TEST_SUITE_P(Backends, WholeRowStatementTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
