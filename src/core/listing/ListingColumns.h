#pragma once

#include "core/listing/ListingSide.h"
#include "core/store/TableDef.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// Every column of `maemul` on either store, declared once, in a stable order. The schema, the
// upload column pairs, the text transfer and the forms all take their names and types from here.
const QList<ColumnDef>& listingColumns();

// The columns that the table of one store holds, in declaration order.
QList<ColumnDef> listingColumnsOf(ListingSide side);
QStringList listingColumnNames(ListingSide side);

// Looks a column up by name, ignoring case (older code writes `Keyword`, `State`, `Line`).
const ColumnDef* findListingColumn(const QString& name);
bool isListingColumnOn(const QString& name, ListingSide side);
// For a column found by findListingColumn.
bool isListingColumnOn(const ColumnDef* column, ListingSide side);

// The table with its indexes, ready for createTableSql/createIndexSql.
TableDef maemulTable(ListingSide side);

} // namespace teran
