#include "BuyerMatch.h"

#include "BuyerRegister.h"
#include "SmsRecord.h"
#include "core/listing/PropertyTypes.h"
#include "core/session/NumberText.h"
#include "core/session/Session.h"
#include "core/session/SessionListings.h"
#include "core/session/SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace teran {

namespace {

// How far a value lies outside a wanted range, as a share of the bound it passes: negative
// below, positive above, 0 inside. An upper bound of 0 is open.
double outside(double value, double from, double to) {
    if (value < from)
        return from > 0 ? (value - from) / from : 0;
    if (to > 0 && value > to)
        return (value - to) / to;
    return 0;
}

// How far from the middle of the range a value lies, 0 (the middle) to 1 (an end).
double offCentre(double value, double from, double to) {
    if (to <= 0 || to <= from)
        return 0;
    const double half = (to - from) / 2;
    return std::abs(value - (from + half)) / half;
}

struct Criterion {
    QString caption;
    double value;
    double from;
    double to;
};

QList<Criterion> criteriaOf(const Buyer& b, const MatchedListing& l) {
    QList<Criterion> list{
        {QStringLiteral("면적"), l.area, b.area.from, b.area.to},
        {QStringLiteral("가격"), double(l.amount), double(b.amount.from), double(b.amount.to)}};
    if (wantsLandAndBuilding(b.tb))
        list << Criterion{QStringLiteral("건물면적"), l.building, b.building.from, b.building.to};
    if (b.ty == QStringLiteral("월세"))
        list << Criterion{QStringLiteral("월세"), double(l.rent), double(b.rent.from), double(b.rent.to)};
    return list;
}

} // namespace

QString fitCaption(const MatchFit& fit) {
    return fit.exact ? QStringLiteral("일치") : QStringLiteral("근접");
}

std::optional<MatchFit> fitBetween(const Buyer& b, const MatchedListing& l, double tolerance) {
    if (b.tb != l.typeLabel || b.ty != l.transaction)
        return std::nullopt;
    const auto holds = [](const QString& wanted, const QString& at) {
        return wanted.isEmpty() || wanted == at;
    };
    if (!holds(b.addre1, l.addr1) || !holds(b.addre2, l.addr2) || !holds(b.addre3, l.addr3))
        return std::nullopt;
    MatchFit fit;
    double deviation = 0;
    const QList<Criterion> criteria = criteriaOf(b, l);
    for (const Criterion& c : criteria) {
        const double off = outside(c.value, c.from, c.to);
        if (std::abs(off) > tolerance + 1e-9)
            return std::nullopt;
        if (off != 0) {
            fit.exact = false;
            fit.reasons << QStringLiteral("%1 %2% %3")
                               .arg(c.caption)
                               .arg(std::lround(std::abs(off) * 100))
                               .arg(off > 0 ? QStringLiteral("초과") : QStringLiteral("미달"));
            deviation += std::abs(off);
        }
    }
    // A region named down to the town fits better than one named by its province only.
    const int levels = int(!b.addre1.isEmpty()) + int(!b.addre2.isEmpty()) + int(!b.addre3.isEmpty());
    const Criterion& price = criteria.at(1);
    fit.score = fit.exact ? (3 - levels) + offCentre(price.value, price.from, price.to) : 10 + deviation;
    return fit;
}

QString listingSummary(const ListingRow& row) {
    const MatchedListing l = matchedListing(row);
    const QString name = row.value(QStringLiteral("cboname")).toString().trimmed();
    QStringList parts{l.typeLabel, l.transaction, name.isEmpty() ? l.addr3 : name};
    if (l.area > 0)
        parts << QString::number(l.area) + QStringLiteral("평");
    QString price = formatAmount(l.amount) + QStringLiteral("만원");
    if (l.rent > 0)
        price += QLatin1Char('/') + formatAmount(l.rent);
    parts << price;
    parts.removeAll(QString());
    return cutToBytes(parts.join(QLatin1Char(' ')), kSmsTextBytes).trimmed();
}

std::optional<MatchTarget> ownMatchTarget(Session& session, int number) {
    const std::optional<ListingRow> row = readLocal(session, number);
    if (!row)
        return std::nullopt;
    return MatchTarget{matchedListing(*row), listingSummary(*row)};
}

