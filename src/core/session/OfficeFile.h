#pragma once

#include <QString>

namespace teran {

// What the office database file in the data folder looks like before the program opens it.
// Only the file's size and its 100-byte SQLite header are read: a damaged file is never
// written to, so that it can still be rescued as it is.
enum class OfficeFileState {
    Missing,     // no file (the data folder is not made yet)
    Empty,       // zero bytes, or a database without any table: no office in it
    NotDatabase, // some other file under the office database's name
    Truncated,   // shorter than its header says: a copy or a disk that stopped part-way
    NotOffice,   // a database with tables, but not those of an office
    Sound
};

OfficeFileState inspectOfficeFile(const QString& path);

// The box the program shows for a file it does not open as it is (Korean, with what to do),
// and the daily log's line.
QString officeFileTitle();
QString officeFileText(OfficeFileState state, const QString& path);
QString officeFileLogText(OfficeFileState state, const QString& path);

} // namespace teran
