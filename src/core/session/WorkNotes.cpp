#include "WorkNotes.h"

#include "core/session/Session.h"
#include "core/store/RowWriter.h"
#include "core/store/SqlStore.h"

namespace teran {

namespace {

// A note without opid is everybody's; one with opid is its writer's alone.
const QString kVisible = QStringLiteral("(opid IS NULL OR opid = '' OR opid = ?)");

WorkNote noteOf(const QSqlQuery& q) {
    return {q.value(0).toInt(), SqlStore::toDateTime(q.value(1)), q.value(2).toString(),
            q.value(3).toString()};
}

} // namespace

WorkNoteBook::WorkNoteBook(SqlStore& store, QString viewer)
    : m_store(store)
    , m_viewer(std::move(viewer)) {}

WorkNoteBook::WorkNoteBook(Session& session)
    : WorkNoteBook(session.listingStore(), session.state().LoginId) {}

QList<WorkNote> WorkNoteBook::notesWhere(const QString& condition, const QVariantList& values) const {
    QSqlQuery q = m_store.query(
        QStringLiteral("SELECT table_idx, writeday, opid, work FROM mem_work WHERE ") + kVisible +
            QStringLiteral(" AND ") + condition + QStringLiteral(" ORDER BY writeday DESC, table_idx DESC"),
        QVariantList{m_viewer} + values);
    QList<WorkNote> notes;
    while (q.next())
        notes << noteOf(q);
    return notes;
}

QList<WorkNote> WorkNoteBook::of(const QString& kind, int owner) const {
    return notesWhere(QStringLiteral("tb = ? AND tidx = ?"), {kind, owner});
}

QList<WorkNote> WorkNoteBook::ofListing(int number) const {
    return notesWhere(QStringLiteral("tb = ? AND tidx = ? AND (addr IS NULL OR addr = '')"),
                      {NoteKind::Listing, number});
}

QList<WorkNote> WorkNoteBook::ofLot(const QString& lot) const {
    if (lot.isEmpty())
        return {};
    return notesWhere(QStringLiteral("addr = ?"), {lot});
}

QList<WorkNote> WorkNoteBook::ofOwner(const QString& kind, int owner, const QString& lot) const {
    if (!lot.isEmpty())
        return ofLot(lot);
    return kind == NoteKind::Listing ? ofListing(owner) : of(kind, owner);
}

std::optional<WorkNote> WorkNoteBook::read(int note) const {
    const QList<WorkNote> found = notesWhere(QStringLiteral("table_idx = ?"), {note});
    return found.isEmpty() ? std::nullopt : std::optional<WorkNote>(found.first());
}

int WorkNoteBook::add(const NewWorkNote& note) {
    return insertRow(m_store, QStringLiteral("mem_work"),
                     {{QStringLiteral("opid"), note.opid},
                      {QStringLiteral("id"), note.member},
                      {QStringLiteral("tb"), note.kind},
                      {QStringLiteral("ty"), note.ty},
                      {QStringLiteral("tidx"), note.owner},
                      {QStringLiteral("addr"), note.lot},
                      {QStringLiteral("writeday"), note.day.startOfDay()},
                      {QStringLiteral("work"), note.work}})
        .toInt();
}

void WorkNoteBook::update(int note, const QDate& day, const QString& work) {
    updateRows(m_store, QStringLiteral("mem_work"),
               {{QStringLiteral("writeday"), day.startOfDay()}, {QStringLiteral("work"), work}},
               QStringLiteral("table_idx = ? AND ") + kVisible, {note, m_viewer});
}

void WorkNoteBook::remove(int note) {
    m_store.execute(QStringLiteral("DELETE FROM mem_work WHERE table_idx = ? AND ") + kVisible,
                    {note, m_viewer});
}

void WorkNoteBook::removeAllOf(const QString& kind, int owner) {
    m_store.execute(QStringLiteral("DELETE FROM mem_work WHERE tb = ? AND tidx = ?"), {kind, owner});
}

void WorkNoteBook::copyAll(const QString& fromKind, int from, const QString& toKind, int to) {
    m_store.execute(QStringLiteral("INSERT INTO mem_work (opid, id, tb, ty, tidx, addr, writeday, work) "
                                   "SELECT opid, id, ?, ty, ?, addr, writeday, work FROM mem_work "
                                   "WHERE tb = ? AND tidx = ? ORDER BY table_idx"),
                    {toKind, to, fromKind, from});
}

QString WorkNoteBook::listDay(const WorkNote& note) {
    return note.writeday.toString(QStringLiteral("MMdd"));
}

QString WorkNoteBook::listText(const WorkNote& note) {
    QString text = note.work;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

QString lotAddress(const QString& addr1, const QString& addr2, const QString& addr3, const QString& addr4) {
    return addr1 + addr2 + addr3 + addr4.trimmed();
}

} // namespace teran
