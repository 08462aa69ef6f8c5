#include "OfficeContents.h"

#include "core/session/StoreSchemas.h"
#include "core/store/SqlStore.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

namespace teran::test {

QStringList contentsOf(SqlStore& store) {
    QStringList lines;
    for (const TableDef& table : listingStoreSchema()) {
        QSqlQuery q = store.query(QStringLiteral("SELECT * FROM `%1`").arg(table.name));
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (const QString& column : table.columnNames()) {
                const QVariant value = q.value(q.record().indexOf(column));
                const ColumnDef* def = table.column(column);
                if (value.isNull())
                    cells << QStringLiteral("∅");
                else if (def->type == ColumnType::DateTime)
                    cells << SqlStore::toDateTime(value).toString(Qt::ISODate);
                else if (def->type == ColumnType::Decimal)
                    cells << QString::number(value.toDouble());
                else
                    cells << value.toString();
            }
            rows << table.name + QLatin1Char('|') + cells.join(QLatin1Char('|'));
        }
        rows.sort();
        lines << rows;
    }
    return lines;
}

} // namespace teran::test
