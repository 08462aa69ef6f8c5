#include "WorkNotes.h"
#include "session/Session.h"

#include "session/SqlStore.h"

namespace teran {

namespace {

QList<WorkNote> notesOf(SqlStore& store, const QString& where, const QVariantList& values) {
    QSqlQuery q = store.query(QStringLiteral("SELECT writeday, opid, work FROM mem_work WHERE ") + where +
                                  QStringLiteral(" ORDER BY writeday DESC, table_idx DESC"),
                              values);
    QList<WorkNote> notes;
    while (q.next())
        notes << WorkNote{q.value(0).toDateTime(), q.value(1).toString(), q.value(2).toString()};
    return notes;
}

} // namespace

QList<WorkNote> listingWorkNotes(SqlStore& store, int number) {
    return notesOf(store, QStringLiteral("tb = 'maemul' AND tidx = ?"), {number});
}

QList<WorkNote> lotWorkNotes(SqlStore& store, const QString& lot) {
    if (lot.isEmpty())
        return {};
    return notesOf(store, QStringLiteral("addr = ?"), {lot});
}

QString lotAddress(const QString& addr1, const QString& addr2, const QString& addr3, const QString& addr4) {
    return addr1 + addr2 + addr3 + addr4.trimmed();
}

QList<WorkNote> listingWorkNotes(Session& session, int number) {
    return listingWorkNotes(session.listingStore(), number);
}

QList<WorkNote> lotWorkNotes(Session& session, const QString& lot) {
    return lotWorkNotes(session.listingStore(), lot);
}

} // namespace teran
