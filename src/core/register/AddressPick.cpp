#include "AddressPick.h"

#include <QRegularExpression>

namespace teran {

namespace {

const QString kLotPlaceholder = QStringLiteral("지번");

bool matches(const QString& pattern, const QString& text) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

// The location of a contract shows its parts in labels Madr1..Madr3, the rest in Madr4 and the
// whole in addressM (J instead of M for a lease).
QList<QPair<QString, QString>> locationFields(const AddressPick& pick) {
    const QString group = pick.target.left(1);
    const QString prefix = group + QStringLiteral("adr");
    return {{pick.target, pick.joined()},
            {prefix + QLatin1Char('1'), pick.addr1},
            {prefix + QLatin1Char('2'), pick.addr2},
            {prefix + QLatin1Char('3'), pick.addr3},
            {prefix + QLatin1Char('4'), pick.rest()},
            {QStringLiteral("address") + group, pick.joined()}};
}

} // namespace

AddressTargetKind addressTargetKind(const QString& target) {
    if (target == QStringLiteral("frmInsert"))
        return AddressTargetKind::Registration;
    if (target == QStringLiteral("Maddress") || target == QStringLiteral("Jaddress"))
        return AddressTargetKind::Location;
    if (matches(QStringLiteral("[MJ]addr[1-6]"), target))
        return AddressTargetKind::PartyAddress;
    if (matches(QStringLiteral("AdrMul[1-5]?"), target))
        return AddressTargetKind::ContractField;
    return AddressTargetKind::Unknown;
}

QString AddressPick::rest() const {
    const QString text = addr4.trimmed();
    return text == kLotPlaceholder ? QString() : text;
}

QString joinedAddress(const QStringList& parts) {
    QStringList kept;
    for (const QString& part : parts)
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    return kept.join(QLatin1Char(' '));
}

QString AddressPick::joined() const {
    return joinedAddress({addr1, addr2, addr3, rest()});
}

bool AddressPick::needsRest() const {
    const AddressTargetKind k = kind();
    return k == AddressTargetKind::Location || k == AddressTargetKind::PartyAddress;
}

QList<QPair<QString, QString>> AddressPick::fieldValues() const {
    switch (kind()) {
    case AddressTargetKind::Registration:
        return {{QStringLiteral("addr1"), addr1},
                {QStringLiteral("addr2"), addr2},
                {QStringLiteral("addr3"), addr3},
                {QStringLiteral("addr4"), rest()},
                {QStringLiteral("address"), joined()}};
    case AddressTargetKind::Location:
        return locationFields(*this);
    case AddressTargetKind::PartyAddress:
    case AddressTargetKind::ContractField:
        return {{target, joined()}};
    case AddressTargetKind::Unknown:
        break;
    }
    return {};
}

} // namespace teran
