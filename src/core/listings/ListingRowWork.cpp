#include "ListingRowWork.h"

#include "register/ListingImageName.h"
#include "session/Session.h"

#include <QDir>
#include <QFile>

namespace teran {

namespace {

const QString kSeparator = QStringLiteral("|");

// Names come from the stores; one with a folder part must not reach outside the picture folder.
bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

ListingRowWork::ListingRowWork(Session& session, PictureStoreFactory pictures, QString label)
    : m_session(session)
    , m_label(std::move(label))
    , m_ftp(std::move(pictures))
    , m_copy(session.listingStore(), session.serverStore(), session.state().OfficeMainId)
    , m_pictures(session.listingStore(), session.state().OfficeMainId, m_ftp) {}

void ListingRowWork::log(const StoreError& error) {
    m_session.logError(m_label, error);
}

void ListingRowWork::setLocalState(int number, PublicationState state, bool resetHits) {
    const QString hits = resetHits ? QStringLiteral(", hitadd = 0, hitmem = 0") : QString();
    m_session.listingStore().execute(
        QStringLiteral("UPDATE maemul SET state = ?%1 WHERE table_idx = ?").arg(hits),
        {stateValue(state), number});
}

bool ListingRowWork::publish(const SelectedListing& row, PublicationState target,
                             const PublishTransition& transition) {
    bool inserted = false;
    if (!m_copy.setState(row.number, target, transition.resetServerHits)) {
        m_copy.insert(row.number, row.tb, target, m_session.clock().now());
        inserted = true;
    }
    const bool needsPictures = inserted || transition.effect == ServerEffect::InsertServerCopy;
    const bool picturesSent = !needsPictures || sendPictures(row);
    try {
        setLocalState(row.number, target, transition.resetLocalHits);
    } catch (const StoreError&) {
        undoPublish(row, inserted);
        throw;
    }
    return picturesSent;
}

bool ListingRowWork::sendPictures(const SelectedListing& row) {
    try {
        const ListingPictures::Published published =
            m_pictures.publish(row.number, row.imgname1, row.imgname2);
        m_copy.writeFileBox(row.number, row.tb, row.ty, published.boxNames, m_session.clock().now());
        return published.complete;
    } catch (const StoreError& error) {
        log(error);
        return false;
    }
}

// Best effort: the row is reported as failed whatever happens here.
void ListingRowWork::undoPublish(const SelectedListing& row, bool inserted) {
    try {
        if (inserted) {
            const ServerCopy::Removed removed = m_copy.remove(row.number);
            m_pictures.withdraw(row.number, removed.pictureNames);
        } else if (row.state) {
            m_copy.setState(row.number, *row.state, false);
        }
    } catch (const StoreError& error) {
        log(error);
    }
}

void ListingRowWork::narrow(const SelectedListing& row, const PublishTransition& transition) {
    if (!transition.serverState || !transition.localState)
        return;
    if (!m_copy.setState(row.number, *transition.serverState, transition.resetServerHits))
        throw StoreError(QStringLiteral("the server holds no copy of listing %1").arg(row.number),
                         QStringLiteral("ListingRowWork"));
    try {
        setLocalState(row.number, *transition.localState, transition.resetLocalHits);
    } catch (const StoreError&) {
        undoPublish(row, false);
        throw;
    }
}

bool ListingRowWork::removeServerCopy(const SelectedListing& row) {
    ServerCopy::Removed removed = m_copy.remove(row.number);
    // Pictures a former publication left behind go too, although the copy no longer names them.
    removed.pictureNames << row.imgname1 << row.imgname2;
    removed.pictureNames.removeAll(QString());
    removed.pictureNames.removeDuplicates();
    return m_pictures.withdraw(row.number, removed.pictureNames);
}

bool ListingRowWork::withdraw(const SelectedListing& row, PublicationState state) {
    const bool picturesRemoved = removeServerCopy(row);
    setLocalState(row.number, state, true);
    return picturesRemoved;
}

bool ListingRowWork::remove(const SelectedListing& row, bool withServer) {
    const bool picturesRemoved = !withServer || !row.isPublished() || removeServerCopy(row);
    const QStringList boxNames = deleteLocalRow(row.number);
    deleteLocalFiles(row, boxNames);
    return picturesRemoved;
}

// The image box belongs to the listing by its number, `tidx`.
QStringList ListingRowWork::deleteLocalRow(int number) {
    SqlStore& local = m_session.listingStore();
    Transaction tx(local);
    QStringList names;
    QSqlQuery box = local.query(QStringLiteral("SELECT Img2 FROM filebox WHERE tidx = ?"), {number});
    while (box.next())
        names << box.value(0).toString().split(kSeparator);
    local.execute(QStringLiteral("DELETE FROM filebox WHERE tidx = ?"), {number});
    local.execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {number});
    tx.commit();
    return names;
}

// The pictures by the names the stores gave them and by every name the listing's slots can
// take, and the listing's own file-box folder.
void ListingRowWork::deleteLocalFiles(const SelectedListing& row, const QStringList& boxNames) {
    const QDir files(m_session.dataFolder().files());
    for (const QString& name : QStringList{row.imgname1, row.imgname2} + boxNames)
        if (isPlainFileName(name))
            QFile::remove(files.filePath(name));
    QStringList stems = ListingPictures::boxStems(m_session.state().OfficeMainId, row.number);
    for (int picture : {1, 2})
        stems << ListingImageStem(m_session.state().OfficeMainId, row.number, mainPictureSuffix(picture));
    for (const QString& stem : stems)
        for (const QString& name : files.entryList({stem + QLatin1Char('*')}, QDir::Files))
            if (isImageOfStem(name, stem))
                QFile::remove(files.filePath(name));
    QDir(files.filePath(QString::number(row.number))).removeRecursively();
}

void ListingRowWork::setLocalStates(const QList<SelectedListing>& rows, PublicationState state,
                                    bool touchShowday) {
    SqlStore& local = m_session.listingStore();
    const QString showday = touchShowday ? QStringLiteral(", showday = ?") : QString();
    const QString sql =
        QStringLiteral("UPDATE maemul SET state = ?, hitadd = 0, hitmem = 0%1 WHERE table_idx = ?")
            .arg(showday);
    const QDateTime now = m_session.clock().now();
    Transaction tx(local);
    for (const SelectedListing& row : rows) {
        QVariantList values{stateValue(state)};
        if (touchShowday)
            values << now;
        values << row.number;
        local.execute(sql, values);
    }
    tx.commit();
}

} // namespace teran
