#include "core/listing/TypeFields.h"
#include "core/listing/ListingRepository.h"
#include "core/listings/AutoMoney.h"
#include "core/listings/ListColumnSets.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {

QStringList allTypes() {
    return propertyTypeCodes();
}

} // namespace

// Anchors of the type rules: the areas a type has and what it calls them, the land panel, and
// where the form's classes come from.
TEST(TypeFieldsTest, AreasFormsAndPanelsFollowTheType) {
    const TypeRules* apt = typeRules(QStringLiteral("apt"));
    const TypeRules* land = typeRules(QStringLiteral("land"));
    const TypeRules* gunmul = typeRules(QStringLiteral("gunmul"));
    ASSERT_TRUE(apt && land && gunmul);
    EXPECT_EQ(apt->field(QStringLiteral("pyung"))->caption, QStringLiteral("평수"));
    EXPECT_TRUE(apt->shows(QStringLiteral("pyung_use")));
    EXPECT_EQ(land->field(QStringLiteral("pyung"))->caption, QStringLiteral("대지"));
    EXPECT_FALSE(land->shows(QStringLiteral("pyung_use")));
    EXPECT_FALSE(typeRules(QStringLiteral("wonroom"))->hasSecondArea());
    EXPECT_EQ(gunmul->field(QStringLiteral("pyung_use"))->caption, QStringLiteral("건물"));

    EXPECT_TRUE(gunmul->landPanel);
    EXPECT_FALSE(apt->landPanel);
    EXPECT_FALSE(land->landPanel);
    EXPECT_TRUE(land->shows(QStringLiteral("money_lp"))) << "land states its official price in its details";

    EXPECT_EQ(gunmul->formCaption(), QStringLiteral("분류"));
    EXPECT_EQ(gunmul->field(QStringLiteral("maemultype"))->kind, InputKind::StoredCombo);
    EXPECT_EQ(gunmul->forms.first(), QStringLiteral("오피스(업무.사옥용)"));
    EXPECT_EQ(apt->formCaption(), QStringLiteral("형태"));
    EXPECT_EQ(apt->forms.first(), QStringLiteral("매매"));

    EXPECT_EQ(gunmul->field(QStringLiteral("remake"))->caption, QStringLiteral("리모델링년도"));
    EXPECT_EQ(apt->field(QStringLiteral("remake"))->caption, QStringLiteral("재건축"));
    EXPECT_EQ(typeRules(QStringLiteral("jumpo"))->nameCaption, QStringLiteral("현업종"));
    EXPECT_EQ(typeRules(QStringLiteral("castle")), nullptr);
    EXPECT_EQ(buildingYears(2026).first(), QStringLiteral("2026"));
    EXPECT_EQ(buildingYears(2026).last(), QStringLiteral("1960"));
}

// What the table derives must hold for every type: each field saves into a column of the
// office's store, each list column reads only what its store keeps, and the shared copy of a
// full row carries nothing of the seller or of the exact address.
TEST(TypeFieldsTest, EveryTypeSavesListsAndSharesOnlyWhatItMay) {
    ListingRow full;
    for (const ColumnDef& column : listingColumnsOf(ListingSide::Local))
        full.insert(column.name,
                    column.type == ColumnType::Text ? QVariant(QStringLiteral("x")) : QVariant(1));
    const QStringList privateColumns{"addr4",  "addr5", "uname", "uhp",  "uhome", "uoffice", "ufax",
                                     "umoney", "ubigo", "opid",  "ming", "jubsu", "keyword", "offday"};
    for (const QString& tb : allTypes()) {
        SCOPED_TRACE(tb.toStdString());
        const TypeRules* rules = typeRules(tb);
        ASSERT_NE(rules, nullptr);
        for (const TypeField& field : rules->fields)
            EXPECT_TRUE(isListingColumnOn(field.column, ListingSide::Local)) << field.column.toStdString();
        for (ListKind kind : {ListKind::Own, ListKind::Shared})
            for (const ListColumn& column : ListColsByTb(kind, tb))
                for (const QString& raw : column.raw)
                    EXPECT_TRUE(isListingColumnOn(raw, sideOf(kind))) << column.caption.toStdString();
        full.insert(QStringLiteral("tb"), tb);
        const ListingRow copy = serverCopyOf(full, QStringLiteral("off1"), Disclosure{});
        for (const QString& column : privateColumns)
            EXPECT_FALSE(copy.contains(column)) << column.toStdString();
        EXPECT_EQ(copy.value(QStringLiteral("id")).toString(), QStringLiteral("off1"));
    }
    full.insert(QStringLiteral("no_such_column"), 1);
    EXPECT_THROW(serverCopyOf(full, QStringLiteral("off1"), Disclosure{}), StoreError);
}

