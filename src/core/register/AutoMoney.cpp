#include "AutoMoney.h"

#include <QLocale>
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

// "#,##0": whole, grouped by thousands, rounded half away from zero. A result past what an
// amount holds shows nothing rather than an overflowed number.
QString grouped(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e18)
        return QString();
    const qint64 whole = qint64(std::llround(value));
    QString digits = QString::number(whole < 0 ? -whole : whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return whole < 0 ? QLatin1Char('-') + digits : digits;
}

// "#,##0.#0": grouped with two decimals.
QString groupedTwoDecimals(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e16)
        return QString();
    const qint64 hundredths = qint64(std::llround(value * 100));
    const QString whole = grouped(double(hundredths / 100));
    return whole + QLatin1Char('.') +
           QStringLiteral("%1").arg(qAbs(hundredths % 100), 2, 10, QLatin1Char('0'));
}

} // namespace

double amountValue(const QString& text) {
    return numberIn(text).value_or(0);
}

ComputedAmounts AutoMoney(const AmountTexts& t) {
    // Single precision, as the form has always computed: 7.33 and not 7.3333 shows the same.
    const float m = float(amountValue(t.money_m));
    const float pyung = float(amountValue(t.pyung));
    ComputedAmounts out;
    const float sg = m - float(amountValue(t.money_y)) - float(amountValue(t.money_mb));
    out.money_sg = grouped(sg);
    const float yield =
        sg > 0 ? (float(amountValue(t.money_mw)) * 12 - float(amountValue(t.money_yeja))) / sg * 100 : 0;
    out.money_ys =
        yield >= 0.01f ? QString::number(std::round(double(yield) * 100) / 100, 'f', 2) : QStringLiteral("0");
    if (pyung > 0 && m > 0)
        out.money_p = grouped(m / pyung);
    out.m_tlp = grouped(double(float(amountValue(t.money_lp)) * pyung / 10000));
    out.money_slp =
        m <= 0 || pyung <= 0
            ? QStringLiteral("0")
            : grouped((m - float(amountValue(t.money_gp)) * float(amountValue(t.pyung_use))) / pyung);
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
