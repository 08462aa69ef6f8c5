#include "TestServices.h"
#include "core/session/StoreSchemas.h"
#include "core/session/StoreSetup.h"
#include "core/store/SchemaMigrator.h"

#include <QDir>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

// A database of an earlier program: some tables with fewer columns, others missing, no version.
TEST(SchemaUpgrade, AnOlderListingStoreGainsEveryTableAndColumnAndKeepsItsRows) {
    auto scratch = ScratchStore::sqlite();
    SqlStore& store = scratch->store();
    store.execute(
        QStringLiteral("CREATE TABLE maemul (table_idx INTEGER PRIMARY KEY AUTOINCREMENT, id TEXT, tb TEXT, "
                       "ty TEXT, uname TEXT, money_m INTEGER, state INTEGER)"));
    store.execute(QStringLiteral("CREATE TABLE mem_seting (seting TEXT, set1 TEXT)"));
    store.execute(QStringLiteral("INSERT INTO maemul(id, tb, ty, uname, money_m, state) VALUES(?,?,?,?,?,?)"),
                  {QStringLiteral("office1"), QStringLiteral("apt"), QStringLiteral("M"),
                   QStringLiteral("홍길동 'A'"), 350000, 0});
    store.execute(QStringLiteral("INSERT INTO mem_seting(seting, set1) VALUES(?,?)"),
                  {QStringLiteral("fontsize"), QStringLiteral("12")});

    SchemaMigrator migrator(store, listingStoreMigrations());
    EXPECT_EQ(migrator.currentVersion(), 0);
    EXPECT_GT(migrator.upgrade(), 0);
    EXPECT_EQ(migrator.currentVersion(), migrator.latestVersion());

    for (const TableDef& table : listingStoreSchema()) {
        ASSERT_TRUE(store.hasTable(table.name)) << table.name.toStdString();
        const QStringList present = store.columnsOf(table.name);
        for (const ColumnDef& column : table.columns)
            EXPECT_TRUE(present.contains(column.name, Qt::CaseInsensitive))
                << table.name.toStdString() << "." << column.name.toStdString();
    }
    QSqlQuery row = store.query(QStringLiteral("SELECT uname, money_m, set1 FROM maemul, mem_seting"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("홍길동 'A'"));
    EXPECT_EQ(row.value(1).toLongLong(), 350000);
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("12"));
    // New rows keep counting after the old numbers.
    const QVariant next =
        store.insert(QStringLiteral("INSERT INTO maemul(id) VALUES(?)"), {QStringLiteral("office1")});
    EXPECT_EQ(next.toInt(), 2);

    EXPECT_EQ(SchemaMigrator(store, listingStoreMigrations()).upgrade(), 0)
        << "a current store needs no step";
}

TEST(SchemaUpgrade, AFailingStepLeavesTheStoreAsItWas) {
    auto scratch = ScratchStore::sqlite();
    SqlStore& store = scratch->store();
    QList<Migration> steps = {
        {1, QStringLiteral("one"),
         [](SqlStore& s) { s.execute(QStringLiteral("CREATE TABLE a (x INTEGER)")); }},
        {2, QStringLiteral("two"),
         [](SqlStore& s) {
             s.execute(QStringLiteral("CREATE TABLE b (x INTEGER)"));
             s.execute(QStringLiteral("INSERT INTO missing_table VALUES (1)"));
         }},
    };
    SchemaMigrator migrator(store, steps);
    EXPECT_THROW(migrator.upgrade(), StoreError);
    EXPECT_EQ(migrator.currentVersion(), 1) << "the first step stands, the failed one does not";
    EXPECT_TRUE(store.hasTable(QStringLiteral("a")));
    EXPECT_FALSE(store.hasTable(QStringLiteral("b")));
}

class StoreSetupTest : public testing::TestWithParam<Backend> {};

TEST_P(StoreSetupTest, ServerSchemaHoldsTheNumberedTextsAndInitCanRunAgain) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& server = scratch->store();
    initServerStore(server, {QStringLiteral("pw'1"), 5000});
    for (const TableDef& table : serverStoreSchema())
        EXPECT_TRUE(server.hasTable(table.name)) << table.name.toStdString();
    auto text = [&](int number) {
        return server.scalar(QStringLiteral("SELECT content FROM mem_msg WHERE table_idx=?"), {number})
            .toString();
    };
    EXPECT_EQ(text(8), QStringLiteral("pw'1"));
    EXPECT_EQ(text(3), QStringLiteral("5000"));
    EXPECT_EQ(server.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_msg WHERE enable='0'")).toInt(), 0)
        << "service texts must never show up as notices";

    server.execute(QStringLiteral("UPDATE mem_msg SET content=? WHERE table_idx=1"),
                   {QStringLiteral("바뀐 안내")});
    initServerStore(server, {QStringLiteral("new-pw"), 0});
    EXPECT_EQ(text(8), QStringLiteral("new-pw")) << "a given password replaces the old one";
    EXPECT_EQ(text(3), QStringLiteral("5000")) << "a value not given stays";
    EXPECT_EQ(text(1), QStringLiteral("바뀐 안내"));
    EXPECT_EQ(server.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_msg")).toInt(),
              defaultServerTexts({}).size());
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreSetupTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

TEST(StoreSetup, InitMakesTheDataFolderWithItsListingStore) {
    QTemporaryDir dir;
    const DataFolder folder(dir.filePath(QStringLiteral("office data")));
    ASSERT_FALSE(folder.hasListingStore());
    initDataFolder(folder);
    EXPECT_TRUE(folder.hasListingStore());
    for (const QString& sub : {QStringLiteral("rd"), QStringLiteral("files"), QStringLiteral("Log"),
                               QStringLiteral("TmpImgDownLoadFile")})
        EXPECT_TRUE(QDir(folder.path(sub)).exists()) << sub.toStdString();
    SqlStore store(uniqueName(QStringLiteral("check")));
    store.open(StoreUrl::sqliteFile(folder.listingStoreFile()));
    EXPECT_EQ(SchemaMigrator(store, listingStoreMigrations()).currentVersion(),
              SchemaMigrator(store, listingStoreMigrations()).latestVersion());
}
