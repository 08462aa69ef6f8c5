#pragma once

#include <QString>
#include <stdexcept>

namespace teran {

// A failed statement or connection: what was being run, what the database said, and which
// part of the program ran it. Routines catch it at their end and write it to the daily log.
class StoreError : public std::runtime_error {
public:
    StoreError(QString description, QString source, QString sql = {})
        : std::runtime_error(description.toStdString())
        , m_description(std::move(description))
        , m_source(std::move(source))
        , m_sql(std::move(sql)) {}

    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }
    const QString& sql() const { return m_sql; }
    // Native error code of the database, when it gave one (e.g. 1062 for a duplicate key).
    QString nativeCode;

private:
    QString m_description;
    QString m_source;
    QString m_sql;
};

} // namespace teran
