#include "AutoMoney.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace teran {

namespace {

std::optional<double> numberIn(QString text) {
    text.remove(QLatin1Char(','));
    text = text.trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// "#,##0" of a whole number.
QString formatWhole(qint64 whole) {
    QString digits = QString::number(whole).remove(QLatin1Char('-'));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return whole < 0 ? QLatin1Char('-') + digits : digits;
}

// "#,##0": whole, grouped by thousands, rounded half away from zero. A result past what an
// amount holds shows nothing rather than an overflowed number.
QString grouped(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e18)
        return QString();
    return formatWhole(qint64(std::llround(value)));
}

// "#,##0.#0": grouped with two decimals.
QString groupedTwoDecimals(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e16)
        return QString();
    const qint64 hundredths = qint64(std::llround(value * 100));
    const QString whole = formatWhole(hundredths / 100);
    return whole + QLatin1Char('.') +
           QStringLiteral("%1").arg(qAbs(hundredths % 100), 2, 10, QLatin1Char('0'));
}

} // namespace

double amountValue(const QString& text) {
    return numberIn(text).value_or(0);
}

namespace {

using Wide = __int128; // room for an 18-digit amount times a four-decimal area

// Areas are read exactly, in ten-thousandths of a 평 ("25.7" gives 257000), so that no binary
// fraction changes a computed price; the amounts themselves are whole 만원 (or 원).
constexpr qint64 kAreaScale = 10000;

// A number too long for an amount reads as this: whatever it takes part in shows nothing.
constexpr Wide kTooLong = Wide(1000000000000000000LL) * Wide(1000000000000LL); // 10^30

// The text as a whole number of 10^-decimals units, rounded half away from zero; 0 for a text
// that is no number.
Wide fixedOf(QString text, int decimals) {
    text.remove(QLatin1Char(','));
    text = text.trimmed();
    static const QRegularExpression number(QStringLiteral(R"(^(-?)(\d*)(?:\.(\d*))?$)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return 0;
    const bool negative = !m.captured(1).isEmpty();
    if (m.captured(2).size() > 18)
        return negative ? -kTooLong : kTooLong;
    Wide value = m.captured(2).isEmpty() ? 0 : m.captured(2).toLongLong();
    QString fraction = m.captured(3).left(decimals + 1);
    const bool roundUp = fraction.size() > decimals && fraction.at(decimals) >= QLatin1Char('5');
    fraction = fraction.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    for (int i = 0; i < decimals; ++i)
        value *= 10;
    value += (decimals > 0 ? fraction.toLongLong() : 0) + (roundUp ? 1 : 0);
    return negative ? -value : value;
}

Wide amountOf(const QString& text) {
    return fixedOf(text, 0);
}

Wide areaOf(const QString& text) {
    return fixedOf(text, 4);
}

// numerator / denominator rounded half away from zero; the denominator is positive.
Wide divideRounded(Wide numerator, Wide denominator) {
    const Wide half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

// "#,##0" of an exact whole number; nothing for one past what an amount holds.
QString groupedWhole(Wide value) {
    constexpr Wide kLimit = Wide(1000000000000000000LL); // 10^18
    if (value >= kLimit || value <= -kLimit)
        return QString();
    return formatWhole(qint64(value));
}

} // namespace

ComputedAmounts AutoMoney(const AmountTexts& t) {
    const Wide m = amountOf(t.money_m);
    const Wide pyung = areaOf(t.pyung);
    ComputedAmounts out;
    const Wide sg = m - amountOf(t.money_y) - amountOf(t.money_mb);
    out.money_sg = groupedWhole(sg);
    // The yield in hundredths of a percent: (rent × 12 − interest) ÷ price × 100, shown from 0.01.
    const Wide income = amountOf(t.money_mw) * 12 - amountOf(t.money_yeja);
    if (sg > 0 && income * 10000 >= sg) {
        const Wide hundredths = divideRounded(income * 10000, sg);
        out.money_ys = hundredths < Wide(1000000000000LL)
                           ? QStringLiteral("%1.%2")
                                 .arg(qint64(hundredths / 100))
                                 .arg(qint64(hundredths % 100), 2, 10, QLatin1Char('0'))
                           : QString();
    } else {
        out.money_ys = QStringLiteral("0");
    }
    if (pyung > 0 && m > 0)
        out.money_p = groupedWhole(divideRounded(m * kAreaScale, pyung));
    // The official price is 원 per 평; the total is in 만원.
    out.m_tlp = groupedWhole(divideRounded(amountOf(t.money_lp) * pyung, Wide(kAreaScale) * 10000));
    out.money_slp =
        m <= 0 || pyung <= 0
            ? QStringLiteral("0")
            : groupedWhole(divideRounded(m * kAreaScale - amountOf(t.money_gp) * areaOf(t.pyung_use), pyung));
    return out;
}

std::optional<QString> squareMetresOf(const QString& pyungText) {
    const std::optional<double> pyung = numberIn(pyungText);
    if (!pyung)
        return std::nullopt;
    return groupedTwoDecimals(*pyung * kSquareMetresPerPyung);
}

std::optional<QString> pyungOf(const QString& squareMetresText) {
    const std::optional<double> metres = numberIn(squareMetresText);
    if (!metres)
        return std::nullopt;
    return grouped(*metres / kSquareMetresPerPyung);
}

std::optional<QString> pyungTwoDecimalsOf(const QString& squareMetresText) {
    const std::optional<double> metres = numberIn(squareMetresText);
    if (!metres)
        return std::nullopt;
    return groupedTwoDecimals(*metres / kSquareMetresPerPyung);
}

} // namespace teran
