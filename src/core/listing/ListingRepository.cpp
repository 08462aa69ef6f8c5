#include "ListingRepository.h"

#include "core/listing/ListingIndexBuild.h"
#include "core/listing/ListingTextIndex.h"
#include "core/store/RowWriter.h"

#include "core/listing/UploadCols.h"
#include "core/store/WholeRowStatement.h"

#include <QHash>
#include <QVarLengthArray>
#include <memory>

namespace teran {

namespace {

const QString kSource = QStringLiteral("ListingRepository");
constexpr int kProgressStep = 500;
// From this many rows a bulk insert indexes their texts together at its end.
constexpr int kRowsIndexedTogether = 200;

// The columns of a side that a row sets, in declaration order, each with the row's value (the
// row outlives its assignments).
struct Assignment {
    const ColumnDef* column;
    const QVariant* value;
};

bool hasDefaultZero(const ColumnDef* column) {
    return column->name == QLatin1String("state") || column->name == QLatin1String("code");
}

QList<qsizetype> defaultedPositions(ListingSide side) {
    static const auto positionsOn = [](ListingSide on) {
        QList<qsizetype> positions;
        for (qsizetype i = 0; i < listingColumns().size(); ++i)
            if (hasDefaultZero(&listingColumns().at(i)) && isListingColumnOn(&listingColumns().at(i), on))
                positions << i;
        return positions;
    };
    static const QList<qsizetype> local = positionsOn(ListingSide::Local);
    static const QList<qsizetype> server = positionsOn(ListingSide::Server);
    return side == ListingSide::Local ? local : server;
}

const ColumnDef* columnNamed(const QString& name) {
    const ColumnDef* column = findListingColumn(name);
    if (!column)
        throw StoreError(QStringLiteral("'%1' is no column of a listing").arg(name), kSource);
    return column;
}

enum class Defaults { Given, Zero };
enum class Key { Assigned, Given };

QList<Assignment> assignmentsOf(const ListingRow& row, ListingSide side, Defaults defaults = Defaults::Zero,
                                Key key = Key::Assigned) {
    const QList<ColumnDef>& all = listingColumns();
    QVarLengthArray<const QVariant*, 256> byPosition(all.size(), nullptr);
    for (auto it = row.constBegin(); it != row.constEnd(); ++it) {
        const ColumnDef* column = columnNamed(it.key());
        if ((column->autoKey && key == Key::Assigned) || !isListingColumnOn(column, side))
            continue;
        const QVariant*& slot = byPosition[column - all.constData()];
        if (!slot || it.key() == column->name) // of "state" and "State", the exact name wins
            slot = &it.value();
    }
    // A new row without a state or code still gets them (see boundValue).
    static const QVariant absent;
    if (defaults == Defaults::Zero)
        for (qsizetype i : defaultedPositions(side))
            if (!byPosition[i])
                byPosition[i] = &absent;
    QList<Assignment> assignments;
    assignments.reserve(row.size() + 2);
    for (qsizetype i = 0; i < byPosition.size(); ++i)
        if (byPosition[i])
            assignments.append({&all.at(i), byPosition[i]});
    return assignments;
}

QVariant boundValue(const ColumnDef* column, const QVariant& given) {
    const QVariant value = listingValueFor(*column, given);
    if (value.isNull() && hasDefaultZero(column))
        return 0;
    return value;
}

QString insertSql(const QList<const ColumnDef*>& columns) {
    QStringList names;
    for (const ColumnDef* c : columns)
        names << quotedName(c->name);
    return QStringLiteral("INSERT INTO `maemul` (%1) VALUES (%2)")
        .arg(names.join(QStringLiteral(", ")), SqlStore::placeholders(names.size()));
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
        values << boundValue(c, present ? *next->value : QVariant());
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
        names << quotedName(c.name);
    return QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) + QStringLiteral(" FROM `maemul` ") +
           tail;
}

ListingRow rowFrom(const QSqlQuery& q, ListingSide side) {
    const QList<ColumnDef>& columns = readColumns(side);
    ListingRow row;
    row.reserve(64);
    for (int i = 0; i < columns.size(); ++i) {
        const QVariant stored = q.value(i);
        if (!stored.isNull())
            row.insert(columns.at(i).name, listingValueFromStore(columns.at(i), stored));
    }
    return row;
}

std::optional<ListingRow> readOne(SqlStore& store, ListingSide side, const QString& where,
                                  const QVariantList& values) {
    QSqlQuery q = store.query(selectSql(side, where), values);
    if (!q.next())
        return std::nullopt;
    return rowFrom(q, side);
}

int newNumber(const QVariant& lastInsertId) {
    const int number = lastInsertId.toInt();
    if (number <= 0)
        throw StoreError(QStringLiteral("The store gave the new listing no number"), kSource);
    return number;
}

QByteArray layoutKey(const QList<const ColumnDef*>& columns) {
    const ColumnDef* first = &listingColumns().first();
    QByteArray key;
    key.reserve(columns.size() * 2);
    for (const ColumnDef* c : columns) {
        const auto at = quint16(c - first);
        key.append(char(at & 0xff)).append(char(at >> 8));
    }
    return key;
}

} // namespace

