#pragma once

#include <QList>
#include <QStringList>
#include <QVariantHash>

namespace teran {

struct TypeRules;

// One fact that a listing advertisement shown to the public must state, and the columns of the
// form that state it.
struct AdvertisingFact {
    QString caption;
    QStringList columns;
    bool everyColumn = false; // every column must be filled; else one of them is enough
    bool core = false;        // a row without it is no listing at all (address, price)
};

// The facts a type's advertisement must state (소재지, 면적, 가격, 거래형태, 총층수, 건축년도, 방향,
// 방 수, 욕실 수, 입주가능일, 주차대수, 관리비): a fact is required only where the type's form has a
// field for it, so that filling the fields the form shows always makes a listing publishable.
// Each fact keeps only the columns the type shows.
QList<AdvertisingFact> advertisingFactsOf(const TypeRules& rules);

// The columns whose captions the form marks as required for an internet advertisement.
QStringList advertisingFactColumns(const TypeRules& rules);

// The facts of the row's type (`tb`) that the row leaves empty, in the order the form shows them;
// empty when the listing may be advertised.
QList<AdvertisingFact> missingFactsOf(const QVariantHash& row);

// The facts among missingFactsOf() without which a row is no listing at all: where it stands
// (소재지) and what it costs (가격), as far as the type's form asks for them.
QList<AdvertisingFact> missingCoreFactsOf(const QVariantHash& row);

// The captions of missingFactsOf().
QStringList missingAdvertisingFacts(const QVariantHash& row);

} // namespace teran
