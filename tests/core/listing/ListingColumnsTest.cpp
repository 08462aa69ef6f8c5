#include "core/listing/ListingColumns.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"

#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

QStringList split(const QString& list) {
    return list.split(QStringLiteral(", "));
}

// Kept in the office only.
const QStringList kNeverOnServer =
    split(QStringLiteral("addr3_1, addr4, addr5, uname, company, email, uhp, uoffice, "
                         "uhome, ufax, umoney, ubigo, opid, ming, jubsu, groupin, "
                         "keyword, offday"));

QSet<QString> lowerSet(const QStringList& names) {
    QSet<QString> set;
    for (const QString& n : names)
        set.insert(n.toLower());
    return set;
}

} // namespace

TEST(ListingColumns, DeclaredOnceWithTheirStores) {
    const QList<ColumnDef>& all = listingColumns();
    EXPECT_GE(all.size(), 150);
    QSet<QString> seen;
    int autoKeys = 0;
    for (const ColumnDef& c : all) {
        EXPECT_EQ(c.name, c.name.toLower()) << c.name.toStdString();
        EXPECT_FALSE(seen.contains(c.name)) << "declared twice: " << c.name.toStdString();
        seen.insert(c.name);
        autoKeys += c.autoKey ? 1 : 0;
    }
    EXPECT_EQ(autoKeys, 1);
    EXPECT_TRUE(findListingColumn(QStringLiteral("table_idx"))->autoKey);
    // Looked up ignoring case.
    ASSERT_NE(findListingColumn(QStringLiteral("Keyword")), nullptr);
    EXPECT_EQ(findListingColumn(QStringLiteral("Keyword"))->name, QStringLiteral("keyword"));
    EXPECT_TRUE(isListingColumnOn(QStringLiteral("State"), ListingSide::Server));
    EXPECT_EQ(findListingColumn(QStringLiteral("money")), nullptr);

    const QStringList local = listingColumnNames(ListingSide::Local);
    const QStringList server = listingColumnNames(ListingSide::Server);
    EXPECT_FALSE(local.contains(QStringLiteral("sub_idx")));
    for (const char* name :
         {"table_idx", "sub_idx", "id", "subid", "tb", "ty", "state", "showday", "sortday", "writeday",
          "hitadd", "hitmem", "readnum", "bigoie", "imgname1", "imgname2", "note"})
        EXPECT_TRUE(server.contains(QLatin1String(name))) << name;
    for (const QString& name : kNeverOnServer) {
        EXPECT_TRUE(local.contains(name)) << name.toStdString();
        EXPECT_FALSE(server.contains(name)) << name.toStdString();
        EXPECT_FALSE(isListingColumnOn(name, ListingSide::Server)) << name.toStdString();
    }
}

TEST(ListingColumns, TypesFollowWhatTheColumnsHold) {
    for (const ColumnDef& c : listingColumns()) {
        const std::string name = c.name.toStdString();
        if (c.name == QLatin1String("money_ys") || c.name.startsWith(QLatin1String("pyung"))) {
            EXPECT_EQ(c.type, ColumnType::Decimal) << name;
        } else if (c.name.startsWith(QLatin1String("money_"))) {
            EXPECT_EQ(c.type, ColumnType::BigInt) << name; // 만원 totals beyond 32 bits
        }
    }
    // MariaDB counts each VARCHAR in full (4 bytes a character) against 65,535 bytes a row.
    int varcharBytes = 0;
    for (const ColumnDef& c : listingColumns())
        if (c.type == ColumnType::Text && c.size > 0)
            varcharBytes += 4 * c.size + 2;
    EXPECT_LT(varcharBytes, 8000);
}

TEST(ListingColumns, IndexesNameDeclaredColumns) {
    for (ListingSide side : {ListingSide::Local, ListingSide::Server}) {
        const TableDef table = maemulTable(side);
        EXPECT_EQ(table.name, QStringLiteral("maemul"));
        for (const IndexDef& index : table.indexes)
            for (const QString& column : index.columns)
                if (!column.startsWith(QLatin1Char('('))) { // an expression of columns (the combined amount)
                    EXPECT_NE(table.column(column), nullptr) << column.toStdString();
                }
    }
    const TableDef server = maemulTable(ListingSide::Server);
    const auto key = std::find_if(server.indexes.begin(), server.indexes.end(),
                                  [](const IndexDef& i) { return i.unique; });
    ASSERT_NE(key, server.indexes.end());
    EXPECT_EQ(key->columns, QStringList({QStringLiteral("id"), QStringLiteral("sub_idx")}));
}

class ListingSchemaTest : public testing::TestWithParam<std::tuple<Backend, ListingSide>> {};

// The wide table must be accepted by both backends (MariaDB's row-size limits included) and
// hold exactly the declared columns of its side.
TEST_P(ListingSchemaTest, CreatesWithExactlyTheDeclaredColumns) {
    const auto [backend, side] = GetParam();
    TERAN_SCRATCH_STORE(scratch, backend);
    SqlStore& store = scratch->store();
    createListingTable(store, side);
    ASSERT_TRUE(store.hasTable(QStringLiteral("maemul")));
    EXPECT_EQ(lowerSet(store.columnsOf(QStringLiteral("maemul"))), lowerSet(listingColumnNames(side)));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingSchemaTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::MariaDb),
                                          testing::Values(ListingSide::Local, ListingSide::Server)),
                         [](const testing::TestParamInfo<std::tuple<Backend, ListingSide>>& info) {
                             const bool sqlite = std::get<0>(info.param) == Backend::Sqlite;
                             const bool local = std::get<1>(info.param) == ListingSide::Local;
                             return std::string(sqlite ? "Sqlite" : "MariaDb") + (local ? "Local" : "Server");
                         });
