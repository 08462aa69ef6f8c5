#include "SessionListings.h"

#include "core/session/Session.h"

namespace teran {

std::optional<ListingRow> readLocal(Session& session, int tableIdx) {
    return readLocal(session.listingStore(), tableIdx);
}

int expectedNextNumber(Session& session) {
    return expectedNextNumber(session.listingStore());
}

std::optional<int> neighbourListing(Session& session, int tableIdx, int step) {
    return neighbourListing(session.listingStore(), tableIdx, step);
}

QList<int> listingsOnLot(Session& session, const QStringList& lot, const QString& unit) {
    return listingsOnLot(session.listingStore(), lot, unit);
}

} // namespace teran
