// What TLS costs the desk on the vendor's MariaDB: a member's connection as the login makes it
// (the desk's own check of the certificate, the driver's TLS connection, the login's reads),
// beside the same connection and reads in clear text through the driver, on loopback.
#include "BenchSupport.h"
#include "core/store/SqlStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace teran::bench {

namespace {

// The reads a login makes once connected: the account, then the office's row.
const QString kLoginRead = QStringLiteral("SELECT User, Host FROM mysql.user WHERE User = ?");

// An account held to TLS as the members are, and one that may connect in clear (the baseline).
struct BenchAccounts {
    StoreUrl tlsUrl;
    StoreUrl clearUrl;
    QString skipped;

    BenchAccounts() {
        clearUrl = clearMariaDbAccount(QStringLiteral("mysql"));
        if (clearUrl.host.isEmpty()) {
            skipped = QStringLiteral("MariaDB is not running (TERAN_TEST_MYSQL_URL is not set)");
            return;
        }
        tlsUrl = StoreUrl::parse(qEnvironmentVariable("TERAN_TEST_MYSQL_URL"));
        SqlStore vendor(QStringLiteral("bench-tls-admin"));
        vendor.open(tlsUrl);
        tlsUrl.user = QStringLiteral("teran_bench_tls");
        tlsUrl.password = QStringLiteral("bench-tls-pw");
        tlsUrl.database = QStringLiteral("mysql");
        vendor.execute(QStringLiteral("CREATE USER IF NOT EXISTS '%1'@'%' IDENTIFIED BY '%2' REQUIRE SSL")
                           .arg(tlsUrl.user, tlsUrl.password));
        vendor.execute(QStringLiteral("GRANT SELECT ON `mysql`.* TO '%1'@'%'").arg(tlsUrl.user));
    }
};

BenchAccounts& benchAccounts() {
    static BenchAccounts accounts;
    return accounts;
}

void connectClear(const StoreUrl& url) {
    {
        QSqlDatabase db = openClearMariaDb(url, QStringLiteral("bench-clear"));
        if (!db.isOpen())
            qFatal("clear connection: %s", qPrintable(db.lastError().text()));
        for (int i = 0; i < 2; ++i) {
            QSqlQuery q(db);
            q.prepare(kLoginRead);
            q.addBindValue(url.user);
            q.exec();
            benchmark::DoNotOptimize(q.next());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-clear"));
}

void connectOverTls(const StoreUrl& url) {
    SqlStore store(QStringLiteral("bench-tls"));
    store.open(url);
    for (int i = 0; i < 2; ++i)
        benchmark::DoNotOptimize(store.scalar(kLoginRead, {url.user}));
    store.close();
}

void BM_MemberConnectionOverTls(benchmark::State& state) {
    BenchAccounts& accounts = benchAccounts();
    if (!accounts.skipped.isEmpty()) {
        state.SkipWithError(accounts.skipped.toStdString().c_str());
        return;
    }
    double ours = 0, clearMs = 0;
    for (auto _ : state) {
        ours += msOf([&] { connectOverTls(accounts.tlsUrl); });
        state.PauseTiming();
        clearMs += msOf([&] { connectClear(accounts.clearUrl); });
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    reportBeside(state, ours / n, {{"clear", clearMs / n}});
}

} // namespace

BENCHMARK(BM_MemberConnectionOverTls)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace teran::bench
