#include "ListingRowWork.h"

#include "pictures/ImageBox.h"
#include "pictures/ListingImageName.h"
#include "session/Session.h"

#include <QDir>
#include <QFile>

namespace teran {

namespace {

const QString kSeparator = QStringLiteral("|");

} // namespace

ListingRowWork::ListingRowWork(Session& session, PictureStoreFactory pictures, QString label)
    : m_session(session)
    , m_label(std::move(label))
    , m_ftp(std::move(pictures))
    , m_copy(session.listingStore(), session.serverStore(), session.state().OfficeMainId)
    , m_pictures(session.listingStore(), m_ftp) {}

void ListingRowWork::log(const StoreError& error) {
    m_session.logError(m_label, error);
}

void ListingRowWork::setLocalState(int number, PublicationState state, bool resetHits) {
    teran::setLocalState(m_session.listingStore(), number, stateValue(state), resetHits);
}

// Every change of a publication keeps one rule: a local row says published only while its
// server copy exists, and a copy exists only for a local row that says published. The server step
// goes first, with no lock of the office database held: a server that stalls must not stall the
// office's other desks, which write to the same file. Then the local change is made in one short
// transaction; when it fails (another desk holds the file too long), the server copy is put back
// as it was. Pictures move only after both stores agree: a picture that did not go up or come
// down is reported, never undone.
template <typename LocalChange, typename ServerStep, typename Undo>
void ListingRowWork::bracket(LocalChange local, ServerStep server, Undo undo) {
    server();
    SqlStore& store = m_session.listingStore();
    try {
        Transaction tx(store);
        local();
        tx.commit();
    } catch (const StoreError&) {
        try {
            undo();
        } catch (const StoreError& error) {
            log(error);
        }
        throw;
    }
}

bool ListingRowWork::publish(const SelectedListing& row, PublicationState target,
                             const PublishTransition& transition) {
    ServerCopy::Snapshot before;
    bracket([&] { setLocalState(row.number, target, transition.resetLocalHits); },
            [&] {
                before = m_copy.snapshot(row.number);
                m_copy.write(row.number, row.tb, target, m_session.clock().now(), transition.resetServerHits);
            },
            [&] { m_copy.restore(row.number, before); });
    const bool needsPictures = !before.existed || transition.effect == ServerEffect::InsertServerCopy;
    return !needsPictures || sendPictures(row);
}

bool ListingRowWork::resend(const SelectedListing& row) {
    if (!row.isPublished())
        return true;
    m_copy.write(row.number, row.tb, *row.state, m_session.clock().now(), false);
    return sendPictures(row);
}

bool ListingRowWork::dropCopy(int number) {
    return m_pictures.withdraw(m_copy.remove(number).pictureNames);
}

bool ListingRowWork::sendPictures(const SelectedListing& row) {
    try {
        const ListingPictures::Published published =
            m_pictures.publish(row.number, row.imgname1, row.imgname2, true, m_copy.boxPictures(row.number));
        m_copy.writeFileBox(row.number, row.tb, row.ty, published.boxNames, m_session.clock().now());
        m_copy.leaveOutPictures(row.number, published.unsent);
        return published.complete;
    } catch (const StoreError& error) {
        log(error);
        return false;
    }
}

void ListingRowWork::narrow(const SelectedListing& row, const PublishTransition& transition) {
    if (!transition.serverState || !transition.localState)
        return;
    bracket([&] { setLocalState(row.number, *transition.localState, transition.resetLocalHits); },
            [&] {
                if (!m_copy.setState(row.number, *transition.serverState, transition.resetServerHits))
                    throw StoreError(QStringLiteral("the server holds no copy of listing %1").arg(row.number),
                                     QStringLiteral("ListingRowWork"));
            },
            [&] {
                if (row.state)
                    m_copy.setState(row.number, *row.state, false);
            });
}

// Removes the copy inside the bracket; returns what the copy was, for its pictures.
ServerCopy::Snapshot ListingRowWork::takeServerCopy(int number, QStringList& pictureNames) {
    ServerCopy::Snapshot before = m_copy.snapshot(number);
    pictureNames = m_copy.remove(number).pictureNames;
    return before;
}

bool ListingRowWork::removePictures(const SelectedListing& row, QStringList names) {
    // Pictures a former publication left behind go too, although the copy no longer names them.
    return m_pictures.withdraw(names << row.imgname1 << row.imgname2);
}

bool ListingRowWork::withdraw(const SelectedListing& row, PublicationState state) {
    ServerCopy::Snapshot before;
    QStringList names;
    bracket([&] { setLocalState(row.number, state, true); },
            [&] { before = takeServerCopy(row.number, names); }, [&] { m_copy.restore(row.number, before); });
    return removePictures(row, names);
}

bool ListingRowWork::remove(const SelectedListing& row, bool withServer) {
    if (row.isPublished() && !withServer)
        throw StoreError(
            QStringLiteral("listing %1 is published and the server cannot be reached").arg(row.number),
            QStringLiteral("ListingRowWork"));
    ServerCopy::Snapshot before;
    QStringList names;
    QStringList boxNames;
    bracket([&] { boxNames = deleteLocalRow(row.number); },
            [&] {
                if (row.isPublished())
                    before = takeServerCopy(row.number, names);
            },
            [&] { m_copy.restore(row.number, before); });
    deleteLocalFiles(row, boxNames);
    return !row.isPublished() || removePictures(row, names);
}

// The image box belongs to the listing by its number, `tidx`.
QStringList ListingRowWork::deleteLocalRow(int number) {
    SqlStore& local = m_session.listingStore();
    QStringList names;
    QSqlQuery box = local.query(QStringLiteral("SELECT Img2 FROM filebox WHERE tidx = ?"), {number});
    while (box.next())
        names << box.value(0).toString().split(kSeparator);
    local.execute(QStringLiteral("DELETE FROM filebox WHERE tidx = ?"), {number});
    if (!deleteLocal(local, number))
        throw StoreError(QStringLiteral("listing %1 is no longer in the office database").arg(number),
                         QStringLiteral("ListingRowWork"));
    return names;
}

// The pictures by the names the stores gave them and by every name the listing's slots can
// take, and the listing's own file-box folder.
void ListingRowWork::deleteLocalFiles(const SelectedListing& row, const QStringList& boxNames) {
    const QDir files(m_session.dataFolder().files());
    for (const QString& name : QStringList{row.imgname1, row.imgname2} + boxNames)
        if (isPlainFileName(name))
            QFile::remove(files.filePath(name));
    removePicturesOfStems(files.path(), listingPictureStems(m_session.state().OfficeMainId, row.number));
    QDir(files.filePath(QString::number(row.number))).removeRecursively();
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
        ListingRowWork(session, sessionPictureStores(session), label)
            .remove(rows.first(), serverCopiesReachable(session));
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
