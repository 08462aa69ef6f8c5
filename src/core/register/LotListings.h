#pragma once

#include "core/listing/ListingRepository.h"

#include <QList>
#include <QStringList>

namespace teran {

class Session;

// The own listings on the lot of the form (`cmdChkMul`, "지번별 매물보기"), one line of cells
// each under the captions of lotListingCaptions().
QStringList lotListingCaptions();
QStringList lotListingCells(const ListingRow& row);
// The rows of the lot addr1..addr4, in number order.
QList<ListingRow> lotListings(SqlStore& store, const QStringList& lot);
QList<ListingRow> lotListings(Session& session, const QStringList& lot); // of the office database

} // namespace teran