void createListingTable(SqlStore& store, ListingSide side) {
    const TableDef table = maemulTable(side);
    store.execute(createTableSql(table, store.backend()));
    for (const QString& sql : createIndexSql(table, store.backend()))
        store.execute(sql);
}

int insertLocal(SqlStore& store, const ListingRow& row) {
    const QList<Assignment> given = assignmentsOf(row, ListingSide::Local);
    const QList<const ColumnDef*> columns = columnsOf(given);
    const QVariantList values = valuesFor(columns, given);
    Transaction tx(store);
    const int number = newNumber(store.insert(insertSql(columns), values));
    tx.commit();
    return number;
}

QList<int> insertLocalBulk(SqlStore& store, const QList<ListingRow>& rows,
                           const std::function<void(int)>& progress) {
    QList<int> numbers;
    numbers.reserve(rows.size());
    Transaction tx(store);
    ListingIndexBuild indexes(store, rows.size());
    ListingTextIndex texts(store);
    const bool textsAtEnd = rows.size() >= kRowsIndexedTogether && texts.suspendRowInserts();
    // Rows of one type carry the same columns: each layout gets one statement, prepared once.
    QHash<QByteArray, std::shared_ptr<WholeRowStatement>> statements;
    for (const ListingRow& row : rows) {
        const QList<Assignment> given = assignmentsOf(row, ListingSide::Local);
        const QList<const ColumnDef*> columns = columnsOf(given);
        std::shared_ptr<WholeRowStatement>& insert = statements[layoutKey(columns)];
        if (!insert)
            insert = std::make_shared<WholeRowStatement>(store, insertSql(columns));
        insert->run(valuesFor(columns, given));
        numbers.append(newNumber(insert->lastInsertId()));
        if (progress && numbers.size() % kProgressStep == 0)
            progress(int(numbers.size()));
    }
    statements.clear(); // finished before the commit
    if (textsAtEnd) {
        texts.addRows(numbers);
        texts.resumeRowInserts();
    }
    indexes.finish();
    tx.commit();
    if (progress)
        progress(int(numbers.size()));
    return numbers;
}

std::optional<ListingRow> readLocal(SqlStore& store, int tableIdx) {
    return readOne(store, ListingSide::Local, QStringLiteral("WHERE `table_idx` = ?"), {tableIdx});
}

UpdateOutcome updateLocal(SqlStore& store, int tableIdx, const ListingRow& row,
                          const std::optional<ListingRow>& asOpened) {
    const QList<Assignment> given = assignmentsOf(row, ListingSide::Local, Defaults::Given);
    const QList<const ColumnDef*> columns = columnsOf(given);
    QVariantList values = valuesFor(columns, given);
    QStringList sets;
    for (const ColumnDef* c : columns)
        sets << quotedName(c->name) + QStringLiteral(" = ?");
    values << tableIdx;
    return store.transact([&] {
        const std::optional<ListingRow> current = readLocal(store, tableIdx);
        if (!current)
            return UpdateOutcome::Missing;
        if (asOpened && *current != *asOpened)
            return UpdateOutcome::Changed;
        if (!sets.isEmpty())
            store.execute(QStringLiteral("UPDATE `maemul` SET %1 WHERE `table_idx` = ?")
                              .arg(sets.join(QStringLiteral(", "))),
                          values);
        return UpdateOutcome::Updated;
    });
}

bool deleteLocal(SqlStore& store, int tableIdx) {
    return store.transact([&] {
        store.execute(QStringLiteral("DELETE FROM mem_work WHERE tb = 'maemul' AND tidx = ?"), {tableIdx});
        return store.execute(QStringLiteral("DELETE FROM maemul WHERE table_idx = ?"), {tableIdx}) > 0;
    });
}

bool setLocalState(SqlStore& store, int tableIdx, int state, bool resetGrades,
                   const std::optional<QDateTime>& showday) {
    QString sql = QStringLiteral("UPDATE maemul SET state = ?");
    QVariantList values{state};
    if (resetGrades)
        sql += QStringLiteral(", hitadd = 0, hitmem = 0");
    if (showday) {
        sql += QStringLiteral(", showday = ?");
        values << *showday;
    }
    values << tableIdx;
    return store.execute(sql + QStringLiteral(" WHERE table_idx = ?"), values) > 0;
}

void setLocalInCharge(SqlStore& store, int tableIdx, const QString& staffId) {
    store.execute(QStringLiteral("UPDATE maemul SET subid = ? WHERE table_idx = ?"), {staffId, tableIdx});
}

