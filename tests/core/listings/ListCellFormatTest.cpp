#include "core/listings/ListCellFormat.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <limits>

using namespace teran;

namespace {

ListColumn columnOf(ListKind kind, const QString& tb, const QString& caption) {
    for (const ListColumn& c : ListColsByTb(kind, tb))
        if (c.caption == caption)
            return c;
    ADD_FAILURE() << "no column " << caption.toStdString();
    return {};
}

QString cell(ListKind kind, const QString& tb, const QString& caption, const RawValues& row,
             const CellContext& context = {}) {
    return formatCell(columnOf(kind, tb, caption), row, context);
}

} // namespace

TEST(ListCellFormatTest, AmountsYieldsAndNumbers) {
    EXPECT_EQ(formatAmount(qint64(0)), QStringLiteral("0"));
    EXPECT_EQ(formatAmount(qint64(999)), QStringLiteral("999"));
    EXPECT_EQ(formatAmount(qint64(1000)), QStringLiteral("1,000"));
    EXPECT_EQ(formatAmount(qint64(-1234567)), QStringLiteral("-1,234,567"));
    EXPECT_EQ(formatAmount(qint64(9'876'543'210'123LL)), QStringLiteral("9,876,543,210,123"));
    EXPECT_EQ(formatAmount(std::numeric_limits<qint64>::max()), QStringLiteral("9,223,372,036,854,775,807"));
    EXPECT_EQ(formatAmount(std::numeric_limits<qint64>::min()), QStringLiteral("-9,223,372,036,854,775,808"));
    EXPECT_EQ(formatAmount(QVariant()), QString());
    EXPECT_EQ(formatAmount(QVariant(QStringLiteral("12000"))), QStringLiteral("12,000"));

    EXPECT_EQ(formatYield(5.25), QStringLiteral("5.25"));
    EXPECT_EQ(formatYield(5.0), QStringLiteral("5.00"));
    EXPECT_EQ(formatYield(0.5), QStringLiteral("0.50"));
    EXPECT_EQ(formatYield(7.126), QStringLiteral("7.13"));
    EXPECT_EQ(formatYield(QVariant()), QString());

    EXPECT_EQ(plainNumber(33.0578), QStringLiteral("33.0578"));
    EXPECT_EQ(plainNumber(33.0), QStringLiteral("33"));
    EXPECT_EQ(plainNumber(25.7), QStringLiteral("25.7"));
    EXPECT_EQ(plainNumber(12), QStringLiteral("12"));
}

TEST(ListCellFormatTest, PairsLabelsPhotoAndDates) {
    const RawValues row{{"tb", "villa"},
                        {"ty", "B"},
                        {"floor", "B1"},
                        {"floor_max", 5},
                        {"pyung", 33.5},
                        {"imgname2", "p2.jpg"},
                        {"money_w", qint64(50)},
                        {"money_b", qint64(1000)},
                        {"showday", QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7))},
                        {"writeday", QDateTime(QDate(2025, 12, 31), QTime(23, 0))}};
    const QString all = QStringLiteral("all");
    EXPECT_EQ(cell(ListKind::Own, all, "종목", row), QStringLiteral("빌라트"));
    EXPECT_EQ(cell(ListKind::Own, all, "종목", {{"tb", "apt"}, {"ty", "M"}}), QStringLiteral("아파트"));
    EXPECT_EQ(cell(ListKind::Group, all, "분류", {{"ty", "J"}}), QStringLiteral("전세"));
    EXPECT_EQ(cell(ListKind::Own, all, "층수", row), QStringLiteral("B1 / 5"));
    EXPECT_EQ(cell(ListKind::Own, all, "층수", {}), QString());
    EXPECT_EQ(cell(ListKind::Own, all, "평수", row), QStringLiteral("33.5 / "));
    // Only the second picture still counts as a picture.
    EXPECT_EQ(cell(ListKind::Shared, all, "사진", row), QStringLiteral(" Ｏ"));
    EXPECT_EQ(cell(ListKind::Shared, all, "사진", {{"imgname1", ""}, {"imgname2", " "}}), QString());
    EXPECT_EQ(cell(ListKind::Own, all, "합산금", row), QStringLiteral("6,000"));
    EXPECT_EQ(cell(ListKind::Own, all, "합산금", {{"money_w", qint64(80)}}), QStringLiteral("8,000"));
    EXPECT_EQ(cell(ListKind::Own, all, "합산금", {}), QString());
    EXPECT_EQ(cell(ListKind::Own, all, "수정일", row), QStringLiteral("26-03-04 9:05"));
    EXPECT_EQ(cell(ListKind::Own, all, "등록일", row), QStringLiteral("25-12-31"));
    EXPECT_EQ(cell(ListKind::Shared, all, "수정일", row), QStringLiteral("26-03-04"));
    // SQLite hands dates back as text.
    EXPECT_EQ(cell(ListKind::Own, all, "만료일", {{"offday", "2027-01-15 00:00:00"}}),
              QStringLiteral("27-01-15"));
    EXPECT_EQ(cell(ListKind::Own, all, "만료일", {}), QString());
}

