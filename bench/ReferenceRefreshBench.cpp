#include "core/online/ReferenceData.h"
#include "core/online/ReferenceRefresh.h"
#include "core/session/StoreSchemas.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace teran;

namespace {

constexpr int kPostRows = 45'000;

// A national postal table of the real size: the shipped towns, each with more lot ranges.
QList<PostRow> nationalPostTable() {
    const QList<PostRow> towns = referencePostRows();
    QList<PostRow> rows;
    rows.reserve(kPostRows);
    for (int n = 0; n < kPostRows; ++n) {
        PostRow row = towns.at(n % towns.size());
        const int round = n / int(towns.size());
        if (round > 0)
            row.addr4 = QStringLiteral("%1~%2").arg(round * 100 + 1).arg(round * 100 + 99);
        rows.append(row);
    }
    return rows;
}

QString uniqueConnection(const char* prefix) {
    static int serial = 0;
    return QStringLiteral("%1_%2_%3")
        .arg(QLatin1String(prefix))
        .arg(QCoreApplication::applicationPid())
        .arg(++serial);
}

// The office's ListingStore, already holding a full table that the copy replaces.
struct OfficeStore {
    QTemporaryDir dir;
    SqlStore store{uniqueConnection("bench_office")};
    OfficeStore() {
        store.open(StoreUrl::sqliteFile(dir.filePath(QStringLiteral("rd/terandb.db"))));
        upgradeListingStore(store);
        insertPostRows(store, nationalPostTable());
    }
};

// What frmUpgrade does at each progress call, without a screen: set the text, run events.
struct ProgressLabel {
    QString text;
    qint64 calls = 0;
    void operator()(qint64 counter, qint64 total) {
        text = refreshProgressText(counter, total);
        ++calls;
        QCoreApplication::processEvents();
    }
};

void copyInto(benchmark::State& state, SqlStore& server) {
    OfficeStore office;
    ProgressLabel label;
    qint64 copied = 0;
    for (auto _ : state)
        copied += copyReferenceTable(server, office.store, ReferenceJob::Post, std::ref(label));
    if (copied != state.iterations() * kPostRows)
        state.SkipWithError("rows were lost or repeated");
    state.SetItemsProcessed(copied);
    state.counters["progress_calls"] = benchmark::Counter(double(label.calls) / double(state.iterations()));
}

void BM_CopyPostSqliteToSqlite(benchmark::State& state) {
    QTemporaryDir dir;
    SqlStore server(uniqueConnection("bench_server"));
    server.open(StoreUrl::sqliteFile(dir.filePath(QStringLiteral("server.db"))));
    upgradeServerStore(server);
    insertPostRows(server, nationalPostTable());
    copyInto(state, server);
}

// Needs the loopback MariaDB (TERAN_TEST_MYSQL_URL); works in a database of its own.
void BM_CopyPostMariaDbToSqlite(benchmark::State& state) {
    const QString url = qEnvironmentVariable("TERAN_TEST_MYSQL_URL");
    if (url.isEmpty()) {
        state.SkipWithError("TERAN_TEST_MYSQL_URL is not set");
        return;
    }
    const StoreUrl admin = StoreUrl::parse(url);
    StoreUrl scratch = admin;
    scratch.database = uniqueConnection("teran_bench");
    {
        SqlStore creator(uniqueConnection("bench_admin"));
        creator.open(admin);
        creator.execute(
            QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci")
                .arg(scratch.database));
    }
    {
        SqlStore server(uniqueConnection("bench_server"));
        server.open(scratch);
        upgradeServerStore(server);
        insertPostRows(server, nationalPostTable());
        copyInto(state, server);
    }
    SqlStore dropper(uniqueConnection("bench_admin"));
    dropper.open(admin);
    dropper.execute(QStringLiteral("DROP DATABASE `%1`").arg(scratch.database));
}

} // namespace

BENCHMARK(BM_CopyPostSqliteToSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CopyPostMariaDbToSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
