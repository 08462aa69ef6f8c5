#include "ListCellFormat.h"

#include "session/PropertyTypes.h"
#include "session/SqlStore.h"

#include <QDateTime>

namespace teran {

namespace {

const QString kSlash = QStringLiteral(" / ");
const QString kPhoto = QStringLiteral(" Ｏ");
const QString kHidden = QStringLiteral("-");

QString textOf(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return plainNumber(value);
    default:
        return value.toString();
    }
}

QString pairOf(const QVariant& first, const QVariant& second) {
    const QString a = textOf(first);
    const QString b = textOf(second);
    if (a.isEmpty() && b.isEmpty())
        return {};
    return a + kSlash + b;
}

bool isBlank(const QVariant& value) {
    return value.isNull() || !value.isValid() || value.toString().trimmed().isEmpty();
}

QString dateOf(const QVariant& value, const QString& format) {
    const QDateTime when = SqlStore::toDateTime(value);
    return when.isValid() ? when.toString(format) : QString();
}

QString combinedOf(const QVariant& rent, const QVariant& deposit) {
    if (rent.isNull() && deposit.isNull())
        return {};
    return formatAmount(combinedAmount(rent.toLongLong(), deposit.toLongLong()));
}

// A building without a count per household shows its spaces below and above ground.
QString parkingOf(const QVariant& parking, const QVariant& below, const QVariant& above) {
    const bool none = parking.isNull() || parking.toDouble() == 0;
    if (none && !(below.isNull() && above.isNull()))
        return pairOf(below, above);
    return textOf(parking);
}

QString ownerPhonesOf(const QVariant& opid, const QVariant& home, const QVariant& mobile,
                      const QVariant& office, const QString& loginId) {
    const QString reservedBy = opid.toString();
    if (!reservedBy.isEmpty() && reservedBy != loginId)
        return kHidden;
    if (isBlank(home) && isBlank(mobile) && isBlank(office))
        return {};
    return textOf(home) + kSlash + textOf(mobile) + kSlash + textOf(office);
}

const OfficeContact* officeOf(const QVariant& subid, const CellContext& context) {
    if (!context.offices)
        return nullptr;
    const auto it = context.offices->constFind(subid.toString());
    return it == context.offices->constEnd() ? nullptr : &it.value();
}

} // namespace

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

QString formatCell(const ListColumn& column, const RawValues& row, const CellContext& context) {
    const auto raw = [&](int i) { return i < column.raw.size() ? row.value(column.raw.at(i)) : QVariant(); };
    switch (column.format) {
    case CellFormat::Text:
        return textOf(raw(0));
    case CellFormat::Number:
        return plainNumber(raw(0));
    case CellFormat::Amount:
        return formatAmount(raw(0));
    case CellFormat::Yield:
        return formatYield(raw(0));
    case CellFormat::TypeLabel: {
        const QString tb = raw(0).toString();
        const QString label = propertyTypeLabel(tb, raw(1).toString());
        return label.isEmpty() ? tb : label;
    }
    case CellFormat::Transaction: {
        const QString ty = raw(0).toString();
        const QString label = transactionLabel(ty);
        return label.isEmpty() ? ty : label;
    }
    case CellFormat::Photo:
        return isBlank(raw(0)) && isBlank(raw(1)) ? QString() : kPhoto;
    case CellFormat::Pair:
        return pairOf(raw(0), raw(1));
    case CellFormat::Combined:
        return combinedOf(raw(0), raw(1));
    case CellFormat::Parking:
        return parkingOf(raw(0), raw(1), raw(2));
    case CellFormat::BuildingState:
        return isBlank(raw(0)) ? textOf(raw(1)) : textOf(raw(0));
    case CellFormat::OwnerPhones:
        return ownerPhonesOf(raw(0), raw(1), raw(2), raw(3), context.loginId);
    case CellFormat::OfficePhones: {
        const OfficeContact* office = officeOf(raw(0), context);
        return office ? office->phones : kHidden;
    }
    case CellFormat::OfficeAgent: {
        const OfficeContact* office = officeOf(raw(0), context);
        return office ? office->name : textOf(raw(0));
    }
    case CellFormat::Date:
        return dateOf(raw(0), QStringLiteral("yy-MM-dd"));
    case CellFormat::DateTime:
        return dateOf(raw(0), QStringLiteral("yy-MM-dd H:mm"));
    }
    return {};
}

} // namespace teran
