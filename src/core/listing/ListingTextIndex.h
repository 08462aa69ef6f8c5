#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class SqlStore;

// A full-text index of the texts the lists search inside (the keyword, the address from the
// town down, the names, the remark and the owner's name and phones), kept by the office's SQLite
// file itself: an FTS5 table of trigrams over `maemul`, changed by triggers in the same
// transaction as the row. It finds the rows that hold a text of three or more characters
// without reading every row; the search still tests its own `LIKE` on what it finds, so the
// rows are exactly those the `LIKE` alone would give. An office database on MariaDB has none.
class ListingTextIndex {
public:
    explicit ListingTextIndex(SqlStore& store);

    // The columns of `maemul` it holds.
    static const QStringList& columns();
    static bool holds(const QString& column);

    // The condition of an FTS5 query that a column holds the text: nullopt for a text shorter
    // than three characters (a trigram index cannot narrow it down).
    static std::optional<QString> containsTerm(const QString& column, const QString& text);
    // " AND <number> IN (rows matching the query)" for the list statements.
    static QString matchSql(const QString& numberColumn);

    // Creates the index and its triggers and fills it from the rows there. Does nothing on
    // MariaDB or when it is kept already.
    void install();
    // Whether the index and its three triggers exist.
    bool kept() const;
    // Drops the index and its triggers (the searches then test every row).
    void remove();

    // Many rows inserted in one transaction are indexed together at its end, several times
    // faster than row by row: within the caller's transaction, suspendRowInserts() stops the
    // trigger of inserted rows (false when there is no index), addRows() indexes the rows
    // inserted since and resumeRowInserts() brings the trigger back. A rollback undoes all three.
    bool suspendRowInserts();
    void addRows(QList<int> numbers);
    void resumeRowInserts();

private:
    SqlStore& m_store;
};

} // namespace teran
