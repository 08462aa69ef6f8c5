#pragma once

#include "core/listing/ListingSide.h"
#include "core/store/TableDef.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// 합산금, the monthly rent times 100 plus the deposit, as the lists sort and filter by it; a
// missing amount counts as 0.
QString combinedAmountSql(const QString& alias = {});

// The sort tags of the own list: the columns (and "address", "hapsan") a user can order the
// office's listings by with a click on a header.
const QStringList& ownListSortTags();

// The keys of a sort tag in order; `alias` prefixes the columns ("A." when the listings are
// joined with another table). Only tags of the lists reach the text.
QStringList listingSortKeys(const QString& tag, ListingSide side, const QString& alias = {});

// The index of the office's database that reads the own list in the order of a tag, so that a
// page is read without sorting every row of a type; empty for the row number (the table's own
// order).
QString ownListSortIndex(const QString& tag);
// All of them, for the schema.
QList<IndexDef> ownListSortIndexes();

} // namespace teran
