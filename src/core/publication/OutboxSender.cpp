#include "OutboxSender.h"

#include "core/pictures/ImageBox.h"
#include "core/pictures/ListingImageName.h"
#include "core/publication/PublicationReconciler.h"
#include "core/session/Session.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace teran {

OutboxSender::OutboxSender(Session& session, PictureStoreFactory pictures, QString label)
    : m_session(session)
    , m_label(std::move(label))
    , m_outbox(session.listingStore())
    , m_ftp(pictures ? std::move(pictures) : sessionPictureStores(session))
    , m_copy(session.listingStore(), session.serverStore(), session.state().OfficeMainId)
    , m_pictures(session.listingStore(), m_ftp) {}

bool OutboxSender::lostServer(const StoreError& error) const {
    return SqlStore::isLostConnection(error) || !m_session.serverOpen();
}

OutboxReport OutboxSender::sendWaiting() {
    OutboxReport report;
    const QList<OutboxEntry> entries = m_outbox.waiting();
    report.waiting = int(entries.size());
    if (entries.isEmpty() || m_serverAway)
        return report;
    if (!serverCopiesReachable(m_session)) {
        m_serverAway = true;
        return report;
    }
    QSet<QString> heldBack; // subjects whose earlier change failed: theirs keep their order
    for (const OutboxEntry& entry : entries) {
        if (heldBack.contains(entry.subject()))
            continue;
        try {
            m_sending = DeliveryReport{};
            const Delivery outcome = send(entry);
            m_outbox.sent(entry.id);
            m_sending.outcome = outcome;
            m_outcomes.insert(entry.id, m_sending);
            --report.waiting;
            ++report.sent;
            if (outcome == Delivery::PicturesIncomplete)
                ++report.picturesIncomplete;
        } catch (const StoreError& error) {
            m_session.logError(m_label + entry.label + QStringLiteral(" => "), error);
            heldBack.insert(entry.subject());
            try {
                m_outbox.failed(entry.id, error.description());
            } catch (const StoreError& local) {
                m_session.logError(m_label, local);
                break;
            }
            if (lostServer(error)) {
                m_serverAway = true;
                break;
            }
        }
    }
    return report;
}

DeliveryReport OutboxSender::deliverReporting(qint64 id) {
    if (ServerCourier* courier = m_session.courier())
        return courier->awaitDelivery({id}, {}).value(id);
    sendWaiting();
    return m_outcomes.value(id);
}

// The copy is made to agree with the listing as it stands now: a later change of the same
// listing that is still waiting finds the work done, and one made twice does no harm.
Delivery OutboxSender::send(const OutboxEntry& entry) {
    if (entry.kind == OutboxKind::ServerRow) {
        m_copy.writeOfficeRow(entry.target, entry.number, entry.serverRow);
        return Delivery::Sent;
    }
    const QList<SelectedListing> rows =
        readSelection(m_session.listingStore(), {ListingPick{entry.number, QString()}});
    if (rows.isEmpty() || !rows.first().isPublished()) {
        const bool complete = withdrawCopy(entry.number, entry.pictureNames);
        if (entry.kind == OutboxKind::Delete && rows.isEmpty())
            removeLocalFiles(m_session, entry.number, entry.localFiles);
        return complete ? Delivery::Sent : Delivery::PicturesIncomplete;
    }
    const SelectedListing& row = rows.first();
    const bool existed = m_copy.exists(row.number);
    if (existed && entry.kind == OutboxKind::Refresh) {
        m_copy.refreshShowday({row.number}, m_session.clock().now());
        return Delivery::Sent;
    }
    if (existed && (entry.kind == OutboxKind::State || entry.kind == OutboxKind::Withdraw)) {
        m_copy.setState(row.number, *row.state, entry.resetHits);
        return Delivery::Sent;
    }
    const std::array<QString, 2> before =
        existed ? m_copy.mainPictures(row.number) : std::array<QString, 2>{};
    if (entry.disclosure) {
        Disclosure disclosure = *entry.disclosure;
        disclosure.state = *row.state;
        disclosure.now = m_session.clock().now();
        m_copy.publish(row.number, row.tb, disclosure);
    } else {
        m_copy.write(row.number, row.tb, *row.state, m_session.clock().now(), entry.resetHits);
    }
    if (existed && !entry.pictures && entry.pictureChoice == 0)
        return Delivery::Sent;
    SelectedListing shown = row;
    if (entry.disclosure && !entry.disclosure->picture1)
        shown.imgname1.clear();
    if (entry.disclosure && !entry.disclosure->picture2)
        shown.imgname2.clear();
    bool complete = sendPictures(shown, entry.pictures ? 0 : entry.pictureChoice, before);
    // Main pictures the copy named before and names no longer.
    QStringList stale;
    for (const QString& name : before)
        if (!name.isEmpty() && name != shown.imgname1 && name != shown.imgname2)
            stale << name;
    if (!stale.isEmpty())
        complete = m_pictures.withdraw(stale) && complete;
    return complete ? Delivery::Sent : Delivery::PicturesIncomplete;
}

