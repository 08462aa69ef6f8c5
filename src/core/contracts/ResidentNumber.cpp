#include "ResidentNumber.h"

namespace teran {

QString maskedResidentNumber(const QString& joined) {
    const QString number = joined.trimmed();
    if (number.isEmpty())
        return {};
    const QString first = number.left(6);
    if (number.size() <= 6)
        return first + QStringLiteral("-*******");
    return first + QLatin1Char('-') + number.mid(6, 1) + QStringLiteral("******");
}

QString spelledResidentNumber(const QString& joined) {
    const QString second = residentNumberSecond(joined);
    if (second.isEmpty())
        return residentNumberFirst(joined);
    return residentNumberFirst(joined) + QStringLiteral(" - ") + second;
}

bool residentNumberChecksumHolds(const QString& joined) {
    const QString number = joined.trimmed();
    if (number.size() != 13)
        return false;
    static const int weights[12] = {2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5};
    int sum = 0;
    for (int i = 0; i < 13; ++i)
        if (!number.at(i).isDigit() || number.at(i).unicode() > '9')
            return false;
    for (int i = 0; i < 12; ++i)
        sum += (number.at(i).unicode() - '0') * weights[i];
    return (11 - sum % 11) % 10 == number.at(12).unicode() - '0';
}

QString joinResidentNumber(const QString& first, const QString& second) {
    return first.trimmed() + second.trimmed();
}

QString residentNumberFirst(const QString& joined) {
    return joined.left(6);
}

QString residentNumberSecond(const QString& joined) {
    return joined.mid(6, 7);
}

} // namespace teran
