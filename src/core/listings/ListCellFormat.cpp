#include "ListCellFormat.h"

#include "core/listing/PropertyTypes.h"
#include "core/store/SqlStore.h"

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

// Where other offices see a listing, from its state as the office database holds it. A change
// still waiting in the outbox has set that state already, so the cell tells what the program
// treats as published.
QString sharingOf(const QVariant& stored) {
    const std::optional<PublicationState> state = publicationStateFrom(stored);
    if (!state || !isPublished(*state))
        return {};
    const QString online = QStringLiteral("온라인");
    const QString clubs = QStringLiteral("클럽");
    if (isShownOnInternet(*state) && isShownInClubs(*state))
        return online + QLatin1Char('+') + clubs;
    return isShownOnInternet(*state) ? online : clubs;
}

} // namespace

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
    case CellFormat::Sharing:
        return sharingOf(raw(0));
    }
    return {};
}

} // namespace teran
