#pragma once

#include "core/store/SqlStore.h"

#include <QSqlQuery>
#include <QVariantList>

namespace teran {

// A statement prepared once and handed each row's values as a whole, for bulk work on wide
// rows. QSqlQuery::bindValue costs about 0.3 us a value (every position goes through a name
// lookup), which would dominate an import of listings with dozens of columns each; the drivers
// read the values from the list that bindValue fills, so this fills that list in one step.
class WholeRowStatement {
public:
    WholeRowStatement(SqlStore& store, const QString& sql); // throws StoreError
    WholeRowStatement(const WholeRowStatement&) = delete;
    WholeRowStatement& operator=(const WholeRowStatement&) = delete;

    // Binds the values in order (dates as the store keeps them) and runs; throws StoreError,
    // also when the number of values differs from the number of placeholders.
    QSqlQuery& run(QVariantList values);
    QVariant lastInsertId() const { return m_query.lastInsertId(); }

private:
    [[noreturn]] void fail() const;

    SqlStore& m_store;
    QString m_sql;
    QSqlQuery m_query;
    int m_placeholders = 0;
};

} // namespace teran
