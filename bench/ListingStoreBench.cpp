#include "session/ListingRepository.h"
#include "session/PropertyTypes.h"
#include "session/UploadCols.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace teran;

namespace {

constexpr int kListings = 100'000;
constexpr int kPageSize = 50;

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

// Listings shaped like an office's: each type with its own columns, owner details and dates.
QList<ListingRow> generateListings(int count) {
    QRandomGenerator random(20240501);
    const QList<PropertyType>& types = propertyTypes();
    QList<ListingRow> rows;
    rows.reserve(count);
    for (int n = 0; n < count; ++n) {
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

const QList<ListingRow>& listings() {
    static const QList<ListingRow> rows = generateListings(kListings);
    return rows;
}

// A fresh ListingStore file in its own temporary folder.
struct FreshStore {
    QTemporaryDir dir;
    SqlStore store{QStringLiteral("bench_%1").arg(QDateTime::currentMSecsSinceEpoch())};

    FreshStore() {
        store.open(StoreUrl::sqliteFile(dir.filePath(QStringLiteral("rd/terandb.db"))));
        createListingTable(store, ListingSide::Local);
    }
};

void BM_BulkInsertListings(benchmark::State& state) {
    const QList<ListingRow>& rows = listings();
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<FreshStore>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(insertLocalBulk(fresh->store, rows));
        state.PauseTiming();
        fresh.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
}

void BM_KeysetPagesOf50(benchmark::State& state) {
    FreshStore fresh;
    insertLocalBulk(fresh.store, listings());
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
    if (read != state.iterations() * kListings)
        state.SkipWithError("paging lost or repeated rows");
    state.SetItemsProcessed(read);
    state.counters["pages"] = benchmark::Counter(double(read) / kPageSize / state.iterations());
}

// One save from the registration window: its own transaction, synced to disk.
void BM_SingleInsertListing(benchmark::State& state) {
    FreshStore fresh;
    const QList<ListingRow>& rows = listings();
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(insertLocal(fresh.store, rows.at(n++ % rows.size())));
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_BulkInsertListings)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KeysetPagesOf50)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SingleInsertListing)->Unit(benchmark::kMicrosecond)->Iterations(500);

// Qt's SQL drivers are plugins, found through the application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
