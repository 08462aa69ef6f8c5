#pragma once

#include "ListFilter.h"
#include "core/listing/ListingColumns.h"
#include "core/listing/ListingTextIndex.h"
#include "core/store/SqlStore.h"

namespace teran {

// Collects the pieces in order, leaving out those whose columns the list's store lacks.
class WhereBuilder {
public:
    // With `textIndex` the texts searched inside are also looked up in the office's text index
    // (ListingTextIndex), which narrows the rows the LIKE tests must read.
    explicit WhereBuilder(ListingSide side, bool textIndex = false)
        : m_side(side)
        , m_textIndex(textIndex) {}

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
        holding(column, {value});
    }

    // Rows whose column holds the text (or, with several, one of them), found in the text
    // index beside a LIKE test of the column that decides. Nothing when a text is too short for
    // the index: the LIKE test alone reads the rows.
    void holding(const QString& column, const QStringList& anyOf) {
        if (!m_textIndex || anyOf.isEmpty() || !has({column}))
            return;
        QStringList terms;
        for (const QString& text : anyOf) {
            const std::optional<QString> term = ListingTextIndex::containsTerm(column, text);
            if (!term)
                return;
            terms << QLatin1Char('(') + *term + QLatin1Char(')');
        }
        m_textTerms << QLatin1Char('(') + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }

    template <typename T>
    void range(const QString& column, const std::optional<T>& from, const std::optional<T>& to,
               const QString& caption) {
        if (from)
            add({column}, QStringLiteral(" AND %1 >= ?").arg(column), {QVariant::fromValue(*from)}, caption);
        if (to)
            add({column}, QStringLiteral(" AND %1 <= ?").arg(column), {QVariant::fromValue(*to)}, caption);
    }

    ListWhere take() {
        if (!m_textTerms.isEmpty()) {
            m_where.sql += ListingTextIndex::matchSql(QStringLiteral("table_idx"));
            m_where.values << m_textTerms.join(QStringLiteral(" AND "));
            m_textTerms.clear();
        }
        return std::move(m_where);
    }

private:
    ListingSide m_side;
    bool m_textIndex = false;
    ListWhere m_where;
    QStringList m_textTerms;
};

} // namespace teran
