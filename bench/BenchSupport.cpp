#include "BenchSupport.h"

#include <QSqlQuery>

#include "core/listing/PropertyTypes.h"
#include "core/session/StoreSetup.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace teran::bench {

namespace {

const QStringList kNames = {QStringLiteral("래미안"), QStringLiteral("자이"), QStringLiteral("힐스테이트"),
                            QStringLiteral("푸르지오"), QStringLiteral("아이파크")};
const QStringList kTowns = {QStringLiteral("역삼동"), QStringLiteral("대치동"), QStringLiteral("정자동"),
                            QStringLiteral("서초동"), QStringLiteral("목동")};
constexpr int kChunk = 50'000; // rows generated and inserted at a time, to bound the memory

QString dataRoot() {
    const QString root = qEnvironmentVariable("TERAN_BENCH_DATA");
    return root.isEmpty() ? QDir::tempPath() + QStringLiteral("/teran-bench") : root;
}

} // namespace

void addSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1'000)->Arg(10'000)->Arg(100'000);
    if (qEnvironmentVariable("TERAN_BENCH_MILLION") == QLatin1String("1"))
        b->Arg(1'000'000);
}

const QDateTime& benchToday() {
    static const QDateTime today(QDate(2026, 3, 10), QTime(15, 0));
    return today;
}

