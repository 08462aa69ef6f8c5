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

const TableDef* findTable(const QList<TableDef>& tables, const QString& name) {
    for (const TableDef& t : tables)
        if (t.name == name)
            return &t;
    return nullptr;
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

// The columns that login, settings, notices, pictures, pickers, clubs and the ledgers read and
// write, spelled exactly as those statements spell them.
TEST(StoreTables, TablesHoldTheColumnsTheProgramUses) {
    const QStringList account{
        QStringLiteral("companyID"), QStringLiteral("memID"),     QStringLiteral("memType"),
        QStringLiteral("memPWD"),    QStringLiteral("name"),      QStringLiteral("shopname"),
        QStringLiteral("showname"),  QStringLiteral("jumin1"),    QStringLiteral("jumin2"),
        QStringLiteral("email"),     QStringLiteral("addr1"),     QStringLiteral("addr2"),
        QStringLiteral("addr3"),     QStringLiteral("addr4"),     QStringLiteral("homtel"),
        QStringLiteral("hantel"),    QStringLiteral("fax"),       QStringLiteral("shopnum"),
        QStringLiteral("homepage"),  QStringLiteral("admin_msg"), QStringLiteral("nowdata"),
        QStringLiteral("lastDay")};
    const QStringList staff{QStringLiteral("mem_idx"), QStringLiteral("addrKey"), QStringLiteral("bigo"),
                            QStringLiteral("startday"), QStringLiteral("writeday")};
    const QStringList post{QStringLiteral("postno"), QStringLiteral("addr1"), QStringLiteral("addr2"),
                           QStringLiteral("addr3"), QStringLiteral("addr4")};
    const QStringList subway{QStringLiteral("table_idx"), QStringLiteral("sline"), QStringLiteral("station")};
    struct Expectation {
        Store store;
        QString table;
        QStringList columns;
    };
    const QList<Expectation> expected{
        {Store::Listing, QStringLiteral("members"), account},
        {Store::Server, QStringLiteral("members"), account + staff},
        {Store::Listing,
         QStringLiteral("mem_seting"),
         {QStringLiteral("seting"), QStringLiteral("set1"), QStringLiteral("set2"), QStringLiteral("set3"),
          QStringLiteral("set4"), QStringLiteral("set5")}},
        {Store::Server,
         QStringLiteral("mem_msg"),
         {QStringLiteral("table_idx"), QStringLiteral("content"), QStringLiteral("Type"),
          QStringLiteral("title"), QStringLiteral("enable")}},
        {Store::Server,
         QStringLiteral("mem_history"),
         {QStringLiteral("id"), QStringLiteral("content"), QStringLiteral("writeday")}},
        {Store::Listing,
         QStringLiteral("filebox"),
         {QStringLiteral("tb"), QStringLiteral("ty"), QStringLiteral("tidx"), QStringLiteral("Img1"),
          QStringLiteral("Img2"), QStringLiteral("img3")}},
        {Store::Server,
         QStringLiteral("filebox"),
         {QStringLiteral("tb"), QStringLiteral("ty"), QStringLiteral("ID"), QStringLiteral("sub_idx"),
          QStringLiteral("Img1"), QStringLiteral("writeday")}},
        {Store::Listing, QStringLiteral("post"), post},
        {Store::Server, QStringLiteral("post"), post},
        {Store::Listing, QStringLiteral("subway"), subway},
        {Store::Server, QStringLiteral("subway"), subway},
        {Store::Listing,
         QStringLiteral("mem_work"),
         {QStringLiteral("table_idx"), QStringLiteral("id"), QStringLiteral("opid"), QStringLiteral("tb"),
          QStringLiteral("ty"), QStringLiteral("tidx"), QStringLiteral("addr"), QStringLiteral("writeday"),
          QStringLiteral("work")}},
        {Store::Listing,
         QStringLiteral("group_mul"),
         {QStringLiteral("g_id"), QStringLiteral("s_id"), QStringLiteral("g_idx"), QStringLiteral("t_idx"),
          QStringLiteral("g_day")}},
        {Store::Listing,
         QStringLiteral("maedoin"),
         {QStringLiteral("uname"), QStringLiteral("uhp"), QStringLiteral("addr4"), QStringLiteral("opid")}},
        {Store::Listing,
         QStringLiteral("mem_moo_rec"),
         {QStringLiteral("Option"), QStringLiteral("Name"), QStringLiteral("Money"), QStringLiteral("money2"),
          QStringLiteral("Shop"), QStringLiteral("Type"), QStringLiteral("today")}},
        {Store::Server,
         QStringLiteral("mem_moo_mul"),
         {QStringLiteral("ID"), QStringLiteral("tidx"), QStringLiteral("Text3"), QStringLiteral("text8_20"),
          QStringLiteral("text11_17"), QStringLiteral("radio"), QStringLiteral("chkbox"),
          QStringLiteral("wday2")}},
        {Store::Server,
         QStringLiteral("mem_cash"),
         {QStringLiteral("companyID"), QStringLiteral("ID"), QStringLiteral("Type"), QStringLiteral("Money"),
          QStringLiteral("content"), QStringLiteral("writeday")}},
        {Store::Server,
         QStringLiteral("teranclub_mem"),
         {QStringLiteral("club_idx"), QStringLiteral("id"), QStringLiteral("level"),
          QStringLiteral("writeday")}},
        {Store::Server,
         QStringLiteral("mem_paper"),
         {QStringLiteral("id"), QStringLiteral("toid"), QStringLiteral("tidx"), QStringLiteral("readok"),
          QStringLiteral("readday")}},
    };
    for (const Expectation& e : expected) {
        const QList<TableDef> tables = tablesOf(e.store);
        const TableDef* table = findTable(tables, e.table);
        ASSERT_NE(table, nullptr) << storeName(e.store) << " lacks " << e.table.toStdString();
        const QStringList names = table->columnNames(); // compared with their exact case
        for (const QString& c : e.columns)
            EXPECT_TRUE(names.contains(c))
                << storeName(e.store) << " " << e.table.toStdString() << " lacks " << c.toStdString();
    }

    // Amounts are whole 64-bit numbers; notices are read by their number.
    const QList<std::tuple<Store, QString, QString>> amounts{
        {Store::Listing, QStringLiteral("mem_moo_con"), QStringLiteral("money1")},
        {Store::Listing, QStringLiteral("maesuin"), QStringLiteral("m2")},
        {Store::Listing, QStringLiteral("mem_money"), QStringLiteral("jichul")},
        {Store::Listing, QStringLiteral("maemul_imchain"), QStringLiteral("money_b")},
        {Store::Server, QStringLiteral("mem_cash"), QStringLiteral("Money")}};
    for (const auto& [store, table, column] : amounts) {
        const QList<TableDef> tables = tablesOf(store);
        const TableDef* t = findTable(tables, table);
        ASSERT_NE(t, nullptr) << table.toStdString();
        ASSERT_NE(t->column(column), nullptr) << table.toStdString();
        EXPECT_EQ(t->column(column)->type, ColumnType::BigInt) << table.toStdString();
    }
    const QList<TableDef> server = serverStoreTables();
    const TableDef* notices = findTable(server, QStringLiteral("mem_msg"));
    ASSERT_NE(notices, nullptr);
    EXPECT_TRUE(notices->column(QStringLiteral("table_idx"))->autoKey);
}
