#include "ListingRepository.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <limits>

namespace teran {

namespace {

const QString kSource = QStringLiteral("ListingRepository");
constexpr int kProgressStep = 500;

QString quoted(const QString& name) {
    return QLatin1Char('`') + name + QLatin1Char('`');
}

[[noreturn]] void refuse(const ColumnDef& column, const QString& what, const QVariant& value) {
    throw StoreError(QStringLiteral("maemul.%1: %2: %3").arg(column.name, what, value.toString()), kSource);
}

bool isText(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
}

// A whole number from a number or numeric text; nullopt for empty text.
std::optional<qint64> wholeNumber(const ColumnDef& column, const QVariant& value) {
    bool ok = false;
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return std::nullopt;
        const qint64 whole = text.toLongLong(&ok);
        if (ok)
            return whole;
        const double number = text.toDouble(&ok);
        if (ok && std::isfinite(number) && number == std::trunc(number) && std::abs(number) < 9.0e18)
            return qint64(number);
        refuse(column, QStringLiteral("not a whole number"), value);
    }
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::trunc(number) && std::abs(number) < 9.0e18)
            return qint64(number);
        refuse(column, QStringLiteral("not a whole number"), value);
    }
    const qint64 whole = value.toLongLong(&ok);
    if (!ok)
        refuse(column, QStringLiteral("not a whole number"), value);
    return whole;
}

QVariant decimalValue(const ColumnDef& column, const QVariant& value) {
    bool ok = false;
    double number = 0;
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        number = text.toDouble(&ok);
    } else {
        number = value.toDouble(&ok);
    }
    if (!ok || !std::isfinite(number))
        refuse(column, QStringLiteral("not a number"), value);
    return number;
}

// Dates are kept to the second: MariaDB's DATETIME has no fractions and SQLite's text form
// must compare the same way.
QVariant dateValue(const ColumnDef& column, const QVariant& value) {
    if (isText(value) && value.toString().trimmed().isEmpty())
        return {};
    QDateTime when = SqlStore::toDateTime(value);
    if (!when.isValid())
        refuse(column, QStringLiteral("not a date"), value);
    when.setTime(QTime(when.time().hour(), when.time().minute(), when.time().second()));
    return when;
}

QVariant fromStored(const ColumnDef& column, const QVariant& stored) {
    if (stored.isNull())
        return {};
    switch (column.type) {
    case ColumnType::Integer:
        return stored.toInt();
    case ColumnType::BigInt:
        return stored.toLongLong();
    case ColumnType::Decimal:
        return stored.toDouble();
    case ColumnType::DateTime:
        return SqlStore::toDateTime(stored);
    case ColumnType::Text:
        return stored.toString();
    }
    return stored;
}

// The columns of a side that a row may set, each with its value, in declaration order.
struct Assignment {
    const ColumnDef* column;
    QVariant value;
};

bool hasDefaultZero(const ColumnDef* column) {
    return column->name == QLatin1String("state") || column->name == QLatin1String("code");
}

QList<Assignment> assignmentsOf(const ListingRow& row, ListingSide side) {
    struct Found {
        Assignment assignment;
        bool exactName;
    };
    QList<Found> found;
    found.reserve(row.size());
    for (auto it = row.constBegin(); it != row.constEnd(); ++it) {
        const ColumnDef* column = findListingColumn(it.key());
        if (column && !column->autoKey && isListingColumnOn(column->name, side))
            found.append({{column, it.value()}, it.key() == column->name});
    }
    // Declaration order; of two keys for one column ("state" and "State") the exact name wins.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.assignment.column != b.assignment.column)
            return a.assignment.column < b.assignment.column;
        return a.exactName && !b.exactName;
    });
    QList<Assignment> assignments;
    assignments.reserve(found.size());
    for (const Found& f : found)
        if (assignments.isEmpty() || assignments.constLast().column != f.assignment.column)
            assignments.append(f.assignment);
    return assignments;
}

QVariant boundValue(const ColumnDef* column, const QVariant& given) {
    const QVariant value = listingValueFor(*column, given);
    if (value.isNull() && hasDefaultZero(column))
        return 0;
    return value;
}

// Columns that always get a value: the row's own ones plus those with a default.
QList<const ColumnDef*> withDefaults(QList<const ColumnDef*> columns, ListingSide side) {
    for (const ColumnDef& c : listingColumns())
        if (hasDefaultZero(&c) && isListingColumnOn(c.name, side) && !columns.contains(&c))
            columns.append(&c);
    std::sort(columns.begin(), columns.end());
    return columns;
}

