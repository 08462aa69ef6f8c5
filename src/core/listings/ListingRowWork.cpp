#include "ListingRowWork.h"

#include "core/session/Session.h"

namespace teran {

namespace {

const QString kSeparator = QStringLiteral("|");

} // namespace

ListingRowWork::ListingRowWork(Session& session, PictureStoreFactory pictures, QString label)
    : m_session(session)
    , m_label(label)
    , m_sender(session, std::move(pictures), std::move(label)) {}

void ListingRowWork::setLocalState(int number, PublicationState state, bool resetHits) {
    teran::setLocalState(m_session.listingStore(), number, stateValue(state), resetHits);
}

OutboxEntry ListingRowWork::entryFor(const SelectedListing& row, OutboxKind kind) const {
    return outboxEntry(row.number, kind,
                       row.state ? std::optional<int>(stateValue(*row.state)) : std::nullopt, row.label,
                       m_session.state().LoginId, m_session.clock().now());
}

// The change and its entry in one short transaction, then the outbox is sent.
template <typename LocalChange> Delivery ListingRowWork::intend(LocalChange local, OutboxEntry entry) {
    SqlStore& store = m_session.listingStore();
    qint64 id = 0;
    {
        Transaction tx(store);
        local(entry);
        id = PublicationOutbox(store).add(entry);
        tx.commit();
    }
    return m_sender.deliver(id);
}

Delivery ListingRowWork::publish(const SelectedListing& row, PublicationState target,
                                 const PublishTransition& transition) {
    OutboxEntry entry = entryFor(row, OutboxKind::Send);
    entry.pictures = transition.effect == ServerEffect::InsertServerCopy;
    entry.resetHits = transition.resetServerHits;
    return intend([&](OutboxEntry&) { setLocalState(row.number, target, transition.resetLocalHits); }, entry);
}

Delivery ListingRowWork::narrow(const SelectedListing& row, const PublishTransition& transition) {
    if (!transition.serverState || !transition.localState)
        return Delivery::Sent;
    OutboxEntry entry = entryFor(row, OutboxKind::State);
    entry.resetHits = transition.resetServerHits;
    return intend(
        [&](OutboxEntry&) { setLocalState(row.number, *transition.localState, transition.resetLocalHits); },
        entry);
}

Delivery ListingRowWork::withdraw(const SelectedListing& row, PublicationState state) {
    OutboxEntry entry = entryFor(row, OutboxKind::Withdraw);
    // Pictures a former publication left behind go too, although the copy no longer names them.
    entry.pictureNames = QStringList{row.imgname1, row.imgname2};
    return intend([&](OutboxEntry&) { setLocalState(row.number, state, true); }, entry);
}

Delivery ListingRowWork::remove(const SelectedListing& row) {
    if (!row.isPublished()) {
        QStringList boxNames;
        m_session.listingStore().transact([&] { boxNames = deleteLocalRow(row.number); });
        OutboxSender::removeLocalFiles(m_session, row.number,
                                       QStringList{row.imgname1, row.imgname2} + boxNames);
        return Delivery::Sent;
    }
    OutboxEntry entry = entryFor(row, OutboxKind::Delete);
    entry.pictureNames = QStringList{row.imgname1, row.imgname2};
    return intend(
        [&](OutboxEntry& e) {
            e.removedRows = PublicationOutbox::rowsOf(m_session.listingStore(), row.number);
            e.localFiles = QStringList{row.imgname1, row.imgname2} + deleteLocalRow(row.number);
        },
        entry);
}

Delivery ListingRowWork::refresh(const SelectedListing& row) {
    return intend([](OutboxEntry&) {}, entryFor(row, OutboxKind::Refresh));
}

// The image box belongs to the listing by its number, `tidx`.
QStringList ListingRowWork::deleteLocalRow(int number) {
    SqlStore& local = m_session.listingStore();
    QStringList names;
    QSqlQuery box = local.query(QStringLiteral("SELECT Img2 FROM filebox WHERE tidx = ?"), {number});
    while (box.next())
        names << box.value(0).toString().split(kSeparator, Qt::SkipEmptyParts);
    box.finish();
    local.execute(QStringLiteral("DELETE FROM filebox WHERE tidx = ?"), {number});
    if (!deleteLocal(local, number))
        throw StoreError(QStringLiteral("listing %1 is no longer in the office database").arg(number),
                         QStringLiteral("ListingRowWork"));
    return names;
}

void ListingRowWork::setLocalStates(const QList<SelectedListing>& rows, PublicationState state,
                                    bool touchShowday) {
    SqlStore& local = m_session.listingStore();
    const std::optional<QDateTime> showday =
        touchShowday ? std::optional<QDateTime>(m_session.clock().now()) : std::nullopt;
    Transaction tx(local);
    for (const SelectedListing& row : rows)
        teran::setLocalState(local, row.number, stateValue(state), true, showday);
    tx.commit();
}

void removeListing(Session& session, int number, const QString& label) {
    const QList<SelectedListing> rows =
        readSelection(session.listingStore(), {ListingPick{number, QString()}});
    if (!rows.isEmpty())
        ListingRowWork(session, sessionPictureStores(session), label).remove(rows.first());
}

bool moveToOtherBox(Session& session, int number, bool fromArchive, const QString& label) {
    const QList<SelectedListing> rows =
        readSelection(session.listingStore(), {ListingPick{number, QString()}});
    if (rows.isEmpty())
        return false;
    ListingRowWork work(session, sessionPictureStores(session), label);
    if (fromArchive)
        work.setLocalStates(rows, PublicationState::Unpublished, true);
    else if (rows.first().isPublished())
        work.withdraw(rows.first(), PublicationState::Archived);
    else
        work.setLocalStates(rows, PublicationState::Archived, false);
    return true;
}

} // namespace teran
