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

    QDateTime windowStart() const { return clock.now().addDays(-60); }

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

void expectApartmentAmountsRealistic(const ListingRow& row) {
    if (row.value("tb") != QStringLiteral("apt"))
        return;
    const QString ty = row.value("ty").toString();
    const auto within = [&row](const char* column, qint64 lo, qint64 hi) {
        const qint64 amount = row.value(column).toLongLong();
        EXPECT_TRUE(amount >= lo && amount <= hi) << column << " " << amount;
    };
    if (ty == QLatin1String("M")) {
        within("money_m", 30000, 250000);
    } else if (ty == QLatin1String("J")) {
        within("money_jb", 20000, 80000);
    } else if (ty == QLatin1String("W")) {
        within("money_b", 500, 5000);
        within("money_w", 30, 300);
    }
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

    const int others = count(
        srv(),
        QStringLiteral("SELECT COUNT(*) FROM members WHERE memType='A' AND companyID=memID AND memID<>?"),
        {kDemo});
    EXPECT_GE(others, 4);
    EXPECT_LE(others, 6);
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(DISTINCT shopname) FROM members WHERE memType='A'")),
              others + 1);
}

TEST_P(DemoSeedTest, TheOfficeHasOneUnreadInformationNotice) {
    ASSERT_TRUE(seedDemo(*local, srv(), clock));
    const QString unread =
        srv().scalar(QStringLiteral("SELECT admin_msg FROM members WHERE memID=?"), {kDemo}).toString();
    const QStringList numbers = unread.split(QLatin1Char(','), Qt::SkipEmptyParts);
    ASSERT_EQ(numbers.size(), 1) << unread.toStdString();
    QSqlQuery notice = srv().query(
        QStringLiteral("SELECT title, content, Type FROM mem_msg WHERE enable='0' AND table_idx=?"),
        {numbers.first().toInt()});
    ASSERT_TRUE(notice.next());
    EXPECT_FALSE(notice.value(0).toString().isEmpty());
    EXPECT_FALSE(notice.value(1).toString().isEmpty());
    EXPECT_EQ(notice.value(2).toInt(), 64);
    // The service texts the program reads are still there and are no notices.
    EXPECT_EQ(srv().scalar(QStringLiteral("SELECT content FROM mem_msg WHERE table_idx=8")).toString(),
              QStringLiteral("ftp-secret"));
    EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM mem_msg WHERE enable='0'")), 1);
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
        expectApartmentAmountsRealistic(row);
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

TEST_P(DemoSeedTest, OtherOfficesShareValidListingsMostlyInsideTheSixtyDayWindow) {
    const DemoSeedReport made = seedDemo(*local, srv(), clock);
    QList<ListingRow> shared;
    for (const ListingRow& row : allRows(srv(), ListingSide::Server))
        if (row.value("id") != kDemo)
            shared << row;
    ASSERT_EQ(shared.size(), made.sharedListings);

    QHash<QString, int> perOffice;
    for (const ListingRow& row : shared) {
        const QString office = row.value("id").toString();
        const QString where = office + QLatin1Char('/') + row.value("sub_idx").toString();
        ++perOffice[office];
        EXPECT_TRUE(offersTransaction(row.value("tb").toString(), row.value("ty").toString()))
            << where.toStdString() << " " << row.value("tb").toString().toStdString()
            << row.value("ty").toString().toStdString();
        EXPECT_TRUE(kPublished.contains(row.value("state"))) << where.toStdString();
        EXPECT_TRUE(hasItsAmount(row)) << where.toStdString();
        EXPECT_EQ(row.value("subid").toString(), office);
        EXPECT_FALSE(row.value("addr3").toString().isEmpty()) << where.toStdString();
        expectApartmentAmountsRealistic(row);
        const QDateTime showday = row.value("showday").toDateTime();
        const QDateTime sortday = row.value("sortday").toDateTime();
        EXPECT_LT(showday, clock.now()) << where.toStdString();
        EXPECT_LE(sortday, showday) << where.toStdString();
        EXPECT_LE(row.value("writeday").toDateTime(), sortday) << where.toStdString();
    }
    EXPECT_EQ(perOffice.size(), made.otherOffices);
    for (auto it = perOffice.cbegin(); it != perOffice.cend(); ++it) {
        EXPECT_GE(it.value(), 10) << it.key().toStdString();
        EXPECT_LE(it.value(), 30) << it.key().toStdString();
        EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=? AND memType='A'"),
                        {it.key()}),
                  1);
    }

    // Read the way the shared list reads: other offices, a bound cut-off on showday.
    const int inWindow =
        count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id<>? AND showday>=?"),
              {kDemo, windowStart()});
    EXPECT_GE(inWindow, shared.size() * 3 / 4);
    EXPECT_LT(inWindow, shared.size()) << "some listings should be past the window";
    const int recent = count(srv(), QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id<>? AND showday>=?"),
                             {kDemo, clock.now().addDays(-50)});
    EXPECT_EQ(recent, inWindow) << "the listings inside the window are at most 50 days old";
}

