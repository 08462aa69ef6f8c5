#pragma once

#include "core/store/SqlStore.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace teran {

// The people lists (buyers, cards, customers) page alike: the rows a condition picks, newest
// first (by the day written, then by number), a page at a time. `readRow` turns the query's
// current row into a Row.
template <typename Row, typename ReadRow>
QList<Row> newestFirst(SqlStore& store, QString select, QVariantList values, int limit, int offset,
                       ReadRow readRow) {
    select +=
        QStringLiteral(" ORDER BY writeday DESC, table_idx DESC") + SqlStore::limitSql(limit, offset, values);
    QSqlQuery q = store.query(select, values);
    QList<Row> rows;
    while (q.next())
        rows << readRow(q);
    return rows;
}

} // namespace teran
