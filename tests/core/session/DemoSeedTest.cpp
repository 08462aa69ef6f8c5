#include "session/DemoSeed.h"
#include "TestServices.h"
#include "session/ListingRepository.h"
#include "session/PropertyTypes.h"
#include "session/StoreSetup.h"

#include <QSet>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

const QString kDemo = QStringLiteral("demo");
const QVariantList kPublished{1, 3, 7};

// A fresh data folder with its ListingStore, beside a fresh ServerStore of the chosen backend.
class DemoSeedTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        server = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        initServerStore(server->store(), {QStringLiteral("ftp-secret"), 7777});
        local = listingStoreIn(dir);
    }

    static std::unique_ptr<SqlStore> listingStoreIn(const QTemporaryDir& folder) {
        const DataFolder data(folder.path());
        initDataFolder(data);
        auto store = std::make_unique<SqlStore>(uniqueName(QStringLiteral("demo-local")));
        store->open(StoreUrl::sqliteFile(data.listingStoreFile()));
        return store;
    }

    SqlStore& srv() { return server->store(); }

    static int count(SqlStore& store, const QString& sql, const QVariantList& values = {}) {
        return store.scalar(sql, values, -1).toInt();
    }

    QTemporaryDir dir;
    std::unique_ptr<ScratchStore> server;
    std::unique_ptr<SqlStore> local;
    FixedClock clock{QDateTime(QDate(2026, 3, 15), QTime(11, 0))};
};

QList<ListingRow> allRows(SqlStore& store, ListingSide side) {
    return readPage(store, 0, 100000, side);
}

// Every published local row has one server copy with the same terms, and the server holds no
// copy of the demo office that the ListingStore does not publish.
void expectStoresAgree(SqlStore& local, SqlStore& server) {
    int published = 0;
    for (const ListingRow& row : allRows(local, ListingSide::Local)) {
        const int number = row.value("table_idx").toInt();
        const auto copy = readServer(server, kDemo, number);
        if (!kPublished.contains(row.value("state"))) {
            EXPECT_FALSE(copy.has_value()) << "unpublished listing " << number << " has a server copy";
            continue;
        }
        ++published;
        ASSERT_TRUE(copy.has_value()) << "published listing " << number << " has no server copy";
        for (const char* column : {"tb", "ty", "state", "subid", "money_m", "money_jb", "money_b", "money_w"})
            EXPECT_EQ(copy->value(column), row.value(column)) << column << " of listing " << number;
    }
    EXPECT_EQ(server.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id=?"), {kDemo}).toInt(),
              published);
}

// The amount that says what a listing costs under its transaction.
bool hasItsAmount(const ListingRow& row) {
    const QString ty = row.value("ty").toString();
    if (ty == QLatin1String("J"))
        return row.value("money_jb").toLongLong() > 0;
    if (ty == QLatin1String("W"))
        return row.value("money_b").toLongLong() > 0 && row.value("money_w").toLongLong() > 0;
    return row.value("money_m").toLongLong() > 0; // M, and B with its price including the premium
}

} // namespace

TEST_P(DemoSeedTest, AccountsLogInWithTheDocumentedPasswordsAndOnlyOnTheServer) {
    const DemoSeedReport made = seedDemo(*local, srv(), clock);
    ASSERT_TRUE(made);
    EXPECT_TRUE(made.serverSeeded);
    EXPECT_TRUE(made.localSeeded);

    const struct {
        const char* id;
        const char* password;
        const char* type;
    } logins[] = {{"demo", "demo1234", "A"}, {"staff1", "staff1234", "B"}, {"staff2", "staff2234", "B"}};
    QSet<QString> names;
    for (const auto& login : logins) {
        QSqlQuery account = srv().query(
            QStringLiteral(
                "SELECT companyID, memType, name, shopname, homtel FROM members WHERE memID=? AND memPWD=?"),
            {login.id, login.password});
        ASSERT_TRUE(account.next()) << login.id;
        EXPECT_EQ(account.value(0).toString(), kDemo);
        EXPECT_EQ(account.value(1).toString(), QLatin1String(login.type));
        EXPECT_EQ(account.value(3).toString(), QStringLiteral("테란공인중개사사무소")) << login.id;
        EXPECT_FALSE(account.value(4).toString().isEmpty()) << login.id;
        names << account.value(2).toString();
    }
    EXPECT_EQ(names.size(), 3) << "every account has a name of its own";
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM members WHERE companyID=? AND memType='A'"),
                    {kDemo}),
              1);
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=? AND memPWD=?"),
                    {kDemo, QStringLiteral("wrong")}),
              0);
    // The first online login is what brings the accounts to the office.
    EXPECT_EQ(count(*local, QStringLiteral("SELECT COUNT(*) FROM members")), 0);
}

