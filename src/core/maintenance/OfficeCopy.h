#pragma once

#include "core/store/SqlStore.h"

#include <QString>
#include <functional>

namespace teran {

// Copies a whole office database into another store, for an office that moves its database
// from the SQLite file in its folder to a MariaDB (when a second desk comes) or back. Every
// table of the office is copied row by row with its numbers, and the target hands out no number
// the source had already used. The target gets the current schema first and must hold no
// listings; the copy is one transaction on the target (on MariaDB the schema's DDL is not).
struct OfficeCopyReport {
    int tables = 0;
    qint64 rows = 0;
};

OfficeCopyReport copyOffice(SqlStore& source, SqlStore& target,
                            const std::function<void(const QString& table, qint64 rows)>& progress = {});

// The highest number the store's `maemul` has ever handed out (deleted listings included).
qint64 highestNumberEver(SqlStore& store);

} // namespace teran
