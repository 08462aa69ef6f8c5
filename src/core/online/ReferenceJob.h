#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

// The two reference tables that the office keeps as copies of the vendor's: postal addresses
// (`post`) for the address pickers and subway stations (`subway`) for the station picker.
enum class ReferenceJob { Post, Subway };

// How a job's table looks on both stores: the same name and columns on each side.
struct ReferenceTable {
    QString name;
    QStringList columns; // the columns a copy moves, in this order
    QString countColumn; // the column counted when both sides are compared
    QString orderColumn; // the order of a copy's rows; empty where the table has no key
};

const ReferenceTable& referenceTable(ReferenceJob job);

// The job's name as frmUpgrade's start button keeps it: "post" or "subway".
QString jobTag(ReferenceJob job);
std::optional<ReferenceJob> jobFromTag(const QString& tag);

// The statements of a job; names only, every value is bound.
QString countSql(ReferenceJob job);    // "SELECT COUNT(postno) FROM post"
QString rowCountSql(ReferenceJob job); // every row, whatever its counted column holds
QString selectSql(ReferenceJob job);
QString insertSql(ReferenceJob job);
QString deleteSql(ReferenceJob job);

} // namespace teran
