#include "BenchSupport.h"
#include "core/listings/ListQuery.h"
#include "core/register/ListingSave.h"
#include "core/session/StoreSchemas.h"
#include "core/session/StoreSetup.h"
#include "ui/register/ListingForm.h"
#include "ui/register/frmInsert.h"

#include <QApplication>
#include <QComboBox>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kListings = 100000;

// The listing every save writes: an apartment with the facts an advertisement needs.
ListingRow savedListing(int n) {
    return {{"tb", "apt"},
            {"ty", "M"},
            {"maemultype", "매매"},
            {"addr1", "서울"},
            {"addr2", "강남구"},
            {"addr3", "역삼동"},
            {"addr4", QString::number(n)},
            {"cboname", "래미안"},
            {"pyung", 34},
            {"pyung_use", 25},
            {"money_m", 85000 + n},
            {"money_g", 25},
            {"floor", "12"},
            {"floor_max", 25},
            {"makedate", "2015"},
            {"direction", "남향"},
            {"room", 3},
            {"bathroom", 2},
            {"parking", 1},
            {"ipjuday", "즉시"},
            {"uname", "홍길동"},
            {"uhp", "010-1111-2222"}};
}

// The save as the older program made it: the next number read as max()+1, then the row
// written with that number and every column, all in autocommit statements.
int savePartsWay(SqlStore& store, const ListingRow& row) {
    const int number = store.scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul"), {}, 0).toInt() + 1;
    QStringList columns{QStringLiteral("table_idx"), QStringLiteral("id")};
    QStringList marks{QStringLiteral("?"), QStringLiteral("?")};
    QVariantList values{number, QStringLiteral("off1")};
    for (auto it = row.constBegin(); it != row.constEnd(); ++it) {
        columns << it.key();
        marks << QStringLiteral("?");
        values << it.value();
    }
    store.execute(
        QStringLiteral("INSERT INTO maemul (%1) VALUES (%2)").arg(columns.join(','), marks.join(',')),
        values);
    return number;
}

// The vendor server on the loopback MariaDB, in a database of the benchmark's own.
struct BenchServer {
    std::unique_ptr<SqlStore> store;
    QString skipped;

    BenchServer() {
        const QString address = qEnvironmentVariable("TERAN_TEST_MYSQL_URL");
        if (address.isEmpty()) {
            skipped = QStringLiteral("MariaDB is not running (TERAN_TEST_MYSQL_URL is not set)");
            return;
        }
        StoreUrl url = StoreUrl::parse(address);
        {
            SqlStore admin(QStringLiteral("bench-register-admin"));
            admin.open(url);
            admin.execute(
                QStringLiteral("CREATE DATABASE IF NOT EXISTS `teran_bench_register` CHARACTER SET utf8mb4 "
                               "COLLATE utf8mb4_unicode_ci"));
        }
        url.database = QStringLiteral("teran_bench_register");
        store = std::make_unique<SqlStore>(QStringLiteral("bench-register"));
        store->open(url);
        initServerStore(*store, {QStringLiteral("ftp-pw"), 7300});
        store->execute(QStringLiteral("DELETE FROM maemul WHERE id = 'off1'"));
    }
};

BenchServer& benchServer() {
    static BenchServer server;
    return server;
}

ListingSaveTargets targets(Session& session, SqlStore* server) {
    return ListingSaveTargets{session.listingStore(),
                              server,
                              QStringLiteral("off1"),
                              QStringLiteral("off1"),
                              session.dataFolder().files(),
                              {},
                              session.clock(),
                              {},
                              {}};
}

int storedNumber(Session& session) {
    return session.listingStore().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul")).toInt() / 2;
}

