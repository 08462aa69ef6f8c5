#include "core/contracts/ContractStore.h"
#include "core/contracts/ContractRegister.h"
#include "core/contracts/Receipt.h"
#include "core/contracts/ResidentNumber.h"

#include "ContractSamples.h"
#include "TestOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

// The office's contracts and receipts on its own database, beside a vendor server of either kind.
class ContractStoreTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    ContractStore contracts() { return ContractStore(office->local(), office->clock); }

    std::unique_ptr<TestOffice> office;
};

} // namespace

TEST_P(ContractStoreTest, EveryColumnComesBackAndASecondSaveUpdatesTheRow) {
    for (ContractKind kind : {ContractKind::Sale, ContractKind::Jeonse, ContractKind::MonthlyRent}) {
        Contract saved = sampleContract(kind);
        contracts().save(saved);
        ASSERT_GT(saved.number, 0);
        const std::optional<Contract> loaded = contracts().load(saved.number);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(loaded->writeday, office->clock.now());
        EXPECT_EQ(*loaded, saved) << contractKindCode(kind).toStdString();
        EXPECT_EQ(office->local()
                      .scalar("SELECT jumin1 FROM mem_moo_con WHERE table_idx=?", {saved.number})
                      .toString(),
                  "8801011234567")
            << "the number is kept joined, 6 + 7";
    }

    Contract k = sampleContract(ContractKind::Sale);
    contracts().save(k);
    const int number = k.number;
    office->clock.advanceDays(3);
    k.buyer.name = "박영희";
    k.money[sale::Price] = 125000;
    contracts().save(k);
    EXPECT_EQ(k.number, number);
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM mem_moo_con").toInt(), 4);
    const Contract loaded = *contracts().load(number);
    EXPECT_EQ(loaded.buyer.name, "박영희");
    EXPECT_EQ(loaded.money[sale::Price], 125000);
    EXPECT_EQ(loaded.writeday.date(), office->clock.today().addDays(-3))
        << "the stamp of the first save stays";

    // A contract deleted at another desk is written again under a new number, not lost.
    contracts().remove({number});
    contracts().save(k);
    EXPECT_NE(k.number, number);
    EXPECT_TRUE(contracts().load(k.number).has_value());
}

// A contract drafted from a listing starts with what the listing knows: the seller, the areas in
// ㎡ and 평, and the amount of its own transaction (a jeonse's deposit, a rent and its deposit). A
// listing holds one contract of each kind.
TEST_P(ContractStoreTest, ADraftCarriesWhatTheListingKnowsAndAListingHoldsOneOfEachKind) {
    const auto draft = [&](int listing, ContractKind kind, const char* tb) {
        return draftFromListing(*readLocal(office->local(), listing), listing, kind, tb, sampleOffice(),
                                office->clock.today());
    };
    const int listing = office->addListing({{"money_m", 85000}, {"money_b", 40000}, {"addr2", "강남구"}});
    Contract sale = draft(listing, ContractKind::Sale, "apt");
    EXPECT_EQ(sale.money[sale::Price], 85000);
    EXPECT_EQ(sale.balance(), 85000);
    EXPECT_EQ(sale.location.value(1), "강남구");
    EXPECT_EQ(sale.broker1.office, "테란공인중개사");
    EXPECT_EQ(sale.dates[sale::ContractDay].stored(), "2026-12-6");
    Contract jeonse = draft(listing, ContractKind::Jeonse, "apt");
    EXPECT_EQ(jeonse.money[lease::Deposit], 40000);
    contracts().save(sale);
    contracts().save(jeonse);

    EXPECT_EQ(contracts().findForListing(listing, ContractKind::Sale, "apt"), sale.number);
    EXPECT_EQ(contracts().findForListing(listing, ContractKind::Jeonse, "apt"), jeonse.number);
    EXPECT_EQ(contracts().findForListing(listing, ContractKind::MonthlyRent, "apt"), 0);
    EXPECT_EQ(contracts().findForListing(listing, ContractKind::Jeonse, "villa"), 0)
        << "a lease matches the type too";
    EXPECT_EQ(contracts().findForListing(0, ContractKind::Sale, "apt"), 0);

    const int flat = office->addListing({{"tb", "apt"},
                                         {"money_jb", 30000},
                                         {"money_b", 5000},
                                         {"money_w", 120},
                                         {"pyung", "34"},
                                         {"pyung_use", "25.7"},
                                         {"uname", "홍길동"},
                                         {"uhp", ""},
                                         {"uhome", "02-123-4567"}});
    const Contract flatJeonse = draft(flat, ContractKind::Jeonse, "apt");
    EXPECT_EQ(flatJeonse.money[lease::Deposit], 30000) << "a jeonse is drafted with its jeonse deposit";
    EXPECT_EQ(flatJeonse.seller.name, "홍길동");
    EXPECT_EQ(flatJeonse.seller.phone, "02-123-4567") << "the home phone when there is no mobile";
    EXPECT_EQ(flatJeonse.areas[2], "84.96");
    EXPECT_EQ(flatJeonse.areas[3], "25.7") << "a flat's building area is its exclusive area";
    EXPECT_TRUE(flatJeonse.areas[0].isEmpty());
    const Contract rent = draft(flat, ContractKind::MonthlyRent, "apt");
    EXPECT_EQ(rent.money[lease::Deposit], 5000);
    EXPECT_EQ(rent.money[lease::MonthlyRent], 120);

    const int house =
        office->addListing({{"tb", "dan"}, {"pyung", "60"}, {"pyung_use", "0"}, {"uhp", "010-1"}});
    const Contract houseSale = draft(house, ContractKind::Sale, "dan");
    EXPECT_EQ(houseSale.areas[1], "60") << "a house measured by its lot gives its land";
    EXPECT_EQ(houseSale.areas[0], "198.35");
    EXPECT_TRUE(houseSale.areas[3].isEmpty()) << "no building area of 0";
    EXPECT_EQ(houseSale.seller.phone, "010-1");
}

