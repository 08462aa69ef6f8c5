#include "BenchSupport.h"
#include "core/listings/ListQuery.h"
#include "core/online/SecuredServer.h"
#include "core/people/BuyerRegister.h"
#include "core/people/ListingsForBuyer.h"
#include "core/session/StoreSetup.h"

#include <QSqlRecord>
#include <vector>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kPageRows = 50;
// The shared list's server rows: 500,000, or 1,000,000 with TERAN_BENCH_MILLION=1.
int sharedListings() {
    return qEnvironmentVariable("TERAN_BENCH_MILLION") == QLatin1String("1") ? 1'000'000 : 500'000;
}
constexpr int kOffices = 200;
constexpr int kBaselineSamples = 5;

ListRequest firstPage(ListKind kind, const QString& tb, const SortState& sort = {}) {
    ListFilter filter;
    filter.tb = tb;
    return ListRequest(kind, filter, sort, QString::number(kPageRows));
}

bool isPageStatement(const CapturedStatement& st) {
    return st.sql.endsWith(QLatin1String(" LIMIT ? OFFSET ?"));
}

// The whole-table method: every matching row read in order, then the page cut in memory.
CapturedStatement wholeTableOf(const CapturedStatement& page) {
    CapturedStatement all = page;
    all.sql.chop(int(qstrlen(" LIMIT ? OFFSET ?")));
    all.values.removeLast();
    all.values.removeLast();
    return all;
}

qint64 readWholeTable(RawSqlite& raw, const CapturedStatement& all) {
    sqlite3_stmt* statement = raw.prepare(all.sql.toUtf8());
    for (int i = 0; i < all.values.size(); ++i)
        RawSqlite::bind(statement, i + 1, all.values.at(i));
    std::vector<std::vector<std::string>> rows;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<std::string>& row = rows.emplace_back();
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
            row.emplace_back(text ? text : "");
        }
    }
    sqlite3_finalize(statement);
    rows.resize(std::min<size_t>(rows.size(), kPageRows));
    return qint64(rows.size());
}

// The own list's first page as the list window asks for it (ListSearch: count, page, cells),
// beside the same statements through SQLite's C interface ("raw"), a hand-written COUNT(*) in
// place of the kept count ("count"), and the whole-table method ("whole").
void runOwnFirstPage(benchmark::State& state, ListRequest request,
                     const QString& loginId = QStringLiteral("off1")) {
    BenchOffice& office = BenchOffice::of(int(state.range(0)));
    Session& session = office.session();
    session.state().LoginId = loginId;
    ListQuery query(session);
    const QList<CapturedStatement> statements =
        capture(session.listingStore(), [&] { query.ListSearch(request); });
    CapturedStatement page;
    for (const CapturedStatement& st : statements)
        if (isPageStatement(st))
            page = st;
    if (page.sql.isEmpty()) {
        state.SkipWithError("the list read no page (see the daily log of the bench office)");
        return;
    }
    const CapturedStatement whole = wholeTableOf(page);
    CapturedStatement counted = whole;
    counted.sql =
        QStringLiteral("SELECT COUNT(*)") + whole.sql.mid(whole.sql.indexOf(QLatin1String(" FROM ")));
    counted.sql = counted.sql.left(counted.sql.indexOf(QLatin1String(" ORDER BY ")));

    RawSqlite raw(office.listingFile());
    double ours = 0, rawMs = 0, countMs = 0, wholeMs = 0;
    qint64 total = 0;
    int sampled = 0; // the baselines are timed on the first runs: the whole table takes seconds at 1M
    for (auto _ : state) {
        ours += msOf([&] {
            const ListPage shown = query.ListSearch(request);
            total = shown.total;
            benchmark::DoNotOptimize(shown.rows);
        });
        if (sampled == kBaselineSamples)
            continue;
        ++sampled;
        state.PauseTiming();
        rawMs += msOf([&] {
            for (const CapturedStatement& st : statements)
                raw.run(st);
        });
        countMs += msOf([&] {
            raw.run(counted);
            raw.run(page);
        });
        wholeMs += msOf([&] { readWholeTable(raw, whole); });
        state.ResumeTiming();
    }
    session.state().LoginId = QStringLiteral("off1");
    const double n = double(state.iterations());
    reportBeside(state, ours / n,
                 {{"raw", rawMs / sampled}, {"count", countMs / sampled}, {"whole", wholeMs / sampled}});
    state.counters["matching"] = double(total);
}

