#include "core/register/AddressPick.h"

#include <gtest/gtest.h>

using namespace teran;

TEST(AddressPick, TargetNamesAndTheJoinedAddress) {
    EXPECT_EQ(addressTargetKind(QStringLiteral("frmInsert")), AddressTargetKind::Registration);
    EXPECT_EQ(addressTargetKind(QStringLiteral("Maddress")), AddressTargetKind::Location);
    EXPECT_EQ(addressTargetKind(QStringLiteral("Jaddress")), AddressTargetKind::Location);
    for (const char* party : {"Maddr1", "Maddr6", "Jaddr1", "Jaddr6"})
        EXPECT_EQ(addressTargetKind(QLatin1String(party)), AddressTargetKind::PartyAddress) << party;
    for (const char* field : {"AdrMul", "AdrMul2", "AdrMul5"})
        EXPECT_EQ(addressTargetKind(QLatin1String(field)), AddressTargetKind::ContractField) << field;
    for (const char* other :
         {"", "frminsert", "Maddr0", "Maddr7", "Xaddr1", "Maddr12", "AdrMul6", "addr1", "Maddress2"})
        EXPECT_EQ(addressTargetKind(QLatin1String(other)), AddressTargetKind::Unknown) << other;

    AddressPick pick{QStringLiteral("AdrMul"), QStringLiteral("서울"), QStringLiteral("강남구"),
                     QStringLiteral("역삼동"), QStringLiteral("  823-1 ")};
    EXPECT_EQ(pick.joined(), QStringLiteral("서울 강남구 역삼동 823-1"));
    pick.addr4 = QStringLiteral("지번");
    EXPECT_EQ(pick.joined(), QStringLiteral("서울 강남구 역삼동"));
    EXPECT_TRUE(pick.rest().isEmpty());
    pick.addr4 = QStringLiteral("  ");
    EXPECT_EQ(pick.joined(), QStringLiteral("서울 강남구 역삼동"));
    // A region without districts gives no double blank.
    pick = {QStringLiteral("AdrMul"), QStringLiteral("세종"), QString(), QStringLiteral("조치원읍"),
            QStringLiteral("10")};
    EXPECT_EQ(pick.joined(), QStringLiteral("세종 조치원읍 10"));
}
