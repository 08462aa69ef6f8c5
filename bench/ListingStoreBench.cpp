#include "BenchSupport.h"
#include "core/listing/ListingSortKeys.h"
#include "core/listing/ListingTextIndex.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/UploadCols.h"
#include "core/session/StoreSchemas.h"

#include <QDateTime>
#include <QHash>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kPageSize = 50;
constexpr int kChunk = 50'000;       // rows held in memory at a time
constexpr int kAutocommitRows = 200; // the one-commit-a-row baseline is timed on this many rows

const QStringList kWords = {QStringLiteral("역세권"),   QStringLiteral("남향"),  QStringLiteral("급매"),
                            QStringLiteral("주차가능"), QStringLiteral("신축"),  QStringLiteral("올수리"),
                            QStringLiteral("학군좋음"), QStringLiteral("대로변")};

QVariant generatedValue(const ColumnDef& column, int n, QRandomGenerator& random) {
    switch (column.type) {
    case ColumnType::Integer:
        return int(random.bounded(40));
    case ColumnType::BigInt:
        return qint64(random.bounded(2'000'000)) * 10;
    case ColumnType::Decimal:
        return random.bounded(20000) / 100.0;
    case ColumnType::DateTime:
        return QDateTime(QDate(2020, 1, 1), QTime(9, 0)).addSecs(qint64(n) * 600);
    case ColumnType::Text:
        return kWords.at(n % kWords.size()) + QLatin1Char(' ') + kWords.at(random.bounded(kWords.size())) +
               QStringLiteral(" %1").arg(n);
    }
    return {};
}

// Listings as the registration window saves them: every column of the type filled.
QList<ListingRow> generateListings(int first, int count) {
    QRandomGenerator random(20240501 + first);
    const QList<PropertyType>& types = propertyTypes();
    QList<ListingRow> rows;
    rows.reserve(count);
    for (int n = first; n < first + count; ++n) {
        const PropertyType& type = types.at(n % types.size());
        ListingRow row;
        for (const QString& column : uploadMiddleColumns(type.code))
            row.insert(column, generatedValue(*findListingColumn(column), n, random));
        row.insert(QStringLiteral("tb"), type.code);
        row.insert(QStringLiteral("ty"), QString(type.transactions.at(n % type.transactions.size())));
        row.insert(QStringLiteral("id"), QStringLiteral("office1"));
        row.insert(QStringLiteral("subid"), QStringLiteral("staff%1").arg(n % 4));
        row.insert(QStringLiteral("state"), n % 10 == 0 ? 2 : 0);
        row.insert(QStringLiteral("uname"), QStringLiteral("홍길동%1").arg(n));
        row.insert(QStringLiteral("uhp"), QStringLiteral("010-%1-%2").arg(1000 + n % 9000).arg(n % 10000));
        row.insert(QStringLiteral("addr4"), QStringLiteral("%1-%2").arg(n % 700).arg(n % 30));
        row.insert(QStringLiteral("writeday"),
                   QDateTime(QDate(2019, 6, 1), QTime(10, 0)).addSecs(qint64(n) * 300));
        rows.append(row);
    }
    return rows;
}

// The indexes the own list had before it kept one per sort column.
const QStringList kEarlierSortIndexes = {
    QStringLiteral("ix_maemul_state"), QStringLiteral("ix_maemul_tb"), QStringLiteral("ix_maemul_showday"),
    QStringLiteral("ix_maemul_cboname"), QStringLiteral("ix_maemul_ming")};

// A fresh ListingStore file with the program's whole schema (indexes and kept counts), or
// without the sort indexes and the text index (the schema before them, for their cost).
struct FreshStore {
    QTemporaryDir dir;
    SqlStore store{QStringLiteral("bench_%1").arg(QDateTime::currentMSecsSinceEpoch())};

    explicit FreshStore(bool listIndexes = true) {
        store.open(StoreUrl::sqliteFile(file()));
        upgradeListingStore(store);
        if (listIndexes)
            return;
        for (const IndexDef& index : ownListSortIndexes())
            if (!kEarlierSortIndexes.contains(index.name))
                store.execute(QStringLiteral("DROP INDEX ") + index.name);
        store.execute(QStringLiteral("CREATE INDEX ix_maemul_lot ON maemul(addr1, addr2, addr3, addr4)"));
        for (const char* trigger :
             {"tr_maemul_text_insert", "tr_maemul_text_update", "tr_maemul_text_delete"})
            store.execute(QStringLiteral("DROP TRIGGER ") + QLatin1String(trigger));
        store.execute(QStringLiteral("DROP TABLE maemul_text"));
    }
    QString file() const { return dir.filePath(QStringLiteral("rd/terandb.db")); }
    double megabytes() {
        return store.scalar(QStringLiteral("PRAGMA page_count")).toDouble() *
               store.scalar(QStringLiteral("PRAGMA page_size")).toDouble() / 1e6;
    }
};

