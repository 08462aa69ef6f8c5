#include "SharedListCounts.h"

#include "core/store/SqlStore.h"
#include "core/store/TriggerKept.h"

#include <QStringList>

namespace teran {

namespace {

const QString kTable = QStringLiteral("maemul_days");
const QStringList kTriggers = {QStringLiteral("tr_maemul_days_insert"),
                               QStringLiteral("tr_maemul_days_update"),
                               QStringLiteral("tr_maemul_days_delete")};

// The key of a row seen as NEW or OLD; a row without a date counts on a day long past.
QString keyOf(const QString& row) {
    return QStringLiteral(
               "COALESCE(DATE(%1.showday), '1900-01-01'), COALESCE(%1.tb, ''), COALESCE(%1.state, -1)")
        .arg(row);
}

QString addSql(const QString& row, SqlBackend backend) {
    const QString upsert = backend == SqlBackend::MariaDb
                               ? QStringLiteral("ON DUPLICATE KEY UPDATE n = n + 1")
                               : QStringLiteral("ON CONFLICT(day, tb, state) DO "
                                                "UPDATE SET n = n + 1");
    return QStringLiteral("INSERT INTO maemul_days(day, tb, state, n) VALUES(%1, 1) %2;")
        .arg(keyOf(row), upsert);
}

QString removeSql(const QString& row) {
    return QStringLiteral("UPDATE maemul_days SET n = n - 1 WHERE (day, tb, state) = (%1);").arg(keyOf(row));
}

QString placeholders(qsizetype count) {
    return QStringList(count, QStringLiteral("?")).join(QLatin1Char(','));
}

} // namespace

SharedListCounts::SharedListCounts(SqlStore& server)
    : m_store(server) {}

void SharedListCounts::install() {
    if (kept())
        return;
    const SqlBackend backend = m_store.backend();
    const bool maria = backend == SqlBackend::MariaDb;
    dropKeptTable(m_store, kTable, kTriggers);
    m_store.execute(
        maria ? QStringLiteral("CREATE TABLE maemul_days (day DATE NOT NULL, tb VARCHAR(20) NOT NULL, "
                               "state INT NOT NULL, n INT NOT NULL, PRIMARY KEY (day, tb, state)) "
                               "ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci")
              : QStringLiteral("CREATE TABLE maemul_days (day TEXT NOT NULL, tb TEXT NOT NULL, "
                               "state INTEGER NOT NULL, n INTEGER NOT NULL, PRIMARY KEY (day, tb, state))"));
    // MariaDB commits at each trigger it creates: the triggers come first and the counts are
    // made afresh after them, so that a row written in between is counted once.
    const QString each = maria ? QStringLiteral(" FOR EACH ROW BEGIN ") : QStringLiteral(" BEGIN ");
    m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON maemul%2%3 END")
                        .arg(kTriggers.at(0), each, addSql(QStringLiteral("NEW"), backend)));
    m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE ON maemul%2%3 %4 END")
                        .arg(kTriggers.at(1), each, removeSql(QStringLiteral("OLD")),
                             addSql(QStringLiteral("NEW"), backend)));
    m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON maemul%2%3 END")
                        .arg(kTriggers.at(2), each, removeSql(QStringLiteral("OLD"))));
    m_store.transact([&] {
        m_store.execute(QStringLiteral("DELETE FROM maemul_days"));
        m_store.execute(QStringLiteral("INSERT INTO maemul_days(day, tb, state, n) SELECT %1, COUNT(*) FROM "
                                       "maemul GROUP BY 1, 2, 3")
                            .arg(keyOf(QStringLiteral("maemul"))));
    });
}

bool SharedListCounts::kept() const {
    return keptByTriggers(m_store, kTable, kTriggers);
}

std::optional<qint64> SharedListCounts::count(const QString& office, const QString& tb,
                                              const QList<int>& states, const QDateTime& after) const {
    if (!kept())
        return std::nullopt;
    QVariantList stateValues;
    for (int state : states)
        stateValues << state;
    const QString typeTest = tb.isEmpty() ? QString() : QStringLiteral(" AND tb = ?");
    const QVariantList type = tb.isEmpty() ? QVariantList() : QVariantList{tb};
    const QDate firstDay = after.date();
    const QDateTime nextDay = firstDay.addDays(1).startOfDay();
    // Whole days after the cut-off's day from the counts; its own day, and the office's own
    // rows to leave out, from the rows (an index range each).
    const qint64 days =
        m_store
            .scalar(
                QStringLiteral("SELECT COALESCE(SUM(n), 0) FROM maemul_days WHERE day > ? AND state IN (%1)")
                        .arg(placeholders(states.size())) +
                    typeTest,
                QVariantList{firstDay} + stateValues + type, 0)
            .toLongLong();
    const qint64 firstDayRows =
        m_store
            .scalar(QStringLiteral(
                        "SELECT COUNT(*) FROM maemul WHERE state IN (%1) AND showday > ? AND showday < ?")
                            .arg(placeholders(states.size())) +
                        typeTest,
                    stateValues + QVariantList{after, nextDay} + type, 0)
            .toLongLong();
    const qint64 own =
        m_store
            .scalar(
                QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ? AND state IN (%1) AND showday > ?")
                        .arg(placeholders(states.size())) +
                    typeTest,
                QVariantList{office} + stateValues + QVariantList{after} + type, 0)
            .toLongLong();
    return days + firstDayRows - own;
}

} // namespace teran
