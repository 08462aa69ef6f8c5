#pragma once

#include "core/listing/ListingRepository.h"
#include "core/session/Dialogs.h"
#include "core/session/InternetProbe.h"
#include "core/session/Session.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace teran::bench {

// The sizes every benchmark runs at; 1,000,000 joins when TERAN_BENCH_MILLION=1 (it takes minutes).
void addSizes(benchmark::internal::Benchmark* b);

const QDateTime& benchToday();

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

// An own listing as an office keeps them: every type, prices, areas, floors, owner, two staff,
// one in ten archived, dates spread over the last months.
ListingRow ownListing(int n, QRandomGenerator& random);

// An office "off1" logged in on a data folder holding `count` generated listings. The folders
// are kept under TERAN_BENCH_DATA (default: the system's temporary folder) and made again only
// when missing, so a second run starts at once.
class BenchOffice {
public:
    static BenchOffice& of(int count);

    Session& session() { return *m_session; }
    QString listingFile() const;

private:
    explicit BenchOffice(int count);
    QString m_path;
    NoDialogs m_dialogs;
    FixedClock m_clock{benchToday()};
    std::unique_ptr<Session> m_session;
};

// A statement as the program sent it, to be run again through SQLite's own C interface.
struct CapturedStatement {
    QString sql;
    QVariantList values;
};

// Every statement `work` runs on `store`, in order.
QList<CapturedStatement> capture(SqlStore& store, const std::function<void()>& work);

// SQLite's C interface on a file, without Qt: the baseline of the list pages and inserts.
class RawSqlite {
public:
    explicit RawSqlite(const QString& file);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    // Prepares, binds, steps through every row reading every column as text; returns the rows.
    qint64 run(const CapturedStatement& statement);
    void exec(const char* sql);
    sqlite3_stmt* prepare(const QByteArray& sql);
    static void bind(sqlite3_stmt* statement, int at, const QVariant& value);

private:
    sqlite3* m_db = nullptr;
};

// An account that may read `database` on the loopback MariaDB (TERAN_TEST_MYSQL_URL) without
// TLS, and a connection in clear text as it: the baseline of what TLS costs. The program itself
// never connects so. The account's address has no host when MariaDB is not running.
StoreUrl clearMariaDbAccount(const QString& database);
QSqlDatabase openClearMariaDb(const StoreUrl& account, const QString& connectionName);

// Milliseconds `work` takes.
double msOf(const std::function<void()>& work);

// The resident memory of this process in MB.
double residentMb();

// Reports the figure measured by the benchmark loop (`oursMs` a run) beside its baselines:
// "<name>_ms" and "x_<name>" (ours divided by the baseline: 1.0 is as fast, 0.5 twice as fast).
void reportBeside(benchmark::State& state, double oursMs,
                  const QList<std::pair<const char*, double>>& baselines);

} // namespace teran::bench
