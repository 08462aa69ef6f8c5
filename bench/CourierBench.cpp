// A desk on a vendor's server that stops answering: how long 인터넷매물로 등록 of 10 ticked listings
// keeps the window from the user (while the silence is new, and once it is known), beside the same
// action on a server that answers; and how soon the queue leaves once the server answers again.
// The server is the loopback MariaDB behind a relay that can hold every byte, as a broken line does.
#include "BenchSupport.h"
#include "TcpRelay.h"
#include "core/listing/ListingRepository.h"
#include "core/listings/ListingActions.h"
#include "core/publication/PublicationCourier.h"
#include "core/publication/PublicationOutbox.h"
#include "core/session/Session.h"
#include "core/session/StoreSchemas.h"
#include "core/session/StoreSetup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

namespace teran::bench {

namespace {

class YesDialogs final : public Dialogs {
public:
    DialogAnswer message(const QString&, const QString&, DialogIcon, DialogButtons) override {
        return DialogAnswer::Yes;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString existingFolder(const QString&, const QString&) override { return {}; }
};

constexpr int kTicked = 10;

// An office of ten listings online on the loopback MariaDB through the relay, with its courier.
struct CourierOffice {
    QString skipped;
    QTemporaryDir dir;
    SystemClock clock;
    YesDialogs dialogs;
    std::unique_ptr<test::TcpRelay> relay;
    std::unique_ptr<Session> session;
    std::unique_ptr<PublicationCourier> courier;
    QList<ListingPick> picks;

    CourierOffice() {
        const QString address = qEnvironmentVariable("TERAN_TEST_MYSQL_URL");
        if (address.isEmpty()) {
            skipped = QStringLiteral("MariaDB is not running (TERAN_TEST_MYSQL_URL is not set)");
            return;
        }
        StoreUrl url = StoreUrl::parse(address);
        {
            SqlStore admin(QStringLiteral("bench-courier-admin"));
            admin.open(url);
            admin.execute(QStringLiteral("DROP DATABASE IF EXISTS `teran_bench_courier`"));
            admin.execute(QStringLiteral("CREATE DATABASE `teran_bench_courier` CHARACTER SET utf8mb4 "
                                         "COLLATE utf8mb4_unicode_ci"));
            url.database = QStringLiteral("teran_bench_courier");
            admin.open(url);
            initServerStore(admin, {QStringLiteral("ftp-pw"), 7300});
        }
        relay = std::make_unique<test::TcpRelay>(url.host, quint16(url.port));
        relay->open();
        url.port = relay->port();
        initDataFolder(DataFolder(dir.path()));
        TeranConfig config = TeranConfig::demoDefaults(dir.path());
        config.serverUrl = url.toString();
        session = std::make_unique<Session>(config, clock, dialogs);
        session->setProgramEnd([](int) {});
        if (!session->MdbsqlConnOpen() || !session->MysqlConnOpen()) {
            skipped = QStringLiteral("the bench office did not open");
            return;
        }
        SessionState& state = session->state();
        state.LoginId = state.OfficeMainId = QStringLiteral("off1");
        state.OnlineMode = QStringLiteral("yes");
        state.InternetOk = true;
        for (int i = 0; i < kTicked; ++i)
            picks << ListingPick{insertLocal(session->listingStore(), {{"id", "off1"},
                                                                       {"tb", "apt"},
                                                                       {"ty", "M"},
                                                                       {"maemultype", "매매"},
                                                                       {"addr1", "서울"},
                                                                       {"addr2", "마포구"},
                                                                       {"addr3", "공덕동"},
                                                                       {"money_m", 60000 + i},
                                                                       {"state", 0}}),
                                 QString()};
        courier = std::make_unique<PublicationCourier>(*session);
    }

    int waiting() { return PublicationOutbox(session->listingStore()).count(); }
    // Lets the courier's rounds come back until `done`; false after `ms`.
    static bool within(int ms, const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return done();
    }
    double publish() {
        return msOf([&] { ListingActions(*session).publish(picks, PublicationState::Internet); });
    }
    // Back to ten unshared listings, nothing waiting, the server answering and known to.
    void reset() {
        relay->stall(false);
        within(10000, [&] { return waiting() == 0; });
        ListingActions(*session).unpublish(picks, UnpublishScope::Internet);
        within(10000, [&] { return waiting() == 0 && !session->serverHealth()->waiting(); });
    }
};

CourierOffice& courierOffice() {
    static CourierOffice office;
    return office;
}

// ours: the action while the silence is new (the first row finds it out); known: the same once
// the courier found the server silent; answered: on a server that answers; inplace: the same with
// the server steps on the window's thread, as before the courier; resumed: from the server's
// answer to an empty outbox (30 changes: the two publications and the withdrawal between them).
void BM_TenTickedListingsOnAHungServer(benchmark::State& state) {
    CourierOffice& office = courierOffice();
    if (!office.skipped.isEmpty()) {
        state.SkipWithError(office.skipped.toStdString().c_str());
        return;
    }
    double fresh = 0, known = 0, answered = 0, inPlace = 0, resumed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        office.reset();
        answered += office.publish();
        office.reset();
        office.session->setCourier(nullptr);
        inPlace += office.publish();
        office.session->setCourier(office.courier.get());
        office.reset();
        office.relay->stall(true);
        state.ResumeTiming();
        fresh += office.publish();
        state.PauseTiming();
        office.within(5000, [&] { return office.session->serverHealth()->waiting(); });
        ListingActions(*office.session).unpublish(office.picks, UnpublishScope::Internet);
        known += office.publish();
        office.relay->stall(false);
        resumed += msOf([&] { office.within(30000, [&] { return office.waiting() == 0; }); });
        state.ResumeTiming();
    }
    const double runs = double(state.iterations());
    reportBeside(state, fresh / runs,
                 {{"known", known / runs},
                  {"answered", answered / runs},
                  {"inplace", inPlace / runs},
                  {"resumed", resumed / runs}});
}
BENCHMARK(BM_TenTickedListingsOnAHungServer)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace teran::bench
