#include "OfficeCopy.h"
#include "core/store/RowWriter.h"

#include "core/listing/ListingRepository.h"
#include "core/session/StoreSchemas.h"

#include <QSqlRecord>

namespace teran {

namespace {

// The declared columns that the source holds (an older source may lack the newest ones).
QStringList sharedColumns(SqlStore& source, const TableDef& table) {
    QStringList present;
    for (const QString& name : source.columnsOf(table.name))
        present << name.toLower();
    QStringList columns;
    for (const ColumnDef& column : table.columns)
        if (present.contains(column.name.toLower()))
            columns << column.name;
    return columns;
}

qint64 copyTable(SqlStore& source, SqlStore& target, const TableDef& table) {
    if (!source.hasTable(table.name))
        return 0;
    const QStringList columns = sharedColumns(source, table);
    if (columns.isEmpty())
        return 0;
    const QString insert = QStringLiteral("INSERT INTO `%1` (%2) VALUES (%3)")
                               .arg(table.name, quotedNames(columns), SqlStore::placeholders(columns.size()));
    QSqlQuery rows =
        source.query(QStringLiteral("SELECT %1 FROM `%2`").arg(quotedNames(columns), table.name));
    qint64 count = 0;
    while (rows.next()) {
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i)
            values << rows.value(i);
        target.execute(insert, values);
        ++count;
    }
    return count;
}

} // namespace

qint64 highestNumberEver(SqlStore& store) {
    const qint64 highest =
        store.scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul"), {}, 0).toLongLong();
    QVariant mark;
    if (store.backend() == SqlBackend::Sqlite)
        mark = store.scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'maemul'"));
    else
        mark = store.scalar(QStringLiteral("SELECT AUTO_INCREMENT - 1 FROM information_schema.TABLES "
                                           "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'maemul'"));
    return std::max(highest, mark.toLongLong());
}

OfficeCopyReport copyOffice(SqlStore& source, SqlStore& target,
                            const std::function<void(const QString&, qint64)>& progress) {
    if (!source.hasTable(QStringLiteral("maemul")))
        throw StoreError(QStringLiteral("the source holds no office (no maemul table)"),
                         QStringLiteral("copyOffice"));
    // An older source is brought up to date first (as the program would on opening it), so
    // that nothing older, such as passwords in clear text, travels into the new store.
    upgradeListingStore(source);
    upgradeListingStore(target);
    if (target.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"), {}, 0).toLongLong() > 0)
        throw StoreError(QStringLiteral("the target already holds listings; copy into an empty office only"),
                         QStringLiteral("copyOffice"));
    OfficeCopyReport report;
    Transaction tx(target);
    for (const TableDef& table : listingStoreSchema()) {
        // The target's own tables were filled by the schema (reference rows): the source's replace them.
        target.execute(QStringLiteral("DELETE FROM `%1`").arg(table.name));
        const qint64 rows = copyTable(source, target, table);
        report.rows += rows;
        ++report.tables;
        if (progress)
            progress(table.name, rows);
    }
    tx.commit();
    keepNumbersAbove(target, highestNumberEver(source));
    return report;
}

} // namespace teran
