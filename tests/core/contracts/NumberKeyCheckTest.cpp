#include "core/contracts/NumberKeyCheck.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {

using Action = NumberKeyAction;

void expectAction(std::initializer_list<int> keys, Qt::KeyboardModifiers modifiers, Action expected) {
    for (int key : keys)
        EXPECT_EQ(NumberKeyCheck::classify(key, modifiers), expected) << std::hex << "key 0x" << key;
}

} // namespace

// Digits and deleting keys reformat and move the caret to the end; keys that type no digit but
// belong to numbers (moving, decimal key, shortcuts such as a paste) keep it; the rest is refused.
TEST(NumberKeyCheckTest, KeysReformatKeepTheCaretOrAreRefused) {
    expectAction({Qt::Key_0, Qt::Key_9, Qt::Key_Minus, Qt::Key_Backspace}, {}, Action::ReformatToEnd);
    expectAction({Qt::Key_5}, Qt::KeypadModifier, Action::ReformatToEnd);
    expectAction({Qt::Key_Left, Qt::Key_Tab, Qt::Key_Comma, Qt::Key_Return}, {}, Action::Reformat);
    expectAction({Qt::Key_Comma}, Qt::KeypadModifier, Action::Reformat);
    expectAction({Qt::Key_V}, Qt::ControlModifier, Action::Reformat);
    expectAction({Qt::Key_A, Qt::Key_Space, Qt::Key_Hangul, 0}, {}, Action::Reject);
    expectAction({Qt::Key_Exclam}, Qt::ShiftModifier, Action::Reject);
    expectAction({Qt::Key_Plus}, Qt::KeypadModifier, Action::Reject);
}

TEST(NumberKeyCheckTest, ReformatGroupsTheWholePartByThousands) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"1234567", "1,234,567"},
        {"12,34,5", "12,345"},
        {"007", "7"},
        {"-1234", "-1,234"},
        {"-0", "0"},
        {"1,234.56", "1,234"},
        {".5", "0"},
        {" 12 ", "12"},
        {"", ""},
        {"-", "-"},
        {"12a", "12a"},
        {"1-2", "1-2"},
        {"1.2.3", "1.2.3"},
        {"+12", "+12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberKeyCheck::reformat(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
    EXPECT_EQ(NumberKeyCheck::reformat(QStringLiteral("１２３")), QStringLiteral("１２３"));
    EXPECT_EQ(NumberKeyCheck::reformat(QStringLiteral("12가")), QStringLiteral("12가"));
    // Longer than any integer type.
    EXPECT_EQ(NumberKeyCheck::reformat(QStringLiteral("12345678901234567890123")),
              QStringLiteral("12,345,678,901,234,567,890,123"));
}

