#include "core/contracts/BrokerageFee.h"

#include <gtest/gtest.h>
#include <limits>

using namespace teran;

namespace {

qint64 maximumFee(const char* kind, qint64 deposit, qint64 rent = 0) {
    const std::optional<FeeMaximum> maximum = brokerageFeeMaximum(QString::fromLatin1(kind), deposit, rent);
    EXPECT_TRUE(maximum.has_value()) << kind;
    return maximum ? maximum->fee : -1;
}

} // namespace

// Each band edge: the last won under it and the first won of the next band.
TEST(BrokerageFeeTest, SaleBandsAndTheirCeilings) {
    EXPECT_EQ(maximumFee("M", 49'999'999), 250'000) << "0.6 % capped";
    EXPECT_EQ(maximumFee("M", 30'000'000), 180'000);
    EXPECT_EQ(maximumFee("M", 50'000'000), 250'000) << "0.5 %";
    EXPECT_EQ(maximumFee("M", 199'999'999), 800'000) << "capped";
    EXPECT_EQ(maximumFee("M", 200'000'000), 800'000) << "0.4 %, no cap";
    EXPECT_EQ(maximumFee("M", 899'999'999), 3'599'999);
    EXPECT_EQ(maximumFee("M", 900'000'000), 4'500'000);
    EXPECT_EQ(maximumFee("M", 1'200'000'000), 7'200'000);
    EXPECT_EQ(maximumFee("M", 1'499'999'999), 8'999'999);
    EXPECT_EQ(maximumFee("M", 1'500'000'000), 10'500'000);
}

TEST(BrokerageFeeTest, LeaseBandsAndMonthlyRentConversion) {
    EXPECT_EQ(maximumFee("J", 49'999'999), 200'000) << "0.5 % capped";
    EXPECT_EQ(maximumFee("J", 50'000'000), 200'000) << "0.4 %";
    EXPECT_EQ(maximumFee("J", 99'999'999), 300'000) << "capped";
    EXPECT_EQ(maximumFee("J", 100'000'000), 300'000) << "0.3 %";
    EXPECT_EQ(maximumFee("J", 600'000'000), 2'400'000);
    EXPECT_EQ(maximumFee("J", 1'200'000'000), 6'000'000);
    EXPECT_EQ(maximumFee("J", 1'500'000'000), 9'000'000);

    // 5,000,000 + 400,000 × 100 = 45,000,000 is under 50 million: × 70 gives 33,000,000 at 0.5 %.
    const std::optional<FeeMaximum> rent = brokerageFeeMaximum("W", 5'000'000, 400'000);
    ASSERT_TRUE(rent);
    EXPECT_EQ(rent->base, 33'000'000);
    EXPECT_EQ(rent->fee, 165'000);
    EXPECT_EQ(rent->vat, 16'500);
    // 10,000,000 + 400,000 × 100 = 50,000,000 stays × 100.
    EXPECT_EQ(brokerageFeeMaximum("W", 10'000'000, 400'000)->base, 50'000'000);
}

TEST(BrokerageFeeTest, AFeeAboveTheMaximumWarnsAndNonsenseHasNoMaximum) {
    const FeeMaximum sale = *brokerageFeeMaximum("M", 300'000'000);
    EXPECT_FALSE(feeAboveMaximum(sale.fee, sale));
    EXPECT_TRUE(feeAboveMaximum(sale.fee + 1, sale));
    EXPECT_EQ(brokerageFeeMaximum("X", 1000), std::nullopt);
    EXPECT_EQ(brokerageFeeMaximum("M", -1), std::nullopt);
    EXPECT_EQ(brokerageFeeMaximum("W", 0, -5), std::nullopt);
}

// The table in force on the contract's day: 700 million before 2021-10-19 was in the 0.5 % band,
// after it in the 0.4 % band; a day before the oldest table takes the oldest.
TEST(BrokerageFeeTest, TheTableInForceOnTheContractsDayApplies) {
    const qint64 price = 700'000'000;
    EXPECT_EQ(brokerageFeeMaximum("M", price, 0, QDate(2021, 10, 18))->fee, 3'500'000);
    EXPECT_EQ(brokerageFeeMaximum("M", price, 0, QDate(2021, 10, 19))->fee, 2'800'000);
    EXPECT_EQ(brokerageFeeMaximum("M", price, 0, QDate())->fee, 2'800'000) << "no day: the newest";
    EXPECT_EQ(brokerageFeeMaximum("M", price, 0, QDate(2010, 1, 1))->fee, 3'500'000);
    // A lease of 4억 was 0.4 % and is 0.3 %.
    EXPECT_EQ(brokerageFeeMaximum("J", 400'000'000, 0, QDate(2020, 5, 1))->rateTenthsPercent, 4);
    EXPECT_EQ(brokerageFeeMaximum("J", 400'000'000, 0, QDate(2022, 5, 1))->rateTenthsPercent, 3);
}

TEST(BrokerageFeeTest, TheAgreedFeeIsTheRateOfTheAmountBesideTheMaximum) {
    // 0.45 % of 3억 is 1,350,000 won: above the 0.4 % maximum of 1,200,000.
    const std::optional<AgreedFee> above = agreedBrokerageFee("M", 300'000'000, 0, " 0.45 % ");
    ASSERT_TRUE(above && above->fee);
    EXPECT_EQ(*above->fee, 1'350'000);
    EXPECT_EQ(above->vat, 135'000);
    EXPECT_TRUE(above->aboveMaximum);
    EXPECT_EQ(above->maximum.fee, 1'200'000);
    // Rounded down to the won, never up past what the rate gives.
    EXPECT_EQ(*agreedBrokerageFee("J", 123'456'789, 0, "0.3")->fee, 370'370);
    // A rate that is no rate leaves the maximum alone.
    for (const char* rate : {"", "abc", "0.4.1", "150", "-1"}) {
        const std::optional<AgreedFee> none = agreedBrokerageFee("M", 300'000'000, 0, rate);
        ASSERT_TRUE(none) << rate;
        EXPECT_FALSE(none->fee) << rate;
        EXPECT_FALSE(none->aboveMaximum) << rate;
    }
    // Nothing to reckon on, or an amount beyond any contract: no fee at all.
    EXPECT_FALSE(agreedBrokerageFee("M", 0, 0, "0.4"));
    EXPECT_FALSE(agreedBrokerageFee("M", std::numeric_limits<qint64>::max(), 0, "0.9"));
    EXPECT_EQ(feeRateMillionths("0.9"), 9000);
    EXPECT_EQ(feeRateMillionths("100"), 1'000'000);
}