ListingRow ownListing(int n, QRandomGenerator& random) {
    const PropertyType& type = propertyTypes().at(n % propertyTypes().size());
    return ListingRow{
        {"id", "off1"},
        {"subid", QStringLiteral("st%1").arg(n % 4)},
        {"state", n % 10 == 0 ? 2 : (n % 7 == 0 ? 1 : 0)},
        {"tb", type.code},
        {"ty", QString(type.transactions.at(n % type.transactions.size()))},
        {"cboname", kNames.at(n % kNames.size()) + QString::number(n % 300)},
        {"ming", n % 2 ? QStringLiteral("진행중") : QStringLiteral("보류")},
        {"addr1", QStringLiteral("서울특별시")},
        {"addr2", QStringLiteral("강남구")},
        {"addr3", kTowns.at(n % kTowns.size())},
        {"addr4", QStringLiteral("%1-%2").arg(n % 700).arg(n % 30)},
        {"money_m", qint64(random.bounded(200'000)) * 10},
        {"money_jb", qint64(random.bounded(50'000)) * 10},
        {"money_b", qint64(random.bounded(5'000)) * 10},
        {"money_w", qint64(random.bounded(300))},
        {"pyung", random.bounded(20000) / 100.0},
        {"pyung_use", random.bounded(15000) / 100.0},
        {"floor", QString::number(1 + n % 25)},
        {"floor_max", 25},
        {"room", 1 + n % 5},
        {"makedate", QStringLiteral("2015")},
        {"mbigo", QStringLiteral("남향 역세권 %1").arg(n)},
        {"uname", QStringLiteral("홍길동%1").arg(n)},
        {"uhp", QStringLiteral("010-%1-%2").arg(1000 + n % 9000).arg(n % 10000)},
        {"opid", n % 5 == 0 ? QStringLiteral("st1") : QString()},
        {"imgname1", n % 3 == 0 ? QStringLiteral("img_%1.jpg").arg(n) : QString()},
        {"writeday", benchToday().addSecs(-qint64(n) * 30)},
        {"showday", benchToday().addSecs(-qint64(n) * 20)},
    };
}

BenchOffice& BenchOffice::of(int count) {
    static QHash<int, BenchOffice*> offices;
    BenchOffice*& office = offices[count];
    if (!office)
        office = new BenchOffice(count); // kept for the whole run
    return *office;
}

BenchOffice::BenchOffice(int count)
    : m_path(dataRoot() + QStringLiteral("/office-%1").arg(count)) {
    const QString done = m_path + QStringLiteral("/complete");
    if (!QFile::exists(done)) {
        QDir(m_path).removeRecursively();
        QDir().mkpath(m_path);
    }
    initDataFolder(DataFolder(m_path));
    m_session = std::make_unique<Session>(TeranConfig::demoDefaults(m_path), m_clock, m_dialogs,
                                          std::make_unique<AnsweringProbe>());
    m_session->MdbsqlConnOpen();
    m_session->state().LoginId = QStringLiteral("off1");
    m_session->state().OfficeMainId = QStringLiteral("off1");
    if (QFile::exists(done))
        return;
    QRandomGenerator random(20260310);
    for (int first = 0; first < count; first += kChunk) {
        QList<ListingRow> rows;
        for (int n = first; n < std::min(count, first + kChunk); ++n)
            rows.append(ownListing(n, random));
        insertLocalBulk(m_session->listingStore(), rows);
    }
    QFile(done).open(QIODevice::WriteOnly);
}

QString BenchOffice::listingFile() const {
    return DataFolder(m_path).listingStoreFile();
}

QList<CapturedStatement> capture(SqlStore& store, const std::function<void()>& work) {
    QList<CapturedStatement> seen;
    store.setStatementObserver([&](const QString& sql, const QVariantList& values) {
        QVariantList stored;
        for (const QVariant& v : values)
            stored << store.toStored(v);
        seen.append({sql, stored});
    });
    work();
    store.setStatementObserver({});
    return seen;
}

RawSqlite::RawSqlite(const QString& file) {
    if (sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(file));
    sqlite3_busy_timeout(m_db, 10000);
}

RawSqlite::~RawSqlite() {
    sqlite3_close_v2(m_db);
}

void RawSqlite::exec(const char* sql) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s: %s", sql, sqlite3_errmsg(m_db));
}

sqlite3_stmt* RawSqlite::prepare(const QByteArray& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        qFatal("%s: %s", sql.constData(), sqlite3_errmsg(m_db));
    return statement;
}

void RawSqlite::bind(sqlite3_stmt* statement, int at, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(statement, at);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        sqlite3_bind_int64(statement, at, value.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_bind_double(statement, at, value.toDouble());
        return;
    default: {
        const QByteArray text = (value.typeId() == QMetaType::QDateTime
                                     ? value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                     : value.toString())
                                    .toUtf8();
        sqlite3_bind_text(statement, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

qint64 RawSqlite::run(const CapturedStatement& st) {
    sqlite3_stmt* statement = prepare(st.sql.toUtf8());
    for (int i = 0; i < st.values.size(); ++i)
        bind(statement, i + 1, st.values.at(i));
    qint64 rows = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
    }
    sqlite3_finalize(statement);
    return rows;
}

double msOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void reportBeside(benchmark::State& state, double oursMs,
                  const QList<std::pair<const char*, double>>& baselines) {
    state.counters["ours_ms"] = oursMs;
    for (const auto& [name, ms] : baselines) {
        state.counters[std::string(name) + "_ms"] = ms;
        if (ms > 0)
            state.counters[std::string("x_") + name] = oursMs / ms;
    }
}

StoreUrl clearMariaDbAccount(const QString& database) {
    const QString address = qEnvironmentVariable("TERAN_TEST_MYSQL_URL");
    if (address.isEmpty())
        return {};
    StoreUrl account = StoreUrl::parse(address);
    SqlStore vendor(QStringLiteral("bench-clear-admin"));
    vendor.open(account);
    account.user = QStringLiteral("teran_bench_clear");
    account.password = QStringLiteral("bench-clear-pw");
    account.database = database;
    vendor.execute(QStringLiteral("CREATE USER IF NOT EXISTS '%1'@'%' IDENTIFIED BY '%2' REQUIRE NONE")
                       .arg(account.user, account.password));
    vendor.execute(QStringLiteral("GRANT SELECT ON `%1`.* TO '%2'@'%'").arg(database, account.user));
    return account;
}

QSqlDatabase openClearMariaDb(const StoreUrl& account, const QString& connectionName) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
    db.setHostName(account.host);
    db.setPort(account.port);
    db.setDatabaseName(account.database);
    db.setUserName(account.user);
    db.setPassword(account.password);
    if (db.open()) {
        // What the store sets on every connection it opens.
        QSqlQuery(db).exec(QStringLiteral("SET NAMES utf8mb4 COLLATE utf8mb4_unicode_ci"));
        QSqlQuery(db).exec(
            QStringLiteral("SET SESSION sql_mode='STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION'"));
    }
    return db;
}

} // namespace teran::bench