// Opening the window on a stored listing: built, filled and painted. Beside it the reads of the
// older way alone (the whole row and max()+1).
void BM_RegistrationOpenStored(benchmark::State& state) {
    Session& session = BenchOffice::of(kListings).session();
    const int number = storedNumber(session);
    double total = 0;
    for (auto _ : state) {
        std::unique_ptr<frmInsert> window;
        total += msOf([&] {
            window = std::make_unique<frmInsert>(session, RegistrationRequest{EditMode::Edit, number});
            window->show();
            QApplication::processEvents();
            window->repaint();
        });
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    const double reads = msOf([&] {
        QSqlQuery row = session.listingStore().query(
            QStringLiteral("SELECT * FROM maemul WHERE table_idx = ?"), {number});
        row.next();
        session.listingStore().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul"));
    });
    reportBeside(state, total / double(state.iterations()), {{"partsway_reads", reads}});
}

// A change of the property type in an open window: the form laid out anew and its boxes filled
// from the stored values. Beside it the older way's three GROUP BY reads of the same boxes.
void BM_RegistrationTypeChange(benchmark::State& state) {
    Session& session = BenchOffice::of(kListings).session();
    frmInsert window(session, RegistrationRequest{EditMode::New, 0});
    window.show();
    QApplication::processEvents();
    auto* type = window.findChild<QComboBox*>(QStringLiteral("cboTb"));
    int next = 0;
    double total = 0;
    for (auto _ : state) {
        next = (next + 1) % type->count();
        total += msOf([&] {
            type->setCurrentIndex(next);
            QApplication::processEvents();
        });
    }
    // The whole form anew at every change: every field hidden, every frame laid out, every box
    // filled again from the store.
    double anew = 0;
    const int rounds = 20;
    for (int i = 0; i < rounds; ++i) {
        next = (next + 1) % type->count();
        window.form().forgetLayout();
        anew += msOf([&] {
            type->setCurrentIndex(next);
            QApplication::processEvents();
        });
    }
    double groupBy = msOf([&] {
        for (const char* column : {"maemultype", "cboname", "maker"})
            session.listingStore().query(
                QStringLiteral("SELECT %1 FROM maemul WHERE %1 IS NOT NULL AND %1 <> '' AND tb = ? "
                               "GROUP BY %1 ORDER BY %1")
                    .arg(QLatin1String(column)),
                {QStringLiteral("apt")});
    });
    reportBeside(state, total / double(state.iterations()),
                 {{"partsway_groupby", groupBy}, {"whole_form", anew / rounds}});
}

// Saving a new listing in the office's store, beside the older way (max()+1, then the row).
void BM_RegistrationLocalSave(benchmark::State& state) {
    Session& session = BenchOffice::of(kListings).session();
    ListingSaveService service(targets(session, nullptr));
    QList<int> made;
    int n = 0;
    double total = 0;
    for (auto _ : state) {
        ListingSaveRequest request;
        request.fields = savedListing(++n);
        total += msOf([&] { made << service.save(request).number; });
    }
    double partsWay = msOf([&] { made << savePartsWay(session.listingStore(), savedListing(0)); });
    for (int number : made)
        deleteLocal(session.listingStore(), number);
    reportBeside(state, total / double(state.iterations()), {{"partsway", partsWay}});
}

// Saving a new listing to be shared: the row and the copy's entry of the outbox in one local
// transaction (the outbox's sender writes the copy after it), beside the older way, which wrote
// the copy during the save: max()+1 and the local row, the server's time, the copy looked up and
// written on the loopback MariaDB.
void BM_RegistrationSaveWithServerCopy(benchmark::State& state) {
    BenchServer& server = benchServer();
    if (!server.skipped.isEmpty()) {
        state.SkipWithError(server.skipped.toStdString().c_str());
        return;
    }
    Session& session = BenchOffice::of(kListings).session();
    ListingSaveService service(targets(session, server.store.get()));
    QList<int> made;
    int n = 0;
    double total = 0;
    for (auto _ : state) {
        ListingSaveRequest request;
        request.fields = savedListing(++n);
        request.share = true;
        request.disclosure.state = PublicationState::Internet;
        ListingSaveResult result;
        total += msOf([&] { result = service.save(request); });
        if (result.sharing != ListingSaveResult::Sharing::Queued) {
            state.SkipWithError(("not queued: " + result.sharingError).toStdString().c_str());
            return;
        }
        made << result.number;
    }
    const double partsWay = msOf([&] {
        const int number = savePartsWay(session.listingStore(), savedListing(0));
        made << number;
        server.store->scalar(QStringLiteral("SELECT NOW()"));
        QSqlQuery old = server.store->query(
            QStringLiteral("SELECT * FROM maemul WHERE id = 'off1' AND sub_idx = ?"), {number});
        old.next();
        old.finish();
        server.store->execute(
            QStringLiteral("INSERT INTO maemul (id, sub_idx, tb, ty, addr1, addr2, addr3, cboname, pyung, "
                           "money_m, state, showday, sortday) VALUES ('off1', ?, 'apt', 'M', '서울', "
                           "'강남구', '역삼동', '래미안', 34, 85000, 1, NOW(), NOW())"),
            {number});
    });
    for (int number : made) {
        deleteLocal(session.listingStore(), number);
        server.store->execute(QStringLiteral("DELETE FROM maemul WHERE id = 'off1' AND sub_idx = ?"),
                              {number});
    }
    reportBeside(state, total / double(state.iterations()), {{"partsway", partsWay}});
}

} // namespace

BENCHMARK(BM_RegistrationOpenStored)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_RegistrationTypeChange)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_RegistrationLocalSave)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_RegistrationSaveWithServerCopy)->Unit(benchmark::kMillisecond)->MinTime(0.5);