int expectedNextNumber(SqlStore& store) {
    return store.scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul"), {}, 0).toInt() + 1;
}

std::optional<int> neighbourListing(SqlStore& store, int tableIdx, int step) {
    const QVariant found =
        store.scalar(step < 0 ? QStringLiteral("SELECT MAX(table_idx) FROM maemul WHERE table_idx < ?")
                              : QStringLiteral("SELECT MIN(table_idx) FROM maemul WHERE table_idx > ?"),
                     {tableIdx});
    return found.isValid() && !found.isNull() ? std::optional<int>(found.toInt()) : std::nullopt;
}

QList<int> listingsOnLot(SqlStore& store, const QStringList& lot, const QString& unit) {
    QVariantList values;
    for (int i = 0; i < 4; ++i)
        values << lot.value(i).trimmed();
    QString sql = QStringLiteral(
        "SELECT table_idx FROM maemul WHERE addr1 = ? AND addr2 = ? AND addr3 = ? AND addr4 = ?");
    if (!unit.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND addr5 = ?");
        values << unit.trimmed();
    }
    QSqlQuery q = store.query(sql + QStringLiteral(" ORDER BY table_idx"), values);
    QList<int> numbers;
    while (q.next())
        numbers << q.value(0).toInt();
    return numbers;
}

QList<int> listingsOnLotOf(SqlStore& store, const ListingRow& row) {
    QStringList lot;
    for (const char* column : {"addr1", "addr2", "addr3", "addr4"})
        lot << row.value(QString::fromLatin1(column)).toString().trimmed();
    if (lot.last().isEmpty())
        return {};
    return listingsOnLot(store, lot, row.value(QStringLiteral("addr5")).toString());
}

QString sharedMemoPlaceholder() {
    return QStringLiteral("공유매물설정시 중개업소간에 보여지게되는 내용입니다.");
}

namespace {

bool isSet(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return false;
    const QString text = value.toString().trimmed();
    return !text.isEmpty() && text != QLatin1String("0");
}

// The parts of the scope as `scope_ie` names them.
struct ScopePart {
    const char* name;
    bool Disclosure::*shown;
};

const ScopePart kScopeParts[] = {
    {"addr2", &Disclosure::addr2}, {"addr3", &Disclosure::addr3},       {"rest", &Disclosure::rest},
    {"name", &Disclosure::name},   {"picture1", &Disclosure::picture1}, {"picture2", &Disclosure::picture2},
};

} // namespace

QString disclosureScopeText(const Disclosure& disclosure) {
    QStringList shown;
    for (const ScopePart& part : kScopeParts)
        if (disclosure.*part.shown)
            shown << QLatin1String(part.name);
    return shown.join(QLatin1Char(' '));
}

std::optional<Disclosure> storedDisclosure(const ListingRow& local) {
    const QVariant stored = local.value(QStringLiteral("scope_ie"));
    if (!stored.isValid() || stored.isNull())
        return std::nullopt;
    const QStringList shown = stored.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Disclosure disclosure;
    for (const ScopePart& part : kScopeParts)
        disclosure.*part.shown = shown.contains(QLatin1String(part.name));
    return disclosure;
}

Disclosure disclosureToShow(const ListingRow& local, const std::optional<ListingRow>& copy) {
    if (std::optional<Disclosure> kept = storedDisclosure(local))
        return *kept;
    const auto shows = [&](const char* column) {
        return copy && !copy->value(QString::fromLatin1(column)).toString().isEmpty();
    };
    Disclosure shown;
    shown.addr2 = shows("addr2");
    shown.addr3 = shows("addr3");
    shown.rest = false; // no copy holds the lot number
    shown.name = shows("cboname");
    shown.picture1 = shows("imgname1");
    shown.picture2 = shows("imgname2");
    return shown;
}

