#include "core/listings/ListSort.h"

#include <gtest/gtest.h>

using namespace teran;

TEST(ListSortTest, SameHeaderTwiceFlipsTheDirectionANewOneStartsDescending) {
    SortState state;
    auto next = clickHeader(ListKind::Own, state, QStringLiteral("매매가"));
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, (SortState{"money_m", "desc"}));
    next = clickHeader(ListKind::Own, *next, QStringLiteral("매매가"));
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, (SortState{"money_m", "asc"}));
    next = clickHeader(ListKind::Own, *next, QStringLiteral("매매가"));
    EXPECT_EQ(next->direction, QStringLiteral("desc"));
    // Captions that share a column are the same column: 시도 then 호수 flips the address sort.
    next = clickHeader(ListKind::Own, SortState{"address", "desc"}, QStringLiteral("호수"));
    EXPECT_EQ(*next, (SortState{"address", "asc"}));
    // Another column after an ascending one starts descending again.
    next = clickHeader(ListKind::Own, SortState{"address", "asc"}, QStringLiteral("수정일"));
    EXPECT_EQ(*next, (SortState{"showday", "desc"}));
}

TEST(ListSortTest, UnmappedCaptionsChangeNothing) {
    EXPECT_EQ(unsortableFieldText(), QStringLiteral("정렬이 되지 않는 필드 입니다."));
    const SortState current{"money_m", "asc"};
    for (const char* caption : {"비고", "연락처", "담당자", "검색키워드", "state", ""})
        EXPECT_FALSE(clickHeader(ListKind::Own, current, QString::fromUtf8(caption))) << caption;
    // The shared and club lists sort only by address, picture and floor.
    EXPECT_FALSE(clickHeader(ListKind::Shared, current, QStringLiteral("매매가")));
    EXPECT_FALSE(clickHeader(ListKind::Club, current, QStringLiteral("번호")));
    EXPECT_EQ(clickHeader(ListKind::Club, {}, QStringLiteral("층수"))->tag, QStringLiteral("floor"));
    EXPECT_EQ(clickHeader(ListKind::Shared, {}, QStringLiteral("읍면동"))->tag, QStringLiteral("address"));
}

// A caption sorts by its column; where the type puts another column under it, by that one.
TEST(ListSortTest, OwnCaptionsSortByTheColumnTheTypeShowsUnderThem) {
    EXPECT_EQ(sortTagFor(ListKind::Own, QStringLiteral("합산금")), QStringLiteral("hapsan"));
    EXPECT_EQ(sortTagFor(ListKind::Own, QStringLiteral("현업종")), QStringLiteral("cboname"));
    EXPECT_EQ(sortTagFor(ListKind::Own, QStringLiteral("현업종"), QStringLiteral("gong")),
              QStringLiteral("upjong"));
    EXPECT_EQ(sortTagFor(ListKind::Own, QStringLiteral("분류"), QStringLiteral("budongsan")),
              QStringLiteral("maemultype"));
}

TEST(ListSortTest, OrderByUsesOnlyKnownColumns) {
    EXPECT_EQ(orderBySql(ListKind::Own, {}), QStringLiteral(" ORDER BY table_idx DESC"));
    EXPECT_EQ(orderBySql(ListKind::Shared, {}), QStringLiteral(" ORDER BY sortday DESC, table_idx DESC"));
    EXPECT_EQ(orderBySql(ListKind::Own, {"money_m", "asc"}),
              QStringLiteral(" ORDER BY money_m ASC, money_jb ASC, (COALESCE(money_w, 0) * 100 + "
                             "COALESCE(money_b, 0)) ASC, money_b ASC, table_idx ASC"));
    EXPECT_EQ(orderBySql(ListKind::Own, {"address", "desc"}),
              QStringLiteral(
                  " ORDER BY addr1 DESC, addr2 DESC, addr3 DESC, addr4 DESC, addr5 DESC, table_idx DESC"));
    // The server keeps no lot number or unit.
    EXPECT_EQ(orderBySql(ListKind::Club, {"address", "asc"}),
              QStringLiteral(" ORDER BY addr1 ASC, addr2 ASC, addr3 ASC, table_idx ASC"));
    EXPECT_EQ(orderBySql(ListKind::Group, {"table_idx", "asc"}, QStringLiteral("A.")),
              QStringLiteral(" ORDER BY A.table_idx ASC"));
    // A tag from anywhere else never reaches the statement.
    const QString hostile = QStringLiteral("money_m; DROP TABLE maemul");
    EXPECT_EQ(orderBySql(ListKind::Own, {hostile, "asc"}), QStringLiteral(" ORDER BY table_idx DESC"));
    EXPECT_EQ(orderBySql(ListKind::Shared, {"money_m", "asc"}),
              QStringLiteral(" ORDER BY sortday DESC, table_idx DESC"));
    // An empty direction is the descending default, not an ascending sort.
    EXPECT_EQ(orderBySql(ListKind::Own, {"room", ""}), QStringLiteral(" ORDER BY room DESC, table_idx DESC"));
}
