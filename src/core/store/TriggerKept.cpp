#include "TriggerKept.h"

#include "core/store/SqlStore.h"

namespace teran {

bool keptByTriggers(SqlStore& store, const QString& table, const QStringList& triggers) {
    // On the vendor's server with an account per member the table is a view, and its triggers
    // sit on the tables behind it, which the vendor keeps.
    if (store.backend() == SqlBackend::MariaDb &&
        store.scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                                    "DATABASE() AND TABLE_NAME = ? AND TABLE_TYPE = 'VIEW'"),
                     {table}, 0)
                .toInt() > 0)
        return true;
    if (!store.hasTable(table))
        return false;
    QVariantList names;
    for (const QString& trigger : triggers)
        names << trigger;
    const QString marks = QStringList(triggers.size(), QStringLiteral("?")).join(QLatin1Char(','));
    const QString sql =
        store.backend() == SqlBackend::MariaDb
            ? QStringLiteral("SELECT COUNT(*) FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = "
                             "DATABASE() AND EVENT_OBJECT_TABLE = 'maemul' AND TRIGGER_NAME IN (%1)")
            : QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger' AND name IN (%1)");
    return store.scalar(sql.arg(marks), names, 0).toInt() == triggers.size();
}

void dropKeptTable(SqlStore& store, const QString& table, const QStringList& triggers) {
    for (const QString& trigger : triggers)
        store.execute(QStringLiteral("DROP TRIGGER IF EXISTS ") + trigger);
    store.execute(QStringLiteral("DROP TABLE IF EXISTS ") + table);
}

} // namespace teran
