#include "core/listings/ListingSheet.h"
#include "core/listing/PropertyTypes.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {

QString valueOf(const QString& alias, const ListingRow& row, const char* tb, const char* ty,
                SheetSource source = SheetSource::Own) {
    return sheetValue(alias, row, QLatin1String(tb), QLatin1String(ty), source);
}

} // namespace

// Every pair the menus can print has a layout or is one of the pairs the office has never had
// one for; every box of every layout has a caption and a rule.
TEST(ListingSheetTest, LayoutsCoverTheirPairsAndEveryBoxIsCaptioned) {
    const QList<SheetLayout> layouts = sheetLayouts();
    EXPECT_GE(layouts.size(), 55);
    for (const SheetLayout& layout : layouts) {
        SCOPED_TRACE((layout.tb + layout.ty).toStdString());
        EXPECT_TRUE(layout.aliases.contains(QStringLiteral("Daddress")));
        EXPECT_EQ(QStringList(layout.aliases).removeDuplicates(), 0);
        for (const QString& alias : layout.aliases) {
            const QString caption = sheetCaption(alias, layout.tb);
            // a caption that is still the column's name is a box nobody named
            EXPECT_FALSE(caption.isEmpty() || caption == alias.mid(1)) << alias.toStdString();
        }
    }
    for (const auto& [tb, ty] : {std::pair{"wonroom", "J"}, std::pair{"gunmul", "J"},
                                 std::pair{"bgsang", "J"}, std::pair{"jumpo", "J"}, std::pair{"office", "J"},
                                 std::pair{"land", "B"}, std::pair{"apt", "X"}, std::pair{"castle", "M"}})
        EXPECT_FALSE(sheetLayout(QLatin1String(tb), QLatin1String(ty))) << tb << ty;
    // A monthly-rent room prints on its W layout; the land sheet calls the area the land's.
    EXPECT_TRUE(sheetLayout(QStringLiteral("wonroom"), QStringLiteral("W")));
    EXPECT_EQ(sheetCaption(QStringLiteral("Dpyung"), QStringLiteral("land")), QStringLiteral("대지"));
    EXPECT_EQ(sheetCaption(QStringLiteral("Dmoney_m"), QStringLiteral("apt")),
              QStringLiteral("매매가(만원)"));
}

TEST(ListingSheetTest, DisplayTextsFollowTheRow) {
    const ListingRow apt{{"table_idx", 1234}, {"sub_idx", 7},        {"addr1", "서울"},
                         {"addr2", "강남구"}, {"addr3", QVariant()}, {"addr4", "123-4"},
                         {"pyung", 33.0},     {"pyung_use", 25.7},   {"floor", "12"},
                         {"floor_max", 25},   {"money_m", 85000},    {"money_mb", 1000},
                         {"money_b", 3000},   {"money_ys", 5.25},    {"line", "2호선"},
                         {"station", "역삼"}, {"walking", 5},        {"maemaepart", "공동중개"}};
    EXPECT_EQ(valueOf("Didx", apt, "apt", "M"), QStringLiteral("관리번호 : 1,234 번"));
    EXPECT_EQ(valueOf("Didx", apt, "apt", "M", SheetSource::Shared), QStringLiteral("관리번호 : 7 번"));
    EXPECT_EQ(valueOf("Daddress", apt, "apt", "M"), QStringLiteral("서울 강남구 123-4"));
    EXPECT_EQ(valueOf("Dpyung", apt, "apt", "M"), QStringLiteral("33 평(약 109.09㎡) / 26 평(약 84.96㎡)"));
    EXPECT_EQ(valueOf("Dfloor", apt, "apt", "M"), QStringLiteral("25 층 중에 12 층"));
    EXPECT_EQ(valueOf("Dfloor", apt, "gunmul", "M"), QStringLiteral("지하 12 층에 지상 25 층"));
    EXPECT_EQ(valueOf("Dmoney_m", apt, "apt", "M"), QStringLiteral("85,000"));
    EXPECT_EQ(valueOf("Dmoney_ys", apt, "apt", "M"), QStringLiteral("5.25 %"));
    EXPECT_EQ(valueOf("Dsubway", apt, "apt", "M"), QStringLiteral("2호선 역삼역 에서 5 분거리"));
    EXPECT_EQ(valueOf("Dmaemaepart", apt, "apt", "M"), QStringLiteral("중개구분 : 공동중개"));
    // A sale's deposit is the tenant's in the office's row, the lease column in the shared copy.
    EXPECT_EQ(valueOf("Dmoney_b", apt, "apt", "M"), QStringLiteral("1,000"));
    EXPECT_EQ(valueOf("Dmoney_b", apt, "apt", "M", SheetSource::Shared), QStringLiteral("3,000"));
    EXPECT_EQ(valueOf("Dmoney_p", apt, "apt", "M", SheetSource::Shared), QStringLiteral("2,576"));
    // Jeonse per 평: the deposit over the area, nothing at all without an area.
    EXPECT_EQ(valueOf("Dmoney_p", apt, "apt", "J"), QStringLiteral("91"));
    for (const QVariant& none : {QVariant(), QVariant(0), QVariant(QString())}) {
        ListingRow noArea = apt;
        noArea.insert(QStringLiteral("pyung"), none);
        EXPECT_TRUE(valueOf("Dmoney_p", noArea, "apt", "J").isEmpty());
        EXPECT_EQ(valueOf("Dpyung", noArea, "apt", "J"), QStringLiteral("26 평(약 84.96㎡)"));
    }
}

