#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace teran {

class SqlStore;

// The number of shared listings per day of their last change (`showday`), type and state, kept
// by the ServerStore itself (triggers on `maemul` change them in the same transaction as the
// row, whichever office writes it), so that the shared list's total for the 60-day window is a
// sum over a few thousand counts instead of a count over hundreds of thousands of rows.
class SharedListCounts {
public:
    explicit SharedListCounts(SqlStore& server);

    // Creates the table and its triggers and counts the rows already there; does nothing when
    // they exist.
    void install();
    // Whether the table and its three triggers exist.
    bool kept() const;
    // Other offices' listings (not `office`'s) of a type (empty: every type) in the given
    // states whose `showday` lies after the cut-off; nullopt when the counts are not kept.
    // Throws StoreError.
    std::optional<qint64> count(const QString& office, const QString& tb, const QList<int>& states,
                                const QDateTime& after) const;

private:
    SqlStore& m_store;
};

} // namespace teran
