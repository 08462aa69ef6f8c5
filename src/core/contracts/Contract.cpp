#include "Contract.h"

#include <limits>

#include "core/register/AddressPick.h"

#include <algorithm>

namespace teran {

QString contractKindCode(ContractKind kind) {
    switch (kind) {
    case ContractKind::Jeonse:
        return QStringLiteral("J");
    case ContractKind::MonthlyRent:
        return QStringLiteral("W");
    case ContractKind::Sale:
        break;
    }
    return QStringLiteral("M");
}

ContractKind contractKindOf(const QString& code) {
    if (code == QLatin1String("J"))
        return ContractKind::Jeonse;
    if (code == QLatin1String("W"))
        return ContractKind::MonthlyRent;
    return ContractKind::Sale;
}

bool isLease(ContractKind kind) {
    return kind != ContractKind::Sale;
}

QString contractTitle(ContractKind kind) {
    switch (kind) {
    case ContractKind::Jeonse:
        return QStringLiteral("부동산 전세계약서");
    case ContractKind::MonthlyRent:
        return QStringLiteral("부동산 월세계약서");
    case ContractKind::Sale:
        break;
    }
    return QStringLiteral("부동산 매매계약서");
}

ContractDate ContractDate::of(const QDate& date) {
    if (!date.isValid())
        return {};
    return {QString::number(date.year()), QString::number(date.month()), QString::number(date.day())};
}

ContractDate ContractDate::parse(const QString& stored) {
    const QStringList parts = stored.trimmed().split(QLatin1Char('-'));
    ContractDate d;
    if (parts.size() == 3) {
        d.year = parts[0].trimmed();
        d.month = parts[1].trimmed();
        d.day = parts[2].trimmed();
    }
    return d;
}

QString ContractDate::stored() const {
    if (isEmpty())
        return {};
    return year + QLatin1Char('-') + month + QLatin1Char('-') + day;
}

QDate ContractDate::date() const {
    bool y = false, m = false, d = false;
    const QDate date(year.toInt(&y), month.toInt(&m), day.toInt(&d));
    return y && m && d ? date : QDate();
}

QString ContractDate::spoken() const {
    return year + QStringLiteral(" 년 ") + month + QStringLiteral(" 월 ") + day + QStringLiteral(" 일");
}

QString Contract::address() const {
    return joinedAddress(location);
}

void Contract::computeBalance() {
    // Payments above the price leave no balance to pay, not a negative one.
    if (isLease(kind))
        money[lease::Balance] = std::max<qint64>(0, money[lease::Deposit] - money[lease::ContractDeposit] -
                                                        money[lease::Interim]);
    else
        money[sale::Balance] = std::max<qint64>(0, money[sale::Price] - money[sale::Deposit] -
                                                       money[sale::Interim1] - money[sale::Interim2]);
}

bool Contract::partsExceedTotal() const {
    if (isLease(kind))
        return money[lease::ContractDeposit] + money[lease::Interim] > money[lease::Deposit];
    return money[sale::Deposit] + money[sale::Interim1] + money[sale::Interim2] > money[sale::Price];
}

QString Contract::partsExceedText(ContractKind kind) {
    return isLease(kind) ? QStringLiteral("계약금과 중도금의 합이 보증금보다 큽니다. 금액을 확인하세요.")
                         : QStringLiteral("계약금과 중도금의 합이 매매대금보다 큽니다. 금액을 확인하세요.");
}

namespace {

qint64 wonOf(qint64 manwon) {
    return manwon > std::numeric_limits<qint64>::max() / 10000 ? -1 : manwon * 10000;
}

} // namespace

qint64 Contract::feeBaseDeposit() const {
    return wonOf(money[0]); // the price of a sale, the deposit of a lease
}

qint64 Contract::monthlyRentWon() const {
    return kind == ContractKind::MonthlyRent ? wonOf(money[lease::MonthlyRent]) : 0;
}

std::optional<AgreedFee> Contract::fee() const {
    const ContractDate& day = dates[isLease(kind) ? int(lease::ContractDay) : int(sale::ContractDay)];
    return agreedBrokerageFee(contractKindCode(kind), feeBaseDeposit(), monthlyRentWon(), pro, day.date());
}

ContractBroker officeBroker(const OfficeDetails& office) {
    return {office.address, office.name, office.representative, office.registration, office.phone};
}

} // namespace teran
