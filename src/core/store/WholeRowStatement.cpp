#include "WholeRowStatement.h"

#include <QSqlError>
#include <QSqlResult>

namespace teran {

namespace {

// Names the protected list of bound values so that a member pointer to it can be formed.
struct BoundValuesAccess : QSqlResult {
    using QSqlResult::boundValues;
};

} // namespace

WholeRowStatement::WholeRowStatement(SqlStore& store, const QString& sql)
    : m_store(store)
    , m_sql(sql)
    , m_query(store.database())
    , m_placeholders(SqlStore::placeholderCount(sql)) {
    if (!store.isOpen())
        throw StoreError(QStringLiteral("The database is not open"), store.connectionName(), sql);
    if (!m_query.prepare(sql))
        fail();
}

QSqlQuery& WholeRowStatement::run(QVariantList values) {
    if (values.size() != m_placeholders)
        throw StoreError(
            QStringLiteral("%1 values for %2 placeholders").arg(values.size()).arg(m_placeholders),
            m_store.connectionName(), m_sql);
    for (QVariant& value : values)
        if (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate)
            value = m_store.toStored(value);
    QList<QVariant>& (QSqlResult::*bound)() const = &BoundValuesAccess::boundValues;
    (m_query.result()->*bound)() = std::move(values);
    if (!m_query.exec())
        fail();
    return m_query;
}

void WholeRowStatement::fail() const {
    const QSqlError error = m_query.lastError();
    StoreError failure(error.databaseText().isEmpty() ? error.text() : error.databaseText(),
                       m_store.connectionName(), m_sql);
    failure.nativeCode = error.nativeErrorCode();
    throw failure;
}

} // namespace teran
