#include "PublicationOutbox.h"

#include "core/store/RowWriter.h"
#include "core/store/SqlStore.h"

#include <QDataStream>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>

namespace teran {

namespace {

const QString kSeparator = QStringLiteral("|");

const QList<std::pair<OutboxKind, QString>>& kindNames() {
    static const QList<std::pair<OutboxKind, QString>> names{
        {OutboxKind::Send, QStringLiteral("send")},
        {OutboxKind::State, QStringLiteral("state")},
        {OutboxKind::Withdraw, QStringLiteral("withdraw")},
        {OutboxKind::Delete, QStringLiteral("delete")},
        {OutboxKind::Refresh, QStringLiteral("refresh")},
        {OutboxKind::ServerRow, QStringLiteral("serverrow")}};
    return names;
}

OutboxKind kindFrom(const QString& stored) {
    for (const auto& [kind, name] : kindNames())
        if (name == stored)
            return kind;
    return OutboxKind::Send; // an unknown kind sends the copy as the row stands: always safe
}

QString disclosureText(const std::optional<Disclosure>& d) {
    if (!d)
        return QString();
    const QJsonObject o{{QStringLiteral("hitadd"), d->hitadd},    {QStringLiteral("hitmem"), d->hitmem},
                        {QStringLiteral("addr2"), d->addr2},      {QStringLiteral("addr3"), d->addr3},
                        {QStringLiteral("name"), d->name},        {QStringLiteral("picture1"), d->picture1},
                        {QStringLiteral("picture2"), d->picture2}};
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

std::optional<Disclosure> disclosureFrom(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
    Disclosure d;
    d.hitadd = o.value(QStringLiteral("hitadd")).toInt();
    d.hitmem = o.value(QStringLiteral("hitmem")).toInt();
    d.addr2 = o.value(QStringLiteral("addr2")).toBool(true);
    d.addr3 = o.value(QStringLiteral("addr3")).toBool(true);
    d.name = o.value(QStringLiteral("name")).toBool(true);
    d.picture1 = o.value(QStringLiteral("picture1")).toBool(true);
    d.picture2 = o.value(QStringLiteral("picture2")).toBool(true);
    return d;
}

QString valuesText(const QVariantMap& values) {
    if (values.isEmpty())
        return QString();
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << values;
    return QString::fromLatin1(bytes.toBase64());
}

QVariantMap valuesFrom(const QString& text) {
    QVariantMap values;
    if (text.isEmpty())
        return values;
    QDataStream in(QByteArray::fromBase64(text.toLatin1()));
    in >> values;
    return values;
}

QStringList namesFrom(const QString& text) {
    return text.split(kSeparator, Qt::SkipEmptyParts);
}

OutboxEntry entryFrom(const QSqlQuery& q) {
    OutboxEntry e;
    e.id = q.value(0).toLongLong();
    e.number = q.value(1).toInt();
    e.kind = kindFrom(q.value(2).toString());
    // 1: every picture; above it, what a save chose (an older program reads it as every one).
    const int pictures = q.value(3).toInt();
    e.pictures = pictures == 1;
    e.pictureChoice = pictures > 1 ? pictures : 0;
    e.resetHits = q.value(4).toInt() != 0;
    if (!q.value(5).isNull())
        e.previousState = q.value(5).toInt();
    e.disclosure = disclosureFrom(q.value(6).toString());
    e.pictureNames = namesFrom(q.value(7).toString());
    e.localFiles = namesFrom(q.value(8).toString());
    e.removedRows = QByteArray::fromBase64(q.value(9).toString().toLatin1());
    e.label = q.value(10).toString();
    e.loginId = q.value(11).toString();
    e.made = SqlStore::toDateTime(q.value(12));
    e.tries = q.value(13).toInt();
    e.lastError = q.value(14).toString();
    e.target = q.value(15).toString();
    e.serverRow = valuesFrom(q.value(16).toString());
    return e;
}

const QString kColumns = QStringLiteral("idx, tidx, kind, pictures, resethits, prevstate, disclosure, names, "
                                        "files, rowcopy, label, memid, made, tries, lasterror, "
                                        "COALESCE(target, ''), serverrow");

} // namespace

QString outboxKindName(OutboxKind kind) {
    for (const auto& [k, name] : kindNames())
        if (k == kind)
            return name;
    return QString();
}

QString OutboxEntry::subject() const {
    return (target.isEmpty() ? QStringLiteral("maemul") : target) + QLatin1Char(':') +
           QString::number(number);
}

OutboxEntry outboxEntry(int number, OutboxKind kind, std::optional<int> previousState, const QString& label,
                        const QString& loginId, const QDateTime& made) {
    OutboxEntry entry;
    entry.number = number;
    entry.kind = kind;
    entry.previousState = previousState;
    entry.label = label;
    entry.loginId = loginId;
    entry.made = made;
    return entry;
}

OutboxEntry serverRowEntry(const QString& table, int number, const QVariantMap& values, const QString& label,
                           const QString& loginId, const QDateTime& made) {
    OutboxEntry entry = outboxEntry(number, OutboxKind::ServerRow, std::nullopt, label, loginId, made);
    entry.target = table;
    entry.serverRow = values;
    return entry;
}

PublicationOutbox::PublicationOutbox(SqlStore& local)
    : m_local(local) {}

qint64 PublicationOutbox::add(const OutboxEntry& e) {
    return m_local
        .insert(QStringLiteral(
                    "INSERT INTO outbox (tidx, kind, pictures, resethits, prevstate, disclosure, names, "
                    "files, rowcopy, label, memid, made, tries, lasterror, target, serverrow) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, '', ?, ?)"),
                {e.number, outboxKindName(e.kind), e.pictures ? 1 : e.pictureChoice, e.resetHits ? 1 : 0,
                 e.previousState ? QVariant(*e.previousState) : QVariant(), disclosureText(e.disclosure),
                 e.pictureNames.join(kSeparator), e.localFiles.join(kSeparator),
                 QString::fromLatin1(e.removedRows.toBase64()), e.label, e.loginId,
                 m_local.toStored(e.made.isValid() ? e.made : QDateTime::currentDateTime()), e.target,
                 valuesText(e.serverRow)})
        .toLongLong();
}

QList<OutboxEntry> PublicationOutbox::waiting() {
    QList<OutboxEntry> entries;
    QSqlQuery q = m_local.query(QStringLiteral("SELECT %1 FROM outbox ORDER BY idx").arg(kColumns));
    while (q.next())
        entries << entryFrom(q);
    return entries;
}

std::optional<OutboxEntry> PublicationOutbox::entry(qint64 id) {
    QSqlQuery q = m_local.query(QStringLiteral("SELECT %1 FROM outbox WHERE idx = ?").arg(kColumns), {id});
    if (!q.next())
        return std::nullopt;
    return entryFrom(q);
}

int PublicationOutbox::count() {
    return m_local.scalar(QStringLiteral("SELECT COUNT(*) FROM outbox")).toInt();
}

void PublicationOutbox::sent(qint64 id) {
    m_local.execute(QStringLiteral("DELETE FROM outbox WHERE idx = ?"), {id});
}

void PublicationOutbox::failed(qint64 id, const QString& error) {
    m_local.execute(QStringLiteral("UPDATE outbox SET tries = tries + 1, lasterror = ? WHERE idx = ?"),
                    {error, id});
}

bool PublicationOutbox::cancel(qint64 id) {
    return m_local.transact([&] {
        const std::optional<OutboxEntry> e = entry(id);
        if (!e)
            return false;
        if (e->kind == OutboxKind::Delete)
            putBack(e->removedRows);
        else if (e->previousState)
            setLocalState(m_local, e->number, *e->previousState, false);
        m_local.execute(
            QStringLiteral("DELETE FROM outbox WHERE tidx = ? AND COALESCE(target, '') = ? AND idx >= ?"),
            {e->number, e->target, id});
        return true;
    });
}

QByteArray PublicationOutbox::rowsOf(SqlStore& local, int number) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << namedRows(local.query(QStringLiteral("SELECT * FROM maemul WHERE table_idx = ?"), {number}))
        << namedRows(local.query(QStringLiteral("SELECT * FROM filebox WHERE tidx = ?"), {number}));
    return bytes;
}

// The rows go back as they were read, with their numbers: other rows may name them.
void PublicationOutbox::putBack(const QByteArray& rows) {
    QDataStream in(rows);
    QList<QVariantHash> listings;
    QList<QVariantHash> boxes;
    in >> listings >> boxes;
    for (const QVariantHash& row : listings)
        insertRow(m_local, QStringLiteral("maemul"), RowValues(row));
    for (const QVariantHash& row : boxes)
        insertRow(m_local, QStringLiteral("filebox"), RowValues(row));
}

} // namespace teran
