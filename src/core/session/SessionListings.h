#pragma once

#include "core/listing/ListingRepository.h"

namespace teran {

class Session;

// The reads of the listing store (ListingRepository) from the session's office database, for
// the windows, which name no store.
std::optional<ListingRow> readLocal(Session& session, int tableIdx);
int expectedNextNumber(Session& session);
std::optional<int> neighbourListing(Session& session, int tableIdx, int step);
QList<int> listingsOnLot(Session& session, const QStringList& lot, const QString& unit = {});

} // namespace teran
