#pragma once

#include "maintenance/ListingTextTransfer.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace teran::listingCsv {

// A CSV file of listings as a spreadsheet saves it: a header line, then one listing a line.
struct Preview {
    QStringList header;
    QList<QStringList> rows; // the first lines under the header
    qint64 rowCount = 0;     // every line under the header
    // For each column of the file, the listing column it is proposed to fill (by the column's
    // name or caption), empty where none fits: the user confirms or changes the mapping.
    QStringList proposed;
};

// The listing columns a column of the file can fill: name and caption.
QList<QPair<QString, QString>> targets();

// The header and first lines of the file, with the proposed mapping. Throws ImportRefused.
Preview preview(const QString& path, int firstRows = 10);

// Every line of the file registered as a new listing of `officeId` by `loginId`, its values put
// into the listing columns of `mapping` (one entry per column of the file, empty to skip): all
// lines or none, numbered by the store. The type and transaction may be written as the lists
// show them ("아파트", "매매"), amounts with thousands separators. The whole file is checked
// first; the first fault is refused naming its line and column (ImportRefused).
QList<int> importSheet(SqlStore& store, const QString& path, const QStringList& mapping,
                       const QString& officeId, const QString& loginId,
                       const listingText::Progress& progress = {});

} // namespace teran::listingCsv
