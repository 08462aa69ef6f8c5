#include "RowWriter.h"

#include "core/store/SqlStore.h"

#include <QSqlRecord>

namespace teran {

QString quotedName(const QString& name) {
    return QLatin1Char('`') + name + QLatin1Char('`');
}

QString quotedNames(const QStringList& names) {
    QStringList quoted;
    quoted.reserve(names.size());
    for (const QString& name : names)
        quoted << quotedName(name);
    return quoted.join(QStringLiteral(", "));
}

RowValues::RowValues(std::initializer_list<std::pair<QString, QVariant>> values) {
    for (const auto& [name, value] : values)
        set(name, value);
}

RowValues::RowValues(const QVariantHash& values) {
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        set(it.key(), it.value());
}

RowValues::RowValues(const QMap<QString, QVariant>& values) {
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        set(it.key(), it.value());
}

void RowValues::set(const QString& name, const QVariant& value) {
    m_names << name;
    m_values << value;
}

QVariant insertRow(SqlStore& store, const QString& table, const RowValues& row) {
    return store.insert(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quotedName(table), quotedNames(row.names()),
                                 SqlStore::placeholders(int(row.values().size()))),
                        row.values());
}

int updateRows(SqlStore& store, const QString& table, const RowValues& values, const QString& where,
               const QVariantList& whereValues) {
    QStringList sets;
    for (const QString& name : values.names())
        sets << quotedName(name) + QStringLiteral(" = ?");
    return store.execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                             .arg(quotedName(table), sets.join(QStringLiteral(", ")), where),
                         values.values() + whereValues);
}

QList<QVariantHash> namedRows(QSqlQuery& query) {
    QList<QVariantHash> rows;
    while (query.next()) {
        const QSqlRecord record = query.record();
        QVariantHash row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), query.value(i));
        rows << row;
    }
    return rows;
}

QList<QVariantHash> namedRows(QSqlQuery&& query) {
    return namedRows(query);
}

} // namespace teran
