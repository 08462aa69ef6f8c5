#include "listings/ListQuery.h"
#include "session/ListingRepository.h"
#include "session/PropertyTypes.h"
#include "session/Session.h"
#include "session/StoreSetup.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace teran;

namespace {

constexpr int kOwnListings = 100'000;
constexpr int kSharedListings = 500'000;
constexpr int kOffices = 200;
constexpr int kPageRows = 50;
const QDateTime kToday(QDate(2026, 3, 10), QTime(15, 0));

const QStringList kNames = {QStringLiteral("래미안"), QStringLiteral("자이"), QStringLiteral("힐스테이트"),
                            QStringLiteral("푸르지오"), QStringLiteral("아이파크")};
const QStringList kTowns = {QStringLiteral("역삼동"), QStringLiteral("대치동"), QStringLiteral("정자동"),
                            QStringLiteral("서초동"), QStringLiteral("목동")};

class AnsweringProbe final : public InternetProbe {
public:
    bool reachable() override { return true; }
};

class NoDialogs final : public Dialogs {
public:
    DialogAnswer message(const QString&, const QString&, DialogIcon, DialogButtons) override {
        return DialogAnswer::No;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString existingFolder(const QString&, const QString&) override { return {}; }
};

// The values a list shows, spread like an office's: every type, prices, areas, floors, dates.
ListingRow listingValues(int n, QRandomGenerator& random) {
    const PropertyType& type = propertyTypes().at(n % propertyTypes().size());
    return ListingRow{
        {"tb", type.code},
        {"ty", QString(type.transactions.at(n % type.transactions.size()))},
        {"cboname", kNames.at(n % kNames.size())},
        {"addr1", QStringLiteral("서울특별시")},
        {"addr2", QStringLiteral("강남구")},
        {"addr3", kTowns.at(n % kTowns.size())},
        {"money_m", qint64(random.bounded(200'000)) * 10},
        {"money_jb", qint64(random.bounded(50'000)) * 10},
        {"money_b", qint64(random.bounded(5'000)) * 10},
        {"money_w", qint64(random.bounded(300))},
        {"money_ys", random.bounded(1000) / 100.0},
        {"pyung", random.bounded(20000) / 100.0},
        {"pyung_use", random.bounded(15000) / 100.0},
        {"floor", QString::number(1 + n % 25)},
        {"floor_max", 25},
        {"room", 1 + n % 5},
        {"makedate", QStringLiteral("2015")},
        {"mbigo", QStringLiteral("남향 역세권 %1").arg(n)},
        {"imgname1", n % 3 == 0 ? QStringLiteral("img_%1.jpg").arg(n) : QString()},
    };
}

// --- the own list ---------------------------------------------------------------------------

struct OwnOffice {
    QTemporaryDir dir;
    NoDialogs dialogs;
    FixedClock clock{kToday};
    std::unique_ptr<Session> session;

    OwnOffice() {
        initDataFolder(DataFolder(dir.path()));
        session = std::make_unique<Session>(TeranConfig::demoDefaults(dir.path()), clock, dialogs,
                                            std::make_unique<AnsweringProbe>());
        session->MdbsqlConnOpen();
        session->state().LoginId = QStringLiteral("off1");
        session->state().OfficeMainId = QStringLiteral("off1");
        QRandomGenerator random(20260310);
        QList<ListingRow> rows;
        rows.reserve(kOwnListings);
        for (int n = 0; n < kOwnListings; ++n) {
            ListingRow row = listingValues(n, random);
            row.insert(QStringLiteral("id"), QStringLiteral("off1"));
            row.insert(QStringLiteral("subid"), QStringLiteral("st%1").arg(n % 4));
            row.insert(QStringLiteral("state"), n % 10 == 0 ? 2 : (n % 7 == 0 ? 1 : 0));
            row.insert(QStringLiteral("ming"), n % 2 ? QStringLiteral("진행중") : QStringLiteral("보류"));
            row.insert(QStringLiteral("uname"), QStringLiteral("홍길동%1").arg(n));
            row.insert(QStringLiteral("uhp"),
                       QStringLiteral("010-%1-%2").arg(1000 + n % 9000).arg(n % 10000));
            row.insert(QStringLiteral("opid"), n % 5 == 0 ? QStringLiteral("st1") : QString());
            row.insert(QStringLiteral("addr4"), QStringLiteral("%1-%2").arg(n % 700).arg(n % 30));
            row.insert(QStringLiteral("writeday"), kToday.addSecs(-qint64(n) * 300));
            row.insert(QStringLiteral("showday"), kToday.addSecs(-qint64(n) * 200));
            rows.append(row);
        }
        insertLocalBulk(session->listingStore(), rows);
    }
};

OwnOffice& ownOffice() {
    static OwnOffice office;
    return office;
}

void runFirstPage(benchmark::State& state, Session& session, const ListRequest& request) {
    ListQuery query(session);
    qint64 total = 0;
    for (auto _ : state) {
        const ListPage page = query.ListSearch(request);
        if (!page.ok || page.rows.size() != kPageRows) {
            state.SkipWithError("the first page did not fill");
            return;
        }
        total = page.total;
        benchmark::DoNotOptimize(page.rows.first().cells);
    }
    state.counters["matching"] = double(total);
}

ListRequest firstPage(ListKind kind, const QString& tb, const SortState& sort = {}) {
    ListFilter filter;
    filter.tb = tb;
    return ListRequest(kind, filter, sort, QString::number(kPageRows));
}

void BM_OwnListFirstPageAllTypes(benchmark::State& state) {
    runFirstPage(state, *ownOffice().session, firstPage(ListKind::Own, QStringLiteral("all")));
}

void BM_OwnListFirstPageOneType(benchmark::State& state) {
    runFirstPage(state, *ownOffice().session, firstPage(ListKind::Own, QStringLiteral("apt")));
}

void BM_OwnListFirstPageByPrice(benchmark::State& state) {
    runFirstPage(
        state, *ownOffice().session,
        firstPage(ListKind::Own, QStringLiteral("apt"), {QStringLiteral("money_m"), QStringLiteral("asc")}));
}

void BM_OwnListStaffFirstPage(benchmark::State& state) {
    OwnOffice& office = ownOffice();
    office.session->state().LoginId = QStringLiteral("st2");
    runFirstPage(state, *office.session, firstPage(ListKind::Own, QStringLiteral("all")));
    office.session->state().LoginId = QStringLiteral("off1");
}

// --- the shared list on MariaDB -------------------------------------------------------------

const QString kSharedDatabase = QStringLiteral("teran_bench_shared");

// The columns of a generated server row, in the order of sharedRow().
const QStringList kSharedColumns = {
    "id",        "subid",   "sub_idx",  "tb",      "ty",       "state",    "cboname", "addr1",     "addr2",
    "addr3",     "money_m", "money_jb", "money_b", "money_w",  "money_ys", "pyung",   "pyung_use", "floor",
    "floor_max", "room",    "makedate", "mbigo",   "imgname1", "showday",  "sortday", "writeday"};

QVariantList sharedRow(int n, QRandomGenerator& random) {
    const ListingRow v = listingValues(n, random);
    const QString office = QStringLiteral("office%1").arg(1 + n % kOffices, 3, 10, QLatin1Char('0'));
    // Within each type the states and dates spread evenly: 1 in 10 rows shared with clubs only,
    // changed or refreshed anywhere in the last 120 days.
    const int state = n % 10 == 9 ? 7 : (n % 2 ? 1 : 3);
    const QDateTime shown = kToday.addSecs(-qint64(random.bounded(120 * 86400)));
    QVariantList values{office, office, 1 + n / kOffices, v.value("tb"), v.value("ty"), state};
    for (const char* c :
         {"cboname", "addr1", "addr2", "addr3", "money_m", "money_jb", "money_b", "money_w", "money_ys",
          "pyung", "pyung_use", "floor", "floor_max", "room", "makedate", "mbigo", "imgname1"})
        values << v.value(QLatin1String(c));
    values << shown << shown.addDays(-random.bounded(30)) << shown.addDays(-200);
    return values;
}

void fillShared(SqlStore& server) {
    server.execute(QStringLiteral("DELETE FROM maemul"));
    server.execute(QStringLiteral("DELETE FROM members"));
    for (int i = 1; i <= kOffices; ++i) {
        const QString id = QStringLiteral("office%1").arg(i, 3, 10, QLatin1Char('0'));
        server.execute(
            QStringLiteral("INSERT INTO members(companyID, memID, memType, showname, homtel, hantel) "
                           "VALUES(?,?,?,?,?,?)"),
            {id, id, QStringLiteral("A"), QStringLiteral("중개사%1").arg(i),
             QStringLiteral("02-555-%1").arg(1000 + i), QStringLiteral("010-7777-%1").arg(1000 + i)});
    }
    // Many rows a statement: the placeholders of one statement stay far below the server's limit.
    constexpr int kRowsPerStatement = 1000;
    const QString oneRow = QLatin1Char('(') +
                           QStringList(kSharedColumns.size(), QStringLiteral("?")).join(',') +
                           QLatin1Char(')');
    const QString insert = QStringLiteral("INSERT INTO maemul(") + kSharedColumns.join(',') +
                           QStringLiteral(") VALUES ") + QStringList(kRowsPerStatement, oneRow).join(',');
    QRandomGenerator random(500000);
    for (int first = 0; first < kSharedListings; first += kRowsPerStatement) {
        QVariantList values;
        values.reserve(kRowsPerStatement * kSharedColumns.size());
        for (int n = first; n < first + kRowsPerStatement; ++n)
            values += sharedRow(n, random);
        server.execute(insert, values);
    }
    server.execute(QStringLiteral("ANALYZE TABLE maemul"));
}

struct SharedServer {
    QTemporaryDir dir;
    NoDialogs dialogs;
    FixedClock clock{kToday};
    std::unique_ptr<Session> session;
    QString skipped;

    SharedServer() {
        const QString address = qEnvironmentVariable("TERAN_TEST_MYSQL_URL");
        if (address.isEmpty()) {
            skipped = QStringLiteral("MariaDB is not running (TERAN_TEST_MYSQL_URL is not set)");
            return;
        }
        StoreUrl url = StoreUrl::parse(address);
        {
            SqlStore admin(QStringLiteral("bench-admin"));
            admin.open(url);
            admin.execute(QStringLiteral("CREATE DATABASE IF NOT EXISTS `%1` CHARACTER SET utf8mb4 "
                                         "COLLATE utf8mb4_unicode_ci")
                              .arg(kSharedDatabase));
        }
        url.database = kSharedDatabase;
        initDataFolder(DataFolder(dir.path()));
        TeranConfig config = TeranConfig::demoDefaults(dir.path());
        config.serverUrl = url.toString();
        session = std::make_unique<Session>(config, clock, dialogs, std::make_unique<AnsweringProbe>());
        session->setProgramEnd([](int) {});
        if (!session->MysqlConnOpen()) {
            skipped = QStringLiteral("the bench database cannot be opened");
            return;
        }
        SqlStore& server = session->serverStore();
        // The generated rows are kept between runs: only a missing or partial set is made again.
        initServerStore(server, {QStringLiteral("ftp-pw"), 7300});
        if (server.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt() != kSharedListings)
            fillShared(server);
        session->state().LoginId = QStringLiteral("office001");
        session->state().OfficeMainId = QStringLiteral("office001");
    }
};

SharedServer& sharedServer() {
    static SharedServer server;
    return server;
}

void BM_SharedListFirstPageOneType(benchmark::State& state) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    runFirstPage(state, *server.session, firstPage(ListKind::Shared, QStringLiteral("apt")));
}

void BM_SharedListFirstPageOneTypeByAddress(benchmark::State& state) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    runFirstPage(state, *server.session,
                 firstPage(ListKind::Shared, QStringLiteral("apt"),
                           {QStringLiteral("address"), QStringLiteral("asc")}));
}

void BM_SharedListFirstPageAllTypes(benchmark::State& state) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    runFirstPage(state, *server.session, firstPage(ListKind::Shared, QStringLiteral("all")));
}

// The listings of a club of ten offices, as a club member reads them.
void runClubFirstPage(benchmark::State& state, const QString& tb) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    ListRequest request = firstPage(ListKind::Club, tb);
    for (int i = 11; i <= 20; ++i)
        request.clubIds << QStringLiteral("office%1").arg(i, 3, 10, QLatin1Char('0'));
    runFirstPage(state, *server.session, request);
}

void BM_ClubListFirstPageOneType(benchmark::State& state) {
    runClubFirstPage(state, QStringLiteral("apt"));
}

void BM_ClubListFirstPageAllTypes(benchmark::State& state) {
    runClubFirstPage(state, QStringLiteral("all"));
}

} // namespace

BENCHMARK(BM_OwnListFirstPageAllTypes)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_OwnListFirstPageOneType)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_OwnListFirstPageByPrice)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_OwnListStaffFirstPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageOneType)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageOneTypeByAddress)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageAllTypes)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ClubListFirstPageOneType)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ClubListFirstPageAllTypes)->Unit(benchmark::kMillisecond)->MinTime(1.0);
