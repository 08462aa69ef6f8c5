#include "DiaryPeriod.h"
#include "core/store/RowWriter.h"

#include "core/store/SqlStore.h"

#include <QLocale>

namespace teran {

QDate DiaryPeriod::first() const {
    switch (kind) {
    case PeriodKind::Month:
        return QDate(day.year(), day.month(), 1);
    case PeriodKind::Range:
        return std::min(from, to);
    case PeriodKind::Day:
        break;
    }
    return day;
}

QDate DiaryPeriod::pastLast() const {
    switch (kind) {
    case PeriodKind::Month:
        return first().addMonths(1);
    case PeriodKind::Range:
        return std::max(from, to).addDays(1);
    case PeriodKind::Day:
        break;
    }
    return day.addDays(1);
}

QString DiaryPeriod::text() const {
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    switch (kind) {
    case PeriodKind::Month:
        return QStringLiteral("%1년 %2월").arg(day.year()).arg(day.month());
    case PeriodKind::Range:
        return first().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" ~ ") +
               pastLast().addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
    case PeriodKind::Day:
        break;
    }
    return korean.toString(day, QLocale::LongFormat);
}

DiaryQuery::DiaryQuery(const SqlStore& store, QString sql, QVariantList values)
    : m_store(store)
    , m_sql(std::move(sql))
    , m_values(std::move(values)) {}

void DiaryQuery::period(const QString& column, const DiaryPeriod& period) {
    m_sql += QStringLiteral(" AND %1 >= ? AND %1 < ?").arg(column);
    m_values << m_store.toStored(period.first()) << m_store.toStored(period.pastLast());
}

void DiaryQuery::search(const DiarySearch& search, const QStringList& searchable) {
    if (search.text.isEmpty() || !searchable.contains(search.column))
        return;
    m_sql += QStringLiteral(" AND %1 LIKE ?").arg(search.column) + SqlStore::likeEscapeSql();
    m_values << SqlStore::likeContains(search.text);
}

void DiaryQuery::equals(const QString& column, const QVariant& value) {
    m_sql += QStringLiteral(" AND %1 = ?").arg(column);
    m_values << value;
}

UserRows::UserRows(SqlStore& store, QString table, QString loginId)
    : m_store(store)
    , m_table(std::move(table))
    , m_loginId(std::move(loginId)) {}

int UserRows::save(int number, const QStringList& columns, const QVariantList& values) {
    RowValues row;
    for (qsizetype i = 0; i < columns.size(); ++i)
        row.set(columns.at(i), values.value(i));
    return m_store.transact([&] {
        if (number > 0 && updateRows(m_store, m_table, row, QStringLiteral("table_idx=? AND id=?"),
                                     {number, m_loginId}) > 0)
            return number;
        RowValues inserted{{QStringLiteral("id"), m_loginId}};
        for (qsizetype i = 0; i < columns.size(); ++i)
            inserted.set(columns.at(i), values.value(i));
        return insertRow(m_store, m_table, inserted).toInt();
    });
}

bool UserRows::remove(int number) {
    return m_store.execute(QStringLiteral("DELETE FROM %1 WHERE table_idx=? AND id=?").arg(m_table),
                           {number, m_loginId}) > 0;
}

QDate storedDay(const QVariant& stored) {
    return SqlStore::toDateTime(stored).date();
}

} // namespace teran