ListingRow serverCopyOf(const ListingRow& local, const QString& officeId, const Disclosure& disclosure) {
    ListingRow row;
    for (auto it = local.constBegin(); it != local.constEnd(); ++it)
        row.insert(columnNamed(it.key())->name, it.value());
    const QString tb = row.value(QStringLiteral("tb")).toString();
    const UploadColumns columns = UploadCols(tb);
    if (columns.isEmpty())
        throw StoreError(QStringLiteral("no shared copy for the property type '%1'").arg(tb), kSource);
    ListingRow copy;
    for (const UploadPair& pair : columns.pairs) {
        if (pair.source == UploadPair::Source::UploadTime)
            copy.insert(pair.server, disclosure.now);
        else if (const QVariant value = row.value(pair.local);
                 value.isValid() && pair.source == UploadPair::Source::Column)
            copy.insert(pair.server, value);
    }
    copy.insert(QStringLiteral("id"), officeId);
    copy.insert(QStringLiteral("sub_idx"), row.value(QStringLiteral("table_idx")));
    copy.insert(QStringLiteral("state"), stateValue(disclosure.state));
    copy.insert(QStringLiteral("hitadd"), disclosure.hitadd);
    copy.insert(QStringLiteral("hitmem"), disclosure.hitmem);
    if (!disclosure.addr2)
        copy.insert(QStringLiteral("addr2"), QString());
    if (!disclosure.addr3)
        copy.insert(QStringLiteral("addr3"), QString());
    if (copy.contains(QStringLiteral("cboname")) && !disclosure.name && tb != QLatin1String("apt"))
        copy.insert(QStringLiteral("cboname"), QString());
    // The office may publish other areas and floors than the real ones.
    for (const char* shown : {"pyung", "pyung_use", "floor", "floor_max"}) {
        const QString column = QString::fromLatin1(shown);
        if (const QVariant published = row.value(column + QStringLiteral("_ie"));
            copy.contains(column) && isSet(published))
            copy.insert(column, published);
    }
    if (!disclosure.picture1)
        copy.insert(QStringLiteral("imgname1"), QString());
    if (!disclosure.picture2)
        copy.insert(QStringLiteral("imgname2"), QString());
    QString memo = row.value(QStringLiteral("bigoie")).toString();
    memo.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    memo = memo.trimmed();
    copy.insert(QStringLiteral("bigoie"), memo == sharedMemoPlaceholder() ? QString() : memo);
    // A plain listing is shown for a month; a promoted one keeps the expiry its grade was given.
    if (disclosure.hitadd == 0 && disclosure.now.isValid())
        copy.insert(QStringLiteral("endday"), disclosure.now.addMonths(1));
    return copy;
}

void insertServer(SqlStore& store, const ListingRow& row) {
    // A copy written again keeps the server number other offices know it by.
    const QList<Assignment> given = assignmentsOf(row, ListingSide::Server, Defaults::Zero, Key::Given);
    const QList<const ColumnDef*> columns = columnsOf(given);
    const QVariantList values = valuesFor(columns, given);
    const QVariant id = values.value(columns.indexOf(findListingColumn(QStringLiteral("id"))));
    const QVariant subIdx = values.value(columns.indexOf(findListingColumn(QStringLiteral("sub_idx"))));
    if (id.toString().trimmed().isEmpty() || subIdx.toInt() <= 0)
        throw StoreError(QStringLiteral("A server listing needs the office id and the local number"),
                         kSource);
    store.execute(insertSql(columns), values);
}

std::optional<ListingRow> readServer(SqlStore& store, const QString& id, int subIdx) {
    return readOne(store, ListingSide::Server, QStringLiteral("WHERE `id` = ? AND `sub_idx` = ?"),
                   {id, subIdx});
}

std::optional<ListingRow> readServerRow(SqlStore& store, int serverIdx) {
    return readOne(store, ListingSide::Server, QStringLiteral("WHERE `table_idx` = ?"), {serverIdx});
}

QList<ListingRow> readPage(SqlStore& store, int afterTableIdx, int limit, ListingSide side) {
    QList<ListingRow> rows;
    if (limit <= 0)
        return rows; // SQLite would read "LIMIT -1" as no limit at all
    QVariantList values{afterTableIdx};
    const QString tail =
        QStringLiteral("WHERE `table_idx` > ? ORDER BY `table_idx`") + SqlStore::limitSql(limit, 0, values);
    QSqlQuery q = store.query(selectSql(side, tail), values);
    rows.reserve(qMin(limit, 1000));
    while (q.next())
        rows.append(rowFrom(q, side));
    return rows;
}

void keepNumbersAbove(SqlStore& store, qint64 highest) {
    if (highest <= 0)
        return;
    store.transact([&] {
        const qint64 localHighest =
            store.scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul"), {}, 0).toLongLong();
        if (store.backend() == SqlBackend::Sqlite) {
            // AUTOINCREMENT keeps its high-water mark in sqlite_sequence: raise it, never lower it.
            if (store.execute(
                    QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = 'maemul' AND seq < ?"),
                    {highest, highest}) == 0 &&
                !store.scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'maemul'"))
                     .isValid())
                store.execute(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('maemul', ?)"),
                              {highest});
        } else if (localHighest < highest) {
            // DDL takes no bound values; the number is the program's own integer, not user text.
            store.execute(QStringLiteral("ALTER TABLE maemul AUTO_INCREMENT = %1").arg(highest + 1));
        }
    });
}

qint64 highestServerNumber(SqlStore& server, const QString& officeId) {
    return server.scalar(QStringLiteral("SELECT MAX(sub_idx) FROM maemul WHERE id = ?"), {officeId}, 0)
        .toLongLong();
}

} // namespace teran