TEST(ListCellFormatTest, ParkingAndBuildingStateFallBack) {
    const QString dagagu = QStringLiteral("dagagu");
    EXPECT_EQ(cell(ListKind::Own, dagagu, "주차대수", {{"parking", 1.5}}), QStringLiteral("1.5"));
    EXPECT_EQ(cell(ListKind::Own, dagagu, "주차대수", {{"parking", 0.0}, {"parking_d", 4}, {"parking_u", 2}}),
              QStringLiteral("4 / 2"));
    EXPECT_EQ(cell(ListKind::Own, dagagu, "주차대수", {{"parking", 0.0}}), QStringLiteral("0"));
    EXPECT_EQ(cell(ListKind::Own, dagagu, "건물상태", {{"sangtae", ""}, {"gsangtae", "양호"}}),
              QStringLiteral("양호"));
    EXPECT_EQ(cell(ListKind::Own, dagagu, "건물상태", {{"sangtae", "신축"}, {"gsangtae", "양호"}}),
              QStringLiteral("신축"));
    // Other types show the count per household as it is.
    EXPECT_EQ(cell(ListKind::Own, QStringLiteral("villa"), "주차대수", {{"parking", 0.0}, {"parking_d", 4}}),
              QStringLiteral("0"));
}

TEST(ListCellFormatTest, ContactsDependOnReservationAndOffice) {
    const RawValues owner{{"uhome", "02-111-2222"}, {"uhp", "010-3333-4444"}, {"uoffice", "02-555-6666"}};
    const CellContext boss{QStringLiteral("off1"), nullptr};
    const QString apt = QStringLiteral("apt");
    EXPECT_EQ(cell(ListKind::Own, apt, "연락처", owner, boss),
              QStringLiteral("02-111-2222 / 010-3333-4444 / 02-555-6666"));
    RawValues reserved = owner;
    reserved.insert(QStringLiteral("opid"), QStringLiteral("st1"));
    EXPECT_EQ(cell(ListKind::Own, apt, "연락처", reserved, boss), QStringLiteral("-"));
    EXPECT_EQ(cell(ListKind::Own, apt, "연락처", reserved, {QStringLiteral("st1"), nullptr}),
              QStringLiteral("02-111-2222 / 010-3333-4444 / 02-555-6666"));
    reserved.insert(QStringLiteral("opid"), QString());
    EXPECT_EQ(cell(ListKind::Group, apt, "연락처", reserved, boss),
              QStringLiteral("02-111-2222 / 010-3333-4444 / 02-555-6666"));

    const QHash<QString, OfficeContact> offices{{"other", {"02-777-8888 / 010-9999-0000", "김중개"}}};
    const CellContext shared{QStringLiteral("off1"), &offices};
    const QString all = QStringLiteral("all");
    EXPECT_EQ(cell(ListKind::Shared, all, "연락처", {{"subid", "other"}}, shared),
              QStringLiteral("02-777-8888 / 010-9999-0000"));
    EXPECT_EQ(cell(ListKind::Shared, all, "담당자", {{"subid", "other"}}, shared), QStringLiteral("김중개"));
    // A member the server no longer knows keeps the id and hides the phones.
    EXPECT_EQ(cell(ListKind::Club, all, "연락처", {{"subid", "gone"}}, shared), QStringLiteral("-"));
    EXPECT_EQ(cell(ListKind::Club, all, "담당자", {{"subid", "gone"}}, shared), QStringLiteral("gone"));
}
