#pragma once

#include "core/store/TableDef.h"

#include <QList>

namespace teran {

// The tables of the office's ListingStore, apart from the listings table `maemul`, which is
// declared with its own column list (ListingColumns). Includes the local mirror of the office's
// accounts and the local copies of the postcode and subway tables.
QList<TableDef> listingStoreTables();

// The tables of the vendor's ServerStore, apart from the published listings table `maemul`.
QList<TableDef> serverStoreTables();

} // namespace teran