bool OutboxSender::resend(const SelectedListing& row) {
    if (!row.isPublished())
        return true;
    m_copy.write(row.number, row.tb, *row.state, m_session.clock().now(), false);
    return sendPictures(row, 0, {});
}

bool OutboxSender::dropCopy(int number) {
    return withdrawCopy(number, {});
}

// The pictures go while the copy still records them (see ServerCopy::recordedPictures), then the
// copy; a copy whose pictures could not all go is removed all the same, as before.
bool OutboxSender::withdrawCopy(int number, const QStringList& morePictures) {
    const bool complete = m_pictures.withdraw(m_copy.recordedPictures(number).pictureNames + morePictures);
    m_copy.remove(number);
    return complete;
}

// Only the pictures that arrived whole are named by the copy. Without a choice every picture goes;
// with one (a save), a main picture goes when it is new or the copy named another one, and the
// image box when it changed.
bool OutboxSender::sendPictures(const SelectedListing& row, int choice,
                                const std::array<QString, 2>& before) {
    const auto needed = [&](const QString& name, size_t slot, int isNew) {
        return choice == 0 || (choice & isNew) || before[slot] != name ? name : QString();
    };
    const bool withBox = choice == 0 || (choice & OutboxEntry::kBoxChanged);
    try {
        const ListingPictures::Published published = m_pictures.publish(
            row.number, needed(row.imgname1, 0, OutboxEntry::kFirstPictureNew),
            needed(row.imgname2, 1, OutboxEntry::kSecondPictureNew), withBox, m_copy.boxPictures(row.number));
        if (withBox)
            m_copy.writeFileBox(row.number, row.tb, row.ty, published.boxNames, m_session.clock().now());
        m_copy.leaveOutPictures(row.number, published.unsent);
        if (!published.complete) {
            m_sending.unsentPictures << published.unsent;
            m_sending.pictureError = m_ftp.lastError();
        }
        return published.complete;
    } catch (const StoreError& error) {
        if (lostServer(error))
            throw;
        m_session.logError(m_label, error);
        return false;
    }
}

void OutboxSender::removeLocalFiles(Session& session, int number, const QStringList& names) {
    const QDir files(session.dataFolder().files());
    for (const QString& name : names)
        if (isPlainFileName(name))
            QFile::remove(files.filePath(name));
    removePicturesOfStems(files.path(), listingPictureStems(session.state().OfficeMainId, number));
    QDir(files.filePath(QString::number(number))).removeRecursively();
}

void catchUpWithServer(Session& session) {
    if (ServerCourier* courier = session.courier()) {
        courier->sendNow(true);
        return;
    }
    if (!serverCopiesReachable(session))
        return;
    try {
        const OutboxReport report = OutboxSender(session, {}, QStringLiteral("Outbox => ")).sendWaiting();
        if (report.sent > 0 || report.waiting > 0)
            session.WriteLog(
                QStringLiteral("Outbox => sent %1, waiting %2").arg(report.sent).arg(report.waiting));
    } catch (const StoreError& error) {
        session.logError(QStringLiteral("Outbox => "), error);
    }
    reconcilePublications(session);
}

} // namespace teran