std::optional<MatchTarget> sharedMatchTarget(Session& session, int serverRow) {
    if (!session.serverStore().isOpen())
        return std::nullopt;
    const std::optional<ListingRow> row = readServerRow(session.serverStore(), serverRow);
    if (!row)
        return std::nullopt;
    return MatchTarget{matchedListing(*row, true), listingSummary(*row)};
}

double userTolerance(Session& session) {
    return SettingsStore::ofUser(session).matchTolerance() / 100.0;
}

QList<MatchPair> pairsWith(const QList<int>& buyers, const MatchedListing& listing) {
    QList<MatchPair> pairs;
    for (int buyer : buyers)
        pairs << MatchPair{buyer, listing.key, listing.amount, listing.rent};
    return pairs;
}

QString fittingBuyersText(int count) {
    return QStringLiteral("조건에 맞는 매수인 %1명").arg(count);
}

QString dismissQuestion(const QString& buyerName, int listings) {
    return QStringLiteral("%1 님의 맞는 매물에서 매물 %2 건을 뺍니다.\r\n\r\n"
                          "관심없음으로 뺀 매물은 이 매수인에게 다시 보이지 않습니다.\r\n\r\n"
                          "실행하시겠습니까 ?")
        .arg(buyerName, QString::number(listings));
}

QString dismissTitle() {
    return QStringLiteral("관심없음");
}

MatchedListing matchedListing(const ListingRow& row, bool serverRow) {
    return matchedListing([&row](const QString& column) { return row.value(column); }, serverRow);
}

MatchedListing matchedListing(const std::function<QVariant(const QString&)>& value, bool serverRow) {
    const auto money = [&value](const QString& column) { return value(column).toLongLong(); };
    const QString tb = value(QStringLiteral("tb")).toString();
    const QString ty = value(QStringLiteral("ty")).toString();
    MatchedListing l;
    l.key = {value(QStringLiteral("id")).toString(),
             value(serverRow ? QStringLiteral("sub_idx") : QStringLiteral("table_idx")).toInt()};
    l.typeLabel = propertyTypeLabel(tb);
    l.transaction = transactionLabel(ty);
    l.addr1 = value(QStringLiteral("addr1")).toString();
    l.addr2 = value(QStringLiteral("addr2")).toString();
    l.addr3 = value(QStringLiteral("addr3")).toString();
    l.area = value(QStringLiteral("pyung")).toDouble();
    if (hasLandAndBuildingAreas(tb))
        l.building = value(QStringLiteral("pyung_use")).toDouble();
    if (ty == QLatin1String("J")) {
        l.amount = money(QStringLiteral("money_jb"));
    } else if (ty == QLatin1String("W")) {
        l.amount = money(QStringLiteral("money_b"));
        l.rent = money(QStringLiteral("money_w"));
    } else {
        l.amount = money(QStringLiteral("money_m"));
        if (ty == QLatin1String("B") && l.amount == 0)
            l.amount = money(QStringLiteral("money_bn"));
    }
    return l;
}

QList<BuyerFit> buyersForListing(Session& session, const MatchedListing& listing, double tolerance) {
    if (listing.typeLabel.isEmpty() || listing.transaction.isEmpty())
        return {};
    QList<BuyerFit> fits;
    const QList<Buyer> wanting = BuyerRegister(session).wanting(listing.typeLabel, listing.transaction,
                                                                listing.addr1, listing.addr2, listing.addr3);
    if (wanting.isEmpty())
        return fits;
    const QHash<int, MatchEntry> history = MatchHistory(session).ofListing(listing.key);
    for (const Buyer& b : wanting) {
        const std::optional<MatchFit> fit = fitBetween(b, listing, tolerance);
        if (!fit)
            continue;
        BuyerFit row;
        static_cast<MatchFit&>(row) = *fit;
        row.buyer = b.number;
        row.name = b.contact.name;
        row.mobile = b.contact.hantel;
        const std::optional<MatchEntry> shown = history.value(b.number).shownAt(listing.amount, listing.rent);
        if (!shown)
            continue;
        row.history = *shown;
        fits << row;
    }
    sortFits(fits);
    return fits;
}

} // namespace teran
