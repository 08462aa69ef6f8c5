#include "ServerCopy.h"

#include "ListingSelection.h"
#include "session/ListingColumns.h"
#include "session/ListingValue.h"
#include "session/UploadCols.h"

namespace teran {

namespace {

const QString kSource = QStringLiteral("ServerCopy");
const QString kSeparator = QStringLiteral("|");

QString quotedList(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << QLatin1Char('`') + name + QLatin1Char('`');
    return quoted.join(QStringLiteral(", "));
}

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

QVariantList ServerCopy::localRow(int number, const QStringList& columns) {
    QSqlQuery q = m_listing.query(
        QStringLiteral("SELECT %1 FROM maemul WHERE table_idx = ?").arg(quotedList(columns)), {number});
    if (!q.next())
        throw StoreError(QStringLiteral("listing %1 is not in the ListingStore").arg(number), kSource);
    QVariantList values;
    for (int i = 0; i < columns.size(); ++i)
        values << listingValueFromStore(*findListingColumn(columns.at(i)), q.value(i));
    return values;
}

void ServerCopy::insert(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime) {
    const UploadColumns cols = UploadCols(tb);
    if (cols.isEmpty())
        throw StoreError(QStringLiteral("no upload columns for the property type '%1'").arg(tb), kSource);
    const QVariantList local = localRow(number, cols.localColumns());
    QVariantList values;
    qsizetype field = 0;
    for (const UploadPair& pair : cols.pairs) {
        if (pair.source == UploadPair::Source::UploadTime) {
            values << uploadTime;
            continue;
        }
        if (pair.source == UploadPair::Source::Zero) {
            values << 0;
            continue;
        }
        const QVariant value = local.at(field++);
        // The copy is keyed by the office's main id whatever an older row holds, and it is
        // published in the target state, not in the local state it had before.
        if (pair.server == QLatin1String("id"))
            values << m_officeId;
        else if (pair.server == QLatin1String("state"))
            values << stateValue(state);
        else
            values << value;
    }
    m_server.execute(
        QStringLiteral("INSERT INTO `maemul` (%1) VALUES (%2)")
            .arg(quotedList(cols.serverColumns()), ListingNumberList::placeholders(values.size())),
        values);
}

bool ServerCopy::setState(int number, PublicationState state, bool resetHits) {
    Transaction tx(m_server);
    if (!exists(number))
        return false;
    const QString hits = resetHits ? QStringLiteral(", hitadd = 0, hitmem = 0") : QString();
    m_server.execute(QStringLiteral("UPDATE maemul SET state = ?%1 WHERE id = ? AND sub_idx = ?").arg(hits),
                     {stateValue(state), m_officeId, number});
    tx.commit();
    return true;
}

void ServerCopy::writeFileBox(int number, const QString& tb, const QString& ty, const QStringList& names,
                              const QDateTime& now) {
    Transaction tx(m_server);
    m_server.execute(QStringLiteral("DELETE FROM filebox WHERE ID = ? AND sub_idx = ?"),
                     {m_officeId, number});
    if (!names.isEmpty())
        m_server.execute(
            QStringLiteral(
                "INSERT INTO filebox (tb, ty, ID, sub_idx, Img1, writeday) VALUES (?, ?, ?, ?, ?, ?)"),
            {tb, ty, m_officeId, number, names.join(kSeparator), now});
    tx.commit();
}

ServerCopy::Removed ServerCopy::remove(int number) {
    Removed removed;
    Transaction tx(m_server);
    QSqlQuery row =
        m_server.query(QStringLiteral("SELECT imgname1, imgname2 FROM maemul WHERE id = ? AND sub_idx = ?"),
                       {m_officeId, number});
    if (row.next()) {
        removed.existed = true;
        removed.pictureNames << row.value(0).toString() << row.value(1).toString();
    }
    QSqlQuery box =
        m_server.query(QStringLiteral("SELECT Img1 FROM filebox WHERE ID = ? AND sub_idx = ? AND Img1 <> ''"),
                       {m_officeId, number});
    while (box.next())
        removed.pictureNames << box.value(0).toString().split(kSeparator);
    removed.pictureNames.removeAll(QString());
    removed.pictureNames.removeDuplicates();
    m_server.execute(QStringLiteral("DELETE FROM filebox WHERE ID = ? AND sub_idx = ?"),
                     {m_officeId, number});
    m_server.execute(QStringLiteral("DELETE FROM maemul WHERE id = ? AND sub_idx = ?"), {m_officeId, number});
    tx.commit();
    return removed;
}

QList<int> ServerCopy::refreshShowday(const QList<int>& numbers, const QDateTime& now) {
    QList<int> refreshed;
    Transaction tx(m_server);
    for (int number : numbers) {
        if (!exists(number))
            continue;
        m_server.execute(QStringLiteral("UPDATE maemul SET showday = ? WHERE id = ? AND sub_idx = ?"),
                         {now, m_officeId, number});
        refreshed << number;
    }
    tx.commit();
    return refreshed;
}

int ServerCopy::refreshAll(const QDateTime& now) {
    Transaction tx(m_server);
    // MariaDB counts only rows whose value changed; the office wants to hear how many it has.
    const int count =
        m_server.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ?"), {m_officeId}, 0).toInt();
    m_server.execute(QStringLiteral("UPDATE maemul SET showday = ? WHERE id = ?"), {now, m_officeId});
    tx.commit();
    return count;
}

bool ServerCopy::setInCharge(int number, const QString& subid) {
    Transaction tx(m_server);
    if (!exists(number))
        return false;
    m_server.execute(QStringLiteral("UPDATE maemul SET subid = ? WHERE id = ? AND sub_idx = ?"),
                     {subid, m_officeId, number});
    tx.commit();
    return true;
}

} // namespace teran