// What the row does not hold prints as nothing: no subway without a line, no separators alone.
TEST(ListingSheetTest, EmptyFactsPrintAsEmptyBoxes) {
    const ListingRow bare{{"table_idx", 3}, {"line", ""}, {"station", "역삼"}};
    for (const char* alias : {"Dsubway", "Dfloor", "Ddong", "Droom", "Dparking", "Dmakedate", "Dmoney_m",
                              "Dpyung", "Dmoney_ys", "Djutak", "Dm_tlp", "Dmaemaepart"})
        EXPECT_TRUE(valueOf(alias, bare, "villa", "M").isEmpty()) << alias;
}

TEST(ListingSheetTest, ThePageHoldsEveryBoxOfThePairAndTheFoot) {
    const ListingRow land{{"table_idx", 9},  {"tb", "land"},    {"ty", "J"},     {"addr1", "경기"},
                          {"jimok", "임야"}, {"money_b", 5000}, {"pyung", 300.0}};
    const std::optional<report::Document> page =
        listingSheet(land, QStringLiteral("land"), QStringLiteral("J"), SheetSource::Own,
                     {{}, {}, QStringLiteral("테란")});
    ASSERT_TRUE(page);
    EXPECT_EQ(page->title, sheetTitle(QStringLiteral("land"), QStringLiteral("J")));
    EXPECT_EQ(page->footer, QStringLiteral("테란"));
    QStringList labels;
    for (const report::Block& block : page->blocks)
        if (const auto* fields = std::get_if<report::Fields>(&block))
            for (const report::Field& field : fields->fields)
                labels << field.label;
    EXPECT_EQ(labels.first(), QStringLiteral("소재지"));
    EXPECT_EQ(labels.size(), sheetLayout(QStringLiteral("land"), QStringLiteral("J"))->aliases.size() - 1)
        << "every box but the number, which heads the page";
    EXPECT_FALSE(listingSheet(land, QStringLiteral("wonroom"), QStringLiteral("J"), SheetSource::Own, {}));
    OfficeDetails office;
    office.name = "테란공인중개사";
    office.homepage = "http://teran.example";
    office.phone = "02-555-1234";
    EXPECT_EQ(ownSheetCopyright(office),
              QStringLiteral("테란공인중개사[http://teran.example] ☎ 02-555-1234"));
    EXPECT_TRUE(ownSheetCopyright({}).isEmpty());
}
