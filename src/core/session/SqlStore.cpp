#include "SqlStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace teran {

namespace {

QString errorText(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text += QStringLiteral(" (") + error.driverText() + QLatin1Char(')');
    return text;
}

} // namespace

SqlStore::SqlStore(QString connectionName)
    : m_connectionName(std::move(connectionName)) {}

SqlStore::~SqlStore() {
    close();
    if (m_created)
        QSqlDatabase::removeDatabase(m_connectionName);
}

void SqlStore::open(const StoreUrl& url) {
    close();
    if (m_created) {
        QSqlDatabase::removeDatabase(m_connectionName);
        m_created = false;
    }
    m_backend = url.backend;
    const QString source = QStringLiteral("SqlStore::open");
    if (url.backend == SqlBackend::Sqlite) {
        if (url.mustExist && !QFileInfo(url.path).isFile())
            throw StoreError(QStringLiteral("The database file does not exist: ") + url.path, source,
                             url.display());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_created = true;
        QDir().mkpath(QFileInfo(url.path).absolutePath());
        db.setDatabaseName(url.path);
        // Several desks share one file on the office's folder: wait for a writer instead of
        // failing at once. The rollback journal is kept, as network shares lack WAL's memory map.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        if (!db.open())
            throw StoreError(errorText(db.lastError()), source, url.display());
        execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
        execute(QStringLiteral("PRAGMA synchronous=FULL"));
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_connectionName);
    m_created = true;
    db.setHostName(url.host);
    db.setPort(url.port);
    db.setDatabaseName(url.database);
    db.setUserName(url.user);
    db.setPassword(url.password);
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=5;MYSQL_OPT_READ_TIMEOUT=30;"
                                        "MYSQL_OPT_WRITE_TIMEOUT=30"));
    if (!db.open())
        throw StoreError(errorText(db.lastError()), source, url.display());
    execute(QStringLiteral("SET NAMES utf8mb4 COLLATE utf8mb4_unicode_ci"));
    execute(QStringLiteral("SET SESSION sql_mode='STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION'"));
}

void SqlStore::close() {
    if (!m_created)
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.isOpen())
        db.close();
}

bool SqlStore::isOpen() const {
    return m_created && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase SqlStore::database() const {
    return QSqlDatabase::database(m_connectionName, false);
}

QVariant SqlStore::toStored(const QVariant& value) const {
    if (m_backend != SqlBackend::Sqlite)
        return value;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value;
    }
}

QDateTime SqlStore::toDateTime(const QVariant& stored) {
    if (stored.isNull())
        return {};
    if (stored.typeId() == QMetaType::QDateTime)
        return stored.toDateTime();
    if (stored.typeId() == QMetaType::QDate)
        return stored.toDate().startOfDay();
    const QString text = stored.toString().trimmed();
    QDateTime parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text, Qt::ISODate);
    if (!parsed.isValid()) {
        const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            parsed = day.startOfDay();
    }
    return parsed;
}

void SqlStore::bindAll(QSqlQuery& q, const QVariantList& values) const {
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, toStored(values.at(i)));
}

void SqlStore::fail(const QSqlQuery& q, const QString& sql) const {
    StoreError error(errorText(q.lastError()), m_connectionName, sql);
    error.nativeCode = q.lastError().nativeErrorCode();
    throw error;
}

int SqlStore::placeholderCount(const QString& sql) {
    int count = 0;
    QChar quote;
    for (QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            quote = c;
        } else if (c == u'?') {
            ++count;
        }
    }
    return count;
}

QSqlQuery SqlStore::query(const QString& sql, const QVariantList& values) {
    if (!isOpen())
        throw StoreError(QStringLiteral("The database is not open"), m_connectionName, sql);
    if (values.size() != placeholderCount(sql))
        throw StoreError(
            QStringLiteral("%1 values for %2 placeholders").arg(values.size()).arg(placeholderCount(sql)),
            m_connectionName, sql);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q, sql);
    bindAll(q, values);
    if (!q.exec())
        fail(q, sql);
    return q;
}

int SqlStore::execute(const QString& sql, const QVariantList& values) {
    return query(sql, values).numRowsAffected();
}

QVariant SqlStore::insert(const QString& sql, const QVariantList& values) {
    return query(sql, values).lastInsertId();
}

QVariant SqlStore::scalar(const QString& sql, const QVariantList& values, const QVariant& otherwise) {
    QSqlQuery q = query(sql, values);
    return q.next() ? q.value(0) : otherwise;
}

QString SqlStore::nowSql() const {
    return m_backend == SqlBackend::Sqlite ? QStringLiteral("datetime('now','localtime')")
                                           : QStringLiteral("NOW()");
}

QString SqlStore::limitSql(int limit, int offset, QVariantList& values) {
    values << limit << offset;
    return QStringLiteral(" LIMIT ? OFFSET ?");
}

namespace {
QString escapeLike(QString text) {
    text.replace(QLatin1Char('!'), QStringLiteral("!!"));
    text.replace(QLatin1Char('%'), QStringLiteral("!%"));
    text.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return text;
}
} // namespace

QString SqlStore::likeContains(const QString& text) {
    return QLatin1Char('%') + escapeLike(text) + QLatin1Char('%');
}

QString SqlStore::likeStartsWith(const QString& text) {
    return escapeLike(text) + QLatin1Char('%');
}

bool SqlStore::hasTable(const QString& table) const {
    const QStringList tables = database().tables();
    for (const QString& t : tables)
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList SqlStore::columnsOf(const QString& table) const {
    const QSqlRecord record = database().record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

void SqlStore::beginTransaction() {
    if (!database().transaction())
        throw StoreError(errorText(database().lastError()), m_connectionName, QStringLiteral("BEGIN"));
}

void SqlStore::commit() {
    if (!database().commit())
        throw StoreError(errorText(database().lastError()), m_connectionName, QStringLiteral("COMMIT"));
}

void SqlStore::rollback() {
    database().rollback();
}

Transaction::Transaction(SqlStore& store)
    : m_store(store) {
    m_store.beginTransaction();
}

Transaction::~Transaction() {
    if (!m_done)
        m_store.rollback();
}

void Transaction::commit() {
    m_store.commit();
    m_done = true;
}

} // namespace teran
