#include "core/listings/ListFilter.h"
#include "core/store/SqlStore.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace teran;

TEST(ListFilterParseTest, NumberBoxesAcceptNumbersAndRefuseJunk) {
    std::optional<qint64> whole = 5;
    EXPECT_TRUE(parseWholeBound(QStringLiteral("  "), whole));
    EXPECT_FALSE(whole);
    EXPECT_TRUE(parseWholeBound(QStringLiteral(" 12000 "), whole));
    EXPECT_EQ(whole, 12000);
    EXPECT_TRUE(parseWholeBound(QStringLiteral("1,234,567"), whole));
    EXPECT_EQ(whole, 1234567);
    EXPECT_TRUE(parseWholeBound(QStringLiteral("9223372036854775807"), whole));
    EXPECT_EQ(whole, std::numeric_limits<qint64>::max());
    for (const char* junk : {"12a", "-5", "+5", "1,23", "1.5", "9223372036854775808", "１２", "1 000"}) {
        EXPECT_FALSE(parseWholeBound(QString::fromUtf8(junk), whole)) << junk;
        EXPECT_FALSE(whole) << junk;
    }

    std::optional<int> count;
    EXPECT_TRUE(parseCountBound(QStringLiteral("3"), count));
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(parseCountBound(QStringLiteral("3000000000"), count));

    std::optional<double> area;
    EXPECT_TRUE(parseDecimalBound(QStringLiteral("33.5"), area));
    EXPECT_DOUBLE_EQ(*area, 33.5);
    EXPECT_TRUE(parseDecimalBound(QStringLiteral(".5"), area));
    EXPECT_DOUBLE_EQ(*area, 0.5);
    for (const char* junk : {"abc", "-1", "1e5", "nan", "inf", "3.3.3", "1,5"})
        EXPECT_FALSE(parseDecimalBound(QString::fromLatin1(junk), area)) << junk;
}

TEST(ListFilterParseTest, ListingNumbers) {
    QList<int> numbers{99};
    EXPECT_TRUE(parseListingNumbers(QString(), numbers));
    EXPECT_TRUE(numbers.isEmpty());
    EXPECT_TRUE(parseListingNumbers(QStringLiteral(" 12, 15 20,,12 "), numbers));
    EXPECT_EQ(numbers, (QList<int>{12, 15, 20}));
    for (const char* junk : {"12;15", "1-5", "0", "-3", "abc", "12,x", "99999999999"}) {
        EXPECT_FALSE(parseListingNumbers(QString::fromLatin1(junk), numbers)) << junk;
        EXPECT_TRUE(numbers.isEmpty()) << junk;
    }
    QStringList many;
    for (int i = 1; i <= kMaxListingNumbers + 1; ++i)
        many << QString::number(i);
    EXPECT_FALSE(parseListingNumbers(many.join(QLatin1Char(',')), numbers));
    many.removeLast();
    EXPECT_TRUE(parseListingNumbers(many.join(QLatin1Char(',')), numbers));
    EXPECT_EQ(numbers.size(), kMaxListingNumbers);
}

TEST(ListFilterParseTest, FreeFieldAndNameColumns) {
    EXPECT_EQ(freeFieldFromCaption(QStringLiteral("전화번호")), FreeField::Phone);
    EXPECT_EQ(freeFieldFromCaption(QStringLiteral("접수매체")), FreeField::Intake);
    EXPECT_EQ(freeFieldFromCaption(QStringLiteral("없는항목")), FreeField::None);
    EXPECT_EQ(nameFilterColumn(QStringLiteral("apt")), QStringLiteral("cboname"));
    EXPECT_EQ(nameFilterColumn(QStringLiteral("gong")), QStringLiteral("cboname"));
    EXPECT_EQ(nameFilterColumn(QStringLiteral("land")), QStringLiteral("jimok"));
    EXPECT_EQ(nameFilterColumn(QStringLiteral("budongsan")), QStringLiteral("maemultype"));
    EXPECT_EQ(nameFilterColumn(QStringLiteral("dan")), QStringLiteral("special"));
}

// The pieces come in the order the office has always had them, each with its values in step.
// Every value is bound (as many placeholders as values); the shared list says which own-list
// inputs it cannot apply instead of dropping them silently.
TEST(ListFilterParseTest, EveryValueIsBoundAndTheSharedListNamesWhatItIgnores) {
    ListFilter f;
    f.tb = QStringLiteral("dagagu");
    f.transaction = LeaseOnly;
    f.progress = QStringLiteral("계약");
    f.keyword = QStringLiteral("' OR 1=1 --");
    f.roomsFrom = 2;
    f.amountTo = 30000;
    f.numbers = {7, 9};
    f.freeField = FreeField::Lot;
    f.freeValue = QStringLiteral("12-3");
    f.recentDays = 7;
    for (ListKind kind : {ListKind::Own, ListKind::Shared}) {
        const ListWhere where = ListWhereBuild(f, {kind, "st1", "off1", QDate(2026, 3, 10)});
        EXPECT_EQ(SqlStore::placeholderCount(where.sql), where.values.size());
        EXPECT_FALSE(where.sql.contains(QStringLiteral("OR 1=1")));
        if (kind == ListKind::Shared) {
            EXPECT_EQ(where.ignored, (QStringList{"진행상태", "검색키워드", "지번"}));
        } else {
            EXPECT_TRUE(where.ignored.isEmpty());
        }
    }
}
