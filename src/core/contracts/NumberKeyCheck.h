#pragma once

#include <QString>
#include <QtCore/qnamespace.h>

namespace teran {

// What the key check does after a key is released in a numeric box.
enum class NumberKeyAction {
    ReformatToEnd, // digits, Backspace, Delete, minus: reformat, caret to the end
    Reformat,      // Enter, modifiers, Tab, Home/End/arrows, comma, period, shortcuts: caret stays
    Reject,        // anything else: the box says so and is emptied
};

// The box's text and caret after the check.
struct NumberKeyOutcome {
    NumberKeyAction action;
    QString text;
    int caret;
};

// The rules of `CheckNumberKey`, the key-up check of every numeric text box: which keys a
// numeric box takes and how its text is shown ("#,##0"). Money-like boxes reformat; plain
// numbers (floors, counts, phone-like digits) pass checkOnly and keep their text as typed.
class NumberKeyCheck {
public:
    static NumberKeyAction classify(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The whole check for one released key.
    static NumberKeyOutcome check(const QString& text, int caret, int key, Qt::KeyboardModifiers modifiers,
                                  bool checkOnly);

    // A text as "#,##0" shows it: the digits grouped by thousands, a leading minus kept, commas
    // already present ignored, blanks around it and the part after a period dropped ("1,2345"
    // gives "12,345", "-1234.5" gives "-1,234"). A text that is no number comes back unchanged.
    static QString reformat(const QString& text);
    static bool isNumber(const QString& text);
    // The digits of the whole amount a text shows ("3,500" gives "3500"); empty when the text is
    // empty, no number or negative, as an amount is a count of 만원.
    static QString amountDigits(const QString& text);

    // Where the caret goes when the text was reformatted: as far from the end as it was, so it
    // stays beside the digits it was beside.
    static int caretAfter(const QString& before, int caret, const QString& after);

    // True when typed text (e.g. from an input method) holds only what a numeric box takes:
    // digits, comma, period and minus.
    static bool acceptsText(const QString& typed);

    // Whether a pressed key would type a character that is no part of a number: that key alone
    // is dropped and the box keeps its text. Keys that type nothing (Escape, F1, Insert) pass.
    static bool refusesTypedKey(int key, const QString& typed, Qt::KeyboardModifiers modifiers);

    // The most digits an amount box takes: what the 64-bit amount columns hold whatever the digits.
    static constexpr int kAmountDigits = 18;
    static int digitCount(const QString& text);
    // Whether one more digit typed into an amount box holding `text` (with `selected` of its
    // characters selected, to be replaced) would pass kAmountDigits.
    static bool amountFull(const QString& text, const QString& selected);
    // The text with its digits after the first kAmountDigits dropped (a pasted long number).
    static QString limitDigits(const QString& text);
    static QString tooLongText() { return QStringLiteral("금액은 18자리까지 입력할 수 있습니다."); }

    static QString rejectText() { return QStringLiteral("숫자를 입력하십시요!"); }
    static QString rejectTitle() { return QStringLiteral("알림"); }
};

} // namespace teran
