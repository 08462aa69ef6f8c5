#include "ui/contracts/CashBalanceLabel.h"
#include "TestOffice.h"

using namespace teran;
using namespace teran::test;

TEST(CashBalanceLabelTest, ThePanelShowsTheLoggedInOfficesBalanceAndKeepsItOffline) {
    auto office = TestOffice::make(Backend::Sqlite);
    TERAN_REQUIRE_SERVICE(office != nullptr, "The loopback HTTP server");
    office->server().execute(QStringLiteral("INSERT INTO mem_cash(companyID, Money) VALUES(?,?)"),
                             {QStringLiteral("off1"), 3000000000LL});
    auto session = office->newSession();
    session->state().OfficeMainId = QStringLiteral("off1");

    CashBalanceLabel label;
    EXPECT_EQ(label.objectName(), QStringLiteral("StatusBar1_cash"));
    label.refresh(*session);
    EXPECT_EQ(label.text(), QStringLiteral("3,000,000,000 원"));

    office->goOffline();
    auto offline = office->newSession();
    offline->state().OfficeMainId = QStringLiteral("off1");
    label.refresh(*offline);
    EXPECT_EQ(label.text(), QStringLiteral("3,000,000,000 원"));
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("현재 인터넷 접속이 불안정합니다.\r\n\r\n인터넷 연결이 문제가 없는지 확인해보세요."));
}
