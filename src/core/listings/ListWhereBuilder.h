#pragma once

#include "ListFilter.h"
#include "session/ListingColumns.h"
#include "session/SqlStore.h"

namespace teran {

// Collects the pieces in order, leaving out those whose columns the list's store lacks.
class WhereBuilder {
public:
    explicit WhereBuilder(ListingSide side)
        : m_side(side) {}

    bool has(const QStringList& columns) const {
        for (const QString& c : columns)
            if (!isListingColumnOn(c, m_side))
                return false;
        return true;
    }

    // Adds the piece when the store keeps its columns; else names the input as ignored.
    void add(const QStringList& columns, const QString& sql, const QVariantList& values,
             const QString& caption) {
        if (!has(columns)) {
            if (!m_where.ignored.contains(caption))
                m_where.ignored << caption;
            return;
        }
        m_where.sql += sql;
        m_where.values += values;
    }

    void like(const QString& column, const QString& value, const QString& caption) {
        if (value.isEmpty())
            return;
        add({column}, QStringLiteral(" AND %1 LIKE ?%2").arg(column, SqlStore::likeEscapeSql()),
            {SqlStore::likeContains(value)}, caption);
    }

    template <typename T>
    void range(const QString& column, const std::optional<T>& from, const std::optional<T>& to,
               const QString& caption) {
        if (from)
            add({column}, QStringLiteral(" AND %1 >= ?").arg(column), {QVariant::fromValue(*from)}, caption);
        if (to)
            add({column}, QStringLiteral(" AND %1 <= ?").arg(column), {QVariant::fromValue(*to)}, caption);
    }

    ListWhere take() { return std::move(m_where); }

private:
    ListingSide m_side;
    ListWhere m_where;
};

} // namespace teran
