#include "NumberKeyCheck.h"

#include "ReplaceMoney.h"

#include <QRegularExpression>
#include <algorithm>

namespace teran {

namespace {

struct ParsedNumber {
    bool ok = false;
    bool negative = false;
    QString digits; // the whole part, without separators or leading zeros
};

ParsedNumber parse(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^(-)?([0-9][0-9,]*)?(?:\\.([0-9]*))?$"));
    const QRegularExpressionMatch match = number.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    QString whole = match.captured(2);
    if (whole.isEmpty() && match.captured(3).isEmpty())
        return {}; // "", "-", "." and "-." hold no digit
    whole.remove(QLatin1Char(','));
    const QString digits =
        formatThousands(whole.isEmpty() ? QStringLiteral("0") : whole).remove(QLatin1Char(','));
    return {true, !match.captured(1).isEmpty() && digits != QLatin1String("0"), digits};
}

bool isOneOf(int key, std::initializer_list<int> keys) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

NumberKeyAction NumberKeyCheck::classify(int key, Qt::KeyboardModifiers modifiers) {
    // Keypad keys arrive as the same keys with the keypad modifier.
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) ||
        isOneOf(key, {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Minus}))
        return NumberKeyAction::ReformatToEnd;
    // Tab is among the keys that move: its release lands in the box that has just received the
    // focus, which must not be emptied for it.
    if (isOneOf(key, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
                      Qt::Key_AltGr, Qt::Key_Meta, Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_Home,
                      Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Comma,
                      Qt::Key_Period, Qt::Key_Tab, Qt::Key_Backtab}))
        return NumberKeyAction::Reformat;
    // A key held with Ctrl, Alt or Meta types nothing: it is a shortcut (copy, paste, a button's
    // mnemonic) and must not empty the box.
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return NumberKeyAction::Reformat;
    return NumberKeyAction::Reject;
}

bool NumberKeyCheck::refusesTypedKey(int key, const QString& typed, Qt::KeyboardModifiers modifiers) {
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false; // types nothing: Escape, function keys, the shortcuts with Ctrl
    return classify(key, modifiers) == NumberKeyAction::Reject && !acceptsText(typed);
}

int NumberKeyCheck::digitCount(const QString& text) {
    return int(std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }));
}

bool NumberKeyCheck::amountFull(const QString& text, const QString& selected) {
    return digitCount(text) - digitCount(selected) >= kAmountDigits;
}

QString NumberKeyCheck::limitDigits(const QString& text) {
    QString kept;
    int digits = 0;
    for (const QChar c : text) {
        if (c.isDigit() && ++digits > kAmountDigits)
            continue;
        kept += c;
    }
    return kept;
}

NumberKeyOutcome NumberKeyCheck::check(const QString& text, int caret, int key,
                                       Qt::KeyboardModifiers modifiers, bool checkOnly) {
    const NumberKeyAction action = classify(key, modifiers);
    if (action == NumberKeyAction::Reject)
        return {action, QString(), 0};
    if (checkOnly)
        return {action, text, caret};
    const QString shown = reformat(limitDigits(text));
    if (action == NumberKeyAction::ReformatToEnd)
        return {action, shown, static_cast<int>(shown.size())};
    return {action, shown, shown == text ? caret : caretAfter(text, caret, shown)};
}

QString NumberKeyCheck::reformat(const QString& text) {
    const ParsedNumber number = parse(text);
    if (!number.ok)
        return text;
    return (number.negative ? QStringLiteral("-") : QString()) + formatThousands(number.digits);
}

bool NumberKeyCheck::isNumber(const QString& text) {
    return parse(text).ok;
}

QString NumberKeyCheck::amountDigits(const QString& text) {
    const ParsedNumber number = parse(text);
    return number.ok && !number.negative ? number.digits : QString();
}

int NumberKeyCheck::caretAfter(const QString& before, int caret, const QString& after) {
    const int fromEnd =
        static_cast<int>(before.size()) - std::clamp(caret, 0, static_cast<int>(before.size()));
    return std::clamp(static_cast<int>(after.size()) - fromEnd, 0, static_cast<int>(after.size()));
}

bool NumberKeyCheck::acceptsText(const QString& typed) {
    return std::all_of(typed.begin(), typed.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
               c == QLatin1Char('.') || c == QLatin1Char('-');
    });
}

} // namespace teran