// The shared copy shows what was disclosed: the published areas in place of the real ones, the
// memo without its placeholder, the expiry only for a plain grade.
TEST(TypeFieldsTest, TheSharedCopyShowsWhatWasDisclosed) {
    const ListingRow local{
        {"table_idx", 7},
        {"tb", "villa"},
        {"addr2", "강남구"},
        {"addr3", "역삼동"},
        {"cboname", "행복빌라"},
        {"pyung", 30},
        {"pyung_ie", 28},
        {"floor", "3"},
        {"bigoie", QStringLiteral("\r\n") + sharedMemoPlaceholder() + QStringLiteral("\r\n")},
        {"imgname1", "a.jpg"},
        {"imgname2", "b.jpg"}};
    Disclosure d;
    d.addr3 = false;
    d.name = false;
    d.picture2 = false;
    d.hitadd = 1;
    d.now = QDateTime(QDate(2026, 12, 7), QTime(9, 0));
    const ListingRow copy = serverCopyOf(local, QStringLiteral("off1"), d);
    EXPECT_EQ(copy.value("sub_idx").toInt(), 7);
    EXPECT_EQ(copy.value("addr2").toString(), QStringLiteral("강남구"));
    EXPECT_EQ(copy.value("addr3").toString(), QString());
    EXPECT_EQ(copy.value("cboname").toString(), QString());
    EXPECT_EQ(copy.value("pyung").toInt(), 28);
    EXPECT_EQ(copy.value("floor").toString(), QStringLiteral("3")) << "no published floor: the real one";
    EXPECT_EQ(copy.value("bigoie").toString(), QString());
    EXPECT_EQ(copy.value("imgname1").toString(), QStringLiteral("a.jpg"));
    EXPECT_EQ(copy.value("imgname2").toString(), QString());
    EXPECT_FALSE(copy.contains("endday")) << "a promoted grade keeps its expiry";
    d.hitadd = 0;
    EXPECT_EQ(serverCopyOf(local, QStringLiteral("off1"), d).value("endday").toDateTime(),
              d.now.addMonths(1));
}

// The computed amounts at their edges; a box with "-", nothing or no number counts as 0.
TEST(AutoMoneyTest, PurchasePriceYieldAndPricesPerPyung) {
    AmountTexts t;
    t.money_m = "20,000";
    t.money_y = "4000";
    t.money_mb = "1000";
    t.money_mw = "100";
    t.money_yeja = "100";
    ComputedAmounts c = AutoMoney(t);
    EXPECT_EQ(c.money_sg, QStringLiteral("15,000"));
    EXPECT_EQ(c.money_ys, QStringLiteral("7.33"));
    EXPECT_EQ(c.money_p, std::nullopt) << "no area: the box keeps its text";
    EXPECT_EQ(c.money_slp, QStringLiteral("0"));

    t.money_y = "-";
    t.money_mb = "abc";
    t.money_mw = "";
    EXPECT_EQ(AutoMoney(t).money_sg, QStringLiteral("20,000"));
    EXPECT_EQ(AutoMoney(t).money_ys, QStringLiteral("0")) << "a negative yield shows 0";

    t.money_y = "25000";
    c = AutoMoney(t);
    EXPECT_EQ(c.money_sg, QStringLiteral("-5,000"));
    EXPECT_EQ(c.money_ys, QStringLiteral("0"));

    t = {};
    t.money_m = "30000";
    t.pyung = "100";
    t.pyung_use = "50";
    t.money_gp = "200";
    t.money_lp = "1500000";
    c = AutoMoney(t);
    EXPECT_EQ(c.money_p, QStringLiteral("300"));
    EXPECT_EQ(c.money_slp, QStringLiteral("200")) << "(30000 - 200 × 50) ÷ 100";
    EXPECT_EQ(c.m_tlp, QStringLiteral("15,000")) << "1,500,000 원 × 100 평 in 만원";
}

// Amounts stay whole and exact however large: single precision would lose the last digits.
// Prices of 30 digits are refused by the boxes; were one stored, the computed boxes show nothing
// rather than a wrapped-around number.
TEST(AutoMoneyTest, LargeAmountsStayExactAndNeverOverflow) {
    AmountTexts t;
    t.money_m = QStringLiteral("999999999999999999999999999999");
    t.pyung = QStringLiteral("0.001");
    t.money_mw = QStringLiteral("999999999999999999999999999999");
    const ComputedAmounts c = AutoMoney(t);
    for (const QString& shown : {c.money_sg, c.money_ys, c.money_p.value_or(QString()), c.money_slp, c.m_tlp})
        EXPECT_FALSE(shown.contains(QLatin1String("--")) || shown.contains(QLatin1String("9,223,372")))
            << shown.toStdString();
    EXPECT_TRUE(c.money_sg.isEmpty());

    t = {};
    t.money_m = QStringLiteral("123,456,789,012,345");
    t.money_y = QStringLiteral("1");
    t.pyung = QStringLiteral("0.5");
    const ComputedAmounts exact = AutoMoney(t);
    EXPECT_EQ(exact.money_sg, QStringLiteral("123,456,789,012,344"));
    EXPECT_EQ(exact.money_p, QStringLiteral("246,913,578,024,690"));
    // A price per 평 rounds half away from zero on the exact quotient: 1 ÷ 0.4 = 2.5.
    t = {};
    t.money_m = QStringLiteral("1");
    t.pyung = QStringLiteral("0.4");
    EXPECT_EQ(AutoMoney(t).money_p, QStringLiteral("3"));
    // The yield of a rent of 3 a month on 3,600: exactly 1.00 %.
    t = {};
    t.money_m = QStringLiteral("3600");
    t.money_mw = QStringLiteral("3");
    EXPECT_EQ(AutoMoney(t).money_ys, QStringLiteral("1.00"));
}

TEST(AutoMoneyTest, AreasConvertBetweenPyungAndSquareMetres) {
    EXPECT_EQ(squareMetresOf(QStringLiteral("10")), QStringLiteral("33.06"));
    EXPECT_EQ(squareMetresOf(QStringLiteral("1,000")), QStringLiteral("3,305.80"));
    EXPECT_EQ(pyungOf(QStringLiteral("100")), QStringLiteral("30"));
    EXPECT_EQ(pyungOf(QStringLiteral("10평")), std::nullopt);
    EXPECT_EQ(squareMetresOf(QString()), std::nullopt);
}
