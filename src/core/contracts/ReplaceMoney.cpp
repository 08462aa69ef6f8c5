#include "ReplaceMoney.h"

#include <array>

namespace teran {

namespace {

// The words of one notation. Places are the positions within a group of four digits
// (ones, tens, hundreds, thousands); groups are the units of each group of four above the first.
struct Numerals {
    std::array<QString, 10> digits;
    std::array<QString, 4> places;
    std::array<QString, 4> groups;
    QString suffix; // the unit of the first group: the amounts are typed in 만원
    QString zero;
};

// Written with escapes on purpose: 參, 六 and 拾 are the compatibility ideographs of their
// Korean readings, which an editor's normalisation would silently turn into other characters.
const Numerals& hanja() {
    static const Numerals words{
        {QString(), QStringLiteral("\u58F9"), QStringLiteral("\u8CB3"), QStringLiteral("\uF96B"),
         QStringLiteral("\u56DB"), QStringLiteral("\u4E94"), QStringLiteral("\uF9D1"),
         QStringLiteral("\u4E03"), QStringLiteral("\u516B"), QStringLiteral("\u4E5D")},
        {QString(), QStringLiteral("\uF973"), QStringLiteral("\u767E"), QStringLiteral("\u9621")},
        {QString(), QStringLiteral("\u5104"), QStringLiteral("\u5146"), QStringLiteral("\u4EAC")},
        QStringLiteral("\u842C"),
        QStringLiteral("\u96F6"),
    };
    return words;
}

const Numerals& hangul() {
    static const Numerals words{
        {QString(), QStringLiteral("일"), QStringLiteral("이"), QStringLiteral("삼"), QStringLiteral("사"),
         QStringLiteral("오"), QStringLiteral("육"), QStringLiteral("칠"), QStringLiteral("팔"),
         QStringLiteral("구")},
        {QString(), QStringLiteral("십"), QStringLiteral("백"), QStringLiteral("천")},
        {QString(), QStringLiteral("억"), QStringLiteral("조"), QStringLiteral("경")},
        QStringLiteral("만"),
        QStringLiteral("영"),
    };
    return words;
}

QString withoutLeadingZeros(const QString& digits) {
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits.at(first) == QLatin1Char('0'))
        ++first;
    return digits.mid(first);
}

// The words of one group of up to four digits (most significant first); empty for zeros.
QString groupWords(QStringView group, const Numerals& words) {
    QString text;
    for (qsizetype i = 0; i < group.size(); ++i) {
        const int digit = group.at(i).digitValue();
        if (digit != 0)
            text += words.digits.at(digit) + words.places.at(group.size() - 1 - i);
    }
    return text;
}

// digits: no leading zero, at most kMaxMoneyDigits long.
QString inWords(const QString& digits, const Numerals& words) {
    if (digits == QLatin1String("0"))
        return words.zero;
    const qsizetype groups = (digits.size() + 3) / 4;
    qsizetype start = 0;
    QString text;
    QString last;
    for (qsizetype group = groups - 1; group >= 0; --group) {
        const qsizetype end = digits.size() - group * 4;
        last = groupWords(QStringView(digits).mid(start, end - start), words);
        if (!last.isEmpty())
            text += last + words.groups.at(group);
        start = end;
    }
    if (!last.isEmpty())
        text += words.suffix;
    return text;
}

} // namespace

MoneyNotation moneyNotationAt(int index) {
    switch (index) {
    case 0:
        return MoneyNotation::Hanja;
    case 1:
        return MoneyNotation::Hangul;
    default:
        return MoneyNotation::Digits;
    }
}

bool isAllDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString formatThousands(const QString& digits) {
    if (!isAllDigits(digits))
        return digits;
    const QString plain = withoutLeadingZeros(digits);
    QString text;
    text.reserve(plain.size() + plain.size() / 3);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (i > 0 && (plain.size() - i) % 3 == 0)
            text += QLatin1Char(',');
        text += plain.at(i);
    }
    return text;
}

MoneyText ReplaceMoney(const QString& raw, MoneyNotation notation) {
    const QString trimmed = raw.trimmed();
    if (trimmed.isEmpty())
        return {QString(), QStringLiteral("변환할 금액이 없습니다.")};
    if (!isAllDigits(trimmed))
        return {QString(), QStringLiteral("금액은 숫자로만 적어야 합니다: ") + raw};
    const QString digits = withoutLeadingZeros(trimmed);
    if (digits.size() > kMaxMoneyDigits)
        return {QString(),
                QStringLiteral("금액이 너무 큽니다(%1자리까지 쓸 수 있습니다): ").arg(kMaxMoneyDigits) + raw};
    switch (notation) {
    case MoneyNotation::Hanja:
        return {inWords(digits, hanja()), QString()};
    case MoneyNotation::Hangul:
        return {inWords(digits, hangul()), QString()};
    case MoneyNotation::Digits:
        break;
    }
    return {formatThousands(digits + QStringLiteral("0000")), QString()};
}

} // namespace teran
