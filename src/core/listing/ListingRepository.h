#pragma once

#include "core/listing/ListingColumns.h"
#include "core/listing/ListingValue.h"
#include "core/listing/PropertyTypes.h"
#include "core/store/SqlStore.h"

#include <QDateTime>

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
// number is never handed out again. A `table_idx` in the row is ignored, as are columns that
// only the server keeps; a key that is no listing column at all is refused (StoreError), so a
// misspelt field is never lost in silence. Names match without regard to case; values are
// converted by listingValueFor. A missing `state` or `code` is 0, so a
// new row shows in the own lists. Throws StoreError; nothing is written then.
int insertLocal(SqlStore& store, const ListingRow& row);

// Writes many local listings in one transaction and returns their numbers in order; all or
// nothing. Rows with the same columns (those of one type) share one prepared statement.
// Values are converted as by listingValueFor. `progress` (when given) hears the count written so
// far every few hundred rows and at the end.
QList<int> insertLocalBulk(SqlStore& store, const QList<ListingRow>& rows,
                           const std::function<void(int done)>& progress = {});

std::optional<ListingRow> readLocal(SqlStore& store, int tableIdx);

// How an update of a local listing ended.
enum class UpdateOutcome {
    Updated,
    Missing, // no listing of that number (deleted at another desk)
    Changed, // another desk saved the listing since `asOpened` was read; nothing written
};

// Writes the row's columns into local listing `tableIdx` (the columns it does not name keep
// their values). With `asOpened` (the row as read when the form opened) the update happens
// only when the stored row still equals it, checked inside the write transaction.
UpdateOutcome updateLocal(SqlStore& store, int tableIdx, const ListingRow& row,
                          const std::optional<ListingRow>& asOpened = std::nullopt);

// Deletes a local listing with its work notes; false when there was none.
bool deleteLocal(SqlStore& store, int tableIdx);

// The publication state of a local listing. `resetGrades` sets its promotion grades (hitadd,
// hitmem) to 0; a `showday` given becomes its modified date. False when there is no such row.
bool setLocalState(SqlStore& store, int tableIdx, int state, bool resetGrades,
                   const std::optional<QDateTime>& showday = std::nullopt);
// The staff member in charge of a local listing (`subid`).
void setLocalInCharge(SqlStore& store, int tableIdx, const QString& staffId);

// The number a new listing will most likely get, for the form to show before the save; the
// store assigns the real one when it writes the row.
int expectedNextNumber(SqlStore& store);

// The own listing before (`step` -1) or after (+1) `tableIdx` in number order; nullopt at either end.
std::optional<int> neighbourListing(SqlStore& store, int tableIdx, int step);

// The numbers of the own listings on one lot (`addr1`..`addr4`), with `addr5` when given.
QList<int> listingsOnLot(SqlStore& store, const QStringList& lot, const QString& unit = {});
// The own listings on the lot and unit (`addr5`) of a row to be registered; none when the row
// names no lot number (`addr4`), as the registration window asks only then.
QList<int> listingsOnLotOf(SqlStore& store, const ListingRow& row);

// What the office chose to show of a listing in its shared copy.
struct Disclosure {
    PublicationState state = PublicationState::Internet;
    int hitadd = 0; // grade among all offices: 0 일반(G), 1 추천(G), 2 급매(G)
    int hitmem = 0; // grade on the office's own pages
    bool addr2 = true;
    bool addr3 = true;
    // 나머지: the lot number and unit. They never leave the office (the server has no column for
    // them); the choice is kept with the listing all the same, as the office made it.
    bool rest = true;
    bool name = true;
    bool picture1 = true;
    bool picture2 = true;
    QDateTime now; // the server's time: the copy's showday and sortday, and its expiry
};

// What the office chose to show of a listing, as its own row keeps it (`scope_ie`): the names of
// the parts shown. State, grades and time are not part of it. Nullopt for a listing that was
// never shared from the registration window since the choice is kept.
QString disclosureScopeText(const Disclosure& disclosure);
std::optional<Disclosure> storedDisclosure(const ListingRow& local);
// What the registration window shows as chosen: the kept choice, else (a listing shared before
// the choice was kept) the parts its shared copy shows, none without a copy.
Disclosure disclosureToShow(const ListingRow& local, const std::optional<ListingRow>& copy);

// The shared copy of a local listing, keyed (`id` = `officeId`, `sub_idx` = its number): the
// columns its type publishes, the lot number, unit, seller and the office's own notes left out,
// `addr2`/`addr3`/the name/the pictures only where disclosed, the shared-only areas and floors
// (`*_ie`) in place of the real ones where they are set, the memo without its placeholder and
// line breaks. A key of `local` that is no listing column is refused (StoreError).
ListingRow serverCopyOf(const ListingRow& local, const QString& officeId, const Disclosure& disclosure);

// The text the memo for other offices shows until something is typed.
QString sharedMemoPlaceholder();

// Makes the next local number greater than `highest`: an office database restored from an
// older copy, or emptied, must not hand out again a number that the office's server copies
// still hold (publishing it would then overwrite another listing's copy).
void keepNumbersAbove(SqlStore& store, qint64 highest);
// The highest local number among the office's server copies (0 when it has none).
qint64 highestServerNumber(SqlStore& server, const QString& officeId);

// Writes a server copy, keyed by (`id`, `sub_idx`), which the row must hold; columns that the
// server does not keep (the owner's details, `opid`, ...) are left out. A second copy of the
// same listing is refused by the store (StoreError). A `table_idx` in the row is kept: a copy
// written again keeps the server number other offices know it by.
void insertServer(SqlStore& store, const ListingRow& row);

std::optional<ListingRow> readServer(SqlStore& store, const QString& id, int subIdx);
// A server row by the server's own number, as the shared lists know it.
std::optional<ListingRow> readServerRow(SqlStore& store, int serverIdx);

// Up to `limit` rows with `table_idx` greater than `afterTableIdx`, in number order: the next
// page starts after the last number of this one, so rows added or deleted meanwhile never
// shift a page.
QList<ListingRow> readPage(SqlStore& store, int afterTableIdx, int limit,
                           ListingSide side = ListingSide::Local);

} // namespace teran
