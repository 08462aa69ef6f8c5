#include "session/StoreTables.h"
#include "TestServices.h"
#include "session/SqlStore.h"

#include <QDateTime>
#include <QSet>
#include <tuple>

using namespace teran;
using namespace teran::test;

namespace {

enum class Store { Listing, Server };

QList<TableDef> tablesOf(Store store) {
    return store == Store::Listing ? listingStoreTables() : serverStoreTables();
}

const char* storeName(Store store) {
    return store == Store::Listing ? "ListingStore" : "ServerStore";
}

QString quoted(const QString& identifier) {
    return QLatin1Char('`') + identifier + QLatin1Char('`');
}

QSet<QString> lowered(const QStringList& names) {
    QSet<QString> set;
    for (const QString& n : names)
        set.insert(n.toLower());
    return set;
}

// Index names of one table, as the backend itself reports them.
QSet<QString> indexesOn(SqlStore& store, const QString& table) {
    const QString sql =
        store.backend() == SqlBackend::Sqlite
            ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?")
            : QStringLiteral("SELECT DISTINCT INDEX_NAME FROM information_schema.STATISTICS "
                             "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = ?");
    QSqlQuery q = store.query(sql, {table});
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return lowered(names);
}

// Creates every table with its indexes; a table the backend refuses fails the test by name.
bool createAll(SqlStore& store, const QList<TableDef>& tables) {
    for (const TableDef& t : tables) {
        try {
            store.execute(createTableSql(t, store.backend()));
            for (const QString& sql : createIndexSql(t, store.backend()))
                store.execute(sql);
        } catch (const StoreError& e) {
            ADD_FAILURE() << "table " << t.name.toStdString() << ": " << e.what() << "\n"
                          << e.sql().toStdString();
            return false;
        }
    }
    return true;
}

// Hangul, both kinds of quote and a backslash; a bounded column gets exactly its full width, so
// the declared size must hold that many Hangul characters.
QString sampleText(const ColumnDef& column) {
    const QString pattern = QStringLiteral("강남'역삼\"동\\1-2");
    if (column.size == 0)
        return pattern.repeated(40) + QStringLiteral("\r\n둘째 줄 O'Brien");
    return pattern.repeated(column.size / pattern.size() + 1).left(column.size);
}

QVariant sampleValue(const ColumnDef& column) {
    switch (column.type) {
    case ColumnType::Integer:
        return 40000; // beyond the 16-bit counts of the old program
    case ColumnType::BigInt:
        return QVariant::fromValue<qint64>(9'876'543'210'123LL);
    case ColumnType::Decimal:
        return 33.06;
    case ColumnType::DateTime:
        return QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58));
    case ColumnType::Text:
        return sampleText(column);
    }
    return {};
}

// Writes one row with a sample value in every column but the key, then reads it back.
void roundTrip(SqlStore& store, const TableDef& table) {
    SCOPED_TRACE(table.name.toStdString());
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (const ColumnDef& c : table.columns) {
        if (c.autoKey)
            continue;
        names << quoted(c.name);
        marks << QStringLiteral("?");
        values << sampleValue(c);
    }
    store.execute(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoted(table.name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
        values);

    QSqlQuery q = store.query(
        QStringLiteral("SELECT %1 FROM %2").arg(names.join(QStringLiteral(", ")), quoted(table.name)));
    ASSERT_TRUE(q.next());
    int i = 0;
    for (const ColumnDef& c : table.columns) {
        if (c.autoKey)
            continue;
        SCOPED_TRACE(c.name.toStdString());
        const QVariant got = q.value(i);
        const QVariant want = values.at(i++);
        switch (c.type) {
        case ColumnType::Integer:
        case ColumnType::BigInt:
            EXPECT_EQ(got.toLongLong(), want.toLongLong());
            break;
        case ColumnType::Decimal:
            EXPECT_DOUBLE_EQ(got.toDouble(), want.toDouble());
            break;
        case ColumnType::DateTime:
            EXPECT_EQ(SqlStore::toDateTime(got), want.toDateTime());
            break;
        case ColumnType::Text:
            EXPECT_EQ(got.toString(), want.toString());
            break;
        }
    }
    EXPECT_FALSE(q.next());
}

class StoreTablesTest : public testing::TestWithParam<Backend> {};

} // namespace

