#include "contracts/AmountField.h"
#include "ScriptedDialogs.h"
#include "session/Session.h"

#include <QApplication>
#include <QFile>
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

// Two amount boxes of one array, the first with its won box, and a box to move the focus to.
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
        for (QWidget* w : std::initializer_list<QWidget*>{first, second, won, elsewhere})
            layout->addWidget(w);
        first->setWonBox(won);
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
    QLineEdit* elsewhere = nullptr;
    MoneyNotation notation = MoneyNotation::Hangul;
};

} // namespace

TEST_F(AmountFieldTest, TypingShowsSeparatorsAndLeavingShowsTheAmountInWords) {
    QSignalSpy edited(first, &AmountField::amountEdited);
    QSignalSpy redisplay(first, &AmountField::redisplayRequested);
    first->setRawValue(QStringLiteral("3500"));
    focus(first);
    EXPECT_EQ(first->text(), QStringLiteral("3,500"));

    first->setCursorPosition(first->text().size());
    QTest::keyClicks(first, QStringLiteral("12"));
    EXPECT_EQ(first->text(), QStringLiteral("350,012"));
    EXPECT_EQ(first->rawValue(), QStringLiteral("350012"));
    EXPECT_EQ(first->property("rawValue").toString(), QStringLiteral("350012"));
    EXPECT_EQ(won->text(), QStringLiteral("3,500,120,000"));
    EXPECT_EQ(edited.size(), 2);

    notation = MoneyNotation::Hanja;
    focus(elsewhere);
    EXPECT_EQ(redisplay.size(), 1);
    EXPECT_EQ(first->text(), QStringLiteral("\uF96B\uF973\u4E94\u5104\u58F9\uF973\u8CB3\u842C"));
    EXPECT_EQ(first->rawValue(), QStringLiteral("350012")) << "the words are only shown";

    // Back in the box the digits return, and the other notations read the same amount.
    focus(first);
    EXPECT_EQ(first->text(), QStringLiteral("350,012"));
    notation = MoneyNotation::Digits;
    focus(elsewhere);
    EXPECT_EQ(first->text(), QStringLiteral("3,500,120,000"));
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
    EXPECT_EQ(first->text(), QStringLiteral("일만"));

    // Emptied, the amount is gone and the won box claims no amount either.
    focus(first);
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_TRUE(first->rawValue().isEmpty());
    EXPECT_TRUE(won->text().isEmpty());
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

TEST_F(AmountFieldTest, WhatIsNoAmountIsNotConverted) {
    // A negative number is no amount: it stays as typed.
    focus(second);
    QTest::keyClicks(second, QStringLiteral("-5"));
    EXPECT_TRUE(second->rawValue().isEmpty());
    focus(elsewhere);
    EXPECT_EQ(second->text(), QStringLiteral("-5"));

    // Nor is the box being typed in converted under the user's fingers; an amount set there
    // shows as digits.
    focus(first);
    QTest::keyClicks(first, QStringLiteral("15000"));
    first->showAmount(MoneyNotation::Hangul);
    EXPECT_EQ(first->text(), QStringLiteral("15,000"));
    first->setRawValue(QStringLiteral("25000"));
    EXPECT_EQ(first->text(), QStringLiteral("25,000"));
    EXPECT_EQ(won->text(), QStringLiteral("250,000,000"));
    first->setRawValue(QStringLiteral("15000"));
    focus(elsewhere);
    EXPECT_EQ(first->text(), QStringLiteral("일억오천만"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(AmountFieldTest, AStoredAmountThatCannotBeConvertedIsReportedAndLogged) {
    first->setRawValue(QStringLiteral("3500"));
    first->showAmount(MoneyNotation::Hangul);
    ASSERT_EQ(first->text(), QStringLiteral("삼천오백만"));

    const QString expectedError = ReplaceMoney(QStringLiteral("35x0"), MoneyNotation::Hangul).error;
    first->setRawValue(QStringLiteral("35x0"));
    first->showAmount(MoneyNotation::Hanja);
    EXPECT_EQ(first->text(), QStringLiteral("삼천오백만")) << "the previous text stays";
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.lastText(), expectedError);
    EXPECT_TRUE(expectedError.contains(QStringLiteral("35x0")));
    EXPECT_TRUE(todaysLog().contains(QStringLiteral("   계약서 ReplaceMoney => ") + expectedError +
                                     QStringLiteral(" => ReplaceMoney\r\n")))
        << todaysLog().toStdString();

    first->setRawValue(QString(17, QLatin1Char('9')));
    first->showAmount(MoneyNotation::Digits);
    EXPECT_EQ(first->text(), QStringLiteral("삼천오백만"));
    EXPECT_EQ(dialogs.shown().size(), 2);
}
