#pragma once

#include "core/store/TableDef.h"

#include <QVariant>

namespace teran {

// The value a `maemul` column stores for a value given by a window or a file: whole numbers
// for counts and money (numeric text is accepted, empty text is null), double for decimals,
// dates to the second, text for texts. Throws StoreError for a value the column cannot hold
// (letters in an amount, a fraction of a room, a date that is none), so nothing is written
// half-converted.
QVariant listingValueFor(const ColumnDef& column, const QVariant& value);

// A value read from either store as the program uses it: qint64 money, int counts, double
// decimals, QDateTime dates (SQLite keeps them as text), QString texts; null stays invalid.
QVariant listingValueFromStore(const ColumnDef& column, const QVariant& stored);

} // namespace teran
