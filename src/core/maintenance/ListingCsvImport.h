#pragma once

#include "core/maintenance/ListingTextTransfer.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace teran::listingCsv {

// A CSV file of listings as a spreadsheet saves it: a header line, then one listing a line.
struct Preview {
    QStringList header;
    QList<QStringList> rows; // the first lines under the header
    qint64 rowCount = 0;     // every line under the header
    // For each column of the file, the field (ListingCsvFields) it is proposed to fill, empty
    // where none fits: the user confirms or changes the mapping.
    QStringList proposed;
};

// The header and first lines of the file, with the proposed mapping. Throws ImportRefused.
Preview preview(const QString& path, int firstRows = 10);

// The listings of a file, checked whole, before any is registered.
struct SheetListings {
    QList<ListingRow> rows;
    QList<int> lines; // the file's line of each row
};

// Every line of the file read as a new listing of `officeId` by `loginId`, its values put into
// the fields of `mapping` (one caption per column of the file, empty to skip; a listing
// column's name stands for its field). The type is required; the transaction, where no column
// gives it, follows the amounts (매매가 M, 전세금 J, 월세금 or 월세 W). Amounts may carry
// thousands separators. A listing without its address or its price (as its type's form asks for
// them) is refused; so is any value its field cannot take. The first fault throws ImportRefused
// naming its line and the field's caption. Listings without dates are registered and shown `now`.
SheetListings readListings(const QString& path, const QStringList& mapping, const QString& officeId,
                           const QString& loginId, const QDateTime& now);

// How many of the rows stand on a lot (and unit) where the office holds listings already.
int heldOnTheirLots(SqlStore& store, const QList<ListingRow>& rows);

// readListings, then every row registered: all or none, numbered by the store.
QList<int> importSheet(SqlStore& store, const QString& path, const QStringList& mapping,
                       const QString& officeId, const QString& loginId, const QDateTime& now,
                       const listingText::Progress& progress = {});

} // namespace teran::listingCsv
