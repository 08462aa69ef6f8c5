#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace teran {

// The most a broker may charge for a housing contract (중개보수 상한), by the table in force on the
// contract's day. Amounts are in won.
struct FeeMaximum {
    qint64 base = 0;           // the amount the rate applies to (a monthly rent's converted amount)
    int rateTenthsPercent = 0; // 6 = 0.6 %
    std::optional<qint64> cap; // the band's ceiling, where it has one
    qint64 fee = 0;            // the maximum, before VAT
    qint64 vat = 0;            // 10 % of it, shown apart
};

// kind "M" sale, "J" jeonse, "W" monthly rent (`deposit` and `monthlyRent`; the others use
// `deposit` as the amount), by the table in force on `day` (an invalid day takes the newest).
// Nullopt for another kind or a negative amount.
std::optional<FeeMaximum> brokerageFeeMaximum(const QString& kind, qint64 deposit, qint64 monthlyRent = 0,
                                              const QDate& day = {});

// True when a fee asked is above the legal maximum (the office is warned).
bool feeAboveMaximum(qint64 fee, const FeeMaximum& maximum);

// The fee of a contract at the rate the office agreed (`pro`, in %, e.g. "0.4"), beside the
// legal maximum of the same amount.
struct AgreedFee {
    FeeMaximum maximum;
    std::optional<qint64> fee; // base × rate, whole won rounded down; none without a valid rate
    qint64 vat = 0;            // 10 % of the fee, charged on top
    bool aboveMaximum = false;
};

// Nullopt when there is no amount to reckon on (an empty contract) or the kind has no table.
std::optional<AgreedFee> agreedBrokerageFee(const QString& kind, qint64 deposit, qint64 monthlyRent,
                                            const QString& rate, const QDate& day = {});

// A rate as the office writes it ("0.4", "0.45 %"): in millionths of the amount (0.4 % =
// 4000); nullopt when it is no rate from 0 to 100 %.
std::optional<qint64> feeRateMillionths(const QString& rate);

} // namespace teran