TEST_P(ContractStoreTest, ReceiptsAreNumberedByTheStoreAndFoundPerContractAndType) {
    ReceiptStore receipts(office->local());
    EXPECT_EQ(receipts.expectedNumber(), 1);
    Contract k = sampleContract(ContractKind::Sale);
    contracts().save(k);
    Receipt first = receiptOfContract(k, sale::Deposit, "계약금", office->clock.today());
    EXPECT_EQ(first.name, "김철수");
    EXPECT_EQ(first.name2, "홍길동");
    EXPECT_EQ(first.won, 120'000'000);
    EXPECT_EQ(first.moneyWords, "일억이천만") << "digits on the contract read in Hangul words";
    EXPECT_FALSE(receipts.issuedFor(k.number, "계약금"));
    receipts.save(first);
    EXPECT_EQ(first.number, 1) << "the first receipt ever";
    EXPECT_TRUE(receipts.issuedFor(k.number, "계약금"));
    EXPECT_FALSE(receipts.issuedFor(k.number, "잔금"));
    EXPECT_FALSE(receipts.issuedFor(k.number + 1, "계약금"));
    EXPECT_EQ(*receipts.load(1), first);

    // Without the buyer's name the proxy pays.
    k.buyer.name.clear();
    EXPECT_EQ(receiptOfContract(k, sale::Balance, "잔금", {}).name, "김대리");
}

