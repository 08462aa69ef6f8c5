#include "contracts/AmountField.h"
#include "ScriptedDialogs.h"
#include "session/Session.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class NoInternet final : public InternetProbe {
public:
    bool reachable() override { return false; }
};

// Two amount boxes of one array with their words labels, the first with its won box, and a box
// to move the focus to.
class AmountFieldTest : public testing::Test {
protected:
    void SetUp() override {
        session = std::make_unique<Session>(TeranConfig::demoDefaults(dir.path()), clock, dialogs,
                                            std::make_unique<NoInternet>());
        auto* layout = new QVBoxLayout(&window);
        first = new AmountField(*session, &window);
        second = new AmountField(*session, &window);
        won = new QLineEdit(&window);
        elsewhere = new QLineEdit(&window);
        firstWords = new QLabel(&window);
        secondWords = new QLabel(&window);
        for (QWidget* w :
             std::initializer_list<QWidget*>{first, firstWords, second, secondWords, won, elsewhere})
            layout->addWidget(w);
        first->setWonBox(won);
        first->setWordsLabel(firstWords);
        second->setWordsLabel(secondWords);
        // The window's redisplay: every box with an amount in the chosen notation.
        for (AmountField* field : {first, second}) {
            QObject::connect(field, &AmountField::redisplayRequested, &window, [this] {
                first->showAmount(notation);
                second->showAmount(notation);
            });
        }
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        focus(elsewhere);
    }

    void focus(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(widget->hasFocus());
    }

    QString todaysLog() const {
        QFile file(session->log().fileFor(clock.today()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    std::unique_ptr<Session> session;
    QWidget window;
    AmountField* first = nullptr;
    AmountField* second = nullptr;
    QLineEdit* won = nullptr;
    QLabel* firstWords = nullptr;
    QLabel* secondWords = nullptr;
    QLineEdit* elsewhere = nullptr;
    MoneyNotation notation = MoneyNotation::Hangul;
};

} // namespace

TEST_F(AmountFieldTest, TheBoxShowsManwonWhileTypingAndAfterAndTheWordsGoBeside) {
    QSignalSpy edited(first, &AmountField::amountEdited);
    QSignalSpy redisplay(first, &AmountField::redisplayRequested);
    first->setRawValue(QStringLiteral("3500"));
    EXPECT_EQ(edited.size(), 0) << "a stored amount is no edit";
    focus(first);
    EXPECT_EQ(first->text(), QStringLiteral("3,500"));

    first->setCursorPosition(first->text().size());
    QTest::keyClicks(first, QStringLiteral("12"));
    EXPECT_EQ(first->text(), QStringLiteral("350,012"));
    EXPECT_EQ(first->rawValue(), QStringLiteral("350012"));
    EXPECT_EQ(first->property("rawValue").toString(), QStringLiteral("350012"));
    EXPECT_EQ(won->text(), QStringLiteral("3,500,120,000"));
    EXPECT_EQ(edited.size(), 2);

    // Each notation changes the words beside the box, never the box: what is read back is
    // always what was typed.
    const QList<QPair<MoneyNotation, QString>> shown{
        {MoneyNotation::Hanja, QStringLiteral("\uF96B\uF973\u4E94\u5104\u58F9\uF973\u8CB3\u842C원")},
        {MoneyNotation::Hangul, QStringLiteral("삼십오억일십이만원")},
        {MoneyNotation::Digits, QStringLiteral("3,500,120,000원")}};
    for (const auto& [chosen, words] : shown) {
        notation = chosen;
        focus(elsewhere);
        EXPECT_EQ(first->text(), QStringLiteral("350,012"));
        EXPECT_EQ(firstWords->text(), words);
        EXPECT_EQ(first->rawValue(), QStringLiteral("350012"));
        focus(first);
    }
    EXPECT_EQ(redisplay.size(), 3);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(AmountFieldTest, OnlyTheFirstBoxOfTheArrayFillsTheWonBox) {
    focus(first);
    QTest::keyClicks(first, QStringLiteral("1"));
    EXPECT_EQ(won->text(), QStringLiteral("10,000"));
    focus(second);
    QTest::keyClicks(second, QStringLiteral("777"));
    EXPECT_EQ(second->rawValue(), QStringLiteral("777"));
    EXPECT_EQ(won->text(), QStringLiteral("10,000"));
    EXPECT_EQ(firstWords->text(), QStringLiteral("일만원"));
    EXPECT_EQ(first->text(), QStringLiteral("1"));

    // Emptied, the amount is gone and neither the won box nor the words claim one.
    focus(first);
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_TRUE(first->rawValue().isEmpty());
    EXPECT_TRUE(won->text().isEmpty());
    focus(elsewhere);
    EXPECT_TRUE(firstWords->text().isEmpty());
}

TEST_F(AmountFieldTest, ALetterIsDroppedAndTheAmountAndTheWonBoxStay) {
    focus(first);
    QTest::keyClicks(first, QStringLiteral("3500"));
    ASSERT_EQ(won->text(), QStringLiteral("35,000,000"));
    QTest::keyClick(first, Qt::Key_Q);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("숫자를 입력하십시요!"));
    EXPECT_EQ(first->text(), QStringLiteral("3,500"));
    EXPECT_EQ(first->rawValue(), QStringLiteral("3500"));
    EXPECT_EQ(won->text(), QStringLiteral("35,000,000"));
}

// Whatever puts a text into the box (a paste from the menu, a program) sets the amount too.
TEST_F(AmountFieldTest, TheAmountFollowsTheTextHoweverItArrives) {
    first->setText(QStringLiteral("12,345"));
    EXPECT_EQ(first->rawValue(), QStringLiteral("12345"));
    EXPECT_EQ(won->text(), QStringLiteral("123,450,000"));
    // A negative number or a stored value that is no amount is none.
    second->setText(QStringLiteral("-5"));
    EXPECT_TRUE(second->rawValue().isEmpty());
    second->setRawValue(QStringLiteral("35x0"));
    EXPECT_TRUE(second->rawValue().isEmpty());
    EXPECT_TRUE(second->text().isEmpty());
    second->showAmount(MoneyNotation::Hangul);
    EXPECT_TRUE(secondWords->text().isEmpty());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(AmountFieldTest, AnAmountThatCannotBeConvertedIsReportedAndLogged) {
    first->setRawValue(QStringLiteral("3500"));
    first->showAmount(MoneyNotation::Hangul);
    ASSERT_EQ(firstWords->text(), QStringLiteral("삼천오백만원"));

    // Seventeen nines of 만원 are more won than the digits notation can write.
    const QString huge(17, QLatin1Char('9'));
    const QString expectedError = ReplaceMoney(huge, MoneyNotation::Digits).error;
    ASSERT_FALSE(expectedError.isEmpty());
    first->setRawValue(huge);
    EXPECT_EQ(first->rawValue(), huge);
    first->showAmount(MoneyNotation::Digits);
    EXPECT_EQ(firstWords->text(), QStringLiteral("삼천오백만원")) << "the previous words stay";
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.lastText(), expectedError);
    EXPECT_TRUE(todaysLog().contains(QStringLiteral("   계약서 ReplaceMoney => ") + expectedError +
                                     QStringLiteral(" => ReplaceMoney\r\n")))
        << todaysLog().toStdString();
}
