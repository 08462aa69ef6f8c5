#include "ListingCounts.h"

#include "core/listing/PropertyTypes.h"
#include "core/store/SqlStore.h"
#include "core/store/TriggerKept.h"

namespace teran {

namespace {

const QString kTable = QStringLiteral("maemul_counts");
const QStringList kTriggers = {QStringLiteral("tr_maemul_counts_insert"),
                               QStringLiteral("tr_maemul_counts_update"),
                               QStringLiteral("tr_maemul_counts_delete")};

// One key of the counts from a row of `maemul` seen as NEW or OLD.
QString keyOf(const QString& row) {
    return QStringLiteral("IFNULL(%1.id, ''), IFNULL(%1.state, -1), IFNULL(%1.tb, ''), IFNULL(%1.opid, '')")
        .arg(row);
}

QString addSql(const QString& row) {
    return QStringLiteral("INSERT INTO maemul_counts(id, state, tb, opid, n) VALUES(%1, 1) "
                          "ON CONFLICT(id, state, tb, opid) DO UPDATE SET n = n + 1;")
        .arg(keyOf(row));
}

QString removeSql(const QString& row) {
    return QStringLiteral("UPDATE maemul_counts SET n = n - 1 WHERE (id, state, tb, opid) = (%1);")
        .arg(keyOf(row));
}

} // namespace

ListingCounts::ListingCounts(SqlStore& store)
    : m_store(store) {}

void ListingCounts::install() {
    if (m_store.backend() != SqlBackend::Sqlite || kept())
        return;
    m_store.transact([&] {
        dropKeptTable(m_store, kTable, kTriggers);
        m_store.execute(
            QStringLiteral("CREATE TABLE maemul_counts (id TEXT NOT NULL, state INTEGER NOT NULL, "
                           "tb TEXT NOT NULL, opid TEXT NOT NULL, n INTEGER NOT NULL, "
                           "PRIMARY KEY (id, state, tb, opid))"));
        m_store.execute(
            QStringLiteral("INSERT INTO maemul_counts(id, state, tb, opid, n) SELECT IFNULL(id, ''), "
                           "IFNULL(state, -1), IFNULL(tb, ''), IFNULL(opid, ''), COUNT(*) FROM maemul "
                           "GROUP BY 1, 2, 3, 4"));
        m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON maemul BEGIN %2 END")
                            .arg(kTriggers.at(0), addSql(QStringLiteral("NEW"))));
        // Only a change of the key moves a row between counts.
        m_store.execute(
            QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF id, state, tb, opid ON maemul BEGIN %2 %3 END")
                .arg(kTriggers.at(1), removeSql(QStringLiteral("OLD")), addSql(QStringLiteral("NEW"))));
        m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON maemul BEGIN %2 END")
                            .arg(kTriggers.at(2), removeSql(QStringLiteral("OLD"))));
    });
}

bool ListingCounts::kept() const {
    return m_store.backend() == SqlBackend::Sqlite && keptByTriggers(m_store, kTable, kTriggers);
}

std::optional<qint64> ListingCounts::count(const QString& office, const QString& tb, bool archive,
                                           const QString& staff) const {
    if (!kept())
        return std::nullopt;
    QString sql = QStringLiteral("SELECT SUM(n) FROM maemul_counts WHERE id = ? AND state ") +
                  (archive ? QStringLiteral("= ?") : QStringLiteral("<> ?"));
    QVariantList values{office, stateValue(PublicationState::Archived)};
    if (!tb.isEmpty()) {
        sql += QStringLiteral(" AND tb = ?");
        values << tb;
    }
    if (!staff.isEmpty()) {
        sql += QStringLiteral(" AND opid IN ('', ?)");
        values << staff;
    }
    return m_store.scalar(sql, values, 0).toLongLong();
}

} // namespace teran
