#pragma once

#include <QList>
#include <QMap>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantHash>
#include <utility>

namespace teran {

class SqlStore;

// A name quoted with backticks, which both backends accept, and a list of them ("`a`, `b`").
QString quotedName(const QString& name);
QString quotedNames(const QStringList& names);

// The named values of one row, in the order they are written.
class RowValues {
public:
    RowValues() = default;
    RowValues(std::initializer_list<std::pair<QString, QVariant>> values);
    explicit RowValues(const QVariantHash& values);
    explicit RowValues(const QMap<QString, QVariant>& values);

    void set(const QString& name, const QVariant& value);
    const QStringList& names() const { return m_names; }
    const QVariantList& values() const { return m_values; }
    bool isEmpty() const { return m_names.isEmpty(); }

private:
    QStringList m_names;
    QVariantList m_values;
};

// The one writer of rows from named values: every name is quoted and every value bound, never
// pasted into the statement. Both throw StoreError.
//
// Inserts one row; the number the store gave it, where the table numbers its rows.
QVariant insertRow(SqlStore& store, const QString& table, const RowValues& row);
// Sets the values in the rows that match `where` (a condition with "?" for `whereValues`);
// the number of rows changed.
int updateRows(SqlStore& store, const QString& table, const RowValues& values, const QString& where,
               const QVariantList& whereValues);

// The named values of every row the query has still to give, in order.
QList<QVariantHash> namedRows(QSqlQuery&& query);
QList<QVariantHash> namedRows(QSqlQuery& query);

} // namespace teran
