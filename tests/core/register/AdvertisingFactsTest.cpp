#include "core/register/AdvertisingFacts.h"
#include "core/listing/TypeFields.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {

// A value any field of the form takes: its first fixed item, else a positive number.
QVariant valueFor(const TypeField& field) {
    if (!field.items.isEmpty())
        return field.items.first();
    return QStringLiteral("12");
}

// What a broker enters who fills every field the type's form shows, and nothing else.
QVariantHash filledForm(const TypeRules& rules) {
    QVariantHash row{{QStringLiteral("tb"), rules.tb}};
    for (const TypeField& field : rules.fields)
        row.insert(field.column, valueFor(field));
    return row;
}

} // namespace

// Every one of the 19 types can be advertised with the fields its own form shows; the required
// facts are never columns the form lacks.
TEST(AdvertisingFactsTest, EveryTypeFilledAsItsFormShowsIsPublishable) {
    const QList<const TypeRules*> types = typeRulesInFormOrder();
    ASSERT_EQ(types.size(), 19);
    for (const TypeRules* rules : types) {
        SCOPED_TRACE(rules->tb.toStdString());
        EXPECT_TRUE(missingAdvertisingFacts(filledForm(*rules)).isEmpty())
            << missingAdvertisingFacts(filledForm(*rules)).join(QLatin1Char(',')).toStdString();
        for (const QString& column : advertisingFactColumns(*rules))
            EXPECT_TRUE(rules->shows(column)) << column.toStdString();

        // Each fact the type requires is named, with its fields, when its fields are emptied.
        for (const AdvertisingFact& fact : advertisingFactsOf(*rules)) {
            QVariantHash row = filledForm(*rules);
            for (const QString& column : fact.columns)
                row.insert(column, QString());
            const QList<AdvertisingFact> missing = missingFactsOf(row);
            ASSERT_EQ(missing.size(), 1) << fact.caption.toStdString();
            EXPECT_EQ(missing.first().caption, fact.caption);
            EXPECT_EQ(missing.first().columns, fact.columns);
        }
    }
}

TEST(AdvertisingFactsTest, OnlyWhatTheFormAsksIsRequiredAndZeroSaysNothing) {
    const TypeRules* apartment = typeRules(QStringLiteral("apt"));
    ASSERT_NE(apartment, nullptr);
    ASSERT_FALSE(apartment->shows(QStringLiteral("parking")));
    const QStringList required = advertisingFactColumns(*apartment);
    EXPECT_FALSE(required.contains(QStringLiteral("parking")));
    EXPECT_TRUE(required.contains(QStringLiteral("room")));
    EXPECT_TRUE(required.contains(QStringLiteral("money_g")));

    // A villa has the field, so it must state it.
    const TypeRules* villa = typeRules(QStringLiteral("villa"));
    QVariantHash row = filledForm(*villa);
    row.remove(QStringLiteral("parking"));
    EXPECT_EQ(missingAdvertisingFacts(row), QStringList{QStringLiteral("주차대수")});
    // A building states its parking above or below the ground: either will do.
    const TypeRules* building = typeRules(QStringLiteral("gunmul"));
    row = filledForm(*building);
    row.insert(QStringLiteral("parking_d"), QString());
    EXPECT_TRUE(missingAdvertisingFacts(row).isEmpty());
    row.insert(QStringLiteral("parking_u"), QStringLiteral("  "));
    EXPECT_EQ(missingAdvertisingFacts(row), QStringList{QStringLiteral("주차대수")});

    row = filledForm(*apartment);
    row.insert(QStringLiteral("pyung"), QStringLiteral("0"));
    for (const char* price : {"money_m", "money_jb", "money_b", "money_w"})
        row.insert(QLatin1String(price), QStringLiteral("0"));
    row.insert(QStringLiteral("addr3"), QString());
    EXPECT_EQ(missingAdvertisingFacts(row),
              (QStringList{QStringLiteral("소재지"), QStringLiteral("면적"), QStringLiteral("가격")}));
    // One price of the lease is price enough; separators are read as a broker types them.
    row.insert(QStringLiteral("money_w"), QStringLiteral("1,200"));
    EXPECT_EQ(missingAdvertisingFacts(row), (QStringList{QStringLiteral("소재지"), QStringLiteral("면적")}));
    // A row of no known type cannot be advertised at all.
    EXPECT_EQ(missingAdvertisingFacts({{QStringLiteral("tb"), QStringLiteral("castle")}}),
              QStringList{QStringLiteral("매물종류")});
}
