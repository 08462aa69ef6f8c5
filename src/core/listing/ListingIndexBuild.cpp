#include "ListingIndexBuild.h"

#include "core/listing/ListingColumns.h"
#include "core/store/RowWriter.h"
#include "core/store/TableDef.h"

namespace teran {

ListingIndexBuild::ListingIndexBuild(SqlStore& store, qsizetype incomingRows)
    : m_store(store) {
    if (store.backend() != SqlBackend::Sqlite || incomingRows < kFewestRows)
        return;
    // The highest number bounds the rows already there (deleted numbers only make it larger).
    if (store.scalar(QStringLiteral("SELECT COALESCE(MAX(table_idx), 0) FROM maemul")).toLongLong() >
        incomingRows)
        return;
    for (const IndexDef& index : maemulTable(ListingSide::Local).indexes)
        store.execute(QStringLiteral("DROP INDEX IF EXISTS ") + quotedName(index.name));
    m_setAside = true;
}

void ListingIndexBuild::finish() {
    if (!m_setAside)
        return;
    for (const QString& sql : createIndexSql(maemulTable(ListingSide::Local), m_store.backend()))
        m_store.execute(sql);
    m_setAside = false;
}

} // namespace teran
