#include "ListingTextIndex.h"

#include "core/store/SqlStore.h"
#include "core/store/TriggerKept.h"

#include <algorithm>

namespace teran {

namespace {

const QString kTable = QStringLiteral("maemul_text");
const QStringList kTriggers = {QStringLiteral("tr_maemul_text_insert"),
                               QStringLiteral("tr_maemul_text_update"),
                               QStringLiteral("tr_maemul_text_delete")};
constexpr int kTrigram = 3;

// "NEW.keyword, NEW.addr3, …" of a row seen by a trigger.
QString valuesOf(const QString& row) {
    QStringList values;
    for (const QString& column : ListingTextIndex::columns())
        values << row + QLatin1Char('.') + column;
    return values.join(QStringLiteral(", "));
}

QString addSql(const QString& row) {
    return QStringLiteral("INSERT INTO maemul_text(rowid, %1) VALUES(%2.table_idx, %3);")
        .arg(ListingTextIndex::columns().join(QStringLiteral(", ")), row, valuesOf(row));
}

// An index with its content elsewhere forgets a row by being told the values it indexed.
QString removeSql(const QString& row) {
    return QStringLiteral(
               "INSERT INTO maemul_text(maemul_text, rowid, %1) VALUES('delete', %2.table_idx, %3);")
        .arg(ListingTextIndex::columns().join(QStringLiteral(", ")), row, valuesOf(row));
}

} // namespace

ListingTextIndex::ListingTextIndex(SqlStore& store)
    : m_store(store) {}

const QStringList& ListingTextIndex::columns() {
    // The town and below: the province and district are picked from lists and hold almost
    // every row of an office, which an index cannot narrow down.
    static const QStringList names = {
        QStringLiteral("keyword"), QStringLiteral("addr3"),      QStringLiteral("addr4"),
        QStringLiteral("addr5"),   QStringLiteral("cboname"),    QStringLiteral("jimok"),
        QStringLiteral("special"), QStringLiteral("maemultype"), QStringLiteral("mbigo"),
        QStringLiteral("ubigo"),   QStringLiteral("uname"),      QStringLiteral("uhp"),
        QStringLiteral("uhome")};
    return names;
}

bool ListingTextIndex::holds(const QString& column) {
    return columns().contains(column);
}

std::optional<QString> ListingTextIndex::containsTerm(const QString& column, const QString& text) {
    const QList<uint> chars = text.toUcs4();
    if (!holds(column) || chars.size() < kTrigram)
        return std::nullopt;
    // A row holding the text holds each of its trigrams; side by side trigrams cover every
    // character, and the last one the end. Each is a quoted token (a quote in it written twice).
    QStringList trigrams;
    const auto add = [&](qsizetype at) {
        QString trigram =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData() + at), kTrigram);
        trigram.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        trigram = QLatin1Char('"') + trigram + QLatin1Char('"');
        if (!trigrams.contains(trigram))
            trigrams << trigram;
    };
    for (qsizetype at = 0; at + kTrigram <= chars.size(); at += kTrigram)
        add(at);
    add(chars.size() - kTrigram);
    return QStringLiteral("%1 : (%2)").arg(column, trigrams.join(QStringLiteral(" AND ")));
}

QString ListingTextIndex::matchSql(const QString& numberColumn) {
    return QStringLiteral(" AND %1 IN (SELECT rowid FROM maemul_text WHERE maemul_text MATCH ?)")
        .arg(numberColumn);
}

void ListingTextIndex::install() {
    if (m_store.backend() != SqlBackend::Sqlite || kept())
        return;
    m_store.transact([&] {
        remove();
        // detail=column: a row is found by its trigrams in a column, wherever they stand; the
        // search tests the text itself on what it finds, so the index keeps no positions and
        // stays small.
        m_store.execute(QStringLiteral("CREATE VIRTUAL TABLE maemul_text USING fts5(%1, content='maemul', "
                                       "content_rowid='table_idx', tokenize='trigram', detail=column)")
                            .arg(columns().join(QStringLiteral(", "))));
        m_store.execute(QStringLiteral("INSERT INTO maemul_text(maemul_text) VALUES('rebuild')"));
        resumeRowInserts();
        // Only a change of an indexed text (or of the number) changes the index.
        m_store.execute(
            QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF table_idx, %2 ON maemul BEGIN %3 %4 END")
                .arg(kTriggers.at(1), columns().join(QStringLiteral(", ")), removeSql(QStringLiteral("OLD")),
                     addSql(QStringLiteral("NEW"))));
        m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON maemul BEGIN %2 END")
                            .arg(kTriggers.at(2), removeSql(QStringLiteral("OLD"))));
    });
}

bool ListingTextIndex::suspendRowInserts() {
    if (!kept())
        return false;
    m_store.execute(QStringLiteral("DROP TRIGGER ") + kTriggers.at(0));
    return true;
}

void ListingTextIndex::addRows(QList<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    const QString columnList = columns().join(QStringLiteral(", "));
    const QString sql = QStringLiteral("INSERT INTO maemul_text(rowid, %1) SELECT table_idx, %1 FROM maemul "
                                       "WHERE table_idx BETWEEN ? AND ?")
                            .arg(columnList);
    // Runs of consecutive numbers hold only the new rows.
    for (qsizetype first = 0; first < numbers.size();) {
        qsizetype last = first;
        while (last + 1 < numbers.size() && numbers.at(last + 1) == numbers.at(last) + 1)
            ++last;
        m_store.execute(sql, {numbers.at(first), numbers.at(last)});
        first = last + 1;
    }
}

void ListingTextIndex::resumeRowInserts() {
    m_store.execute(QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON maemul BEGIN %2 END")
                        .arg(kTriggers.at(0), addSql(QStringLiteral("NEW"))));
}

bool ListingTextIndex::kept() const {
    return m_store.backend() == SqlBackend::Sqlite && keptByTriggers(m_store, kTable, kTriggers);
}

void ListingTextIndex::remove() {
    dropKeptTable(m_store, kTable, kTriggers);
}

} // namespace teran
