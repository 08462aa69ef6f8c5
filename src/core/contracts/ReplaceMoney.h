#pragma once

#include <QString>

namespace teran {

// The notations of an amount on a contract, in the order of the notation selector `optChange`
// (the order is also what `kumeak` stores).
enum class MoneyNotation { Hanja = 0, Hangul = 1, Digits = 2 };

// The notation of a selector index: 0 hanja, 1 hangul, anything else digits.
MoneyNotation moneyNotationAt(int index);

// One conversion: the display text, or the reason there is none (the field keeps its text).
struct MoneyText {
    QString text;
    QString error; // empty when text holds the conversion
    bool ok() const { return error.isEmpty(); }
};

// The longest amount converted, in digits of 만원: sixteen reach the unit 경 (10^16 won).
inline constexpr int kMaxMoneyDigits = 16;

// An amount in 만원 (a string of digits) in words or in won. Words group the digits by four:
// 만, 억, 조 and 경, each group read with 천/백/십 and the digit 1 always spoken ("일십만"); a
// zero group is silent, and 만 closes the text only when the last group holds a digit
// ("일억", "일억일만"). Digits: the amount in won, "#,##0" ("1" gives "10,000").
// Leading zeros and surrounding blanks are ignored; an empty amount, one with any other
// character or one longer than kMaxMoneyDigits is refused.
MoneyText ReplaceMoney(const QString& raw, MoneyNotation notation);

// "#,##0" of a string of digits of any length ("1234567" gives "1,234,567"): leading zeros
// go, nothing but zeros gives "0". A text that is not all digits comes back unchanged.
QString formatThousands(const QString& digits);

// True for a non-empty text of the digits 0-9 only.
bool isAllDigits(const QString& text);

} // namespace teran