QString insertSql(const QList<const ColumnDef*>& columns) {
    QStringList names;
    QStringList marks;
    for (const ColumnDef* c : columns) {
        names << quoted(c->name);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO `maemul` (%1) VALUES (%2)")
        .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

// Both lists are in declaration order, so one walk pairs them.
QVariantList valuesFor(const QList<const ColumnDef*>& columns, const QList<Assignment>& given) {
    QVariantList values;
    values.reserve(columns.size());
    auto next = given.cbegin();
    for (const ColumnDef* c : columns) {
        while (next != given.cend() && next->column < c)
            ++next;
        const bool present = next != given.cend() && next->column == c;
        values << boundValue(c, present ? next->value : QVariant());
    }
    return values;
}

QList<const ColumnDef*> columnsOf(const QList<Assignment>& assignments) {
    QList<const ColumnDef*> columns;
    for (const Assignment& a : assignments)
        columns << a.column;
    return columns;
}

const QList<ColumnDef>& readColumns(ListingSide side) {
    static const QList<ColumnDef> local = listingColumnsOf(ListingSide::Local);
    static const QList<ColumnDef> server = listingColumnsOf(ListingSide::Server);
    return side == ListingSide::Local ? local : server;
}

QString selectSql(ListingSide side, const QString& tail) {
    QStringList names;
    for (const ColumnDef& c : readColumns(side))
        names << quoted(c.name);
    return QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) + QStringLiteral(" FROM `maemul` ") +
           tail;
}

ListingRow rowFrom(const QSqlQuery& q, ListingSide side) {
    const QList<ColumnDef>& columns = readColumns(side);
    ListingRow row;
    row.reserve(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        row.insert(columns.at(i).name, fromStored(columns.at(i), q.value(i)));
    return row;
}

std::optional<ListingRow> readOne(SqlStore& store, ListingSide side, const QString& where,
                                  const QVariantList& values) {
    QSqlQuery q = store.query(selectSql(side, where), values);
    if (!q.next())
        return std::nullopt;
    return rowFrom(q, side);
}

} // namespace

void createListingTable(SqlStore& store, ListingSide side) {
    const TableDef table = maemulTable(side);
    store.execute(createTableSql(table, store.backend()));
    for (const QString& sql : createIndexSql(table, store.backend()))
        store.execute(sql);
}

QVariant listingValueFor(const ColumnDef& column, const QVariant& value) {
    if (value.isNull())
        return {};
    switch (column.type) {
    case ColumnType::Integer: {
        const auto whole = wholeNumber(column, value);
        if (!whole)
            return {};
        if (*whole < std::numeric_limits<int>::min() || *whole > std::numeric_limits<int>::max())
            refuse(column, QStringLiteral("out of range"), value);
        return int(*whole);
    }
    case ColumnType::BigInt: {
        const auto whole = wholeNumber(column, value);
        return whole ? QVariant(*whole) : QVariant();
    }
    case ColumnType::Decimal:
        return decimalValue(column, value);
    case ColumnType::DateTime:
        return dateValue(column, value);
    case ColumnType::Text:
        return value.toString();
    }
    return value;
}

int insertLocal(SqlStore& store, const ListingRow& row) {
    const QList<Assignment> given = assignmentsOf(row, ListingSide::Local);
    const QList<const ColumnDef*> columns = withDefaults(columnsOf(given), ListingSide::Local);
    const QVariantList values = valuesFor(columns, given);
    Transaction tx(store);
    const QVariant number = store.insert(insertSql(columns), values);
    if (!number.isValid() || number.toInt() <= 0)
        throw StoreError(QStringLiteral("The store gave the new listing no number"), kSource);
    tx.commit();
    return number.toInt();
}

QList<int> insertLocalBulk(SqlStore& store, const QList<ListingRow>& rows,
                           const std::function<void(int)>& progress) {
    QList<QList<Assignment>> given;
    given.reserve(rows.size());
    const ColumnDef* first = &listingColumns().first();
    QList<bool> used(listingColumns().size(), false);
    for (const ListingRow& row : rows) {
        given.append(assignmentsOf(row, ListingSide::Local));
        for (const Assignment& a : given.constLast())
            used[a.column - first] = true;
    }
    QList<const ColumnDef*> columns;
    for (qsizetype i = 0; i < used.size(); ++i)
        if (used.at(i))
            columns.append(first + i);
    columns = withDefaults(columns, ListingSide::Local);

    QList<int> numbers;
    numbers.reserve(rows.size());
    Transaction tx(store);
    PreparedStatement insert = store.prepare(insertSql(columns));
    for (const QList<Assignment>& row : given) {
        insert.run(valuesFor(columns, row));
        numbers.append(insert.lastInsertId().toInt());
        if (progress && numbers.size() % kProgressStep == 0)
            progress(int(numbers.size()));
    }
    tx.commit();
    if (progress)
        progress(int(numbers.size()));
    return numbers;
}

std::optional<ListingRow> readLocal(SqlStore& store, int tableIdx) {
    return readOne(store, ListingSide::Local, QStringLiteral("WHERE `table_idx` = ?"), {tableIdx});
}

void insertServer(SqlStore& store, const ListingRow& row) {
    const QList<Assignment> given = assignmentsOf(row, ListingSide::Server);
    const QList<const ColumnDef*> columns = withDefaults(columnsOf(given), ListingSide::Server);
    const QVariantList values = valuesFor(columns, given);
    const QVariant id = values.value(columns.indexOf(findListingColumn(QStringLiteral("id"))));
    const QVariant subIdx = values.value(columns.indexOf(findListingColumn(QStringLiteral("sub_idx"))));
    if (id.toString().isEmpty() || subIdx.toInt() <= 0)
        throw StoreError(QStringLiteral("A server listing needs the office id and the local number"),
                         kSource);
    store.execute(insertSql(columns), values);
}

std::optional<ListingRow> readServer(SqlStore& store, const QString& id, int subIdx) {
    return readOne(store, ListingSide::Server, QStringLiteral("WHERE `id` = ? AND `sub_idx` = ?"),
                   {id, subIdx});
}

QList<ListingRow> readPage(SqlStore& store, int afterTableIdx, int limit, ListingSide side) {
    QList<ListingRow> rows;
    if (limit <= 0)
        return rows; // SQLite would read "LIMIT -1" as no limit at all
    QVariantList values{afterTableIdx};
    const QString tail =
        QStringLiteral("WHERE `table_idx` > ? ORDER BY `table_idx`") + SqlStore::limitSql(limit, 0, values);
    QSqlQuery q = store.query(selectSql(side, tail), values);
    rows.reserve(limit);
    while (q.next())
        rows.append(rowFrom(q, side));
    return rows;
}

} // namespace teran
