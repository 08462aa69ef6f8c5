#include "PublicationReconciler.h"

#include "core/publication/OutboxSender.h"
#include "core/publication/PublishTransition.h"
#include "core/session/Session.h"

#include <QHash>

namespace teran {

namespace {

const QString kLabel = QStringLiteral("PublicationReconciler => ");

QHash<int, int> statesOf(QSqlQuery q) {
    QHash<int, int> states;
    while (q.next())
        states.insert(q.value(0).toInt(), q.value(1).toInt());
    return states;
}

} // namespace

PublicationReconciler::PublicationReconciler(Session& session, PictureStoreFactory pictures)
    : m_session(session)
    , m_pictures(pictures ? std::move(pictures) : sessionPictureStores(session)) {}

ReconcileReport PublicationReconciler::reconcile() {
    SqlStore& local = m_session.listingStore();
    SqlStore& server = m_session.serverStore();
    const QString office = m_session.state().OfficeMainId;
    const QHash<int, int> copies =
        statesOf(server.query(QStringLiteral("SELECT sub_idx, state FROM maemul WHERE id = ?"), {office}));
    // The published listings, and the rows behind the other copies (the file may hold a million).
    QHash<int, int> listings = statesOf(local.query(
        QStringLiteral("SELECT table_idx, state FROM maemul WHERE state IN (%1)").arg(publishedStatesSql())));
    QList<int> others;
    for (auto copy = copies.cbegin(); copy != copies.cend(); ++copy)
        if (!listings.contains(copy.key()))
            others << copy.key();
    for (const QList<int>& part : ListingNumberList::chunks(others))
        listings.insert(
            statesOf(local.query(QStringLiteral("SELECT table_idx, state FROM maemul WHERE table_idx IN (%1)")
                                     .arg(ListingNumberList::placeholders(part.size())),
                                 QVariantList(part.cbegin(), part.cend()))));
    const int highest =
        local.scalar(QStringLiteral("SELECT COALESCE(MAX(table_idx), 0) FROM maemul")).toInt();

    ReconcileReport report;
    OutboxSender work(m_session, m_pictures, kLabel);
    const auto attempt = [&](int number, auto&& step) {
        try {
            step();
        } catch (const StoreError& error) {
            ++report.failed;
            m_session.logError(kLabel + QString::number(number) + QStringLiteral(" => "), error);
        }
    };
    for (auto copy = copies.cbegin(); copy != copies.cend(); ++copy) {
        const int number = copy.key();
        const auto listing = listings.constFind(number);
        const std::optional<PublicationState> state =
            listing == listings.cend() ? std::nullopt : publicationStateFrom(*listing);
        if (state && isPublished(*state)) {
            if (*listing != copy.value())
                attempt(number, [&] {
                    ServerCopy(local, server, office).setState(number, *state, false);
                    ++report.statesAligned;
                });
            continue;
        }
        const bool deleted = listing == listings.cend() && number <= highest;
        if (listing != listings.cend() || deleted)
            attempt(number, [&] {
                if (!work.dropCopy(number))
                    ++report.picturesIncomplete;
                ++report.copiesRemoved;
            });
    }
    QList<ListingPick> missing;
    for (auto listing = listings.cbegin(); listing != listings.cend(); ++listing) {
        const std::optional<PublicationState> state = publicationStateFrom(*listing);
        if (state && isPublished(*state) && !copies.contains(listing.key()))
            missing << ListingPick{listing.key(), QString()};
    }
    for (const SelectedListing& row : readSelection(local, missing))
        attempt(row.number, [&] {
            if (!work.resend(row))
                ++report.picturesIncomplete;
            ++report.copiesSent;
        });
    return report;
}

ReconcileReport reconcilePublications(Session& session) {
    if (!session.state().isOnline() || !session.serverReachable())
        return {};
    try {
        const ReconcileReport report = PublicationReconciler(session).reconcile();
        if (report.changes() > 0 || report.failed > 0)
            session.WriteLog(QStringLiteral("%1removed %2, sent %3, states %4, failed %5")
                                 .arg(kLabel)
                                 .arg(report.copiesRemoved)
                                 .arg(report.copiesSent)
                                 .arg(report.statesAligned)
                                 .arg(report.failed));
        return report;
    } catch (const StoreError& error) {
        session.logError(kLabel, error);
        return {};
    }
}

} // namespace teran