void BM_OwnListFirstPageAllTypes(benchmark::State& state) {
    runOwnFirstPage(state, firstPage(ListKind::Own, QStringLiteral("all")));
}

void BM_OwnListFirstPageOneType(benchmark::State& state) {
    runOwnFirstPage(state, firstPage(ListKind::Own, QStringLiteral("apt")));
}

void BM_OwnListFirstPageByPrice(benchmark::State& state) {
    runOwnFirstPage(state, firstPage(ListKind::Own, QStringLiteral("apt"),
                                     {QStringLiteral("money_m"), QStringLiteral("asc")}));
}

void BM_OwnListStaffFirstPage(benchmark::State& state) {
    runOwnFirstPage(state, firstPage(ListKind::Own, QStringLiteral("all")), QStringLiteral("st2"));
}

void BM_NameBoxOfAType(benchmark::State& state) {
    BenchOffice& office = BenchOffice::of(int(state.range(0)));
    SqlStore& store = office.session().listingStore();
    RawSqlite raw(office.listingFile());
    CapturedStatement grouped{
        QStringLiteral("SELECT cboname FROM maemul WHERE cboname IS NOT NULL AND cboname <> '' "
                       "AND tb = ? GROUP BY cboname ORDER BY cboname"),
        {QStringLiteral("apt")}};
    double ours = 0, groupMs = 0;
    for (auto _ : state) {
        ours += msOf([&] { benchmark::DoNotOptimize(distinctNames(store, QStringLiteral("apt"))); });
        state.PauseTiming();
        groupMs += msOf([&] { raw.run(grouped); });
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    reportBeside(state, ours / n, {{"group", groupMs / n}});
}

// --- the shared list on MariaDB -------------------------------------------------------------

const QString kSharedDatabase = QStringLiteral("teran_bench_shared");

// The columns of a generated server row, in the order of sharedRow().
const QStringList kSharedColumns = {
    "id",        "subid",   "sub_idx",  "tb",      "ty",       "state",    "cboname", "addr1",     "addr2",
    "addr3",     "money_m", "money_jb", "money_b", "money_w",  "money_ys", "pyung",   "pyung_use", "floor",
    "floor_max", "room",    "makedate", "mbigo",   "imgname1", "showday",  "sortday", "writeday"};

QVariantList sharedRow(int n, QRandomGenerator& random) {
    const ListingRow v = ownListing(n, random);
    const QString office = QStringLiteral("office%1").arg(1 + n % kOffices, 3, 10, QLatin1Char('0'));
    // Within each type the states and dates spread evenly: 1 in 10 rows shared with clubs only,
    // changed or refreshed anywhere in the last 120 days.
    const int state = n % 10 == 9 ? 7 : (n % 2 ? 1 : 3);
    const QDateTime shown = benchToday().addSecs(-qint64(random.bounded(120 * 86400)));
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
    for (int first = 0; first < sharedListings(); first += kRowsPerStatement) {
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
    FixedClock clock{benchToday()};
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
        if (server.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt() != sharedListings())
            fillShared(server);
        session->state().LoginId = QStringLiteral("office001");
        session->state().OfficeMainId = QStringLiteral("office001");
        session->MdbsqlConnOpen(); // the office's own database: the match history of its buyers
    }
};

SharedServer& sharedServer() {
    static SharedServer server;
    return server;
}

// The same rows on a server with an account per member: the tables copied once into
// `teran_bench_secured_data`, the views made over them, and office001 connected as itself.
struct SecuredSharedServer {
    QTemporaryDir dir;
    NoDialogs dialogs;
    FixedClock clock{benchToday()};
    std::unique_ptr<Session> session;
    QString skipped;

    SecuredSharedServer() {
        SharedServer& plain = sharedServer();
        if (!plain.skipped.isEmpty()) {
            skipped = plain.skipped;
            return;
        }
        StoreUrl admin = StoreUrl::parse(qEnvironmentVariable("TERAN_TEST_MYSQL_URL"));
        admin.database = QStringLiteral("teran_bench_secured");
        const QString data = SecuredServer::dataDatabaseOf(admin.database);
        {
            SqlStore maker(QStringLiteral("bench-secured-maker"));
            StoreUrl any = admin;
            any.database = kSharedDatabase;
            maker.open(any);
            maker.execute(QStringLiteral("CREATE DATABASE IF NOT EXISTS `%1` CHARACTER SET utf8mb4 COLLATE "
                                         "utf8mb4_unicode_ci")
                              .arg(admin.database));
        }
        prepareSecuredServer(admin, {QStringLiteral("ftp-pw"), 7300});
        SqlStore vendor(QStringLiteral("bench-secured-vendor"));
        StoreLimits patient;
        patient.stallSeconds = 900; // copying half a million rows takes minutes
        vendor.setLimits(patient);
        vendor.open(admin);
        // The generated rows are copied once; a missing or partial copy is made again.
        const auto count = [&](const QString& db) {
            return vendor.scalar(QStringLiteral("SELECT COUNT(*) FROM `%1`.maemul").arg(db)).toInt();
        };
        if (count(data) != count(kSharedDatabase)) {
            for (const char* table : {"maemul", "members"}) {
                vendor.execute(QStringLiteral("DELETE FROM `%1`.%2").arg(data, QLatin1String(table)));
                vendor.execute(QStringLiteral("INSERT INTO `%1`.%3 SELECT * FROM `%2`.%3")
                                   .arg(data, kSharedDatabase, QLatin1String(table)));
            }
            vendor.execute(QStringLiteral("DELETE FROM `%1`.maemul_days").arg(data));
            vendor.execute(QStringLiteral("INSERT INTO `%1`.maemul_days SELECT * FROM `%2`.maemul_days")
                               .arg(data, kSharedDatabase));
            vendor.execute(QStringLiteral("ANALYZE TABLE `%1`.maemul").arg(data));
        }
        SecuredServer secured(vendor, admin.database);
        secured.secure(); // the member offices of the copied accounts
        secured.setAccount(QStringLiteral("office001"), QStringLiteral("bench-pw"));
        initDataFolder(DataFolder(dir.path()));
        TeranConfig config = TeranConfig::demoDefaults(dir.path());
        StoreUrl member = admin;
        member.user.clear();
        member.password.clear();
        config.serverUrl = member.toString();
        session = std::make_unique<Session>(config, clock, dialogs, std::make_unique<AnsweringProbe>());
        session->setProgramEnd([](int) {});
        session->setServerLogin(QStringLiteral("office001"), QStringLiteral("bench-pw"));
        if (!session->MysqlConnOpen()) {
            skipped = QStringLiteral("office001 cannot connect to the secured bench server");
            return;
        }
        session->state().LoginId = QStringLiteral("office001");
        session->state().OfficeMainId = QStringLiteral("office001");
        session->MdbsqlConnOpen();
    }
};

SecuredSharedServer& securedSharedServer() {
    static SecuredSharedServer server;
    return server;
}

// The shared list of all types, first page with its total, read by an office through the views
// of a server with an account per member, beside the same page read from the tables themselves
// with the vendor's one account ("tables").
void BM_SharedListFirstPageAllTypesThroughViews(benchmark::State& state) {
    SecuredSharedServer& secured = securedSharedServer();
    if (!secured.skipped.isEmpty()) {
        state.SkipWithError(secured.skipped.toStdString().c_str());
        return;
    }
    const ListRequest request = firstPage(ListKind::Shared, QStringLiteral("all"));
    ListQuery throughViews(*secured.session);
    ListQuery onTables(*sharedServer().session);
    double ours = 0, tablesMs = 0;
    qint64 total = 0, plainTotal = 0;
    for (auto _ : state) {
        ours += msOf([&] {
            const ListPage page = throughViews.ListSearch(request);
            total = page.total;
            benchmark::DoNotOptimize(page.rows);
        });
        state.PauseTiming();
        tablesMs += msOf([&] { plainTotal = onTables.ListSearch(request).total; });
        state.ResumeTiming();
    }
    if (total != plainTotal)
        state.SkipWithError("the views and the tables disagree on the total");
    const double n = double(state.iterations());
    reportBeside(state, ours / n, {{"tables", tablesMs / n}});
    state.counters["matching"] = double(total);
}

// A server list's first page beside its statements run straight through the driver ("driver":
// no cells formatted, no offices looked up).
void runServerFirstPage(benchmark::State& state, const ListRequest& request) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    ListQuery query(*server.session);
    SqlStore& store = server.session->serverStore();
    QList<CapturedStatement> statements = capture(store, [&] { query.ListSearch(request); });
    if (qEnvironmentVariableIsSet("TERAN_BENCH_SQL")) // the statements, for EXPLAIN by hand
        for (const CapturedStatement& st : statements)
            qInfo().noquote() << st.sql << st.values;
    // The same statements through the driver in clear text ("clear"): what TLS costs a page.
    QSqlDatabase clear =
        openClearMariaDb(clearMariaDbAccount(kSharedDatabase), QStringLiteral("bench-shared-clear"));
    double ours = 0, driverMs = 0, clearMs = 0;
    qint64 total = 0;
    for (auto _ : state) {
        ours += msOf([&] {
            const ListPage page = query.ListSearch(request);
            total = page.total;
            benchmark::DoNotOptimize(page.rows);
        });
        state.PauseTiming();
        driverMs += msOf([&] {
            for (const CapturedStatement& st : statements) {
                QSqlQuery q = store.query(st.sql, st.values);
                while (q.next())
                    benchmark::DoNotOptimize(q.value(0));
            }
        });
        clearMs += msOf([&] {
            for (const CapturedStatement& st : statements) {
                QSqlQuery q(clear);
                q.prepare(st.sql);
                for (const QVariant& value : st.values)
                    q.addBindValue(value);
                q.exec();
                while (q.next())
                    benchmark::DoNotOptimize(q.value(0));
            }
        });
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    reportBeside(state, ours / n, {{"driver", driverMs / n}, {"clear", clearMs / n}});
    state.counters["matching"] = double(total);
}

// A search of the shared list of all types (a region that holds almost every row) as the window
// reads it: the first page before its total ("ours", with a bounded count that tells the rows
// are many), then the total ("total"), beside the search that counts before it reads the page
// ("counted"). The plain list takes its total from the server's day counts instead.
void BM_SharedListAllTypesPageThenTotal(benchmark::State& state) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    ListQuery query(*server.session);
    ListRequest counted = firstPage(ListKind::Shared, QStringLiteral("all"));
    counted.filter.addr1 = QStringLiteral("서울");
    ListRequest later = counted;
    later.totalLater = true;
    double ours = 0, totalMs = 0, countedMs = 0;
    qint64 total = 0;
    bool pending = true;
    for (auto _ : state) {
        ours += msOf([&] {
            const ListPage page = query.ListSearch(later);
            pending = pending && page.totalPending;
            benchmark::DoNotOptimize(page.rows);
        });
        state.PauseTiming();
        totalMs += msOf([&] { total = query.totalOf(later).value_or(-1); });
        countedMs += msOf([&] { benchmark::DoNotOptimize(query.ListSearch(counted).rows); });
        state.ResumeTiming();
    }
    if (!pending)
        state.SkipWithError("the page waited for its count");
    const double n = double(state.iterations());
    reportBeside(state, ours / n, {{"total", totalMs / n}, {"counted", countedMs / n}});
    state.counters["matching"] = double(total);
}

