#pragma once

#include "core/store/StoreUrl.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// Column kinds of both stores. Money is BigInt (whole 만원 or 원), yields and areas Decimal.
enum class ColumnType { Integer, BigInt, Decimal, Text, DateTime };

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
    // For Text: 0 means unbounded (TEXT on MariaDB); a size makes it VARCHAR(size), for keys
    // that are indexed or compared often. MariaDB counts every VARCHAR in its row-size limit,
    // so wide tables keep most texts unbounded.
    int size = 0;
    bool autoKey = false; // auto-numbered primary key
    QString caption;      // what screens and reports call it; empty where nothing names it
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QList<IndexDef> indexes;

    const ColumnDef* column(const QString& name) const;
    QStringList columnNames() const;
};

// DDL for one backend. Identifiers are quoted with backticks, which both backends accept.
QString createTableSql(const TableDef& table, SqlBackend backend);
QStringList createIndexSql(const TableDef& table, SqlBackend backend);
QString addColumnSql(const QString& table, const ColumnDef& column, SqlBackend backend);
QString columnTypeSql(const ColumnDef& column, SqlBackend backend);

} // namespace teran
