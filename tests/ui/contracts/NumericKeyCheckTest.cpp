#include "contracts/NumericKeyCheck.h"
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

    void expectRefused(const QLineEdit* box, qsizetype boxesBefore) {
        ASSERT_EQ(dialogs.shown().size(), boxesBefore + 1);
        const auto& shown = dialogs.shown().last();
        EXPECT_EQ(shown.text, QStringLiteral("숫자를 입력하십시요!"));
        EXPECT_EQ(shown.buttons, DialogButtons::Ok);
        EXPECT_TRUE(box->text().isEmpty()) << box->text().toStdString();
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

TEST_F(NumericKeyCheckTest, ALetterTypedIntoANumericBoxIsRefusedAndEmptiesIt) {
    for (bool checkOnly : {false, true}) {
        QLineEdit* box = numericBox(checkOnly);
        QTest::keyClicks(box, QStringLiteral("1234"));
        const qsizetype before = dialogs.shown().size();
        QTest::keyClick(box, Qt::Key_A);
        expectRefused(box, before);
        // Shift with a digit types a symbol, which is no number either.
        QTest::keyClicks(box, QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Exclam, Qt::ShiftModifier);
        expectRefused(box, before + 1);
    }
}

TEST_F(NumericKeyCheckTest, MoneyBoxesAreGroupedAsTheyAreTyped) {
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
}

TEST_F(NumericKeyCheckTest, HangulFromTheInputMethodIsRefused) {
    QLineEdit* box = numericBox(false);
    EXPECT_FALSE(box->testAttribute(Qt::WA_InputMethodEnabled)) << "a number needs no composing";
    QTest::keyClicks(box, QStringLiteral("3500"));

    typeByInputMethod(box, QString(), QStringLiteral("가"));
    expectRefused(box, 0);
    QTest::keyClicks(box, QStringLiteral("12"));
    typeByInputMethod(box, QStringLiteral("ㄱ"), QString());
    expectRefused(box, 1);

    // Digits that come that way are taken.
    typeByInputMethod(box, QString(), QStringLiteral("77"));
    EXPECT_EQ(box->text(), QStringLiteral("77"));
    EXPECT_EQ(dialogs.shown().size(), 2);
}
