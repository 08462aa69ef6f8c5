#pragma once

#include "core/store/SqlStore.h"
#include "core/store/TableDef.h"

#include <QList>
#include <functional>

namespace teran {

// One upgrade step of a store's schema, from version-1 to version.
struct Migration {
    int version;
    QString description;
    std::function<void(SqlStore&)> apply;
};

// Brings a store's schema to the newest version, step by step. Each step runs in a transaction
// together with the new version number, so on SQLite a failed step leaves the file as it was.
// (MariaDB commits DDL at once; its steps are written to be safe to run again.)
class SchemaMigrator {
public:
    SchemaMigrator(SqlStore& store, QList<Migration> steps);

    int currentVersion() const; // 0 for a store that never had a version
    int latestVersion() const;
    // Returns the number of steps applied; throws StoreError when a step fails.
    int upgrade();

private:
    void ensureVersionTable();
    SqlStore& m_store;
    QList<Migration> m_steps;
};

// Makes the store hold the declared tables: missing tables are created, missing columns
// added and missing indexes made. Rows and extra columns already there are kept.
void reconcileTables(SqlStore& store, const QList<TableDef>& tables);

} // namespace teran
