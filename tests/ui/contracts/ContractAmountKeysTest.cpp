#include "ui/contracts/frmGaeyakMk.h"

#include "ContractSamples.h"
#include "PdfText.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/contracts/ContractStore.h"
#include "ui/contracts/AmountField.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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

    QString todaysLog() {
        QFile file(office->session().log().fileFor(office->clock.today()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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

    // Saved again with the focus still in a box, nothing is multiplied either; nor by a Tab whose
    // press and release both reach the box it leaves (as some input paths deliver them).
    control<QRadioButton>(*window, "optChange_2")->click();
    click(amount(2));
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    type("0");
    QTest::keyClick(amount(2), Qt::Key_Tab);
    QTest::keyClick(amount(2), Qt::Key_Return);
    ASSERT_TRUE(amount(3)->hasFocus());
    EXPECT_EQ(amount(2)->property("rawValue").toString(), "11500");
    EXPECT_EQ(amount(2)->text(), "11,500");
    click(control<QPushButton>(*window, "cmdGyakSave"));
    EXPECT_EQ(office->dialogs.lastText(), "수정되었습니다.");
    EXPECT_EQ(storedMoney(6), (QList<qint64>{115000, 3000, 11500, 20000, 30000, 53500}));
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

// An amount box shows 만원 while typing and after; each notation changes the words beside it,
// never the box, so what is read back is always what was typed. An amount that cannot be
// converted is reported and logged, and the words stay.
TEST_F(ContractAmountKeysTest, TheBoxShowsManwonAndTheWordsBesideItOrWhyTheyCannotBeShown) {
    open(ContractKind::Sale);
    auto* first = qobject_cast<AmountField*>(amount(0));
    ASSERT_NE(first, nullptr);
    QSignalSpy edited(first, &AmountField::amountEdited);
    QSignalSpy redisplay(first, &AmountField::redisplayRequested);
    first->setRawValue(QStringLiteral("3500"));
    EXPECT_EQ(edited.size(), 0) << "a stored amount is no edit";
    click(first);
    EXPECT_EQ(first->text(), QStringLiteral("3,500"));
    key(Qt::Key_End);
    type("12");
    EXPECT_EQ(first->text(), QStringLiteral("350,012"));
    EXPECT_EQ(first->rawValue(), QStringLiteral("350012"));
    EXPECT_EQ(first->property("rawValue").toString(), QStringLiteral("350012"));
    EXPECT_EQ(box("Mmoney1")->text(), QStringLiteral("3,500,120,000"));
    EXPECT_EQ(edited.size(), 2);

    const QList<QPair<const char*, QString>> shown{
        {"optChange_0", QStringLiteral("\uF96B\uF973\u4E94\u5104\u58F9\uF973\u8CB3\u842C원")},
        {"optChange_1", QStringLiteral("삼십오억일십이만원")},
        {"optChange_2", QStringLiteral("3,500,120,000원")}};
    for (const auto& [radio, text] : shown) {
        control<QRadioButton>(*window, radio)->click();
        click(box("Madr4"));
        EXPECT_EQ(first->text(), QStringLiteral("350,012"));
        EXPECT_EQ(words(0), text);
        EXPECT_EQ(first->rawValue(), QStringLiteral("350012"));
        click(first);
    }
    EXPECT_EQ(redisplay.size(), 3);
    EXPECT_TRUE(office->dialogs.shown().isEmpty());

    first->setRawValue(QStringLiteral("3500"));
    first->showAmount(MoneyNotation::Hangul);
    ASSERT_EQ(words(0), QStringLiteral("삼천오백만원"));
    // Seventeen nines of 만원 are more won than the digits notation can write.
    const QString huge(17, QLatin1Char('9'));
    const QString expectedError = ReplaceMoney(huge, MoneyNotation::Digits).error;
    ASSERT_FALSE(expectedError.isEmpty());
    first->setRawValue(huge);
    EXPECT_EQ(first->rawValue(), huge);
    first->showAmount(MoneyNotation::Digits);
    EXPECT_EQ(words(0), QStringLiteral("삼천오백만원")) << "the previous words stay";
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(), expectedError);
    EXPECT_TRUE(todaysLog().contains(QStringLiteral("   계약서 ReplaceMoney => ") + expectedError +
                                     QStringLiteral(" => ReplaceMoney\r\n")))
        << todaysLog().toStdString();
}

// Only the first box of the array fills the won box; a letter is dropped and the amount and the
// won box stay; emptied, neither the won box nor the words claim an amount; whatever puts a text
// into a box (a paste from the menu, a program) sets the amount too.
TEST_F(ContractAmountKeysTest, TheFirstBoxAloneFillsTheWonBoxAndTheAmountFollowsTheText) {
    open(ContractKind::Sale);
    control<QRadioButton>(*window, "optChange_1")->click();
    click(amount(0));
    type("1");
    EXPECT_EQ(box("Mmoney1")->text(), QStringLiteral("10,000"));
    QTest::keyClick(amount(0), Qt::Key_Q);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("숫자를 입력하십시요!"));
    EXPECT_EQ(amount(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(amount(0)->property("rawValue").toString(), QStringLiteral("1"));
    click(amount(1));
    type("777");
    EXPECT_EQ(amount(1)->property("rawValue").toString(), QStringLiteral("777"));
    EXPECT_EQ(box("Mmoney1")->text(), QStringLiteral("10,000"));
    EXPECT_EQ(words(0), QStringLiteral("일만원"));
    EXPECT_EQ(amount(0)->text(), QStringLiteral("1"));

    click(amount(0));
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    EXPECT_TRUE(amount(0)->property("rawValue").toString().isEmpty());
    EXPECT_TRUE(box("Mmoney1")->text().isEmpty());
    click(amount(1));
    EXPECT_TRUE(words(0).isEmpty());

    amount(0)->setText(QStringLiteral("12,345"));
    EXPECT_EQ(amount(0)->property("rawValue").toString(), QStringLiteral("12345"));
    EXPECT_EQ(box("Mmoney1")->text(), QStringLiteral("123,450,000"));
    // A negative number or a stored value that is no amount is none.
    auto* other = qobject_cast<AmountField*>(amount(3));
    ASSERT_NE(other, nullptr);
    other->setText(QStringLiteral("-5"));
    EXPECT_TRUE(other->rawValue().isEmpty());
    other->setRawValue(QStringLiteral("35x0"));
    EXPECT_TRUE(other->rawValue().isEmpty());
    EXPECT_TRUE(other->text().isEmpty());
    other->showAmount(MoneyNotation::Hangul);
    EXPECT_TRUE(words(3).isEmpty());
    EXPECT_EQ(office->dialogs.shown().size(), 1) << "only the letter was told";
}