// The comprehensive search as an office fills it: a type, a price range, a region and a word of
// the remark, with the listing box chosen.
ListRequest detailedFirstPage(ListKind kind) {
    ListRequest request = firstPage(kind, QStringLiteral("apt"));
    request.filter.addr1 = QStringLiteral("서울");
    DetailedSearch d;
    d.sale = {30000, 900000};
    d.remark = QStringLiteral("역세권 12"); // about one row in a hundred
    request.filter.detailed = d;
    return request;
}

void BM_DetailedSearchOwnFirstPage(benchmark::State& state) {
    runOwnFirstPage(state, detailedFirstPage(ListKind::Own));
}

void BM_DetailedSearchSharedFirstPage(benchmark::State& state) {
    runServerFirstPage(state, detailedFirstPage(ListKind::Shared));
}

void BM_SharedListFirstPageOneType(benchmark::State& state) {
    runServerFirstPage(state, firstPage(ListKind::Shared, QStringLiteral("apt")));
}

void BM_SharedListFirstPageOneTypeByAddress(benchmark::State& state) {
    runServerFirstPage(state, firstPage(ListKind::Shared, QStringLiteral("apt"),
                                        {QStringLiteral("address"), QStringLiteral("asc")}));
}

void BM_SharedListFirstPageAllTypes(benchmark::State& state) {
    runServerFirstPage(state, firstPage(ListKind::Shared, QStringLiteral("all")));
}

