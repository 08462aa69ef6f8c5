#include "TableDef.h"
#include "core/store/RowWriter.h"

#include <algorithm>

namespace teran {

namespace {

// An index key in parentheses is an expression of the row's columns.
bool isExpression(const QString& key) {
    return key.startsWith(QLatin1Char('('));
}

// MariaDB can index only a prefix of an unbounded text.
QString indexedColumn(const TableDef& table, const QString& name, SqlBackend backend) {
    if (isExpression(name))
        return name;
    const ColumnDef* column = table.column(name);
    if (backend == SqlBackend::MariaDb && column && column->type == ColumnType::Text && column->size == 0)
        return quotedName(name) + QStringLiteral("(100)");
    return quotedName(name);
}

} // namespace

const ColumnDef* TableDef::column(const QString& wanted) const {
    for (const ColumnDef& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList TableDef::columnNames() const {
    QStringList names;
    for (const ColumnDef& c : columns)
        names << c.name;
    return names;
}

QString columnTypeSql(const ColumnDef& column, SqlBackend backend) {
    const bool maria = backend == SqlBackend::MariaDb;
    if (column.autoKey)
        return maria ? QStringLiteral("INT NOT NULL AUTO_INCREMENT PRIMARY KEY")
                     : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    switch (column.type) {
    case ColumnType::Integer:
        return maria ? QStringLiteral("INT") : QStringLiteral("INTEGER");
    case ColumnType::BigInt:
        return maria ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    case ColumnType::Decimal:
        return maria ? QStringLiteral("DOUBLE") : QStringLiteral("REAL");
    case ColumnType::DateTime:
        return QStringLiteral("DATETIME");
    case ColumnType::Text:
        if (maria)
            return column.size > 0 ? QStringLiteral("VARCHAR(%1)").arg(column.size) : QStringLiteral("TEXT");
        return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

QString createTableSql(const TableDef& table, SqlBackend backend) {
    QStringList parts;
    for (const ColumnDef& c : table.columns)
        parts << quotedName(c.name) + QLatin1Char(' ') + columnTypeSql(c, backend);
    QString sql = QStringLiteral("CREATE TABLE ") + quotedName(table.name) + QStringLiteral(" (") +
                  parts.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (backend == SqlBackend::MariaDb)
        sql += QStringLiteral(" ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci");
    return sql;
}

QStringList createIndexSql(const TableDef& table, SqlBackend backend) {
    QStringList statements;
    for (const IndexDef& index : table.indexes) {
        // MariaDB indexes columns only; its lists sort those keys without the index.
        if (backend == SqlBackend::MariaDb &&
            std::any_of(index.columns.begin(), index.columns.end(), isExpression))
            continue;
        QStringList cols;
        for (const QString& c : index.columns)
            cols << indexedColumn(table, c, backend);
        statements << QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
                          .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), quotedName(index.name),
                               quotedName(table.name), cols.join(QStringLiteral(", ")));
    }
    return statements;
}

QString addColumnSql(const QString& table, const ColumnDef& column, SqlBackend backend) {
    ColumnDef plain = column;
    plain.autoKey = false; // a key cannot be added to a table that already has rows
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
        .arg(quotedName(table), quotedName(column.name), columnTypeSql(plain, backend));
}

} // namespace teran
