#pragma once

#include <QString>
#include <QStringList>

namespace teran {

class SqlStore;

// Whether a table that triggers on `maemul` keep (counts, an index) is there with all its
// triggers: a file or database that lost one is not trusted and the rows are read instead.
bool keptByTriggers(SqlStore& store, const QString& table, const QStringList& triggers);

// Drops the triggers, then the table (a virtual table's own tables go with it).
void dropKeptTable(SqlStore& store, const QString& table, const QStringList& triggers);

} // namespace teran
