#include "NumberText.h"

#include <cmath>

namespace teran {

QString formatAmount(qint64 value) {
    // Digits of the magnitude, taken from an unsigned value so that the lowest qint64 works too.
    quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString formatAmount(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    bool ok = false;
    const qint64 whole = value.toLongLong(&ok);
    if (ok)
        return formatAmount(whole);
    const double real = value.toDouble(&ok);
    return ok ? formatAmount(qint64(std::llround(real))) : value.toString();
}

QString formatYield(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    bool ok = false;
    const double rate = value.toDouble(&ok);
    return ok ? QString::number(rate, 'f', 2) : value.toString();
}

QString plainNumber(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() != QMetaType::Double && value.typeId() != QMetaType::Float)
        return value.toString();
    QString text = QString::number(value.toDouble(), 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace teran