TEST_P(ContractStoreTest, TheRegisterListsNewestFirstWithDeadlinesAndEndingLeases) {
    FixedClock& clock = office->clock; // 2026-12-06
    const auto lease = [&](ContractKind kind, qint64 deposit, qint64 rent, const QDate& signedOn,
                           const QDate& end) {
        Contract k = sampleContract(kind);
        k.money[lease::Deposit] = deposit;
        k.money[lease::MonthlyRent] = rent;
        k.dates[lease::ContractDay] = ContractDate::of(signedOn);
        k.dates[lease::LeaseEnd] = ContractDate::of(end);
        contracts().save(k);
        clock.set(clock.now().addSecs(60)); // a later stamp for each
        return k.number;
    };
    const QDate today = clock.today();
    const int dueSoon = lease(ContractKind::Jeonse, 6001, 0, today.addDays(-25), today.addYears(2));
    const int small = lease(ContractKind::Jeonse, 6000, 0, today.addDays(-25), today.addYears(2));
    const int rentDue = lease(ContractKind::MonthlyRent, 1000, 31, today.addDays(-40), today.addDays(90));
    const int rentSmall = lease(ContractKind::MonthlyRent, 1000, 30, today.addDays(-29), today.addDays(91));
    const int longPast = lease(ContractKind::Jeonse, 9000, 0, today.addDays(-70), today.addDays(-1));

    ContractRegister reg(office->local(), clock);
    const auto keys = [](const RegisterPage& page) {
        QList<int> out;
        for (const RegisterRow& row : page.rows)
            out << row.key;
        return out;
    };
    EXPECT_EQ(keys(reg.reportsDue()), (QList<int>{rentDue, dueSoon}))
        << "a week ahead, or passed within 30 days";
    EXPECT_EQ(keys(reg.leasesEnding()), (QList<int>{rentDue}));
    EXPECT_EQ(keys(reg.page(registerTab::Jeonse, 0, 10)), (QList<int>{longPast, small, dueSoon}));
    const RegisterPage monthly = reg.page(registerTab::MonthlyRent, 1, 1);
    EXPECT_EQ(monthly.total, 2);
    ASSERT_EQ(keys(monthly), QList<int>{rentDue});
    const int deadline = int(monthly.header.indexOf("신고기한"));
    EXPECT_EQ(monthly.rows[0].cells[deadline], today.addDays(-10).toString(Qt::ISODate) + " (지남)");
    EXPECT_EQ(keys(reg.page(registerTab::Sale, 0, 10)), QList<int>{});
    Q_UNUSED(rentSmall);
    for (const RegisterRow& row : reg.page(registerTab::Jeonse, 0, 10).rows)
        EXPECT_FALSE(row.cells.join('|').contains("1234567")) << "no resident number is ever listed";

    // An office database of an earlier version keeps no lease dates: the register fills them once.
    office->local().execute("UPDATE mem_moo_con SET ymd4_date = NULL, report_date = NULL");
    office->local().execute("DELETE FROM mem_seting WHERE seting = 'lease_dates'");
    EXPECT_TRUE(keys(reg.leasesEnding()) == QList<int>{rentDue});
    EXPECT_EQ(keys(reg.reportsDue()), (QList<int>{rentDue, dueSoon}));
    // A lease changed to end later leaves the ending tab.
    std::optional<Contract> changed = contracts().load(rentDue);
    ASSERT_TRUE(changed);
    changed->dates[lease::LeaseEnd] = ContractDate::of(today.addDays(200));
    contracts().save(*changed);
    EXPECT_TRUE(keys(reg.leasesEnding()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, ContractStoreTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

TEST(ContractRulesTest, PartsBalanceDatesAndResidentNumbers) {
    Contract k;
    k.kind = ContractKind::Sale;
    k.money[sale::Price] = 10000;
    k.money[sale::Deposit] = 1000;
    k.money[sale::Interim1] = 9000;
    EXPECT_FALSE(k.partsExceedTotal()) << "equal is allowed";
    k.money[sale::Interim2] = 1;
    EXPECT_TRUE(k.partsExceedTotal());
    k.money[sale::Loan] = 50000;
    EXPECT_TRUE(k.partsExceedTotal()) << "the loan is no payment";
    Contract lease;
    lease.kind = ContractKind::Jeonse;
    lease.money[lease::Deposit] = 3000;
    lease.money[lease::ContractDeposit] = 3500;
    EXPECT_TRUE(lease.partsExceedTotal());
    EXPECT_TRUE(Contract::partsExceedText(ContractKind::Jeonse).contains(QStringLiteral("보증금")));

    k = Contract{};
    k.money = {10000, 3000, 1000, 0, 0, 0};
    k.computeBalance();
    EXPECT_EQ(k.balance(), 9000) << "the loan is not deducted";
    k.money[sale::Deposit] = 12000;
    k.computeBalance();
    EXPECT_EQ(k.balance(), 0) << "paid above the price leaves nothing, not less";

    EXPECT_EQ(ContractDate::parse("2005-3-7").stored(), "2005-3-7");
    EXPECT_EQ(ContractDate::parse("2005-3-7").date(), QDate(2005, 3, 7));
    EXPECT_TRUE(ContractDate::parse("--").isEmpty());
    EXPECT_EQ(ContractDate{}.stored(), "");
    EXPECT_FALSE(ContractDate::parse("2005-2-30").date().isValid());

    EXPECT_EQ(maskedResidentNumber("8801011234567"), "880101-1******");
    EXPECT_EQ(maskedResidentNumber("880101"), "880101-*******");
    EXPECT_EQ(maskedResidentNumber(""), "");
    EXPECT_EQ(spelledResidentNumber("8801011234567"), "880101 - 1234567");
    // 800101-1000008 follows the old check digit; a number issued since 2020 need not.
    EXPECT_TRUE(residentNumberChecksumHolds("8001011000008"));
    EXPECT_FALSE(residentNumberChecksumHolds("8001011000009"));
    EXPECT_FALSE(residentNumberChecksumHolds("80010110000"));
    EXPECT_FALSE(residentNumberChecksumHolds("800101100000x"));
}
