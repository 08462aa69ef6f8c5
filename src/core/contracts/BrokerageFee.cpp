#include "BrokerageFee.h"

#include <array>

namespace teran {

namespace {

constexpr qint64 kMillion = 1'000'000;

struct Band {
    qint64 below; // the band holds amounts under this
    int rateTenthsPercent;
    qint64 cap; // 0: none
};

// One table per transaction; the last band has no upper end.
constexpr std::array<Band, 6> kSale{{{50 * kMillion, 6, 250'000},
                                     {200 * kMillion, 5, 800'000},
                                     {900 * kMillion, 4, 0},
                                     {1200 * kMillion, 5, 0},
                                     {1500 * kMillion, 6, 0},
                                     {INT64_MAX, 7, 0}}};
constexpr std::array<Band, 6> kLease{{{50 * kMillion, 5, 200'000},
                                      {100 * kMillion, 4, 300'000},
                                      {600 * kMillion, 3, 0},
                                      {1200 * kMillion, 4, 0},
                                      {1500 * kMillion, 5, 0},
                                      {INT64_MAX, 6, 0}}};

// A monthly rent counts as deposit + rent × 100, or × 70 when that comes under 50 million.
qint64 monthlyRentBase(qint64 deposit, qint64 rent) {
    const qint64 full = deposit + rent * 100;
    return full < 50 * kMillion ? deposit + rent * 70 : full;
}

FeeMaximum apply(const std::array<Band, 6>& bands, qint64 base) {
    const Band* band = &bands.back();
    for (const Band& b : bands)
        if (base < b.below) {
            band = &b;
            break;
        }
    FeeMaximum maximum;
    maximum.base = base;
    maximum.rateTenthsPercent = band->rateTenthsPercent;
    // Whole won, rounded down: the maximum is never exceeded by rounding.
    maximum.fee = base / 1000 * band->rateTenthsPercent + base % 1000 * band->rateTenthsPercent / 1000;
    if (band->cap > 0) {
        maximum.cap = band->cap;
        maximum.fee = std::min(maximum.fee, band->cap);
    }
    maximum.vat = maximum.fee / 10;
    return maximum;
}

} // namespace

std::optional<FeeMaximum> brokerageFeeMaximum(const QString& kind, qint64 deposit, qint64 monthlyRent) {
    if (deposit < 0 || monthlyRent < 0)
        return std::nullopt;
    if (kind == QLatin1String("M"))
        return apply(kSale, deposit);
    if (kind == QLatin1String("J"))
        return apply(kLease, deposit);
    if (kind == QLatin1String("W"))
        return apply(kLease, monthlyRentBase(deposit, monthlyRent));
    return std::nullopt;
}

bool feeAboveMaximum(qint64 fee, const FeeMaximum& maximum) {
    return fee > maximum.fee;
}

} // namespace teran
