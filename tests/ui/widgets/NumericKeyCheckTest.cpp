#include "ui/widgets/NumericKeyCheck.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class NumericKeyCheckTest : public testing::Test {
protected:
    QLineEdit* numericBox(bool checkOnly) {
        auto* box = new QLineEdit(&window);
        NumericKeyCheck::attach(box, dialogs, checkOnly);
        return box;
    }

    // The wrong key was dropped, the box kept its text and the reason was said (once per box).
    void expectDropped(const QLineEdit* box, const QString& kept, qsizetype boxesShown) {
        ASSERT_EQ(dialogs.shown().size(), boxesShown);
        const auto& shown = dialogs.shown().last();
        EXPECT_EQ(shown.text, QStringLiteral("숫자를 입력하십시요!"));
        EXPECT_EQ(shown.buttons, DialogButtons::Ok);
        EXPECT_EQ(box->text(), kept);
    }

    static void typeByInputMethod(QLineEdit* box, const QString& preedit, const QString& commit) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(box, &event);
    }

    QWidget window;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(NumericKeyCheckTest, ALetterTypedIntoANumericBoxIsDroppedAndTheTextKept) {
    for (bool checkOnly : {false, true}) {
        QLineEdit* box = numericBox(checkOnly);
        QTest::keyClicks(box, QStringLiteral("1234"));
        const QString shown = checkOnly ? QStringLiteral("1234") : QStringLiteral("1,234");
        const qsizetype before = dialogs.shown().size();
        QTest::keyClick(box, Qt::Key_A);
        expectDropped(box, shown, before + 1);
        // Shift with a digit types a symbol, which is no number either; said once is enough.
        QTest::keyClick(box, Qt::Key_Exclam, Qt::ShiftModifier);
        expectDropped(box, shown, before + 1);
        QTest::keyClicks(box, QStringLiteral("5"));
        EXPECT_EQ(box->text(), checkOnly ? QStringLiteral("12345") : QStringLiteral("12,345"));
        // Keys that type nothing are no mistake: Escape leaves the box alone.
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(box, Qt::Key_F2);
        EXPECT_EQ(dialogs.shown().size(), before + 1);
        EXPECT_EQ(box->text(), checkOnly ? QStringLiteral("12345") : QStringLiteral("12,345"));
    }
}

// Money boxes are grouped as they are typed, take eighteen digits and refuse Hangul from the input
// method.
TEST_F(NumericKeyCheckTest, MoneyBoxesAreGroupedStopAtEighteenDigitsAndRefuseHangul) {
    QLineEdit* box = numericBox(false);
    QTest::keyClicks(box, QStringLiteral("1234567"));
    EXPECT_EQ(box->text(), QStringLiteral("1,234,567"));
    EXPECT_EQ(box->cursorPosition(), box->text().size());
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("12,345"));

    // A digit typed in the middle sends the caret to the end.
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_9);
    EXPECT_EQ(box->text(), QStringLiteral("129,345"));
    EXPECT_EQ(box->cursorPosition(), box->text().size());

    // The keypad's digits and minus count as well.
    box->clear();
    QTest::keyClick(box, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral("-"));
    QTest::keyClicks(box, QStringLiteral("5000"), Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral("-5,000"));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    box->clear();
    QTest::keyClicks(box, QStringLiteral("1234567890123456789"));
    EXPECT_EQ(box->text(), QStringLiteral("123,456,789,012,345,678"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("금액은 18자리까지 입력할 수 있습니다."));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_7); // typing over a selection is no extra digit
    EXPECT_EQ(box->text(), QStringLiteral("7"));

    QApplication::clipboard()->setText(QStringLiteral("999999999999999999999999999999"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("999,999,999,999,999,999"));
    // A box of counts keeps what it is given; its column is no amount.
    QLineEdit* count = numericBox(true);
    QTest::keyClicks(count, QStringLiteral("12345678901234567890"));
    EXPECT_EQ(count->text(), QStringLiteral("12345678901234567890"));

    box = numericBox(false);
    EXPECT_FALSE(box->testAttribute(Qt::WA_InputMethodEnabled)) << "a number needs no composing";
    QTest::keyClicks(box, QStringLiteral("3500"));

    typeByInputMethod(box, QString(), QStringLiteral("가"));
    expectDropped(box, QStringLiteral("3,500"), 2);
    QTest::keyClicks(box, QStringLiteral("12"));
    typeByInputMethod(box, QStringLiteral("ㄱ"), QString());
    expectDropped(box, QStringLiteral("350,012"), 2);

    // Digits that come that way are taken.
    box->clear();
    typeByInputMethod(box, QString(), QStringLiteral("77"));
    EXPECT_EQ(box->text(), QStringLiteral("77"));
    EXPECT_EQ(dialogs.shown().size(), 2);
}
