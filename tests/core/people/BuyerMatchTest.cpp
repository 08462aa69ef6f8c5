#include "people/BuyerMatch.h"
#include "TestOffice.h"
#include "people/BuyerRegister.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class BuyerMatchTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    int addBuyer(const QString& name, Buyer b, bool ticked = false) {
        b.contact.name = name;
        return BuyerRegister(office->session()).save({b, ticked, false, {}, {}}).number;
    }
    // The fits of a listing as "name" or "name: reasons".
    QStringList fits(const ListingRow& row) {
        QStringList list;
        for (const BuyerFit& fit : buyersForListing(office->session(), matchedListing(row)))
            list << (fit.exact ? fit.name : fit.name + ": " + fit.reasons.join(", "));
        return list;
    }
    std::unique_ptr<TestOffice> office;
};

// 25–35평, 100,000–130,000 만원, in 서울 강남구.
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

} // namespace

// Every edge of a range: a bound itself fits, an open upper bound (0) holds anything above the
// lower, within 10 % outside is a near fit with its reason, beyond it no fit.
TEST_P(BuyerMatchTest, TheRangesHoldTheListingAtEveryEdge) {
    addBuyer("김매수", gangnamApartment());
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
    addBuyer("구까지", gangnamApartment());
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
