#include "core/listings/ListingPickLabel.h"
#include "core/listing/ListingSelection.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace teran;

namespace {

QStringList cellsFor(const ListColumnSet& columns, const QHash<QString, QString>& values) {
    QStringList cells;
    for (const ListColumn& column : columns)
        cells << values.value(column.caption);
    return cells;
}

} // namespace

TEST(ListingPickLabelTest, TypeAndNameOrAddress) {
    const ListColumnSet all = ListColsByTb(ListKind::Own, {});
    EXPECT_EQ(pickLabel(all,
                        cellsFor(all, {{QStringLiteral("종목"), QStringLiteral("아파트")},
                                       {QStringLiteral("읍면동"), QStringLiteral("역삼동")},
                                       {QStringLiteral("지번"), QStringLiteral("12-3")},
                                       {QStringLiteral("호수"), QStringLiteral("101동 502호")}}),
                        {}, 7),
              QStringLiteral("아파트 역삼동 12-3 101동 502호"));

    // a one-type list has no type column but a name column
    const ListColumnSet apt = ListColsByTb(ListKind::Own, QStringLiteral("apt"));
    EXPECT_EQ(pickLabel(apt,
                        cellsFor(apt, {{QStringLiteral("아파트명"), QStringLiteral("래미안")},
                                       {QStringLiteral("읍면동"), QStringLiteral("역삼동")}}),
                        QStringLiteral("apt"), 7),
              QStringLiteral("아파트 래미안"));

    // the shared list keeps no lot or unit: the district stands in for an empty town
    const ListColumnSet shared = ListColsByTb(ListKind::Shared, {});
    EXPECT_EQ(pickLabel(shared,
                        cellsFor(shared, {{QStringLiteral("종목"), QStringLiteral("토지")},
                                          {QStringLiteral("군구"), QStringLiteral("강남구")}}),
                        {}, 3),
              QStringLiteral("토지 강남구"));

    EXPECT_EQ(pickLabel(all, cellsFor(all, {}), {}, 42), QStringLiteral("매물 42"));
    EXPECT_EQ(pickLabel(all, {}, {}, 5), QStringLiteral("매물 5"));
}

// Who may delete: the office's own account every listing, staff only what they are in charge of;
// the list's batch and the registration window ask the same rule.
TEST(ListingDeleteRule, TheOfficeDeletesAnyStaffOnlyTheirOwn) {
    EXPECT_TRUE(mayDelete(QStringLiteral("off1"), QStringLiteral("off1"), QStringLiteral("st1")));
    EXPECT_TRUE(mayDelete(QStringLiteral("st1"), QStringLiteral("off1"), QStringLiteral("st1")));
    EXPECT_FALSE(mayDelete(QStringLiteral("st1"), QStringLiteral("off1"), QStringLiteral("st2")));
    EXPECT_FALSE(mayDelete(QStringLiteral("st1"), QStringLiteral("off1"), QString()))
        << "nobody's is the office's";
    QList<SelectedListing> rows(3);
    rows[0].subid = QStringLiteral("st1");
    rows[1].subid = QStringLiteral("st2");
    rows[2].subid = QStringLiteral("off1");
    EXPECT_EQ(deletableBy(rows, QStringLiteral("st1"), QStringLiteral("off1")).size(), 1);
    EXPECT_EQ(deletableBy(rows, QStringLiteral("off1"), QStringLiteral("off1")).size(), 3);
}
