#include "ServerCopy.h"
#include "core/store/RowWriter.h"

#include "core/session/Session.h"

#include "core/listing/ListingColumns.h"
#include "core/listing/ListingRepository.h"
#include "core/listing/ListingSelection.h"
#include "core/listing/ListingValue.h"

namespace teran {

bool serverCopiesReachable(Session& session) {
    return session.state().isOnline() && session.serverReachable();
}

namespace {

const QString kSource = QStringLiteral("ServerCopy");
const QString kSeparator = QStringLiteral("|");

} // namespace

ServerCopy::ServerCopy(SqlStore& listing, SqlStore& server, QString officeId)
    : m_listing(listing)
    , m_server(server)
    , m_officeId(std::move(officeId)) {}

bool ServerCopy::exists(int number) {
    return m_server
        .scalar(QStringLiteral("SELECT sub_idx FROM maemul WHERE id = ? AND sub_idx = ?"),
                {m_officeId, number})
        .isValid();
}

void ServerCopy::insert(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime) {
    insertAs(number, tb, state, uploadTime, QVariant());
}

void ServerCopy::insertAs(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime,
                          const QVariant& serverKey) {
    const ListingRow local = localListing(number, tb);
    Disclosure disclosure = storedDisclosure(local).value_or(Disclosure{});
    disclosure.state = state;
    disclosure.now = uploadTime;
    insertCopy(local, disclosure, serverKey, {});
}

ListingRow ServerCopy::localListing(int number, const QString& tb) {
    std::optional<ListingRow> local = readLocal(m_listing, number);
    if (!local)
        throw StoreError(QStringLiteral("listing %1 is not in the ListingStore").arg(number), kSource);
    if (!tb.isEmpty())
        local->insert(QStringLiteral("tb"), tb);
    return *local;
}

void ServerCopy::insertCopy(const ListingRow& local, const Disclosure& disclosure, const QVariant& serverKey,
                            const QVariant& keptEndday) {
    ListingRow copy = serverCopyOf(local, m_officeId, disclosure);
    if (serverKey.isValid())
        copy.insert(QStringLiteral("table_idx"), serverKey);
    if (!copy.contains(QStringLiteral("endday")) && keptEndday.isValid())
        copy.insert(QStringLiteral("endday"), keptEndday);
    insertServer(m_server, copy);
}

void ServerCopy::write(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime,
                       bool resetHits) {
    // A copy made again keeps to what the office chose to show when it shared the listing.
    const ListingRow local = localListing(number, tb);
    Disclosure disclosure = storedDisclosure(local).value_or(Disclosure{});
    disclosure.state = state;
    disclosure.now = uploadTime;
    replace(local, disclosure, !resetHits);
}

void ServerCopy::publish(const ListingRow& local, const Disclosure& disclosure) {
    replace(local, disclosure, false);
}

void ServerCopy::publish(int number, const QString& tb, const Disclosure& disclosure) {
    replace(localListing(number, tb), disclosure, false);
}

void ServerCopy::replace(const ListingRow& local, Disclosure disclosure, bool keepHits) {
    const int number = local.value(QStringLiteral("table_idx")).toInt();
    m_server.transact([&] {
        QSqlQuery old = m_server.query(
            QStringLiteral(
                "SELECT hitadd, hitmem, table_idx, endday FROM maemul WHERE id = ? AND sub_idx = ?"),
            {m_officeId, number});
        const bool existed = old.next();
        Disclosure used = disclosure;
        if (existed && keepHits) {
            used.hitadd = old.value(0).toInt();
            used.hitmem = old.value(1).toInt();
        }
        // Other offices know the copy by its server number (ticks, club lists): it keeps it.
        const QVariant key = existed ? old.value(2) : QVariant();
        const QVariant endday = existed ? old.value(3) : QVariant();
        old.finish();
        if (existed)
            m_server.execute(QStringLiteral("DELETE FROM maemul WHERE id = ? AND sub_idx = ?"),
                             {m_officeId, number});
        insertCopy(local, used, key, endday);
    });
}

ServerCopy::Snapshot ServerCopy::snapshot(int number) {
    return m_server.transact([&] {
        Snapshot taken;
        QSqlQuery row = m_server.query(QStringLiteral("SELECT * FROM maemul WHERE id = ? AND sub_idx = ?"),
                                       {m_officeId, number});
        const QList<QVariantHash> rows = namedRows(row);
        taken.existed = !rows.isEmpty();
        if (taken.existed)
            taken.row = rows.first();
        QSqlQuery box = m_server.query(QStringLiteral("SELECT * FROM filebox WHERE ID = ? AND sub_idx = ?"),
                                       {m_officeId, number});
        taken.fileBox = namedRows(box);
        return taken;
    });
}

void ServerCopy::restore(int number, const Snapshot& snapshot) {
    m_server.transact([&] {
        m_server.execute(QStringLiteral("DELETE FROM filebox WHERE ID = ? AND sub_idx = ?"),
                         {m_officeId, number});
        m_server.execute(QStringLiteral("DELETE FROM maemul WHERE id = ? AND sub_idx = ?"),
                         {m_officeId, number});
        if (snapshot.existed)
            insertRow(m_server, QStringLiteral("maemul"), RowValues(snapshot.row));
        for (const QVariantHash& box : snapshot.fileBox)
            insertRow(m_server, QStringLiteral("filebox"), RowValues(box));
    });
}

bool ServerCopy::setState(int number, PublicationState state, bool resetHits) {
    return m_server.transact([&] {
        if (!exists(number))
            return false;
        const QString hits = resetHits ? QStringLiteral(", hitadd = 0, hitmem = 0") : QString();
        m_server.execute(
            QStringLiteral("UPDATE maemul SET state = ?%1 WHERE id = ? AND sub_idx = ?").arg(hits),
            {stateValue(state), m_officeId, number});
        return true;
    });
}

void ServerCopy::writeFileBox(int number, const QString& tb, const QString& ty, const QStringList& names,
                              const QDateTime& now) {
    m_server.transact([&] {
        m_server.execute(QStringLiteral("DELETE FROM filebox WHERE ID = ? AND sub_idx = ?"),
                         {m_officeId, number});
        if (!names.isEmpty())
            m_server.execute(
                QStringLiteral(
                    "INSERT INTO filebox (tb, ty, ID, sub_idx, Img1, writeday) VALUES (?, ?, ?, ?, ?, ?)"),
                {tb, ty, m_officeId, number, names.join(kSeparator), now});
    });
}

std::array<QString, 2> ServerCopy::mainPictures(int number) {
    QSqlQuery row =
        m_server.query(QStringLiteral("SELECT imgname1, imgname2 FROM maemul WHERE id = ? AND sub_idx = ?"),
                       {m_officeId, number});
    if (!row.next())
        return {};
    return {row.value(0).toString(), row.value(1).toString()};
}

void ServerCopy::leaveOutPictures(int number, const QStringList& names) {
    for (const QString& name : names)
        for (const char* column : {"imgname1", "imgname2"})
            m_server.execute(
                QStringLiteral("UPDATE maemul SET %1 = '' WHERE id = ? AND sub_idx = ? AND %1 = ?")
                    .arg(QLatin1String(column)),
                {m_officeId, number, name});
}

QStringList ServerCopy::boxPictures(int number) {
    QStringList names;
    QSqlQuery box =
        m_server.query(QStringLiteral("SELECT Img1 FROM filebox WHERE ID = ? AND sub_idx = ? AND Img1 <> ''"),
                       {m_officeId, number});
    while (box.next())
        names << box.value(0).toString().split(kSeparator, Qt::SkipEmptyParts);
    return names;
}

void ServerCopy::writeOfficeRow(const QString& table, int number, const QVariantMap& values) {
    const QString key = QStringLiteral("`ID` = ? AND tidx = ?");
    m_server.transact([&] {
        if (values.isEmpty()) {
            m_server.execute(QStringLiteral("DELETE FROM %1 WHERE %2").arg(quotedName(table), key),
                             {m_officeId, number});
            return;
        }
        RowValues row;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            row.set(it.key(), m_server.toStored(it.value()));
        // Asked, not taken from the update's count: MariaDB counts only rows whose values changed,
        // and a copy sent twice changes nothing the second time.
        const bool there =
            m_server
                .scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(quotedName(table), key),
                        {m_officeId, number}, 0)
                .toInt() > 0;
        if (there) {
            updateRows(m_server, table, row, key, {m_officeId, number});
            return;
        }
        row.set(QStringLiteral("ID"), m_officeId);
        row.set(QStringLiteral("tidx"), number);
        insertRow(m_server, table, row);
    });
}

