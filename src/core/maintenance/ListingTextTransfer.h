#pragma once

#include "core/listing/ListingRepository.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace teran {

class SqlStore;

// The text transfer file of listings: one listing a line, 140 values each followed by a TAB, lines
// ended by CR LF, a CR LF inside a value written as the marker "|ⓣⓔⓡⓐⓝ|", the third value "2" for a
// listing in state 2 and "0" otherwise. Offices move listings between their programs with it.
namespace listingText {

// The 140 listing columns of a line, in their order (the third is the state as above).
const QStringList& fields();
QString lineBreakMarker(); // "|ⓣⓔⓡⓐⓝ|"

enum class Period { Whole, Year, Month, Day };
enum class DateColumn { Written, Shown, Off }; // writeday, showday, offday

struct ExportChoice {
    QStringList types; // property type codes (`tb`); none exports nothing
    Period period = Period::Whole;
    DateColumn column = DateColumn::Written;
    QDate from, to;    // the first and last day, month or year, as the period reads them
    QString staffOnly; // a staff login exports only the listings it registered (`subid`)
};

// Why a file was refused, naming its line (from 1) and, where known, the column.
class ImportRefused : public std::runtime_error {
public:
    ImportRefused(int line, QString column, const QString& reason);
    int line() const { return m_line; }
    const QString& column() const { return m_column; }
    const QString& reason() const { return m_reason; }

private:
    int m_line;
    QString m_column;
    QString m_reason;
};

// Told how many lines are done; false cancels (an import then leaves nothing).
using Progress = std::function<bool(qint64 done)>;

// The listings the choice picks, written to `path` in the order of type and transaction; the
// number written. Throws StoreError, or std::runtime_error when the file cannot be written.
qint64 exportListings(SqlStore& store, const ExportChoice& choice, const QString& path,
                      const Progress& progress = {});
// How many listings the choice picks.
qint64 countListings(SqlStore& store, const ExportChoice& choice);

// Every line of the file registered as a new listing of `officeId`, registered by `loginId`, with
// numbers the store gives: all lines or none. The whole file is checked first and refused at its
// first faulty line (ImportRefused). Returns the new numbers in file order.
QList<int> importListings(SqlStore& store, const QString& path, const QString& officeId,
                          const QString& loginId, const Progress& progress = {});

// A new listing of `officeId`, registered by `loginId`, from the values of the named listing
// columns (an empty name skips its value); a value its column cannot take, or a column that is
// no listing's, is refused naming the line and the column.
ListingRow listingRowOf(const QStringList& columns, const QStringList& values, int lineNumber,
                        const QString& officeId, const QString& loginId);
// The rows inserted in one transaction with numbers the store gives: all or none.
QList<int> insertListings(SqlStore& store, const QList<ListingRow>& rows, const Progress& progress = {});

// A file's text: UTF-8 (a byte order mark dropped), else the Korean Windows code page CP949 of
// older programs; ImportRefused at line 1 when it is neither.
QString decodedFile(const QByteArray& bytes);

// The text of one line and its values back, as the file keeps them.
QString lineOf(const QStringList& values);
QStringList valuesOf(const QString& line, int lineNumber); // throws ImportRefused

} // namespace listingText

} // namespace teran
