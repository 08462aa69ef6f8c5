#pragma once

#include "ListingColumns.h"
#include "ListingValue.h"
#include "SqlStore.h"

#include <QList>
#include <QVariantHash>
#include <functional>
#include <optional>

namespace teran {

// One listing as column name -> value. Rows read back hold the non-null columns of their store
// under their declared (lower-case) names (value() of a null column is an invalid QVariant);
// money comes back as qint64, counts as int, decimals as double, dates as QDateTime, texts as
// QString.
using ListingRow = QVariantHash;

// Creates `maemul` with its indexes on a store that does not have it yet.
void createListingTable(SqlStore& store, ListingSide side);

// Writes a new local listing and returns its number (`table_idx`), which the store assigns
// inside the insert's own transaction: two desks saving at once get different numbers, and a
// number is never handed out again. A `table_idx` in the row is ignored, as are keys that are
// no local column; names match without regard to case; values are converted by
// listingValueFor. A missing `state` or `code` is 0, so a
// new row shows in the own lists. Throws StoreError; nothing is written then.
int insertLocal(SqlStore& store, const ListingRow& row);

// Writes many local listings in one transaction and returns their numbers in order; all or
// nothing. Rows with the same columns (those of one type) share one prepared statement.
// Values are converted as by listingValueFor. `progress` (when given) hears the count written so
// far every few hundred rows and at the end.
QList<int> insertLocalBulk(SqlStore& store, const QList<ListingRow>& rows,
                           const std::function<void(int done)>& progress = {});

std::optional<ListingRow> readLocal(SqlStore& store, int tableIdx);

// Makes the next local number greater than `highest`: an office database restored from an
// older copy, or emptied, must not hand out again a number that the office's server copies
// still hold (publishing it would then overwrite another listing's copy).
void keepNumbersAbove(SqlStore& store, qint64 highest);
// The highest local number among the office's server copies (0 when it has none).
qint64 highestServerNumber(SqlStore& server, const QString& officeId);

// Writes a server copy, keyed by (`id`, `sub_idx`), which the row must hold; columns that the
// server does not keep (the owner's details, `opid`, ...) are left out. A second copy of the
// same listing is refused by the store (StoreError).
void insertServer(SqlStore& store, const ListingRow& row);

std::optional<ListingRow> readServer(SqlStore& store, const QString& id, int subIdx);

// Up to `limit` rows with `table_idx` greater than `afterTableIdx`, in number order: the next
// page starts after the last number of this one, so rows added or deleted meanwhile never
// shift a page.
QList<ListingRow> readPage(SqlStore& store, int afterTableIdx, int limit,
                           ListingSide side = ListingSide::Local);

} // namespace teran