// The listings of a club of ten offices, as a club member reads them.
void runClubFirstPage(benchmark::State& state, const QString& tb) {
    ListRequest request = firstPage(ListKind::Club, tb);
    for (int i = 11; i <= 20; ++i)
        request.clubIds << QStringLiteral("office%1").arg(i, 3, 10, QLatin1Char('0'));
    runServerFirstPage(state, request);
}

void BM_ClubListFirstPageOneType(benchmark::State& state) {
    runClubFirstPage(state, QStringLiteral("apt"));
}

void BM_ClubListFirstPageAllTypes(benchmark::State& state) {
    runClubFirstPage(state, QStringLiteral("all"));
}

// --- listings for a buyer ---------------------------------------------------------------------

// A buyer as brokers keep them: an apartment for sale in 강남구, 25–35평, 100,000–130,000 만원;
// the wide one names only the type and the transaction, so every apartment for sale is ranked.
Buyer benchBuyer(bool wide) {
    Buyer b;
    b.number = 1;
    b.tb = QStringLiteral("아파트");
    b.ty = QStringLiteral("매매");
    if (wide)
        return b;
    b.addre1 = QStringLiteral("서울특별시");
    b.addre2 = QStringLiteral("강남구");
    b.area = {25, 35};
    b.amount = {100000, 130000};
    return b;
}

