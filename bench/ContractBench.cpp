#include "BenchSupport.h"
#include "core/contracts/ConfirmationForm.h"
#include "core/contracts/ContractPage.h"
#include "core/contracts/ContractRegister.h"
#include "core/contracts/ContractStore.h"
#include "report/ReportPainter.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kListings = 100000;
constexpr int kContracts = 100000;

// A contract as an office types it, of the three kinds in turn, dated over the last years.
Contract generatedContract(int n, const QDate& today) {
    const ContractKind kind = ContractKind(n % 3);
    Contract k = newContract(kind, QStringLiteral("apt"), {}, today.addDays(-(n % 1000)));
    k.notation = MoneyNotation::Hangul;
    k.location = {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
                  QStringLiteral("%1-%2").arg(n % 900).arg(n % 7)};
    k.money = {50000 + n % 90000, 3000, 5000, 10000, isLease(kind) ? 100 : 5000, 0};
    k.computeBalance();
    k.seller = {QStringLiteral("서울 서초구 반포동 %1").arg(n), QStringLiteral("8001011000008"),
                QStringLiteral("010-1111-2222"), QStringLiteral("매도인%1").arg(n)};
    k.buyer = {QStringLiteral("경기 성남시 %1").arg(n), QStringLiteral("9203152345678"),
               QStringLiteral("010-3333-4444"), QStringLiteral("매수인%1").arg(n)};
    k.broker1 = {QStringLiteral("서울 강남구 역삼동 1-1"), QStringLiteral("테란공인중개사"),
                 QStringLiteral("김대표"), QStringLiteral("서울-2026-0042"), QStringLiteral("02-555-1234")};
    k.special = QStringLiteral("현 시설 상태의 계약이며 잔금일에 관리비를 정산한다.");
    k.pro = QStringLiteral("0.4");
    for (int d = 0; d < 4; ++d)
        k.dates[size_t(d)] = ContractDate::of(today.addDays(30 * (d + 1)));
    if (isLease(kind)) {
        // Twenty years of leases of two years each: a few hundred due or ending around today.
        const QDate signedOn = today.addDays(-(n * 7 % 7300));
        k.dates[lease::ContractDay] = ContractDate::of(signedOn);
        k.dates[lease::LeaseEnd] = ContractDate::of(signedOn.addYears(2));
    }
    return k;
}

// The bench office with its contracts (written once; the office folder is kept between runs).
Session& contractOffice() {
    Session& session = BenchOffice::of(kListings).session();
    SqlStore& store = session.listingStore();
    if (store.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_moo_con")).toInt() < kContracts) {
        store.execute(QStringLiteral("DELETE FROM mem_moo_con"));
        FixedClock clock(benchToday());
        ContractStore contracts(store, clock);
        store.transact([&] {
            for (int n = 0; n < kContracts; ++n) {
                Contract k = generatedContract(n, clock.today());
                clock.set(clock.now().addSecs(-60));
                contracts.save(k);
            }
        });
    }
    return session;
}

int someContract(Session& session) {
    return session.listingStore()
        .scalar(QStringLiteral("SELECT MIN(table_idx) FROM mem_moo_con WHERE ty='M'"))
        .toInt();
}

} // namespace

// One stored contract to a PDF file, beside the PDF of a page already made (the layout alone).
void BM_ContractToPdf(benchmark::State& state) {
    Session& session = contractOffice();
    const int number = someContract(session);
    ContractStore contracts(session.listingStore(), session.clock());
    const QString pdf = QDir(session.dataFolder().root()).filePath(QStringLiteral("bench-contract.pdf"));
    const OfficeDetails office = session.state().AuthConfig;
    double total = 0;
    for (auto _ : state)
        total += msOf(
            [&] { report::ReportPainter::writePdf(contractDocument(*contracts.load(number), office), pdf); });
    const report::Document page = contractDocument(*contracts.load(number), office);
    const double layoutOnly = msOf([&] { report::ReportPainter::writePdf(page, pdf); });
    reportBeside(state, total / double(state.iterations()), {{"layoutonly", layoutOnly}});
}

// A filled confirmation form (two pages), from the store to a PDF.
void BM_ConfirmationFormToPdf(benchmark::State& state) {
    Session& session = contractOffice();
    ConfirmationFormStore forms(session.listingStore(), nullptr, session.state().OfficeMainId);
    ConfirmationForm form;
    form.location = {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
                     QStringLiteral("123-4")};
    for (const ConfirmationSection& section : confirmationSections())
        for (const ConfirmationItem& item : section.items)
            if (const auto* b = std::get_if<ConfirmationBox>(&item))
                form.boxes[b->key()] = QStringLiteral("확인 내용 %1").arg(b->caption);
    form.options = QList<bool>(confirmationOptionCount(), true);
    form.wday = form.wday2 = benchToday().date();
    forms.save(form);
    const QString pdf = QDir(session.dataFolder().root()).filePath(QStringLiteral("bench-form.pdf"));
    double total = 0;
    for (auto _ : state)
        total += msOf([&] {
            report::ReportPainter::writePdf(confirmationDocument(*forms.load(form.number), {}), pdf);
        });
    reportBeside(state, total / double(state.iterations()), {});
    forms.remove({form.number});
}

// The register's first page of sale contracts among 100,000 contracts (target < 20 ms), beside
// the whole list of the kind that the register read at once before it had pages.
void BM_ContractRegisterFirstPage(benchmark::State& state) {
    Session& session = contractOffice();
    ContractRegister reg(session.listingStore(), session.clock());
    double total = 0;
    for (auto _ : state)
        total += msOf([&] { benchmark::DoNotOptimize(reg.page(registerTab::Sale, 0, 500)); });
    const QList<CapturedStatement> ran =
        capture(session.listingStore(), [&] { reg.page(registerTab::Sale, 0, 500); });
    RawSqlite raw(BenchOffice::of(kListings).listingFile());
    const double rawMs = msOf([&] {
        for (const CapturedStatement& st : ran)
            raw.run(st);
    });
    const double wholeList =
        msOf([&] { benchmark::DoNotOptimize(reg.page(registerTab::Sale, 0, kContracts)); });
    const double deadlines = msOf([&] { benchmark::DoNotOptimize(reg.reportsDue()); });
    reportBeside(state, total / double(state.iterations()),
                 {{"raw", rawMs}, {"wholelist", wholeList}, {"reportsdue", deadlines}});
}

BENCHMARK(BM_ContractToPdf)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ConfirmationFormToPdf)->Unit(benchmark::kMillisecond)->MinTime(0.5);
// The two lease tabs among 100,000 contracts, chosen and ordered by the database on the lease
// dates kept beside the form's texts (target < 30 ms each), beside the statement alone.
void BM_LeaseTabs(benchmark::State& state) {
    Session& session = contractOffice();
    ContractRegister reg(session.listingStore(), session.clock());
    double total = 0;
    int rows = 0;
    for (auto _ : state)
        total += msOf([&] { rows = reg.reportsDue().total + reg.leasesEnding().total; });
    const QList<CapturedStatement> ran = capture(session.listingStore(), [&] {
        reg.reportsDue();
        reg.leasesEnding();
    });
    RawSqlite raw(BenchOffice::of(kListings).listingFile());
    const double rawMs = msOf([&] {
        for (const CapturedStatement& st : ran)
            raw.run(st);
    });
    reportBeside(state, total / double(state.iterations()), {{"raw", rawMs}});
    state.counters["rows"] = rows;
}

BENCHMARK(BM_ContractRegisterFirstPage)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_LeaseTabs)->Unit(benchmark::kMillisecond)->MinTime(0.5);
