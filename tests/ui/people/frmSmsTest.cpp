#include "ui/people/frmSms.h"

#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/people/SmsRecord.h"
#include "ui/shell/MainStatusBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

// The SMS window of an office with cash on the vendor's server, sending through the real
// loopback gateway.
class frmSmsTest : public testing::Test {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(smsService().has_value(), "the loopback SMS gateway teran-smsd");
        office = TestOffice::make(Backend::Sqlite, Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        office->session().state().AuthConfig.phone = "02-555-1234";
    }
    void giveCash(qint64 won) {
        office->server().execute("INSERT INTO mem_cash (companyID, `ID`, `Type`, `Money`) VALUES (?,?,?,?)",
                                 {office->officeId(), office->officeId(), "충전", won});
    }
    qint64 cash() {
        return office->server()
            .scalar("SELECT SUM(`Money`) FROM mem_cash WHERE companyID=?", {office->officeId()})
            .toLongLong();
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

TERAN_SUITE_NEEDS(frmSmsTest, sms);

// The window shows the balance and the cost of the send as the recipients change (30 won a
// message); a group is sent through the loopback gateway at the port the server names, charged
// for what was delivered and logged, and the frame's status bar shows what is left.
TEST_F(frmSmsTest, AGroupIsCostedSentChargedAndLogged) {
    giveCash(100);
    MainStatusBar bar(office->session());
    frmSms window(office->session());
    const auto text = [&window](const char* name) { return control<QLabel>(window, name)->text(); };
    EXPECT_EQ(window.findChild<QLineEdit*>("txtCallBack")->text(), "025551234");
    EXPECT_EQ(text("lblCash"), "100 원");
    EXPECT_EQ(text("lblCost"), "0 건 × 30 원 = 0 원") << "no number typed yet";
    window.setGroup({"010-2000-0001", "010-2000-0002", "010-2000-0002", "0201234567"});
    EXPECT_EQ(window.group().size(), 3) << "the same number once";
    EXPECT_EQ(text("cntlbl"), "3 건");
    control<QLineEdit>(window, "txtadd")->setText("010-2000-0004");
    window.cmdAdd_Click();
    EXPECT_EQ(text("lblCost"), "4 건 × 30 원 = 120 원  (캐쉬 부족)");
    control<QListWidget>(window, "sendList")->setCurrentRow(3);
    window.cmdDel_Click();
    EXPECT_EQ(text("lblCost"), "3 건 × 30 원 = 90 원");

    window.findChild<QPlainTextEdit*>("sendMsg")->setPlainText("내일 오전 방문 漢字");
    ASSERT_TRUE(window.sendlbl_Click());
    EXPECT_EQ(office->dialogs.lastText(),
              "3 건의 메세지중 2 건을 완료하였습니다.\r\n\r\n사용한 캐쉬금액은 60 원 입니다.");
    EXPECT_EQ(office->dialogs.shown().last().title, "전송완료");
    EXPECT_EQ(cash(), 40);
    EXPECT_TRUE(window.logText().contains("01020000001 ☞ 성공"));
    EXPECT_TRUE(window.logText().contains("0201234567 ☞ Ⅹ"));
    EXPECT_EQ(control<QLabel>(bar, "StatusBar1_cash")->text(), "40 원");
    EXPECT_EQ(text("lblCash"), "40 원");
    Q_EMIT office->session().cashBalanceRead("other", 5000);
    EXPECT_EQ(control<QLabel>(bar, "StatusBar1_cash")->text(), "40 원") << "another office's balance";

    // 40 won left: a group of three would cost 90; Yes to the question opens the cash page.
    EXPECT_FALSE(window.sendlbl_Click());
    EXPECT_TRUE(office->dialogs.lastText().startsWith("적립한 캐쉬가 부족합니다."));
    EXPECT_TRUE(office->outlets.urls.isEmpty()) << "the question was answered No";
    office->dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_FALSE(window.sendlbl_Click());
    ASSERT_EQ(office->outlets.urls.size(), 1);
    EXPECT_EQ(office->outlets.urls.first().path().section(QLatin1Char('/'), -1), QStringLiteral("cash_list"));
    EXPECT_EQ(cash(), 40);
    window.setPerson("김매수", "010-3000-0001");
    EXPECT_EQ(text("lblCost"), "1 건 × 30 원 = 30 원");
}

TEST_F(frmSmsTest, TheTextIsCutAtEightyBytesAndAGroupTakesOnlyGoodNumbers) {
    giveCash(1000);
    frmSms window(office->session());
    auto* text = window.findChild<QPlainTextEdit*>("sendMsg");
    text->setPlainText(QString(41, QChar(0xAC00)));
    EXPECT_EQ(office->dialogs.lastText(), "전송할수 있는 문자는 최대 80 Byte 입니다.");
    EXPECT_EQ(text->toPlainText(), QString(40, QChar(0xAC00)));
    EXPECT_EQ(window.findChild<QLabel*>("lblByte")->text(), "80");

    window.findChild<QLineEdit*>("txtadd")->setText("010-123-456");
    window.cmdAdd_Click();
    EXPECT_EQ(office->dialogs.lastText(), "[ 010-123-456 ] 전화번호가 중복등록되었거나 잘못되었습니다.");
    office->local().execute("INSERT INTO maesuin (name, hantel) VALUES (?,?), (?,?)",
                            {"김매수", "010-3000-0001", "이번호", "없음"});
    window.showSource(SmsSource::Buyers);
    auto* people = window.findChild<QTreeWidget*>("lvMem");
    ASSERT_EQ(people->topLevelItemCount(), 2);
    window.cmdGroup_Click();
    EXPECT_EQ(office->dialogs.lastText(), "선택된 사람이 없습니다.");
    for (int i = 0; i < 2; ++i)
        people->topLevelItem(i)->setCheckState(0, Qt::Checked);
    window.cmdGroup_Click();
    EXPECT_EQ(window.group(), QStringList{"01030000001"});
    EXPECT_TRUE(office->dialogs.lastText().endsWith("오류회원[이번호]"));

    // One person: an emoji is refused before anything is sent.
    window.setPerson("김매수", "010-3000-0001");
    EXPECT_FALSE(window.isGroupMode());
    text->setPlainText("안녕하세요 😀");
    EXPECT_FALSE(window.sendlbl_Click());
    EXPECT_TRUE(office->dialogs.lastText().contains("😀"));
    EXPECT_EQ(cash(), 1000);
    EXPECT_TRUE(window.logText().isEmpty());
}