// The first page of listings for a buyer (ListingsForBuyer: pick, rank, page) beside the
// statements it ran, straight through the driver.
void runListingsForBuyer(benchmark::State& state, Session& session, ListKind list, const Buyer& buyer) {
    ListingsForBuyer finder(session);
    SqlStore& store = isServerList(list) ? session.serverStore() : session.listingStore();
    const QList<CapturedStatement> statements =
        capture(store, [&] { finder.page(buyer, list, 1, kPageRows); });
    double ours = 0, driverMs = 0;
    qint64 total = 0;
    for (auto _ : state) {
        ours += msOf([&] {
            const ListingFitPage page = finder.page(buyer, list, 1, kPageRows);
            total = page.total;
            benchmark::DoNotOptimize(page.rows);
        });
        state.PauseTiming();
        driverMs += msOf([&] {
            for (const CapturedStatement& st : statements) {
                QSqlQuery q = store.query(st.sql, st.values);
                while (q.next())
                    benchmark::DoNotOptimize(q.value(0));
            }
        });
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    reportBeside(state, ours / n, {{"driver", driverMs / n}});
    state.counters["matching"] = double(total);
}

void BM_ListingsForBuyerOwn(benchmark::State& state) {
    runListingsForBuyer(state, BenchOffice::of(int(state.range(0))).session(), ListKind::Own,
                        benchBuyer(false));
}

void BM_ListingsForBuyerOwnWide(benchmark::State& state) {
    runListingsForBuyer(state, BenchOffice::of(int(state.range(0))).session(), ListKind::Own,
                        benchBuyer(true));
}

void BM_ListingsForBuyerShared(benchmark::State& state) {
    SharedServer& server = sharedServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    runListingsForBuyer(state, *server.session, ListKind::Shared, benchBuyer(state.range(0) == 1));
}

} // namespace

BENCHMARK(BM_OwnListFirstPageAllTypes)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_OwnListFirstPageOneType)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_OwnListFirstPageByPrice)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_OwnListStaffFirstPage)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_NameBoxOfAType)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_DetailedSearchOwnFirstPage)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_DetailedSearchSharedFirstPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageOneType)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageOneTypeByAddress)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageAllTypes)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SharedListFirstPageAllTypesThroughViews)->Unit(benchmark::kMillisecond)->MinTime(1.0);
// five runs: each also counts the rows twice, which takes far longer than the page
BENCHMARK(BM_SharedListAllTypesPageThenTotal)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ClubListFirstPageOneType)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ClubListFirstPageAllTypes)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ListingsForBuyerOwn)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ListingsForBuyerOwnWide)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
// 0: the buyer of 강남구 with his ranges; 1: the wide one
BENCHMARK(BM_ListingsForBuyerShared)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);