ServerCopy::Removed ServerCopy::remove(int number) {
    return m_server.transact([&] { return removeNow(number); });
}

ServerCopy::Removed ServerCopy::recordedPictures(int number) {
    Removed removed;
    QSqlQuery row =
        m_server.query(QStringLiteral("SELECT imgname1, imgname2 FROM maemul WHERE id = ? AND sub_idx = ?"),
                       {m_officeId, number});
    if (row.next()) {
        removed.existed = true;
        removed.pictureNames << row.value(0).toString() << row.value(1).toString();
    }
    removed.pictureNames << boxPictures(number);
    removed.pictureNames.removeAll(QString());
    removed.pictureNames.removeDuplicates();
    return removed;
}

ServerCopy::Removed ServerCopy::removeNow(int number) {
    const Removed removed = recordedPictures(number);
    m_server.execute(QStringLiteral("DELETE FROM filebox WHERE ID = ? AND sub_idx = ?"),
                     {m_officeId, number});
    m_server.execute(QStringLiteral("DELETE FROM maemul WHERE id = ? AND sub_idx = ?"), {m_officeId, number});
    return removed;
}

QList<int> ServerCopy::refreshShowday(const QList<int>& numbers, const QDateTime& now) {
    return m_server.transact([&] {
        QList<int> refreshed;
        for (int number : numbers) {
            if (!exists(number))
                continue;
            m_server.execute(QStringLiteral("UPDATE maemul SET showday = ? WHERE id = ? AND sub_idx = ?"),
                             {now, m_officeId, number});
            refreshed << number;
        }
        return refreshed;
    });
}

int ServerCopy::refreshAll(const QDateTime& now) {
    return m_server.transact([&] {
        // MariaDB counts only rows whose value changed; the office wants to hear how many it has.
        const int count =
            m_server.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ?"), {m_officeId}, 0)
                .toInt();
        m_server.execute(QStringLiteral("UPDATE maemul SET showday = ? WHERE id = ?"), {now, m_officeId});
        return count;
    });
}

bool ServerCopy::setInCharge(int number, const QString& subid) {
    return m_server.transact([&] {
        if (!exists(number))
            return false;
        m_server.execute(QStringLiteral("UPDATE maemul SET subid = ? WHERE id = ? AND sub_idx = ?"),
                         {subid, m_officeId, number});
        return true;
    });
}

} // namespace teran
