#pragma once

#include <QDate>
#include <QStringList>
#include <QVariantList>

namespace teran {

class SqlStore;

// The periods of the schedule's and the diary's lists, in the order of their tabs.
enum class PeriodKind { Day = 0, Month = 1, Range = 2 };

// The days a list covers: the chosen day, its month, or a range of days (both ends included).
struct DiaryPeriod {
    PeriodKind kind = PeriodKind::Day;
    QDate day;      // the chosen day (Day and Month)
    QDate from, to; // the range (Range); given the wrong way round it is turned
    QDate first() const;
    QDate pastLast() const; // the first day after the period
    // The period as a title says it: "2026년 12월 8일 화요일", "2026년 12월", "2026-12-01 ~ 2026-12-31".
    QString text() const;
};

// The search box of a list: the text is looked for in the column of the chosen option.
struct DiarySearch {
    QString column; // one of the list's searchable columns, else the search is ignored
    QString text;
};

// A query being built from bound conditions. Days are compared with bound cut-offs, so a row
// stored with or without a time of day falls into the day it belongs to on both backends.
class DiaryQuery {
public:
    DiaryQuery(const SqlStore& store, QString sql, QVariantList values);
    void period(const QString& column, const DiaryPeriod& period);
    void search(const DiarySearch& search, const QStringList& searchable);
    void equals(const QString& column, const QVariant& value);
    const QString& sql() const { return m_sql; }
    const QVariantList& values() const { return m_values; }

private:
    const SqlStore& m_store;
    QString m_sql;
    QVariantList m_values;
};

// The rows of one user in a table of the office database (`table_idx`, `id` = the login):
// a stored row is changed only when it is the user's, and anything else is added as the user's.
class UserRows {
public:
    UserRows(SqlStore& store, QString table, QString loginId);
    // Writes `values` into `columns` of row `number` (0: a new row); the row's number.
    int save(int number, const QStringList& columns, const QVariantList& values);
    bool remove(int number);

private:
    SqlStore& m_store;
    QString m_table;
    QString m_loginId;
};

// "yyyy-mm-dd" of a stored day; empty for a missing one.
QDate storedDay(const QVariant& stored);

} // namespace teran
