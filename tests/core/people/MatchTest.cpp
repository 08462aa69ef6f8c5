#include "TestOffice.h"
#include "core/people/BuyerMatch.h"
#include "core/people/BuyerRegister.h"
#include "core/people/ListingsForBuyer.h"
#include "core/people/SmsRecord.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

// 25–35평, 100,000–130,000 만원, an apartment in 서울 강남구.
Buyer gangnamApartment() {
    Buyer b;
    b.tb = "아파트";
    b.ty = "매매";
    b.addre1 = "서울";
    b.addre2 = "강남구";
    b.area = {25, 35};
    b.amount = {100000, 130000};
    return b;
}

ListingRow apartment(double area, qint64 price, const QString& district = "강남구") {
    return {{"tb", "apt"},       {"ty", "M"},     {"addr1", "서울"}, {"addr2", district},
            {"addr3", "역삼동"}, {"pyung", area}, {"money_m", price}};
}

// The buyers that fit a listing and the listings that fit a buyer, in the office "off1".
class MatchTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    // The buyer as the register stored him, saved by the user logged in.
    Buyer addBuyer(const QString& name = "김매수", Buyer b = gangnamApartment(), bool ticked = false) {
        b.contact.name = name;
        BuyerRegister buyers(office->session());
        return *buyers.read(buyers.save({b, ticked, false, {}, {}}).number);
    }
    // The fits of a listing as "name" or "name: reasons".
    QStringList fits(const ListingRow& row) {
        QStringList list;
        for (const BuyerFit& fit : buyersForListing(office->session(), matchedListing(row)))
            list << (fit.exact ? fit.name : fit.name + ": " + fit.reasons.join(", "));
        return list;
    }
    ListingFitPage page(const Buyer& b, ListKind list = ListKind::Own, int number = 1, int size = 10) {
        return ListingsForBuyer(office->session()).page(b, list, number, size);
    }
    // The numbers of a page, "n" for an exact fit, "n: reasons" for a near one.
    static QStringList shown(const ListingFitPage& p) {
        QStringList rows;
        for (const ListingFit& f : p.rows)
            rows << (f.exact ? QString::number(f.listing.key.number)
                             : QString::number(f.listing.key.number) + ": " + f.reasons.join(", "));
        return rows;
    }
    static QString n(int number) { return QString::number(number); }

    std::unique_ptr<TestOffice> office;
};

class BuyerMatchTest : public MatchTest {};
class ListingsForBuyerTest : public MatchTest {};

} // namespace

