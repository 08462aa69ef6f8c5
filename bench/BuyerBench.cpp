#include "BenchSupport.h"
#include "core/listing/PropertyTypes.h"
#include "core/people/BuyerMatch.h"
#include "core/people/BuyerRegister.h"
#include "core/store/RowWriter.h"
#include "ui/people/frmMaesu.h"

#include <QAbstractItemView>
#include <QApplication>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kBuyers = 10000;

// 10,000 buyers spread over the types, transactions, districts and ranges an office keeps
// (written once; the office folder is kept between runs).
Session& buyerOffice() {
    Session& session = BenchOffice::of(1000).session();
    SqlStore& store = session.listingStore();
    if (store.scalar(QStringLiteral("SELECT COUNT(*) FROM maesuin")).toInt() >= kBuyers)
        return session;
    store.execute(QStringLiteral("DELETE FROM maesuin"));
    const QList<PropertyType>& types = propertyTypes();
    const QStringList districts{QStringLiteral("강남구"), QStringLiteral("서초구"), QStringLiteral("송파구"),
                                QStringLiteral("마포구"), QStringLiteral("용산구")};
    const QStringList transactions = BuyerRegister::transactions();
    store.transact([&] {
        for (int n = 0; n < kBuyers; ++n) {
            const qint64 price = 20000 + (n % 50) * 5000;
            insertRow(
                store, QStringLiteral("maesuin"),
                {{QStringLiteral("name"), QStringLiteral("매수인%1").arg(n)},
                 {QStringLiteral("hantel"), QStringLiteral("010-%1-%2").arg(1000 + n % 9000).arg(n % 10000)},
                 {QStringLiteral("addre1"), QStringLiteral("서울")},
                 {QStringLiteral("addre2"), n % 7 == 0 ? QString() : districts.at(n % districts.size())},
                 {QStringLiteral("tb"), types.at(n % 3 == 0 ? 0 : n % types.size()).label},
                 {QStringLiteral("ty"), transactions.at(n % transactions.size())},
                 {QStringLiteral("p1"), 20 + n % 10},
                 {QStringLiteral("p2"), 35 + n % 10},
                 {QStringLiteral("m1"), price},
                 {QStringLiteral("m2"), price + 30000},
                 {QStringLiteral("writeday"), benchToday().addSecs(-n * 60)}});
        }
    });
    return session;
}

MatchedListing gangnamApartment() {
    MatchedListing l;
    l.typeLabel = QStringLiteral("아파트");
    l.transaction = QStringLiteral("매매");
    l.addr1 = QStringLiteral("서울");
    l.addr2 = QStringLiteral("강남구");
    l.addr3 = QStringLiteral("역삼동");
    l.area = 32;
    l.amount = 115000;
    return l;
}

} // namespace

// The buyers who fit an apartment among 10,000 buyers (target < 20 ms), beside the statements it
// ran, raw through SQLite's C interface, and a plain read of every buyer row.
void BM_BuyersForListing(benchmark::State& state) {
    Session& session = buyerOffice();
    const MatchedListing listing = gangnamApartment();
    double total = 0;
    for (auto _ : state)
        total += msOf([&] { benchmark::DoNotOptimize(buyersForListing(session, listing)); });
    const QList<CapturedStatement> ran =
        capture(session.listingStore(), [&] { buyersForListing(session, listing); });
    RawSqlite raw(BenchOffice::of(1000).listingFile());
    const double rawMs = msOf([&] {
        for (const CapturedStatement& st : ran)
            raw.run(st);
    });
    const double wholeMs = msOf([&] { raw.run({QStringLiteral("SELECT * FROM maesuin"), {}}); });
    reportBeside(state, total / double(state.iterations()), {{"raw", rawMs}, {"whole", wholeMs}});
}

// 매수자관리 opened on 10,000 buyers: built, its first page read and painted (target < 100 ms).
void BM_BuyerRegisterOpen(benchmark::State& state) {
    Session& session = buyerOffice();
    double total = 0;
    for (auto _ : state) {
        total += msOf([&] {
            frmMaesu window(session);
            window.show();
            QApplication::processEvents();
            for (QAbstractItemView* grid : window.findChildren<QAbstractItemView*>())
                grid->viewport()->repaint();
        });
    }
    BuyerRegister reg(session);
    const double firstPage = msOf([&] {
        benchmark::DoNotOptimize(reg.list({QStringLiteral("전체"), {}}, 100));
    });
    reportBeside(state, total / double(state.iterations()), {{"firstpage", firstPage}});
}

BENCHMARK(BM_BuyersForListing)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_BuyerRegisterOpen)->Unit(benchmark::kMillisecond)->MinTime(0.5);
