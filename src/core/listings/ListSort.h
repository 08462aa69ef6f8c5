#pragma once

#include "ListColumnSets.h"
#include "core/listing/ListingSortKeys.h"

#include <QString>
#include <optional>

namespace teran {

// What the list window keeps between searches: the sort tag (the Tag of `txtCount`) and the
// direction (the Tag of `lblCount`, "asc" or "desc"). Empty values mean the list's default order.
struct SortState {
    QString tag;
    QString direction;

    bool operator==(const SortState&) const = default;
};

// Shown when a header without a sort column is clicked; nothing else changes then.
QString unsortableFieldText(); // "정렬이 되지 않는 필드 입니다."

// The sort tag of a header caption for a list kind ("address", "hapsan" or a column name);
// empty when the caption cannot be sorted on. The type decides the few captions whose column
// depends on it (현업종 of factories, 분류 of the other-properties type).
QString sortTagFor(ListKind kind, const QString& caption, const QString& tb = {});

// A header click: the new state, or nullopt when the caption cannot be sorted on (the window
// then shows unsortableFieldText()). A new column starts descending; the same column again
// flips the direction.
std::optional<SortState> clickHeader(ListKind kind, const SortState& current, const QString& caption,
                                     const QString& tb = {});

// " ORDER BY ..." for a list kind. Only whitelisted column names reach the text: an unknown tag
// falls back to the list's default order (own lists by number, server lists by `sortday`),
// newest first. Every order ends on the row number, so pages never overlap. `alias` prefixes
// the columns ("A." when the listings are joined with another table).
QString orderBySql(ListKind kind, const SortState& sort, const QString& alias = {});

} // namespace teran