// Both stores' tables are made on each backend with all their columns and indexes, and every
// column keeps a full-width Hangul text with quotes, a 64-bit amount, a fraction and a date.
TEST_P(StoreTablesTest, EveryTableIsCreatedAndKeepsWhatIsWritten) {
    TERAN_SCRATCH_STORE(listing, GetParam());
    TERAN_SCRATCH_STORE(server, GetParam());
    for (Store which : {Store::Listing, Store::Server}) {
        SCOPED_TRACE(storeName(which));
        SqlStore& store = which == Store::Listing ? listing->store() : server->store();
        const QList<TableDef> tables = tablesOf(which);
        ASSERT_TRUE(createAll(store, tables));
        for (const TableDef& t : tables) {
            SCOPED_TRACE(t.name.toStdString());
            EXPECT_TRUE(store.hasTable(t.name));
            EXPECT_EQ(lowered(store.columnsOf(t.name)), lowered(t.columnNames()));
            const QSet<QString> made = indexesOn(store, t.name);
            for (const IndexDef& index : t.indexes)
                EXPECT_TRUE(made.contains(index.name.toLower())) << index.name.toStdString();
            roundTrip(store, t);
        }
    }
}

// The unique keys keep an account, a club membership and a listing's place in a group single,
// whatever the program does twice.
TEST_P(StoreTablesTest, UniqueKeysRefuseASecondRow) {
    TERAN_SCRATCH_STORE(listing, GetParam());
    TERAN_SCRATCH_STORE(server, GetParam());
    ASSERT_TRUE(createAll(listing->store(), listingStoreTables()));
    ASSERT_TRUE(createAll(server->store(), serverStoreTables()));

    const QString account =
        QStringLiteral("INSERT INTO members(companyID, memID, memType, name) VALUES(?,?,?,?)");
    for (SqlStore* store : {&listing->store(), &server->store()}) {
        store->execute(account, {QStringLiteral("kim"), QStringLiteral("kim"), QStringLiteral("A"),
                                 QStringLiteral("김")});
        store->execute(account, {QStringLiteral("kim"), QStringLiteral("lee"), QStringLiteral("B"),
                                 QStringLiteral("이")});
        EXPECT_THROW(store->execute(account, {QStringLiteral("park"), QStringLiteral("kim"),
                                              QStringLiteral("A"), QStringLiteral("박")}),
                     StoreError);
        EXPECT_EQ(store
                      ->scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID = ?"),
                               {QStringLiteral("kim")})
                      .toInt(),
                  1);
    }

    const QString join = QStringLiteral("INSERT INTO teranclub_mem(club_idx, id, level) VALUES(?,?,?)");
    server->store().execute(join, {7, QStringLiteral("kim"), 3});
    server->store().execute(join, {8, QStringLiteral("kim"), 3});
    EXPECT_THROW(server->store().execute(join, {7, QStringLiteral("kim"), 1}), StoreError);

    const QString group = QStringLiteral("INSERT INTO group_mul(g_id, s_id, g_idx, t_idx) VALUES(?,?,?,?)");
    listing->store().execute(group, {QStringLiteral("kim"), QString(), 1, 15});
    listing->store().execute(group, {QStringLiteral("kim"), QString(), 2, 15});
    EXPECT_THROW(listing->store().execute(group, {QStringLiteral("kim"), QString(), 1, 15}), StoreError);
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreTablesTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// Declarations that would only fail later, on a live store or in a query: repeated names, an
// index on a column that is not there, two auto numbers, or the listings table declared twice.
TEST(StoreTables, DeclarationsAreConsistent) {
    for (Store which : {Store::Listing, Store::Server}) {
        SCOPED_TRACE(storeName(which));
        QSet<QString> tableNames;
        QSet<QString> indexNames;
        for (const TableDef& t : tablesOf(which)) {
            SCOPED_TRACE(t.name.toStdString());
            EXPECT_FALSE(tableNames.contains(t.name)) << "table declared twice";
            tableNames.insert(t.name);
            EXPECT_EQ(lowered(t.columnNames()).size(), t.columns.size()) << "a column name repeats";
            int keys = 0;
            for (const ColumnDef& c : t.columns) {
                keys += c.autoKey ? 1 : 0;
                EXPECT_FALSE(c.name.isEmpty());
                EXPECT_GE(c.size, 0);
            }
            EXPECT_LE(keys, 1);
            for (const IndexDef& index : t.indexes) {
                EXPECT_FALSE(indexNames.contains(index.name.toLower())) << index.name.toStdString();
                indexNames.insert(index.name.toLower());
                for (const QString& c : index.columns)
                    EXPECT_NE(t.column(c), nullptr)
                        << index.name.toStdString() << " names " << c.toStdString();
            }
        }
        EXPECT_FALSE(tableNames.contains(QStringLiteral("maemul")));
    }
}
