#pragma once

#include "core/store/SchemaMigrator.h"

namespace teran {

// The full, current schema of each store and the steps that bring an older store up to it.
QList<TableDef> listingStoreSchema();
QList<TableDef> serverStoreSchema();
QList<Migration> listingStoreMigrations();
QList<Migration> serverStoreMigrations();

// Upgrade helpers used when a store is opened or created; return the steps applied.
int upgradeListingStore(SqlStore& store);
int upgradeServerStore(SqlStore& store);

} // namespace teran
