#include "StoreSchemas.h"

#include "ListingColumns.h"
#include "StoreTables.h"

namespace teran {

QList<TableDef> listingStoreSchema() {
    return QList<TableDef>{maemulTable(ListingSide::Local)} + listingStoreTables();
}

QList<TableDef> serverStoreSchema() {
    return QList<TableDef>{maemulTable(ListingSide::Server)} + serverStoreTables();
}

// Version 1 takes any older store (including files of earlier programs without a version)
// to the declared tables. Later versions add their own steps below it.
// Version 2 adds the indexes the list windows search and page by.
QList<Migration> listingStoreMigrations() {
    const auto reconcile = [](SqlStore& store) { reconcileTables(store, listingStoreSchema()); };
    return {{1, QStringLiteral("declared tables"), reconcile}, {2, QStringLiteral("list indexes"), reconcile}};
}

QList<Migration> serverStoreMigrations() {
    const auto reconcile = [](SqlStore& store) { reconcileTables(store, serverStoreSchema()); };
    return {{1, QStringLiteral("declared tables"), reconcile}, {2, QStringLiteral("list indexes"), reconcile}};
}

int upgradeListingStore(SqlStore& store) {
    return SchemaMigrator(store, listingStoreMigrations()).upgrade();
}

int upgradeServerStore(SqlStore& store) {
    return SchemaMigrator(store, serverStoreMigrations()).upgrade();
}

} // namespace teran
