#include "contracts/BrokerageFee.h"

#include <gtest/gtest.h>

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