TEST_P(DemoSeedTest, TheDemoOfficeReadsTheListingsOfItsClub) {
    ASSERT_TRUE(seedDemo(*local, srv(), clock));
    QSqlQuery club = srv().query(QStringLiteral("SELECT table_idx, id, clubname, tb FROM teranclub"));
    ASSERT_TRUE(club.next());
    const int clubIdx = club.value(0).toInt();
    const QString chair = club.value(1).toString();
    EXPECT_FALSE(club.value(2).toString().isEmpty());
    for (const QString& tb : club.value(3).toString().split(QLatin1Char(',')))
        EXPECT_NE(findPropertyType(tb), nullptr) << tb.toStdString();
    EXPECT_FALSE(club.next()) << "one club";

    QHash<QString, int> levels;
    QSqlQuery members =
        srv().query(QStringLiteral("SELECT id, level FROM teranclub_mem WHERE club_idx=?"), {clubIdx});
    while (members.next())
        levels.insert(members.value(0).toString(), members.value(1).toInt());
    EXPECT_GE(levels.size(), 3);
    EXPECT_EQ(levels.value(chair), 3);
    EXPECT_GE(levels.value(kDemo), 2) << "the demo office may read the club's listings";
    for (auto it = levels.cbegin(); it != levels.cend(); ++it)
        EXPECT_EQ(count(srv(), QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=? AND memType='A'"),
                        {it.key()}),
                  1)
            << it.key().toStdString();

    QVariantList clubListing{chair, windowStart()};
    EXPECT_GT(
        count(srv(),
              QStringLiteral("SELECT COUNT(*) FROM maemul WHERE state IN (3,7) AND subid=? AND showday>=?"),
              clubListing),
        0)
        << "the chairman shares club listings";
    QSqlQuery paper = srv().query(QStringLiteral("SELECT id, toid, title, content FROM teranclub_paper"));
    ASSERT_TRUE(paper.next());
    EXPECT_EQ(paper.value(1).toString(), chair);
    EXPECT_TRUE(levels.contains(paper.value(0).toString()));
    EXPECT_FALSE(paper.value(2).toString().isEmpty());
    EXPECT_FALSE(paper.value(3).toString().contains(QLatin1Char('\n'))) << "line breaks are kept as <br>";
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

TEST_P(DemoSeedTest, TheSameSeedAndDayGiveTheSameOffice) {
    ASSERT_TRUE(seedDemo(*local, srv(), clock));
    QTemporaryDir secondDir;
    auto secondLocal = listingStoreIn(secondDir);
    TERAN_SCRATCH_STORE(secondServer, GetParam());
    initServerStore(secondServer->store(), {QStringLiteral("ftp-secret"), 7777});
    ASSERT_TRUE(seedDemo(*secondLocal, secondServer->store(), clock));

    EXPECT_EQ(allRows(*secondLocal, ListingSide::Local), allRows(*local, ListingSide::Local));
    EXPECT_EQ(allRows(secondServer->store(), ListingSide::Server), allRows(srv(), ListingSide::Server));
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoSeedTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
