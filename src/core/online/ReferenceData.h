#pragma once

#include "ReferenceJob.h"
#include "core/store/SqlStore.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace teran {

// One row of `post`: postal code, region ("서울"), district, town and the rest of the address
// (a lot range such as "1~100" or "산1~50", a building or a village).
struct PostRow {
    QString postno;
    QString addr1;
    QString addr2;
    QString addr3;
    QString addr4;
};

// One row of `subway`: its number, the line and the station (without "역": the pickers add it).
struct SubwayRow {
    int tableIdx = 0;
    QString sline;
    QString station;
};

// The sixteen two-character region names that `addr1` holds; the address finder cuts the
// region out of its result items by that length.
const QStringList& regionNames();

// The tables the program ships (data/reference/*.tsv, built in as resources): a header line
// naming the columns, then one row a line, values separated by tabs. Subway rows are numbered
// from 1 in the order of the file. Malformed text throws StoreError naming the line.
QList<PostRow> parsePostRows(const QByteArray& tsv);
QList<SubwayRow> parseSubwayRows(const QByteArray& tsv);
QList<PostRow> referencePostRows();
QList<SubwayRow> referenceSubwayRows();

// Writes rows into an empty table, in one transaction with one prepared statement.
// Return the rows written. Throw StoreError.
int insertPostRows(SqlStore& store, const QList<PostRow>& rows);
int insertSubwayRows(SqlStore& store, const QList<SubwayRow>& rows);

// The shipped rows for a new store. A demo office's ListingStore is left a little behind the
// server's, so that the menu's refresh has something to bring.
struct ReferenceFillOptions {
    int leaveOutLastPostRows = 0;
    int leaveOutLastSubwayLines = 0;
};

// Rows written to each table; -1 where the table already held rows and was left as it was.
struct ReferenceFillReport {
    int post = -1;
    int subway = -1;
};

// Fills the store's `post` and `subway` from the shipped rows where they are empty.
ReferenceFillReport fillEmptyReferenceTables(SqlStore& store, const ReferenceFillOptions& options = {});

} // namespace teran
