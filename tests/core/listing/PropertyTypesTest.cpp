#include "core/listing/PropertyTypes.h"

#include <gtest/gtest.h>
#include <limits>

using namespace teran;

TEST(PropertyTypes, UnknownCodesAreEmptyAndNotOffered) {
    for (const QString& tb : {QString(), QStringLiteral("APT"), QStringLiteral("apt "),
                              QStringLiteral("house"), QStringLiteral("'; drop table maemul;--")}) {
        EXPECT_EQ(findPropertyType(tb), nullptr);
        EXPECT_TRUE(propertyTypeLabel(tb).isEmpty());
        EXPECT_TRUE(propertyTypeLabel(tb, QStringLiteral("M")).isEmpty());
        EXPECT_FALSE(offersTransaction(tb, QStringLiteral("M")));
        EXPECT_TRUE(nameCaption(tb).isEmpty());
    }
    // Only one known letter counts as a transaction.
    for (const QString& ty : {QString(), QStringLiteral("MJ"), QStringLiteral("m"), QStringLiteral("X")}) {
        EXPECT_FALSE(offersTransaction(QStringLiteral("apt"), ty)) << ty.toStdString();
        EXPECT_TRUE(transactionLabel(ty).isEmpty()) << ty.toStdString();
    }
    EXPECT_FALSE(offersTransaction(QStringLiteral("dan"), QStringLiteral("B")));
    EXPECT_FALSE(offersTransaction(QStringLiteral("gunmul"), QStringLiteral("J")));
}

TEST(PublicationStates, ReadFromNumbersAndTextAndRejectTheRest) {
    EXPECT_EQ(publicationStateFrom(0), PublicationState::Unpublished);
    EXPECT_EQ(publicationStateFrom(QStringLiteral("1")), PublicationState::Internet);
    EXPECT_EQ(publicationStateFrom(QStringLiteral(" 2 ")), PublicationState::Archived);
    EXPECT_EQ(publicationStateFrom(qint64(3)), PublicationState::ClubsAndInternet);
    EXPECT_EQ(publicationStateFrom(QStringLiteral("7")), PublicationState::Clubs);
    for (const QVariant& bad : {QVariant(), QVariant(4), QVariant(-1), QVariant(QStringLiteral("")),
                                QVariant(QStringLiteral("x")), QVariant(QStringLiteral("1.5"))})
        EXPECT_FALSE(publicationStateFrom(bad).has_value()) << bad.toString().toStdString();
    EXPECT_EQ(stateValue(PublicationState::Clubs), 7);
}

TEST(CombinedAmount, RentTimesHundredPlusDeposit) {
    EXPECT_EQ(combinedAmount(50, 1000), 6000);
    EXPECT_EQ(combinedAmount(0, 0), 0);
    EXPECT_EQ(combinedAmount(0, 3000), 3000);
    EXPECT_EQ(combinedAmount(70, 0), 7000);
    // Far beyond 32 bits (and beyond 32767) without wrapping.
    EXPECT_EQ(combinedAmount(50'000'000, 2'000'000'000), 7'000'000'000LL);
    EXPECT_EQ(combinedAmount(90'000'000'000LL, 5), 9'000'000'000'005LL);
    // Absurd inputs saturate instead of wrapping to a negative or small total.
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    EXPECT_EQ(combinedAmount(top / 10, 1), top);
    EXPECT_EQ(combinedAmount(top / 100, top), top);
    EXPECT_EQ(combinedAmount(std::numeric_limits<qint64>::min() / 10, 0), std::numeric_limits<qint64>::min());
}
