#include "BrokerageFee.h"

#include <QRegularExpression>
#include <array>

namespace teran {

namespace {

constexpr qint64 kMillion = 1'000'000;

struct Band {
    qint64 below; // the band holds amounts under this
    int rateTenthsPercent;
    qint64 cap; // 0: none
};

using Bands = std::array<Band, 6>;

// The caps of the housing fee (공인중개사법 시행규칙 제20조 제1항, 별표 1; the cities' ordinances
// follow it), one table per transaction and the day it took effect; the last band has no upper
// end. Contracts before the oldest table are reckoned by it: it is the oldest the office uses.
struct FeeTable {
    QDate since;
    Bands sale;
    Bands lease;
};

const std::array<FeeTable, 2> kTables{{
    // Revision of 2015 (in force in Seoul from 2015-04-23).
    {QDate(2015, 4, 23),
     {{{50 * kMillion, 6, 250'000},
       {200 * kMillion, 5, 800'000},
       {600 * kMillion, 4, 0},
       {900 * kMillion, 5, 0},
       {INT64_MAX, 9, 0},
       {INT64_MAX, 9, 0}}},
     {{{50 * kMillion, 5, 200'000},
       {100 * kMillion, 4, 300'000},
       {300 * kMillion, 3, 0},
       {600 * kMillion, 4, 0},
       {INT64_MAX, 8, 0},
       {INT64_MAX, 8, 0}}}},
    // Revision of 2021-10-19.
    {QDate(2021, 10, 19),
     {{{50 * kMillion, 6, 250'000},
       {200 * kMillion, 5, 800'000},
       {900 * kMillion, 4, 0},
       {1200 * kMillion, 5, 0},
       {1500 * kMillion, 6, 0},
       {INT64_MAX, 7, 0}}},
     {{{50 * kMillion, 5, 200'000},
       {100 * kMillion, 4, 300'000},
       {600 * kMillion, 3, 0},
       {1200 * kMillion, 4, 0},
       {1500 * kMillion, 5, 0},
       {INT64_MAX, 6, 0}}}},
}};

const FeeTable& tableOn(const QDate& day) {
    if (!day.isValid())
        return kTables.back();
    const FeeTable* inForce = &kTables.front();
    for (const FeeTable& table : kTables)
        if (day >= table.since)
            inForce = &table;
    return *inForce;
}

// A monthly rent counts as deposit + rent × 100, or × 70 when that comes under 50 million.
qint64 monthlyRentBase(qint64 deposit, qint64 rent) {
    const qint64 full = deposit + rent * 100;
    return full < 50 * kMillion ? deposit + rent * 70 : full;
}

FeeMaximum apply(const Bands& bands, qint64 base) {
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

std::optional<FeeMaximum> brokerageFeeMaximum(const QString& kind, qint64 deposit, qint64 monthlyRent,
                                              const QDate& day) {
    if (deposit < 0 || monthlyRent < 0)
        return std::nullopt;
    const FeeTable& table = tableOn(day);
    if (kind == QLatin1String("M"))
        return apply(table.sale, deposit);
    if (kind == QLatin1String("J"))
        return apply(table.lease, deposit);
    if (kind == QLatin1String("W"))
        return apply(table.lease, monthlyRentBase(deposit, monthlyRent));
    return std::nullopt;
}

bool feeAboveMaximum(qint64 fee, const FeeMaximum& maximum) {
    return fee > maximum.fee;
}

std::optional<qint64> feeRateMillionths(const QString& rate) {
    // Up to four decimals of a percent: 0.4, 0.45, 0.9 %.
    static const QRegularExpression number(
        QStringLiteral("^\\s*([0-9]{1,3})(?:\\.([0-9]{0,4}))?\\s*%?\\s*$"));
    const QRegularExpressionMatch match = number.match(rate);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 whole = match.captured(1).toLongLong();
    const qint64 fraction = match.captured(2).leftJustified(4, QLatin1Char('0')).toLongLong();
    constexpr qint64 kPercent = 10'000; // millionths in one percent
    const qint64 millionths = whole * kPercent + fraction;
    if (millionths > 100 * kPercent)
        return std::nullopt;
    return millionths;
}

std::optional<AgreedFee> agreedBrokerageFee(const QString& kind, qint64 deposit, qint64 monthlyRent,
                                            const QString& rate, const QDate& day) {
    // Amounts beyond any real contract (a slip of many digits) are not reckoned on.
    constexpr qint64 kLargest = 1'000'000'000'000'000; // won
    if (deposit > kLargest || monthlyRent > kLargest / 100)
        return std::nullopt;
    const std::optional<FeeMaximum> maximum = brokerageFeeMaximum(kind, deposit, monthlyRent, day);
    if (!maximum || maximum->base <= 0)
        return std::nullopt;
    AgreedFee agreed;
    agreed.maximum = *maximum;
    if (const std::optional<qint64> millionths = feeRateMillionths(rate)) {
        // Split so that no product of two large numbers is formed: base × rate / 10^6.
        const qint64 base = maximum->base;
        const qint64 fee = base / kMillion * *millionths + base % kMillion * *millionths / kMillion;
        agreed.fee = fee;
        agreed.vat = fee / 10;
        agreed.aboveMaximum = feeAboveMaximum(fee, *maximum);
    }
    return agreed;
}

} // namespace teran
