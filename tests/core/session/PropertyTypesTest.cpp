#include "session/PropertyTypes.h"

#include <gtest/gtest.h>
#include <limits>

using namespace teran;

TEST(PropertyTypes, NineteenTypesInMenuOrderWithLabelsAndTransactions) {
    struct Expected {
        const char* code;
        const char* label;
        const char* transactions;
    };
    const Expected expected[] = {
        {"apt", "아파트", "MJWB"},        {"villa", "빌라/다세대", "MJWB"},
        {"opistel", "오피스텔", "MJWB"},  {"dan", "단독주택", "MJW"},
        {"dagagu", "다가구주택", "MJW"},  {"junwon", "전원/농가/별장", "MJW"},
        {"gunmul", "건물", "MW"},         {"bgsang", "분양상가", "MW"},
        {"wonroom", "원룸/투룸", "MJW"},  {"jumpo", "점포/업소/상가", "MJW"},
        {"office", "사무실", "MJW"},      {"hotel", "호텔", "MJW"},
        {"motel", "모텔", "MJW"},         {"sanjang", "여인숙/산장/팬션", "MJW"},
        {"gong", "공장", "MJW"},          {"mulru", "물류창고", "MJW"},
        {"joouso", "주유소", "MJW"},      {"land", "토지", "MJW"},
        {"budongsan", "기타물건", "MJW"},
    };
    ASSERT_EQ(propertyTypes().size(), 19);
    for (int i = 0; i < 19; ++i) {
        const QString code = QLatin1String(expected[i].code);
        SCOPED_TRACE(expected[i].code);
        EXPECT_EQ(propertyTypes().at(i).code, code);
        EXPECT_EQ(propertyTypeLabel(code), QString::fromUtf8(expected[i].label));
        for (const QString& ty : transactionCodes())
            EXPECT_EQ(offersTransaction(code, ty), QLatin1String(expected[i].transactions).contains(ty))
                << ty.toStdString();
    }
    EXPECT_EQ(propertyTypeCodes().size(), 19);
}

TEST(PropertyTypes, LabelsThatDependOnTheTransaction) {
    EXPECT_EQ(propertyTypeLabel(QStringLiteral("villa"), QStringLiteral("B")), QStringLiteral("빌라트"));
    EXPECT_EQ(propertyTypeLabel(QStringLiteral("villa"), QStringLiteral("M")), QStringLiteral("빌라/다세대"));
    EXPECT_EQ(propertyTypeLabel(QStringLiteral("wonroom"), QStringLiteral("W")),
              QStringLiteral("원/투/쓰리룸"));
    EXPECT_EQ(propertyTypeLabel(QStringLiteral("wonroom"), QStringLiteral("J")), QStringLiteral("원룸/투룸"));
    EXPECT_EQ(propertyTypeLabel(QStringLiteral("apt"), QStringLiteral("B")), QStringLiteral("아파트"));
}

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

TEST(PropertyTypes, TransactionWordsAndNameCaptions) {
    EXPECT_EQ(transactionCodes(), QStringList({"M", "J", "W", "B"}));
    EXPECT_EQ(transactionLabel(QStringLiteral("M")), QStringLiteral("매매"));
    EXPECT_EQ(transactionLabel(QStringLiteral("J")), QStringLiteral("전세"));
    EXPECT_EQ(transactionLabel(QStringLiteral("W")), QStringLiteral("월세"));
    EXPECT_EQ(transactionLabel(QStringLiteral("B")), QStringLiteral("분양권"));

    EXPECT_EQ(nameCaption(QStringLiteral("apt")), QStringLiteral("아파트명"));
    EXPECT_EQ(nameCaption(QStringLiteral("office")), QStringLiteral("건물명"));
    EXPECT_EQ(nameCaption(QStringLiteral("gunmul")), QStringLiteral("건물명"));
    EXPECT_EQ(nameCaption(QStringLiteral("joouso")), QStringLiteral("상호명"));
    EXPECT_EQ(nameCaption(QStringLiteral("jumpo")), QStringLiteral("현업종"));
    EXPECT_TRUE(nameCaption(QStringLiteral("land")).isEmpty());
    EXPECT_TRUE(nameCaption(QStringLiteral("dan")).isEmpty());
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

TEST(PublicationStates, WhereEachStateIsShown) {
    using S = PublicationState;
    struct Row {
        S state;
        bool published, internet, clubs, archived;
    };
    const Row rows[] = {{S::Unpublished, false, false, false, false},
                        {S::Internet, true, true, false, false},
                        {S::Archived, false, false, false, true},
                        {S::ClubsAndInternet, true, true, true, false},
                        {S::Clubs, true, false, true, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(stateValue(r.state));
        EXPECT_EQ(isPublished(r.state), r.published);
        EXPECT_EQ(isShownOnInternet(r.state), r.internet);
        EXPECT_EQ(isShownInClubs(r.state), r.clubs);
        EXPECT_EQ(isArchived(r.state), r.archived);
    }
    EXPECT_EQ(publicationName(S::Internet), QStringLiteral("인터넷"));
    EXPECT_EQ(publicationName(S::ClubsAndInternet), QStringLiteral("테란클럽 + 인터넷"));
    EXPECT_EQ(publicationName(S::Clubs), QStringLiteral("테란클럽"));
    EXPECT_TRUE(publicationName(S::Archived).isEmpty());
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
