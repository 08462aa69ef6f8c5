#pragma once

#include "core/contracts/BrokerageFee.h"
#include "core/contracts/ReplaceMoney.h"
#include "core/session/SessionState.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

namespace teran {

// The three kinds of contract the office drafts, by the code `ty` stores.
enum class ContractKind { Sale, Jeonse, MonthlyRent };

QString contractKindCode(ContractKind kind);      // "M", "J", "W"
ContractKind contractKindOf(const QString& code); // anything unknown is a sale
bool isLease(ContractKind kind);
QString contractTitle(ContractKind kind); // "부동산 매매계약서", "부동산 전세계약서", "부동산 월세계약서"

// A date of a contract as its three boxes show it (year, month, day, each may be empty). The
// store keeps it as "yyyy-m-d" (e.g. "2005-3-7"); all three empty is stored as "".
struct ContractDate {
    QString year, month, day;

    static ContractDate of(const QDate& date);
    static ContractDate parse(const QString& stored);
    QString stored() const;
    bool isEmpty() const { return year.isEmpty() && month.isEmpty() && day.isEmpty(); }
    QDate date() const;     // invalid unless all three make a date
    QString spoken() const; // "2026 년 12 월 8 일"
    bool operator==(const ContractDate&) const = default;
};

// A party to the contract or a proxy: the resident registration number joined (6 + 7 digits).
struct ContractParty {
    QString address, residentNumber, phone, name;
    bool operator==(const ContractParty&) const = default;
};

struct ContractBroker {
    QString address, office, representative, registration, phone;
    bool operator==(const ContractBroker&) const = default;
};

// What the money columns mean for each kind: money1..money6 for a sale, money1..money5 for a
// lease (see the amount indexes below).
namespace sale {
enum Amount { Price = 0, Loan, Deposit, Interim1, Interim2, Balance };
enum Date { Interim1Date = 0, Interim2Date, BalanceDate, Handover, ContractDay };
} // namespace sale
namespace lease {
enum Amount { Deposit = 0, ContractDeposit, Interim, Balance, MonthlyRent };
enum Date { InterimDate = 0, BalanceDate, Handover, LeaseEnd, ContractDay };
} // namespace lease

// One contract (`mem_moo_con`). Amounts are whole 만원, 0 when empty.
struct Contract {
    int number = 0; // `table_idx`, 0 until stored
    QString tb;     // property type of the list it was drafted from
    ContractKind kind = ContractKind::Sale;
    int listing = 0; // `tidx`
    std::array<qint64, 6> money{};
    MoneyNotation notation = MoneyNotation::Digits;   // `kumeak`
    QStringList location = QStringList(4, QString()); // `Adr1`..`Adr4`
    QString jimok;
    std::array<QString, 6> areas; // land ㎡, 평; building ㎡, 평; the part let ㎡, 평
    QString gujo, ydo, bubun;
    std::array<ContractDate, 5> dates; // `ymd1`..`ymd5`
    QString rentDay;                   // `ymdw`
    QString special;
    ContractParty seller, sellerProxy, buyer, buyerProxy;
    ContractBroker broker1, broker2;
    QString danM, danP, saram, bank, pro;
    QDateTime writeday;

    // The location's four parts joined by single spaces (empty parts left out).
    QString address() const;
    // The balance rule: sale price − deposit − interims (the loan is not deducted); lease
    // deposit − contract deposit − interim. Written into the balance amount.
    void computeBalance();
    qint64 balance() const { return money[isLease(kind) ? int(lease::Balance) : int(sale::Balance)]; }
    // Whether the parts paid before the balance (deposit and interims) add up to more than the
    // price (or the lease's deposit): a typing slip the window warns about without stopping.
    bool partsExceedTotal() const;
    // The warning's text for the kind ("계약금과 중도금의 합이 매매대금보다 큽니다.").
    static QString partsExceedText(ContractKind kind);
    // The amount the brokerage fee is reckoned on: the price, the deposit, or for a monthly
    // rent the deposit with the rent (whole won).
    qint64 feeBaseDeposit() const; // won; -1 when the amount is beyond what won can hold
    qint64 monthlyRentWon() const;
    // The brokerage fee at the agreed rate (`pro`) and its legal maximum, by the table in force
    // on the contract's day (the newest when the day is not given).
    std::optional<AgreedFee> fee() const;

    bool operator==(const Contract&) const = default;
};

// The office's details as the login gave them (AuthConfig): the first broker of a new contract.
ContractBroker officeBroker(const OfficeDetails& office);

} // namespace teran