TEST(NumberKeyCheckTest, AnAmountIsTheWholeNonNegativeNumberShown) {
    EXPECT_EQ(NumberKeyCheck::amountDigits(QStringLiteral("3,500")), QStringLiteral("3500"));
    EXPECT_EQ(NumberKeyCheck::amountDigits(QStringLiteral("0,050")), QStringLiteral("50"));
    EXPECT_EQ(NumberKeyCheck::amountDigits(QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(NumberKeyCheck::amountDigits(QStringLiteral("99,999,999,999,999,999,999")),
              QStringLiteral("99999999999999999999"));
    for (const QString& none : {QString(), QStringLiteral("-5"), QStringLiteral("abc"), QStringLiteral("-"),
                                QStringLiteral("삼천오백만")})
        EXPECT_TRUE(NumberKeyCheck::amountDigits(none).isEmpty()) << none.toStdString();
    EXPECT_TRUE(NumberKeyCheck::isNumber(QStringLiteral("-1,234.5")));
    EXPECT_FALSE(NumberKeyCheck::isNumber(QStringLiteral("-")));
}

TEST(NumberKeyCheckTest, TheCheckReformatsRefusesOrOnlyChecks) {
    const struct {
        const char* why;
        const char* text;
        int caret;
        int key;
        bool checkOnly;
        Action action;
        const char* shown;
        int shownCaret;
    } cases[] = {
        {"a digit typed in the middle: the caret goes to the end", "1,2534", 4, Qt::Key_5, false,
         Action::ReformatToEnd, "12,534", 6},
        {"a comma typed at the end is absorbed; the caret stays after the last digit", "1,234,", 6,
         Qt::Key_Comma, false, Action::Reformat, "1,234", 5},
        {"a comma typed between digits: the caret stays beside the digits it followed", "12,345", 1,
         Qt::Key_Comma, false, Action::Reformat, "12,345", 1},
        {"the same, regrouped", "123,4567", 4, Qt::Key_Comma, false, Action::Reformat, "1,234,567", 5},
        {"arrows over a formatted text change nothing", "1,234", 2, Qt::Key_Left, false, Action::Reformat,
         "1,234", 2},
        {"check only: the text stays as typed", "1234.5", 3, Qt::Key_5, true, Action::ReformatToEnd, "1234.5",
         3},
        {"check only: a letter is still refused", "12a", 3, Qt::Key_A, true, Action::Reject, "", 0},
        {"after an accepted key a text that is no number is left alone", "12a", 3, Qt::Key_Backspace, false,
         Action::ReformatToEnd, "12a", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const NumberKeyOutcome out =
            NumberKeyCheck::check(QString::fromUtf8(c.text), c.caret, c.key, {}, c.checkOnly);
        EXPECT_EQ(out.action, c.action);
        EXPECT_EQ(out.text, QString::fromUtf8(c.shown));
        EXPECT_EQ(out.caret, c.shownCaret);
    }
}

TEST(NumberKeyCheckTest, InputMethodTextMayHoldOnlyWhatNumbersAreWrittenWith) {
    EXPECT_TRUE(NumberKeyCheck::acceptsText(QString()));
    EXPECT_TRUE(NumberKeyCheck::acceptsText(QStringLiteral("0123456789,.-")));
    for (const QString& refused :
         {QStringLiteral("가"), QStringLiteral("ㄱ"), QStringLiteral("1가"), QStringLiteral("a"),
          QStringLiteral("１"), QStringLiteral(" "), QStringLiteral("+")})
        EXPECT_FALSE(NumberKeyCheck::acceptsText(refused)) << refused.toStdString();
}

// A wrong key is dropped alone: keys that type nothing (Escape) are never refused.
TEST(NumberKeyCheckTest, OnlyKeysThatTypeSomethingWrongAreDropped) {
    EXPECT_TRUE(NumberKeyCheck::refusesTypedKey(Qt::Key_A, QStringLiteral("a"), Qt::NoModifier));
    EXPECT_TRUE(NumberKeyCheck::refusesTypedKey(Qt::Key_Slash, QStringLiteral("/"), Qt::NoModifier));
    EXPECT_FALSE(NumberKeyCheck::refusesTypedKey(Qt::Key_Escape, QStringLiteral("\x1b"), Qt::NoModifier));
    EXPECT_FALSE(NumberKeyCheck::refusesTypedKey(Qt::Key_F1, QString(), Qt::NoModifier));
    EXPECT_FALSE(NumberKeyCheck::refusesTypedKey(Qt::Key_5, QStringLiteral("5"), Qt::NoModifier));
    EXPECT_FALSE(NumberKeyCheck::refusesTypedKey(Qt::Key_Comma, QStringLiteral(","), Qt::NoModifier));
    EXPECT_FALSE(NumberKeyCheck::refusesTypedKey(Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier))
        << "Ctrl+V types no character of its own";
}

// An amount takes at most the digits its 64-bit column holds; a longer paste is cut, never wrapped.
TEST(NumberKeyCheckTest, AmountsStopAtEighteenDigits) {
    const QString full = QStringLiteral("123,456,789,012,345,678");
    EXPECT_EQ(NumberKeyCheck::digitCount(full), 18);
    EXPECT_TRUE(NumberKeyCheck::amountFull(full, QString()));
    EXPECT_FALSE(NumberKeyCheck::amountFull(full, QStringLiteral("78"))) << "a selection is replaced";
    EXPECT_FALSE(NumberKeyCheck::amountFull(QStringLiteral("12,345"), QString()));
    const QString pasted = QStringLiteral("123456789012345678901234567890");
    EXPECT_EQ(NumberKeyCheck::limitDigits(pasted), QStringLiteral("123456789012345678"));
    const NumberKeyOutcome shown = NumberKeyCheck::check(pasted, 30, Qt::Key_V, Qt::ControlModifier, false);
    EXPECT_EQ(shown.text, full);
}
