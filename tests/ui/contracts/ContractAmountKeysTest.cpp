#include "contracts/frmGaeyakMk.h"

#include "ContractSamples.h"
#include "PdfText.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "contracts/ContractStore.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

using namespace teran;
using namespace teran::test;

namespace {

// The amounts of the contract window typed as a user types them: the keys go to the window and
// reach whichever box has the focus at that moment, so a Tab's release lands where the Tab
// took the focus, as on a real desk.
class ContractAmountKeysTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "the test office");
        office->session().state().AuthConfig = sampleOffice();
    }

    void open(ContractKind kind) {
        window = std::make_unique<frmGaeyakMk>(office->session(), ContractRequest{false, 0, 0, kind, "apt"});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        box(prefix() + "adr4")->setText(QStringLiteral("역삼동 831-2"));
    }

    QString prefix() const { return isLease(window->contract().kind) ? "J" : "M"; }
    QLineEdit* box(const QString& name) { return control<QLineEdit>(*window, name); }
    QLineEdit* amount(int i) { return box(prefix() + "money_" + QString::number(i)); }
    QString words(int i) {
        return control<QLabel>(*window, prefix() + "money_" + QString::number(i) + "_words")->text();
    }

    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        ASSERT_TRUE(widget->hasFocus() || !widget->focusPolicy()) << widget->objectName().toStdString();
    }
    // Keys through the window, as the platform delivers them.
    void type(const QString& digits) {
        for (const QChar c : digits)
            QTest::keyClick(window->windowHandle(), c.toLatin1());
    }
    void key(Qt::Key k) { QTest::keyClick(window->windowHandle(), k); }

    QList<qint64> storedMoney(int count) {
        QList<qint64> money;
        for (int i = 1; i <= count; ++i)
            money
                << office->localValue(QStringLiteral("SELECT money%1 FROM mem_moo_con").arg(i)).toLongLong();
        return money;
    }

    QString printed() {
        window->cmdGyakPrint_Click();
        return office->outlets.pages.empty() ? QString()
                                             : renderPdf(office->outlets.pages.back()).text.simplified();
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<frmGaeyakMk> window;
};

} // namespace

// Every amount of a sale typed with Tab, Enter and the mouse between them: each box keeps the
// 만원 it was given, the words beside it say the amount, and the row and the page hold the same.
TEST_F(ContractAmountKeysTest, SaleAmountsKeepTheirUnitWhateverMovesTheFocus) {
    open(ContractKind::Sale);
    control<QRadioButton>(*window, "optChange_2")->click(); // digits: the notation that showed won
    click(amount(0));
    type("115000");
    key(Qt::Key_Tab); // to the loan
    ASSERT_TRUE(amount(1)->hasFocus()) << "Tab goes from amount to amount";
    type("3000");
    key(Qt::Key_Tab);
    type("11500");
    key(Qt::Key_Return); // Enter leaves the focus where it is
    key(Qt::Key_Tab);
    type("20000");
    click(amount(4)); // the mouse moves on
    type("30000");
    key(Qt::Key_Tab);

    const QStringList shown{"115,000", "3,000", "11,500", "20,000", "30,000", "53,500"};
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(amount(i)->text(), shown[i]) << "box " << i << " shows 만원 after the focus left";
    EXPECT_EQ(box("Mmoney1")->text(), "1,150,000,000") << "the won box beside the price";
    EXPECT_EQ(words(2), "115,000,000원");
    control<QRadioButton>(*window, "optChange_1")->click();
    EXPECT_EQ(words(0), "일십일억오천만원");
    EXPECT_EQ(words(5), "오억삼천오백만원") << "the balance's words follow the balance";
    EXPECT_EQ(amount(2)->text(), "11,500") << "a notation changes the words only";

    click(control<QPushButton>(*window, "cmdGyakSave"));
    EXPECT_EQ(office->dialogs.lastText(), "저장되었습니다");
    EXPECT_EQ(storedMoney(6), (QList<qint64>{115000, 3000, 11500, 20000, 30000, 53500}));

    const QString page = printed();
    for (const char* wanted :
         {"금 일십일억오천만원정 ( ₩ 1,150,000,000원정 )", "금 일억일천오백만원정을 계약시에",
          "금 이억원정은", "금 삼억원정은", "금 오억삼천오백만원정은"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(wanted))) << wanted << "\n" << page.toStdString();

    // Saved again with the focus still in a box, nothing is multiplied either.
    click(amount(2));
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    type("0");
    key(Qt::Key_Tab);
    click(control<QPushButton>(*window, "cmdGyakSave"));
    EXPECT_EQ(office->dialogs.lastText(), "수정되었습니다.");
    EXPECT_EQ(storedMoney(6), (QList<qint64>{115000, 3000, 11500, 20000, 30000, 53500}));
}

// A Tab whose press and release both reach the box it leaves (as some input paths deliver
// them) must not read the box in another unit either.
TEST_F(ContractAmountKeysTest, ATabReleasedInTheBoxItLeftChangesNothing) {
    open(ContractKind::Sale);
    control<QRadioButton>(*window, "optChange_2")->click();
    click(amount(2));
    type("11500");
    QTest::keyClick(amount(2), Qt::Key_Tab);
    QTest::keyClick(amount(2), Qt::Key_Return);
    EXPECT_EQ(amount(2)->property("rawValue").toString(), "11500");
    EXPECT_EQ(amount(2)->text(), "11,500");
    ASSERT_TRUE(window->cmdGyakSave_Click());
    EXPECT_EQ(storedMoney(3).last(), 11500);
}

// The lease amounts likewise, the monthly rent included; the page states the fee in won.
TEST_F(ContractAmountKeysTest, LeaseAmountsAndTheRentKeepTheirUnitAndTheFeeIsPrinted) {
    open(ContractKind::MonthlyRent);
    control<QRadioButton>(*window, "optChange_1")->click();
    click(amount(0));
    type("10000"); // deposit 1억
    key(Qt::Key_Tab);
    type("1000");
    key(Qt::Key_Tab);
    type("4000");
    key(Qt::Key_Tab); // to the balance, typed over by nobody
    key(Qt::Key_Tab);
    type("150");
    click(box("Jpro"));
    type("0.3");

    const QStringList shown{"10,000", "1,000", "4,000", "5,000", "150"};
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(amount(i)->text(), shown[i]) << "box " << i;
    EXPECT_EQ(words(4), "일백오십만원");
    ASSERT_TRUE(window->cmdGyakSave_Click());
    EXPECT_EQ(storedMoney(5), (QList<qint64>{10000, 1000, 4000, 5000, 150}));

    // 1억 + 150만 × 100 = 2억 5천만: 0.3 % is 750,000 won, the maximum too.
    const QString page = printed();
    for (const char* wanted :
         {"금 일백오십만원정은 매월", "금 일억원정 ( ₩ 100,000,000원정 )",
          "중개보수 : 금 750,000원 (부가가치세 75,000원 별도) - 법정 상한 750,000원 (상한요율 0.3%)"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(wanted))) << wanted << "\n" << page.toStdString();
}
