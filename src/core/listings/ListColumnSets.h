#pragma once

#include "core/listing/ListingColumns.h"
#include "core/session/LayoutFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// The four ways the listing grids are filled: the office's own listings, one of its listing
// groups (both from the ListingStore), the other offices' internet listings and the listings of
// the selected clubs (both from the ServerStore).
enum class ListKind { Own, Group, Shared, Club };

bool isServerList(ListKind kind);
ListingSide sideOf(ListKind kind);

// How a cell's text is made from the raw columns the column reads.
enum class CellFormat {
    Text,          // the value as text
    Number,        // whole or decimal number without trailing zeros
    Amount,        // "#,##0"
    Yield,         // "#0.#0"
    TypeLabel,     // tb (and ty) -> 아파트, 빌라트, ...
    Transaction,   // ty -> 매매, 전세, 월세, 분양권
    Photo,         // " Ｏ" when either picture name is set
    Pair,          // first " / " second (floor, area)
    Combined,      // money_w*100+money_b, "#,##0"
    Parking,       // parking, or parking_d " / " parking_u where parking is 0
    BuildingState, // sangtae, or gsangtae where sangtae is empty
    OwnerPhones,   // uhome " / " uhp " / " uoffice, "-" when reserved for someone else
    OfficePhones,  // homtel " / " hantel of the member in charge of a server row
    OfficeAgent,   // the member in charge's internet name (showname)
    Date,          // "yy-MM-dd"
    DateTime,      // "yy-MM-dd H:mm" (minutes padded: "21:08")
    Sharing,       // state -> where other offices see the listing: 온라인, 클럽, 온라인+클럽
};

struct ListColumn {
    QString caption;
    QStringList raw; // the `maemul` columns the cell is made from, in the order the format reads them
    CellFormat format = CellFormat::Text;
    bool rightAligned = false;
    bool hidden = false; // helper values (state, hitadd, ...) the grid keeps but does not show
    QString sortTag;     // what a click on the header sorts by; empty when it cannot sort
    // Set for a column that comes last in the set, so that the widths saved before it was added
    // still fit their columns, but is shown after the column of this caption.
    QString shownAfter;
};

using ListColumnSet = QList<ListColumn>;

// True for "" and "all": the list shows every type.
bool isAllTypes(const QString& tb);

// The columns of a list of one type (`tb`), or of every type when tb is "" or "all". The group
// view has one fixed set whatever the type. An unknown type gives the all-types set.
ListColumnSet ListColsByTb(ListKind kind, const QString& tb);

// The columns of a list saved to a file (엑셀저장): the list's own, with the type (종목) and the
// transaction (거래) beside them where the list does not show them, so that every line of the
// file says what its listing is and can be read back.
ListColumnSet sheetColumnsOf(ListKind kind, const QString& tb);

// The captions of a set in order, hidden columns included (layout files count them too).
QStringList captionsOf(const ListColumnSet& columns);
// The distinct raw columns a set reads, in first-use order.
QStringList rawColumnsOf(const ListColumnSet& columns);

// The own lists' column that tells where a listing is shared ("공유").
QString sharingCaption();

// Captions whose columns are right-aligned in every grid.
bool isRightAlignedCaption(const QString& caption);

// The file that keeps the grid's column widths for a list of this kind and type.
LayoutKind layoutKindFor(ListKind kind, const QString& tb);

} // namespace teran
