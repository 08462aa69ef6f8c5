#pragma once

#include <QString>
#include <optional>

namespace teran {

class SqlStore;

// The number of listings per (office, state, type, reserving staff `opid`), kept by the ListingStore itself
// so that a plain list shows its total without counting a million rows. Triggers on `maemul` change the
// counts in the same transaction as the row, whoever writes it (this program, a restored
// backup of it, a text transfer). A missing or null state counts as -1, a missing office,
// type or opid as "". Only SQLite files keep counts; an office database on MariaDB counts through its
// indexes.
class ListingCounts {
public:
    explicit ListingCounts(SqlStore& store);

    // Creates the table and its triggers and counts the rows already there. Does nothing on
    // MariaDB or when they exist.
    void install();
    // Whether the counts are there and kept: the table and all three triggers exist. A file
    // whose triggers were lost (a table rebuilt by another tool) is counted the slow way.
    bool kept() const;
    // The office's listings of a type (empty: every type) outside the archive, or in it; for a
    // staff login only those reserved for nobody or for that staff. nullopt when the counts
    // are not kept. Throws StoreError.
    std::optional<qint64> count(const QString& office, const QString& tb, bool archive,
                                const QString& staff = {}) const;

private:
    SqlStore& m_store;
};

} // namespace teran
