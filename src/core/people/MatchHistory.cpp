#include "MatchHistory.h"

#include "core/session/Session.h"
#include "core/store/RowWriter.h"
#include "core/store/SqlStore.h"

#include <QHashFunctions>

namespace teran {

namespace {

const QString kSent = QStringLiteral("S");
const QString kDismissed = QStringLiteral("D");

MatchEntry entryOf(const QSqlQuery& q, int first) {
    MatchEntry e;
    const QString state = q.value(first).toString();
    e.mark = state == kSent ? MatchMark::Sent : state == kDismissed ? MatchMark::Dismissed : MatchMark::New;
    e.via = q.value(first + 1).toString();
    e.amount = q.value(first + 2).toLongLong();
    e.rent = q.value(first + 3).toLongLong();
    e.when = SqlStore::toDateTime(q.value(first + 4));
    return e;
}

const QString kEntryColumns = QStringLiteral("state, via, amount, rent, writeday");

} // namespace

size_t qHash(const ListingKey& key, size_t seed) {
    return qHashMulti(seed, key.office, key.number);
}

MatchMark MatchEntry::markAt(qint64 amountNow, qint64 rentNow) const {
    if (mark == MatchMark::Sent && (amount != amountNow || rent != rentNow))
        return MatchMark::New;
    return mark;
}

std::optional<MatchEntry> MatchEntry::shownAt(qint64 amountNow, qint64 rentNow) const {
    MatchEntry shown = *this;
    shown.mark = markAt(amountNow, rentNow);
    if (shown.mark == MatchMark::Dismissed)
        return std::nullopt;
    return shown;
}

QString MatchEntry::sentText() const {
    if (mark != MatchMark::Sent)
        return {};
    return when.toString(QStringLiteral("MM/dd ")) + via;
}

MatchHistory::MatchHistory(Session& session)
    : m_session(session) {}

QString MatchHistory::viaText(SentBy by) {
    return by == SentBy::Sms ? QStringLiteral("문자") : QStringLiteral("인쇄");
}

void MatchHistory::markSent(const QList<MatchPair>& pairs, SentBy by) {
    record(pairs, kSent, viaText(by));
}

void MatchHistory::dismiss(const QList<MatchPair>& pairs) {
    record(pairs, kDismissed, {});
}

void MatchHistory::record(const QList<MatchPair>& pairs, const QString& state, const QString& via) {
    SqlStore& store = m_session.listingStore();
    const QDateTime now = m_session.clock().now();
    store.transact([&] {
        for (const MatchPair& p : pairs)
            insertRow(store, QStringLiteral("maesuin_match"),
                      {{QStringLiteral("buyer"), p.buyer},
                       {QStringLiteral("office"), p.listing.office},
                       {QStringLiteral("listing"), p.listing.number},
                       {QStringLiteral("state"), state},
                       {QStringLiteral("via"), via},
                       {QStringLiteral("amount"), p.amount},
                       {QStringLiteral("rent"), p.rent},
                       {QStringLiteral("opid"), m_session.state().LoginId},
                       {QStringLiteral("writeday"), now}});
    });
}

QHash<int, MatchEntry> MatchHistory::ofListing(const ListingKey& listing) {
    QHash<int, MatchEntry> entries;
    QSqlQuery q = m_session.listingStore().query(
        QStringLiteral(
            "SELECT buyer, %1 FROM maesuin_match WHERE office = ? AND listing = ? ORDER BY table_idx")
            .arg(kEntryColumns),
        {listing.office, listing.number});
    while (q.next())
        entries.insert(q.value(0).toInt(), entryOf(q, 1));
    return entries;
}

QHash<ListingKey, MatchEntry> MatchHistory::ofBuyer(int buyer) {
    QHash<ListingKey, MatchEntry> entries;
    QSqlQuery q = m_session.listingStore().query(
        QStringLiteral("SELECT office, listing, %1 FROM maesuin_match WHERE buyer = ? ORDER BY table_idx")
            .arg(kEntryColumns),
        {buyer});
    while (q.next())
        entries.insert({q.value(0).toString(), q.value(1).toInt()}, entryOf(q, 2));
    return entries;
}

void MatchHistory::removeAllOf(int buyer) {
    m_session.listingStore().execute(QStringLiteral("DELETE FROM maesuin_match WHERE buyer = ?"), {buyer});
}

} // namespace teran