// The raw insert: one prepared statement per column layout through SQLite's C interface, the
// rows bound as they are, one transaction for the lot.
void insertRaw(RawSqlite& raw, const QList<ListingRow>& rows, bool oneTransaction) {
    QHash<QString, sqlite3_stmt*> statements;
    if (oneTransaction)
        raw.exec("BEGIN IMMEDIATE");
    for (const ListingRow& row : rows) {
        QStringList columns = row.keys();
        columns.sort();
        const QString key = columns.join(QLatin1Char(','));
        sqlite3_stmt*& statement = statements[key];
        if (!statement)
            statement = raw.prepare(QStringLiteral("INSERT INTO maemul(%1) VALUES(%2)")
                                        .arg(key, QStringList(columns.size(), QStringLiteral("?")).join(','))
                                        .toUtf8());
        for (int i = 0; i < columns.size(); ++i)
            RawSqlite::bind(statement, i + 1, row.value(columns.at(i)));
        if (sqlite3_step(statement) != SQLITE_DONE)
            qFatal("raw insert failed");
        sqlite3_reset(statement);
    }
    for (sqlite3_stmt* statement : std::as_const(statements))
        sqlite3_finalize(statement);
    if (oneTransaction)
        raw.exec("COMMIT");
}

// The bulk insert of N listings (insertLocalBulk, a transaction per 50,000 rows) beside the raw
// insert of the same rows into the same schema, beside the same insert into the schema without
// the sort and text indexes ("bare", with the file sizes of both), and beside one autocommit
// insert per row (timed on 200 rows and scaled to N: at a full sync per row it would take hours).
void BM_BulkInsertListings(benchmark::State& state) {
    const int count = int(state.range(0));
    double ours = 0, rawMs = 0, bareMs = 0, autocommitMs = 0, oursMb = 0, bareMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto mine = std::make_unique<FreshStore>();
        auto theirs = std::make_unique<FreshStore>();
        auto bare = std::make_unique<FreshStore>(false);
        RawSqlite raw(theirs->file());
        for (int first = 0; first < count; first += kChunk) {
            const QList<ListingRow> rows = generateListings(first, std::min(kChunk, count - first));
            state.ResumeTiming();
            ours += msOf([&] { benchmark::DoNotOptimize(insertLocalBulk(mine->store, rows)); });
            state.PauseTiming();
            rawMs += msOf([&] { insertRaw(raw, rows, true); });
            bareMs += msOf([&] { benchmark::DoNotOptimize(insertLocalBulk(bare->store, rows)); });
        }
        oursMb = mine->megabytes();
        bareMb = bare->megabytes();
        auto single = std::make_unique<FreshStore>();
        RawSqlite perRow(single->file());
        const QList<ListingRow> sample = generateListings(0, std::min(count, kAutocommitRows));
        autocommitMs += msOf([&] { insertRaw(perRow, sample, false); }) * count / sample.size();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    reportBeside(state, ours / n,
                 {{"raw", rawMs / n}, {"bare", bareMs / n}, {"autocommit", autocommitMs / n}});
    state.counters["ours_mb"] = oursMb;
    state.counters["bare_mb"] = bareMb;
    state.counters["x_bare_mb"] = oursMb / bareMb;
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_KeysetPagesOf50(benchmark::State& state) {
    FreshStore fresh;
    insertLocalBulk(fresh.store, generateListings(0, 10'000));
    qint64 read = 0;
    for (auto _ : state) {
        int after = 0;
        for (;;) {
            const QList<ListingRow> page = readPage(fresh.store, after, kPageSize);
            if (page.isEmpty())
                break;
            read += page.size();
            after = page.last().value(QStringLiteral("table_idx")).toInt();
        }
    }
    if (read != state.iterations() * 10'000)
        state.SkipWithError("paging lost or repeated rows");
    state.SetItemsProcessed(read);
}

// One save from the registration window: its own transaction, synced to disk.
void BM_SingleInsertListing(benchmark::State& state) {
    FreshStore fresh;
    const QList<ListingRow> rows = generateListings(0, 500);
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(insertLocal(fresh.store, rows.at(n++ % rows.size())));
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_BulkInsertListings)->Apply(addSizes)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_KeysetPagesOf50)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SingleInsertListing)->Unit(benchmark::kMicrosecond)->Iterations(300);
