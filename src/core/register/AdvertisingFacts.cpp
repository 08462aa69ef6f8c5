#include "AdvertisingFacts.h"

#include "core/listing/TypeFields.h"

#include <QString>

#include <algorithm>

namespace teran {

namespace {

enum class Need {
    All,      // every column of the fact is filled (the three parts of the address)
    Any,      // at least one column is filled (ground or underground parking)
    Positive, // at least one column holds an amount above 0: an area or a price of 0 says nothing
};

struct FactRow {
    const char* caption;
    QStringList columns;
    Need need;
    bool core = false; // where the listing stands and what it costs: without them it is none
};

// Every fact once, in the order the form shows its fields.
const QList<FactRow>& factTable() {
    static const QList<FactRow> facts = {
        {"소재지", {"addr1", "addr2", "addr3"}, Need::All, true},
        {"면적", {"pyung"}, Need::Positive},
        {"가격", {"money_m", "money_jb", "money_b", "money_w"}, Need::Positive, true},
        {"거래형태", {"maemultype"}, Need::Any},
        {"총층수", {"floor_max"}, Need::Any},
        {"사용승인일/건축년도", {"makedate"}, Need::Any},
        {"방향", {"direction"}, Need::Any},
        {"방 수", {"room"}, Need::Any},
        {"욕실 수", {"bathroom"}, Need::Any},
        {"입주가능일", {"ipjuday"}, Need::Any},
        {"주차대수", {"parking", "parking_u", "parking_d"}, Need::Any},
        {"관리비", {"money_g"}, Need::Any},
    };
    return facts;
}

QString textOf(const QVariantHash& row, const QString& column) {
    return row.value(column).toString().trimmed();
}

bool filled(const QVariantHash& row, const QString& column) {
    return !textOf(row, column).isEmpty();
}

bool positive(const QVariantHash& row, const QString& column) {
    QString text = textOf(row, column);
    text.remove(QLatin1Char(','));
    return text.toDouble() > 0;
}

bool stated(const QVariantHash& row, const AdvertisingFact& fact, Need need) {
    const auto any = [&](auto test) {
        return std::any_of(fact.columns.begin(), fact.columns.end(),
                           [&](const QString& c) { return test(row, c); });
    };
    switch (need) {
    case Need::All:
        return std::all_of(fact.columns.begin(), fact.columns.end(),
                           [&](const QString& c) { return filled(row, c); });
    case Need::Any:
        return any(filled);
    case Need::Positive:
        return any(positive);
    }
    return false;
}

template <typename Visit> void forEachFactOf(const TypeRules& rules, Visit visit) {
    for (const FactRow& row : factTable()) {
        AdvertisingFact fact{QString::fromUtf8(row.caption), {}, row.need == Need::All, row.core};
        for (const QString& column : row.columns)
            if (rules.shows(column))
                fact.columns << column;
        if (!fact.columns.isEmpty())
            visit(fact, row.need);
    }
}

} // namespace

QList<AdvertisingFact> advertisingFactsOf(const TypeRules& rules) {
    QList<AdvertisingFact> facts;
    forEachFactOf(rules, [&](const AdvertisingFact& fact, Need) { facts << fact; });
    return facts;
}

QStringList advertisingFactColumns(const TypeRules& rules) {
    QStringList columns;
    for (const AdvertisingFact& fact : advertisingFactsOf(rules))
        columns << fact.columns;
    return columns;
}

QList<AdvertisingFact> missingFactsOf(const QVariantHash& row) {
    const TypeRules* rules = typeRules(textOf(row, QStringLiteral("tb")));
    if (!rules) // a row without a known type cannot be shown to the public at all
        return {{QStringLiteral("매물종류"), {QStringLiteral("tb")}, true, true}};
    QList<AdvertisingFact> missing;
    forEachFactOf(*rules, [&](const AdvertisingFact& fact, Need need) {
        if (!stated(row, fact, need))
            missing << fact;
    });
    return missing;
}

QList<AdvertisingFact> missingCoreFactsOf(const QVariantHash& row) {
    QList<AdvertisingFact> missing = missingFactsOf(row);
    missing.removeIf([](const AdvertisingFact& fact) { return !fact.core; });
    return missing;
}

QStringList missingAdvertisingFacts(const QVariantHash& row) {
    QStringList captions;
    for (const AdvertisingFact& fact : missingFactsOf(row))
        captions << fact.caption;
    return captions;
}

} // namespace teran