TEST_P(DemoSeedTest, OwnListingsBelongToTheOfficeAndMatchTheirServerCopies) {
    const DemoSeedReport made = seedDemo(*local, srv(), clock);
    const QList<ListingRow> rows = allRows(*local, ListingSide::Local);
    ASSERT_GE(rows.size(), 40);
    ASSERT_LE(rows.size(), 60);
    EXPECT_EQ(made.ownListings, rows.size());

    QSet<QString> types;
    QSet<int> states;
    int reserved = 0;
    for (const ListingRow& row : rows) {
        const int number = row.value("table_idx").toInt();
        EXPECT_EQ(row.value("id").toString(), kDemo) << number;
        EXPECT_TRUE(offersTransaction(row.value("tb").toString(), row.value("ty").toString())) << number;
        EXPECT_TRUE(hasItsAmount(row)) << number;
        EXPECT_FALSE(row.value("uname").toString().isEmpty()) << number;
        EXPECT_FALSE(row.value("uhp").toString().isEmpty()) << number;
        EXPECT_TRUE(QStringList({"demo", "staff1", "staff2"}).contains(row.value("subid").toString()))
            << number;
        types << row.value("tb").toString();
        states << row.value("state").toInt();
        if (row.value("opid") == QStringLiteral("staff2"))
            ++reserved;
        const QDateTime showday = row.value("showday").toDateTime();
        EXPECT_LE(row.value("writeday").toDateTime(), showday) << number;
        EXPECT_LT(showday, clock.now()) << number;
    }
    EXPECT_EQ(types.size(), 19);
    EXPECT_EQ(states, QSet<int>({0, 1, 2, 3, 7}));
    EXPECT_GE(reserved, 2);
    EXPECT_LT(reserved, rows.size() / 4);
    // The ownership check of a login finds nothing foreign.
    EXPECT_EQ(count(*local, QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id<>? OR id IS NULL"), {kDemo}),
              0);

    expectStoresAgree(*local, srv());
    EXPECT_EQ(made.serverCopies,
              count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id=?"), {kDemo}));
}

TEST_P(DemoSeedTest, SeedingTwiceChangesNothing) {
    ASSERT_TRUE(seedDemo(*local, srv(), clock));
    const auto snapshot = [this] {
        QList<int> counts;
        for (const char* table :
             {"members", "mem_msg", "maemul", "teranclub", "teranclub_mem", "teranclub_paper"})
            counts << count(srv(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
        counts << count(*local, QStringLiteral("SELECT COUNT(*) FROM maemul"))
               << count(*local, QStringLiteral("SELECT COUNT(*) FROM members"));
        return counts;
    };
    const QList<int> before = snapshot();
    const QList<ListingRow> serverBefore = allRows(srv(), ListingSide::Server);

    clock.advanceDays(3);
    const DemoSeedReport again = seedDemo(*local, srv(), clock);

    EXPECT_FALSE(again);
    EXPECT_EQ(again.accounts + again.ownListings + again.serverCopies + again.sharedListings, 0);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(allRows(srv(), ListingSide::Server), serverBefore);
}

TEST_P(DemoSeedTest, AFreshListingStoreBesideASeededServerGetsCopiesOfItsOwnListings) {
    ASSERT_TRUE(seedDemo(*local, srv(), clock));
    const int accounts = count(srv(), QStringLiteral("SELECT COUNT(*) FROM members"));
    const int shared = count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id<>?"), {kDemo});

    // A new data folder whose listings differ from the first one's.
    QTemporaryDir otherDir;
    auto other = listingStoreIn(otherDir);
    DemoSeedOptions options;
    options.seed = 4242;
    const DemoSeedReport made = seedDemo(*other, srv(), clock, options);

    EXPECT_TRUE(made.localSeeded);
    EXPECT_FALSE(made.serverSeeded);
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM members")), accounts);
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id<>?"), {kDemo}), shared);
    expectStoresAgree(*other, srv());
}

TEST_P(DemoSeedTest, AListingStoreOfAnotherOfficeIsLeftAlone) {
    insertLocal(*local, ListingRow{{"id", "office1"}, {"tb", "apt"}, {"ty", "M"}, {"state", 1}});
    const DemoSeedReport made = seedDemo(*local, srv(), clock);

    EXPECT_TRUE(made.serverSeeded);
    EXPECT_FALSE(made.localSeeded);
    EXPECT_EQ(count(*local, QStringLiteral("SELECT COUNT(*) FROM maemul")), 1);
    EXPECT_EQ(count(*local, QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id=?"), {kDemo}), 0);
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id=?"), {kDemo}), 0);
    EXPECT_EQ(
        count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id=?"), {QStringLiteral("office1")}),
        0);
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoSeedTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