// Every edge of a range: a bound itself fits, an open upper bound (0) holds anything above the
// lower, within 10 % outside is a near fit with its reason, beyond it no fit.
TEST_P(BuyerMatchTest, TheRangesHoldTheListingAtEveryEdge) {
    addBuyer("김매수");
    struct Case {
        double area;
        qint64 price;
        QStringList expected;
    };
    const Case cases[] = {
        {25, 100000, {"김매수"}},
        {35, 130000, {"김매수"}},
        {30, 140000, {"김매수: 가격 8% 초과"}},
        {30, 143000, {"김매수: 가격 10% 초과"}},
        {30, 150000, {}},
        {24, 115000, {"김매수: 면적 4% 미달"}},
        {22, 115000, {}},
        {24, 92000, {"김매수: 면적 4% 미달, 가격 8% 미달"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fits(apartment(c.area, c.price)), c.expected) << c.area << "평 " << c.price;

    Buyer open = gangnamApartment();
    open.contact.groupin.clear();
    open.amount = {100000, 0};
    open.area = {0, 0};
    open.addre2.clear();
    addBuyer("이열림", open);
    EXPECT_EQ(fits(apartment(300, 9999999, "서초구")), QStringList{"이열림"})
        << "open bounds and a region named by its province only";
    EXPECT_TRUE(fits(apartment(30, 110000, "강남구")).contains("이열림"));
}

// Land-and-building types hold the building area too; a monthly rent holds deposit and rent;
// the type and the transaction must be the buyer's.
TEST_P(BuyerMatchTest, LandAndBuildingAndMonthlyRentHoldTheirSecondRanges) {
    Buyer factory;
    factory.tb = "공장";
    factory.ty = "매매";
    factory.area = {300, 500};
    factory.building = {100, 200};
    addBuyer("공장주", factory);
    const auto gong = [](double land, double building) {
        return ListingRow{
            {"tb", "gong"}, {"ty", "M"}, {"pyung", land}, {"pyung_use", building}, {"money_m", 0}};
    };
    EXPECT_EQ(fits(gong(400, 150)), QStringList{"공장주"});
    EXPECT_EQ(fits(gong(400, 210)), QStringList{"공장주: 건물면적 5% 초과"});
    EXPECT_TRUE(fits(gong(400, 250)).isEmpty());

    Buyer monthly;
    monthly.tb = "오피스텔";
    monthly.ty = "월세";
    monthly.amount = {1000, 2000};
    monthly.rent = {50, 80};
    addBuyer("최월세", monthly);
    const auto rent = [](qint64 deposit, qint64 perMonth, const char* ty = "W") {
        return ListingRow{{"tb", "opistel"}, {"ty", ty}, {"money_b", deposit}, {"money_w", perMonth}};
    };
    EXPECT_EQ(fits(rent(1500, 80)), QStringList{"최월세"});
    EXPECT_EQ(fits(rent(1500, 85)), QStringList{"최월세: 월세 6% 초과"});
    EXPECT_TRUE(fits(rent(1500, 60, "J")).isEmpty()) << "a 전세 is not what he wants";
    EXPECT_TRUE(fits({{"tb", "apt"}, {"ty", "W"}, {"money_b", 1500}, {"money_w", 60}}).isEmpty());
}

// Exact fits come first, the region named down to the town and the price near the middle
// first; a private buyer of another user is never offered.
TEST_P(BuyerMatchTest, FitsAreRankedAndPrivateBuyersStayPrivate) {
    Buyer town = gangnamApartment();
    town.addre3 = "역삼동";
    addBuyer("동까지", town);
    addBuyer("구까지");
    Buyer edge = gangnamApartment();
    edge.amount = {60000, 115000}; // the price at the end of the range
    addBuyer("가격끝", edge);
    Buyer near = gangnamApartment();
    near.amount = {100000, 110000};
    addBuyer("조금비쌈", near);
    office->loginAs("st1");
    addBuyer("비밀손님", gangnamApartment(), true);

    EXPECT_EQ(fits(apartment(30, 115000)),
              (QStringList{"동까지", "비밀손님", "구까지", "가격끝", "조금비쌈: 가격 5% 초과"}))
        << "equal fits newest first";
    office->loginAs("st2");
    EXPECT_FALSE(fits(apartment(30, 115000)).contains("비밀손님"));
}

TEST(MatchedListing, TheColumnsFollowTheTypeAndTheTransaction) {
    MatchedListing sale =
        matchedListing({{"tb", "apt"}, {"ty", "M"}, {"pyung", 32.5}, {"pyung_use", 25}, {"money_m", 90000}});
    EXPECT_EQ(sale.typeLabel, "아파트");
    EXPECT_EQ(sale.transaction, "매매");
    EXPECT_EQ(sale.area, 32.5);
    EXPECT_EQ(sale.building, 0.0) << "an apartment has one area";
    EXPECT_EQ(sale.amount, 90000);
    EXPECT_EQ(matchedListing({{"tb", "apt"}, {"ty", "J"}, {"money_jb", 50000}, {"money_m", 1}}).amount,
              50000);
    EXPECT_EQ(matchedListing({{"tb", "apt"}, {"ty", "B"}, {"money_bn", 70000}}).amount, 70000);
    const MatchedListing lease = matchedListing(
        {{"tb", "dan"}, {"ty", "W"}, {"money_b", 3000}, {"money_w", 120}, {"pyung", 60}, {"pyung_use", 40}});
    EXPECT_EQ(lease.transaction, "월세");
    EXPECT_EQ(lease.amount, 3000);
    EXPECT_EQ(lease.rent, 120);
    EXPECT_EQ(lease.building, 40.0);
}

INSTANTIATE_TEST_SUITE_P(Backends, BuyerMatchTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// The own listings that fit: exact ones best first (the price nearest the middle), then the near
// ones with their reason; the archive, other types, transactions and districts, and what lies
// beyond the tolerance are left out; pages are cut from the ranked list and clamped.
TEST_P(ListingsForBuyerTest, OwnListingsAreRankedWithReasonsAndPaged) {
    const Buyer buyer = addBuyer();
    const int middle = office->addOwn(apartment(30, 115000));
    const int edge = office->addOwn(apartment(25, 100000));
    const int near = office->addOwn(apartment(30, 140000));
    office->addOwn(apartment(30, 150000));           // 15 % over
    office->addOwn(apartment(30, 115000, "서초구")); // another district
    ListingRow lease = apartment(30, 0);
    lease.insert("ty", "J");
    lease.insert("money_jb", 115000);
    office->addOwn(lease);
    ListingRow villa = apartment(30, 115000);
    villa.insert("tb", "villa");
    office->addOwn(villa);
    ListingRow archived = apartment(30, 115000);
    archived.insert("state", 2);
    office->addOwn(archived);

    const ListingFitPage all = page(buyer);
    EXPECT_EQ(all.total, 3);
    EXPECT_EQ(shown(all), (QStringList{n(middle), n(edge), n(near) + ": 가격 8% 초과"}));
    EXPECT_EQ(all.rows.first().summary, "아파트 매매 역삼동 30평 115,000만원");

    const ListingFitPage second = page(buyer, ListKind::Own, 2, 2);
    EXPECT_EQ(second.pageCount, 2);
    EXPECT_EQ(shown(second), QStringList{n(near) + ": 가격 8% 초과"});
    EXPECT_EQ(page(buyer, ListKind::Own, 9, 2).page, 2) << "a page beyond the last shows the last";

    EXPECT_EQ(ListingsForBuyer(office->session()).page(buyer, ListKind::Own, 1, 10, 0.0).total, 2)
        << "no tolerance, no near fits";
    Buyer other = buyer;
    other.tb = "기타";
    EXPECT_EQ(page(other).total, 0) << "a type no listing has";
}

// Listings private to a staff user are offered to him and the main account only; the buyer's
// region named down to the town holds listings of that town only; quotes and Hangul are values.
TEST_P(ListingsForBuyerTest, PrivateListingsAndTheRegionHoldInTheQuery) {
    Buyer buyer = addBuyer("O'Brien 김");
    ListingRow mine = apartment(30, 115000);
    mine.insert("opid", "st1");
    const int privateOne = office->addOwn(mine);
    const int open = office->addOwn(apartment(30, 120000));

    EXPECT_EQ(shown(page(buyer)), (QStringList{n(privateOne), n(open)}));
    office->loginAs("st2");
    EXPECT_EQ(shown(page(buyer)), QStringList{n(open)});
    office->loginAs("st1");
    EXPECT_EQ(shown(page(buyer)), (QStringList{n(privateOne), n(open)}));

    office->loginAs(office->officeId());
    buyer.addre3 = "삼성동";
    EXPECT_EQ(page(buyer).total, 0);
    buyer.addre3 = "역삼동'--";
    EXPECT_EQ(page(buyer).total, 0);
    buyer.addre3 = "역삼동";
    EXPECT_EQ(page(buyer).total, 2);
}

// Shared listings of other offices within the 60-day window fit too, known by office and
// number; the office's own copies are not offered twice; offline the list says so.
TEST_P(ListingsForBuyerTest, SharedListingsOfOtherOfficesFitWhileOnline) {
    const Buyer buyer = addBuyer();
    ListingRow shared = apartment(30, 118000);
    shared.insert("id", "other");
    const int theirs = office->addShared(shared);
    ListingRow old = apartment(30, 118000);
    old.insert("showday", office->clock.now().addDays(-61));
    office->addShared(old);
    ListingRow ours = apartment(30, 118000);
    ours.insert("id", office->officeId());
    office->addShared(ours);
    ListingRow nearOne = apartment(36, 118000);
    const int near = office->addShared(nearOne);

    const ListingFitPage p = page(buyer, ListKind::Shared);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(shown(p), (QStringList{n(theirs), n(near) + ": 면적 3% 초과"}));
    EXPECT_EQ(p.rows.first().listing.key.office, "other");
    EXPECT_GT(p.rows.first().serverIdx, 0);

    office->session().serverStore().close();
    const ListingFitPage offline = page(buyer, ListKind::Shared);
    EXPECT_FALSE(offline.ok);
    EXPECT_TRUE(offline.rows.isEmpty());
    EXPECT_EQ(page(buyer).total, 0) << "the own list needs no server";
}

// What was sent is marked with when and how, and shows as new once the price changed; what the
// buyer dismissed is left out in both directions; the buyer's removal takes his history along.
TEST_P(ListingsForBuyerTest, TheHistoryMarksSentPairsAndHidesDismissedOnes) {
    const Buyer buyer = addBuyer();
    addBuyer("박두번");
    const int sent = office->addOwn(apartment(30, 115000));
    const int dismissed = office->addOwn(apartment(30, 120000));
    const auto fitOf = [&](int number) {
        for (const ListingFit& f : page(buyer).rows)
            if (f.listing.key.number == number)
                return std::optional<ListingFit>(f);
        return std::optional<ListingFit>();
    };
    MatchHistory history(office->session());
    history.markSent(pairsWith({buyer.number}, fitOf(sent)->listing), SentBy::Sms);
    history.dismiss(pairsWith({buyer.number}, fitOf(dismissed)->listing));

    ASSERT_TRUE(fitOf(sent));
    EXPECT_EQ(fitOf(sent)->history.mark, MatchMark::Sent);
    EXPECT_EQ(fitOf(sent)->history.sentText(), "12/06 문자");
    EXPECT_FALSE(fitOf(dismissed)) << "dismissed";
    const std::optional<MatchTarget> dismissedListing = ownMatchTarget(office->session(), dismissed);
    ASSERT_TRUE(dismissedListing);
    QStringList buyersOfDismissed;
    for (const BuyerFit& f : buyersForListing(office->session(), dismissedListing->listing))
        buyersOfDismissed << f.name;
    EXPECT_EQ(buyersOfDismissed, QStringList{"박두번"}) << "the other buyer still sees it";

    office->local().execute("UPDATE maemul SET money_m = 112000 WHERE table_idx = ?", {sent});
    EXPECT_EQ(fitOf(sent)->history.mark, MatchMark::New) << "a new price makes the pair new";
    history.markSent(pairsWith({buyer.number}, fitOf(sent)->listing), SentBy::Print);
    EXPECT_EQ(fitOf(sent)->history.sentText(), "12/06 인쇄");

    BuyerRegister(office->session()).remove(buyer.number);
    EXPECT_EQ(
        office->localValue("SELECT COUNT(*) FROM maesuin_match WHERE buyer = ?", {buyer.number}).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingsForBuyerTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// A message holds whole summaries only, as many as 80 bytes take, in the order ticked.
TEST(ListingsMessage, HoldsWholeSummariesWithinOneMessage) {
    const QString a = "아파트 매매 래미안 32평 87,000만원";  // 36 bytes
    const QString b = "아파트 매매 역삼동 30평 115,000만원"; // 37 bytes
    const QString c = "빌라 전세 삼성동 20평 30,000만원";    // 32 bytes
    const ListingsMessage m = messageOfListings({a, b, c});
    EXPECT_EQ(m.text, a + " / " + b);
    EXPECT_EQ(m.included, (QList<int>{0, 1}));
    EXPECT_LE(smsByteLength(m.text), kSmsTextBytes);
    EXPECT_EQ(messageOfListings({a, QString(), c}).included, (QList<int>{0, 2}));
}

TEST(MatchEntry, ASentPairIsNewAgainAtAnotherPriceAndADismissedOneStays) {
    MatchEntry sent{MatchMark::Sent, "문자", QDateTime(QDate(2026, 12, 1), QTime(9, 0)), 1000, 50};
    EXPECT_EQ(sent.markAt(1000, 50), MatchMark::Sent);
    EXPECT_EQ(sent.markAt(990, 50), MatchMark::New);
    EXPECT_EQ(sent.markAt(1000, 55), MatchMark::New);
    const MatchEntry dismissed{MatchMark::Dismissed, {}, {}, 1000, 0};
    EXPECT_EQ(dismissed.markAt(500, 0), MatchMark::Dismissed);
    EXPECT_EQ(dismissed.sentText(), "");
}

// The demo office's buyers each want what one of its listings offers: 맞는 매물 shows it first.
TEST(DemoBuyers, EachFindsAListingOfTheDemoOffice) {
    const auto office = TestOffice::make({Backend::Sqlite, Desk::Demo});
    TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    const QList<Buyer> buyers = BuyerRegister(office->session()).list({"전체", {}}, 100);
    ASSERT_GT(office->seeded.buyers, 0);
    EXPECT_EQ(buyers.size(), office->seeded.buyers);
    for (const Buyer& b : buyers) {
        const ListingFitPage page = ListingsForBuyer(office->session()).page(b, ListKind::Own, 1, 5);
        ASSERT_GE(page.total, 1) << b.contact.name.toStdString();
        EXPECT_TRUE(page.rows.first().exact) << b.contact.name.toStdString();
    }
}
