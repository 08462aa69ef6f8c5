#pragma once

#include "StoreError.h"
#include "StoreUrl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace teran {

// One connection to a store (the office's ListingStore or the vendor's ServerStore). Every
// statement goes through here with bound values; a failure throws StoreError carrying the SQL.
// Statements run many times over wide rows use WholeRowStatement.
class SqlStore {
public:
    explicit SqlStore(QString connectionName);
    ~SqlStore();
    SqlStore(const SqlStore&) = delete;
    SqlStore& operator=(const SqlStore&) = delete;

    void open(const StoreUrl& url); // throws StoreError
    void close();
    bool isOpen() const;
    bool exists() const { return m_created; }
    SqlBackend backend() const { return m_backend; }
    const QString& connectionName() const { return m_connectionName; }
    QSqlDatabase database() const;

    QSqlQuery query(const QString& sql, const QVariantList& values = {});
    int execute(const QString& sql, const QVariantList& values = {});     // rows affected
    QVariant insert(const QString& sql, const QVariantList& values = {}); // new auto number
    QVariant scalar(const QString& sql, const QVariantList& values = {}, const QVariant& otherwise = {});
    // The "?" placeholders of a statement, outside quoted texts and names. A statement run
    // with another number of values is refused: MariaDB's driver would run it anyway.
    static int placeholderCount(const QString& sql);

    // The store's own current time, as an SQL expression (the vendor's clock for the server).
    QString nowSql() const;
    // " LIMIT ? OFFSET ?" with the values appended to the bound list.
    static QString limitSql(int limit, int offset, QVariantList& values);

    // User text searched with LIKE: "column LIKE ?" + likeEscapeSql() with the value from
    // likeContains(), so that %, _ and ! typed by the user match themselves on both backends.
    static QString likeEscapeSql() { return QStringLiteral(" ESCAPE '!'"); }
    static QString likeContains(const QString& text);
    static QString likeStartsWith(const QString& text);

    bool hasTable(const QString& table) const;
    QStringList columnsOf(const QString& table) const;

    // Values as the backend stores them: dates as ISO text on SQLite, so comparisons with
    // bound cut-offs work the same on both backends.
    QVariant toStored(const QVariant& value) const;
    static QDateTime toDateTime(const QVariant& stored);

    void beginTransaction();
    void commit();
    void rollback();

private:
    void bindAll(QSqlQuery& q, const QVariantList& values) const;
    [[noreturn]] void fail(const QSqlQuery& q, const QString& sql) const;

    QString m_connectionName;
    SqlBackend m_backend = SqlBackend::Sqlite;
    bool m_created = false;
};

// Commits when told to, rolls back when left without a commit (an error or an early return).
class Transaction {
public:
    explicit Transaction(SqlStore& store);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    SqlStore& m_store;
    bool m_done = false;
};

} // namespace teran
