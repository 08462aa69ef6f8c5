#include "SchemaMigrator.h"

#include <algorithm>

namespace teran {

namespace {
const QString kVersionTable = QStringLiteral("teran_schema");
} // namespace

SchemaMigrator::SchemaMigrator(SqlStore& store, QList<Migration> steps)
    : m_store(store)
    , m_steps(std::move(steps)) {
    std::sort(m_steps.begin(), m_steps.end(),
              [](const Migration& a, const Migration& b) { return a.version < b.version; });
}

int SchemaMigrator::currentVersion() const {
    if (!m_store.hasTable(kVersionTable))
        return 0;
    return m_store.scalar(QStringLiteral("SELECT MAX(version) FROM teran_schema"), {}, 0).toInt();
}

int SchemaMigrator::latestVersion() const {
    return m_steps.isEmpty() ? 0 : m_steps.last().version;
}

void SchemaMigrator::ensureVersionTable() {
    if (m_store.hasTable(kVersionTable))
        return;
    m_store.execute(
        QStringLiteral("CREATE TABLE teran_schema (version INTEGER NOT NULL, applied %1, note %2)")
            .arg(m_store.backend() == SqlBackend::MariaDb ? QStringLiteral("DATETIME")
                                                          : QStringLiteral("TEXT"),
                 m_store.backend() == SqlBackend::MariaDb ? QStringLiteral("VARCHAR(200)")
                                                          : QStringLiteral("TEXT")));
}

int SchemaMigrator::upgrade() {
    const int from = currentVersion();
    int applied = 0;
    for (const Migration& step : m_steps) {
        if (step.version <= from)
            continue;
        Transaction tx(m_store);
        ensureVersionTable();
        step.apply(m_store);
        m_store.execute(QStringLiteral("INSERT INTO teran_schema(version, applied, note) VALUES(?, %1, ?)")
                            .arg(m_store.nowSql()),
                        {step.version, step.description});
        tx.commit();
        ++applied;
    }
    return applied;
}

void reconcileTables(SqlStore& store, const QList<TableDef>& tables) {
    for (const TableDef& table : tables) {
        if (!store.hasTable(table.name)) {
            store.execute(createTableSql(table, store.backend()));
        } else {
            QStringList present = store.columnsOf(table.name);
            for (QString& name : present)
                name = name.toLower();
            for (const ColumnDef& column : table.columns)
                if (!present.contains(column.name.toLower()))
                    store.execute(addColumnSql(table.name, column, store.backend()));
        }
        for (const QString& sql : createIndexSql(table, store.backend()))
            store.execute(sql);
    }
}

} // namespace teran
