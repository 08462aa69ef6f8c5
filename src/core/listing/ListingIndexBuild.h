#pragma once

#include "core/store/SqlStore.h"

namespace teran {

// A large import into an office file that holds fewer listings than it brings (a new office, a
// copy, a restore) builds the list indexes once at its end, from sorted keys, instead of keeping
// each of them row by row: the import costs about half. It runs inside the import's transaction,
// so a failed import leaves the indexes as they were. Imports into a full file keep the indexes
// (rebuilding a million entries for a few thousand new rows would cost more).
class ListingIndexBuild {
public:
    // From this many rows an import may build its indexes at the end.
    static constexpr qsizetype kFewestRows = 5'000;

    ListingIndexBuild(SqlStore& store, qsizetype incomingRows);
    // Builds the indexes set aside by the constructor; nothing when none were.
    void finish();

private:
    SqlStore& m_store;
    bool m_setAside = false;
};

} // namespace teran
