#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace teran {

// The most a broker may charge for a housing contract (중개보수 상한), by the table in force since
// 2021-10-19. Amounts are in won.
struct FeeMaximum {
    qint64 base = 0;           // the amount the rate applies to (a monthly rent's converted amount)
    int rateTenthsPercent = 0; // 6 = 0.6 %
    std::optional<qint64> cap; // the band's ceiling, where it has one
    qint64 fee = 0;            // the maximum, before VAT
    qint64 vat = 0;            // 10 % of it, shown apart
};

// kind "M" sale, "J" jeonse, "W" monthly rent (`deposit` and `monthlyRent`; the others use
// `deposit` as the amount). Nullopt for another kind or a negative amount.
std::optional<FeeMaximum> brokerageFeeMaximum(const QString& kind, qint64 deposit, qint64 monthlyRent = 0);

// True when a fee asked is above the legal maximum (the office is warned).
bool feeAboveMaximum(qint64 fee, const FeeMaximum& maximum);

} // namespace teran
