#include "SqlStore.h"

#include "core/store/MariaDbTlsCheck.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>
#include <algorithm>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace teran {

namespace {

// Times one wait on the server into its health: a wait that ended in an error after the health's
// limit counts as unanswered.
class AnswerTiming {
public:
    explicit AnswerTiming(ServerHealth* health)
        : m_health(health)
        , m_exceptions(std::uncaught_exceptions()) {
        if (m_health)
            m_health->stepBegins();
        m_timer.start();
    }
    ~AnswerTiming() {
        if (!m_health)
            return;
        const bool failed = std::uncaught_exceptions() > m_exceptions;
        m_health->stepEnds(!failed || m_timer.elapsed() < ServerHealth::kUnansweredAfterMs);
    }
    AnswerTiming(const AnswerTiming&) = delete;
    AnswerTiming& operator=(const AnswerTiming&) = delete;

private:
    ServerHealth* m_health;
    int m_exceptions;
    QElapsedTimer m_timer;
};

// A MariaDB server is always reached over TLS: the driver refuses a server that offers none and
// verifies the certificate's chain against the vendor's authority (or the system's), so a
// server with a certificate of no trusted authority, or an expired one, is never talked to.
QString tlsOptions(const StoreUrl& url) {
    if (!url.caFile.isEmpty())
        return QStringLiteral("SSL_CA=") + url.caFile;
    return QStringLiteral("SSL_CAPATH=/etc/ssl/certs");
}

// Qt's MariaDB driver reads the server's messages as Latin-1; the server sends UTF-8 (the
// Korean refusals of the vendor's routines and triggers). Such a text is read again as UTF-8.
QString asSent(const QString& text) {
    bool high = false;
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return text;
        high = high || c.unicode() >= 0x80;
    }
    if (!high)
        return text;
    const QString decoded = QString::fromUtf8(text.toLatin1());
    return decoded.contains(QChar::ReplacementCharacter) ? text : decoded;
}

QString errorText(const QSqlError& error) {
    QString text = asSent(error.databaseText());
    if (text.isEmpty())
        text = error.text();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text += QStringLiteral(" (") + error.driverText() + QLatin1Char(')');
    return text;
}

// The office's files hold its clients and its staff's accounts: the owner and the office's
// group (the desks sharing the folder) may read them, nobody else. SQLite gives its journal the
// permissions of the file.
void keepPrivate(const QString& path) {
    const QFileDevice::Permissions allowed = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadUser | QFileDevice::WriteUser |
                                             QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    if (!QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return; // the open that follows reports why
        file.close();
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                        QFileDevice::WriteUser | QFileDevice::ReadGroup |
                                        QFileDevice::WriteGroup);
        return;
    }
    const QFileDevice::Permissions now = QFile::permissions(path);
    if (now & ~allowed)
        QFile::setPermissions(path, now & allowed);
}

} // namespace

SqlStore::SqlStore(QString connectionName)
    : m_connectionName(std::move(connectionName)) {}

SqlStore::~SqlStore() {
    close();
    if (m_created)
        QSqlDatabase::removeDatabase(m_connectionName);
}

namespace {

// Which file a path names now; empty where the system does not tell (a file open on Windows
// cannot be renamed over, so it cannot be replaced there either).
QString fileIdentity(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
#else
    Q_UNUSED(path)
#endif
    return {};
}

} // namespace

bool SqlStore::fileReplaced() const {
    return m_backend == SqlBackend::Sqlite && !m_fileIdentity.isEmpty() &&
           fileIdentity(m_url.path) != m_fileIdentity;
}

void SqlStore::open(const StoreUrl& url) {
    close();
    m_url = url;
    m_depth = 0;
    m_rollbackOnly = false;
    connect();
}

void SqlStore::connect() {
    if (m_created) {
        QSqlDatabase::removeDatabase(m_connectionName);
        m_created = false;
    }
    m_lost = false;
    const StoreUrl& url = m_url;
    m_backend = url.backend;
    ++m_changes; // another file or server may hold other rows
    const QString source = QStringLiteral("SqlStore::open");
    if (url.backend == SqlBackend::Sqlite) {
        if (url.mustExist && !QFileInfo(url.path).isFile())
            throw StoreError(QStringLiteral("The database file does not exist: ") + url.path, source,
                             url.display());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_created = true;
        QDir().mkpath(QFileInfo(url.path).absolutePath());
        keepPrivate(url.path);
        db.setDatabaseName(url.path);
        // Several desks share one file on the office's folder: wait for a writer instead of
        // failing at once. The rollback journal is kept, as network shares lack WAL's memory map.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_limits.busyMs));
        if (!db.open())
            throw StoreError(errorText(db.lastError()), source, url.display());
        rawExec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        rawExec(QStringLiteral("PRAGMA synchronous=FULL"));
        // Deleted and replaced values (a password replaced by its hash) are overwritten on disk.
        rawExec(QStringLiteral("PRAGMA secure_delete=ON"));
        // The lists walk many indexes of a large file: 64 MB of pages stay in memory between
        // statements (SQLite's default is 2 MB).
        rawExec(QStringLiteral("PRAGMA cache_size=-65536"));
        m_fileIdentity = fileIdentity(url.path);
        return;
    }
    // A cluster's nodes are tried in turn from the one that answered last; an account the
    // server refuses is refused by every node alike.
    const QList<StoreUrl::Node> nodes = url.nodes();
    for (qsizetype tried = 0;; ++tried) {
        const qsizetype at = (m_node + tried) % nodes.size();
        try {
            connectTo(nodes.at(at));
            m_node = at;
            break;
        } catch (const StoreError& error) {
            if (tried + 1 >= nodes.size() || isRefusedAccount(error))
                throw;
        }
    }
    rawExec(QStringLiteral("SET NAMES utf8mb4 COLLATE utf8mb4_unicode_ci"));
    rawExec(QStringLiteral("SET SESSION sql_mode='STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION'"));
    // On a cluster a read waits until the node has applied what the others committed before it,
    // so that the program reads its own last write whichever node it now talks to.
    if (nodes.size() > 1)
        rawExec(QStringLiteral("SET SESSION wsrep_sync_wait = 1"));
}

void SqlStore::connectTo(const StoreUrl::Node& node) {
    const AnswerTiming timing(m_health.get());
    const StoreUrl& url = m_url;
    const QString source = QStringLiteral("SqlStore::open");
    if (m_created) {
        QSqlDatabase::removeDatabase(m_connectionName);
        m_created = false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_connectionName);
    m_created = true;
    db.setHostName(node.host);
    db.setPort(node.port);
    db.setDatabaseName(url.database);
    db.setUserName(url.user);
    db.setPassword(url.password);
    // CLIENT_FOUND_ROWS: an UPDATE reports the rows it matched, as on SQLite, not only those
    // whose values changed.
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%2;"
                                        "MYSQL_OPT_WRITE_TIMEOUT=%2;CLIENT_FOUND_ROWS;%3")
                             .arg(m_limits.connectSeconds)
                             .arg(stallSeconds())
                             .arg(tlsOptions(url)));
    // The driver is only asked to connect once the server has shown a certificate that
    // verifies for this node's name.
    const MariaDbTlsCheck::Result tls =
        MariaDbTlsCheck(TlsTrust(url.caFile), m_limits.connectSeconds * 1000).check(node.host, node.port);
    if (tls.outcome != MariaDbTlsCheck::Outcome::Verified) {
        StoreError error(tls.text, source, url.display());
        error.nativeCode =
            tls.outcome == MariaDbTlsCheck::Outcome::Refused ? QStringLiteral("TLS") : QStringLiteral("2003");
        throw error;
    }
    if (!db.open()) {
        StoreError error(errorText(db.lastError()), source, url.display());
        error.nativeCode = db.lastError().nativeErrorCode();
        throw error;
    }
}

// Statements of the connection itself, run before anything can be in a transaction.
void SqlStore::rawExec(const QString& sql) {
    QSqlQuery q(database());
    if (!q.exec(sql))
        throw StoreError(errorText(q.lastError()), m_connectionName, sql);
}

void SqlStore::close() {
    if (!m_created)
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.isOpen())
        db.close();
    m_depth = 0;
}

bool SqlStore::isOpen() const {
    return m_created && !m_lost && QSqlDatabase::database(m_connectionName, false).isOpen();
}

bool SqlStore::isLostConnection(const StoreError& error) {
    // 2006 gone away, 2013 lost during a query, 2055 lost at reading, 4031 closed for inactivity.
    static const QStringList codes{QStringLiteral("2006"), QStringLiteral("2013"), QStringLiteral("2055"),
                                   QStringLiteral("4031")};
    // Over TLS a connection the server ended reads as an error of the TLS layer: OpenSSL's
    // "unexpected eof", or the socket's reset under it.
    static const QStringList words{
        QStringLiteral("gone away"), QStringLiteral("Lost connection"), QStringLiteral("unexpected eof"),
        QStringLiteral("TLS/SSL error: Connection reset"), QStringLiteral("TLS/SSL error: Broken pipe")};
    return codes.contains(error.nativeCode) ||
           std::any_of(words.begin(), words.end(), [&](const QString& word) {
               return error.description().contains(word, Qt::CaseInsensitive);
           });
}

bool SqlStore::isRefusedByCluster(const StoreError& error) {
    // 1213: a deadlock, which is how a cluster refuses a transaction that lost its certification
    // against another node's concurrent one; 1047: the node is between two views of the cluster
    // (a node was lost a moment ago) and takes no work until the new view stands.
    return error.nativeCode == QLatin1String("1213") || error.nativeCode == QLatin1String("1047") ||
           error.description().contains(QLatin1String("Deadlock found"), Qt::CaseInsensitive) ||
           error.description().contains(QLatin1String("Primary Component"), Qt::CaseInsensitive) ||
           error.description().contains(QLatin1String("WSREP has not yet prepared"), Qt::CaseInsensitive);
}

bool SqlStore::isRefusedAccount(const StoreError& error) {
    // 1045 access denied (no such account or another password), 1698 access denied where the
    // server's account check ran without a password (MariaDB answers an unknown name so at
    // times), 1044 no access to the database, 4151 a locked account.
    static const QStringList codes{QStringLiteral("1045"), QStringLiteral("1698"), QStringLiteral("1044"),
                                   QStringLiteral("4151")};
    return codes.contains(error.nativeCode);
}

void SqlStore::markLost() {
    if (m_lost)
        return;
    m_lost = true;
    if (m_listener)
        m_listener(false);
}

// One attempt to get a lost connection back; after a failed one the next waits a few seconds,
// so that a batch against a dead server does not wait for the connect limit on every row.
bool SqlStore::reopen() {
    if (m_url.backend != SqlBackend::MariaDb || !m_url.isValid())
        return false;
    if (m_lastFailedReopen.isValid() && m_lastFailedReopen.elapsed() < 3000)
        return false;
    // A window does not wait for a connection to a server known silent; the courier's connection
    // finds out when it answers again.
    if (refusing())
        return false;
    const bool wasLost = m_lost;
    try {
        QSqlDatabase::database(m_connectionName, false).close();
        m_depth = 0;
        m_rollbackOnly = false;
        connect();
    } catch (const StoreError&) {
        m_lastFailedReopen.start();
        m_lost = false;
        markLost();
        return false;
    }
    m_lastFailedReopen.invalidate();
    if (wasLost && m_listener)
        m_listener(true);
    return true;
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

namespace {

// The digits of text[at, at + count), or -1 when one is no ASCII digit.
int digitsAt(const QString& text, qsizetype at, int count) {
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// "yyyy-MM-dd HH:mm:ss" as SQLite rows keep a date, read by hand: every row of a list has a few,
// and Qt's parser of a format takes several microseconds each. Anything else: invalid.
QDateTime storedDateTime(const QString& text) {
    if (text.size() != 19 || text.at(4) != u'-' || text.at(7) != u'-' || text.at(10) != u' ' ||
        text.at(13) != u':' || text.at(16) != u':')
        return {};
    const QDate day(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    const QTime time(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
    if (!day.isValid() || !time.isValid())
        return {};
    return QDateTime(day, time);
}

} // namespace

QDateTime SqlStore::toDateTime(const QVariant& stored) {
    if (stored.isNull())
        return {};
    if (stored.typeId() == QMetaType::QDateTime)
        return stored.toDateTime();
    if (stored.typeId() == QMetaType::QDate)
        return stored.toDate().startOfDay();
    const QString text = stored.toString().trimmed();
    QDateTime parsed = storedDateTime(text);
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
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

void SqlStore::fail(const QSqlError& sqlError, const QString& sql) {
    StoreError error(errorText(sqlError), m_connectionName, sql);
    error.nativeCode = sqlError.nativeErrorCode();
    if (m_backend == SqlBackend::MariaDb && isLostConnection(error))
        markLost();
    throw error;
}

void SqlStore::watchAnswers(std::shared_ptr<ServerHealth> health, bool refuseWhileUnanswered) {
    m_health = std::move(health);
    m_refuseWhileUnanswered = refuseWhileUnanswered;
}

int SqlStore::stallSeconds() const {
    if (m_refuseWhileUnanswered)
        return std::min(m_limits.stallSeconds, ServerHealth::kWindowWaitSeconds);
    return m_limits.stallSeconds;
}

bool SqlStore::refusing() const {
    return m_refuseWhileUnanswered && m_health && m_health->waiting();
}

void SqlStore::refuseWhileUnanswered(const QString& sql) const {
    if (m_depth == 0 && refusing())
        throw StoreError(unansweredText(), m_connectionName, sql);
}

void SqlStore::checkFault(const QString& sql) const {
    if (!m_faultHook)
        return;
    if (const std::optional<QString> refusal = m_faultHook(sql))
        throw StoreError(*refusal, m_connectionName, sql);
}

QString SqlStore::placeholders(qsizetype count) {
    return QStringList(count, QStringLiteral("?")).join(QStringLiteral(", "));
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

namespace {
bool lostConnection(const QSqlError& sqlError) {
    StoreError error(errorText(sqlError), QString());
    error.nativeCode = sqlError.nativeErrorCode();
    return SqlStore::isLostConnection(error);
}

bool isRead(const QString& sql) {
    const QString head = sql.trimmed().left(8).toUpper();
    return head.startsWith(QLatin1String("SELECT")) || head.startsWith(QLatin1String("SHOW")) ||
           head.startsWith(QLatin1String("EXPLAIN")) || head.startsWith(QLatin1String("PRAGMA"));
}
} // namespace

QSqlQuery SqlStore::query(const QString& sql, const QVariantList& values) {
    for (int refusals = 0;; ++refusals) {
        try {
            return run(sql, values, true);
        } catch (const StoreError& error) {
            // A statement of its own that the cluster refused was rolled back whole, or never
            // run by a node between two views: it goes again once the cluster stands. Inside a
            // transaction the refusal belongs to transact(), which runs the whole body again.
            if (m_depth > 0 || m_backend != SqlBackend::MariaDb || !isRefusedByCluster(error) ||
                refusals >= kClusterRetries)
                throw;
            waitForCluster(refusals + 1);
        }
    }
}

void SqlStore::waitForCluster(int refusal) {
    QThread::msleep(25UL << refusal); // the other transaction commits, or the new view stands
}

QSqlQuery SqlStore::run(const QString& sql, const QVariantList& values, bool mayRetry) {
    if (values.size() != placeholderCount(sql))
        throw StoreError(
            QStringLiteral("%1 values for %2 placeholders").arg(values.size()).arg(placeholderCount(sql)),
            m_connectionName, sql);
    refuseWhileUnanswered(sql);
    // A connection found lost earlier comes back before the next statement outside a transaction.
    if (m_created && m_lost && m_depth == 0)
        reopen();
    if (!isOpen())
        throw StoreError(m_lost ? QStringLiteral("Lost connection to the server")
                                : QStringLiteral("The database is not open"),
                         m_connectionName, sql);
    checkFault(sql);
    if (m_observer)
        m_observer(sql, values);
    const AnswerTiming timing(m_health.get());
    QSqlQuery q(database());
    q.setForwardOnly(true);
    const bool retryable = mayRetry && m_depth == 0 && m_backend == SqlBackend::MariaDb;
    if (!q.prepare(sql)) {
        // The server never saw the statement: any statement can go again on a new connection.
        const QSqlError error = q.lastError();
        if (retryable && lostConnection(error)) {
            markLost();
            if (reopen())
                return run(sql, values, false);
        }
        fail(error, sql);
    }
    bindAll(q, values);
    if (!q.exec()) {
        const QSqlError error = q.lastError();
        if (retryable && isRead(sql) && lostConnection(error)) {
            markLost();
            if (reopen())
                return run(sql, values, false);
        }
        fail(error, sql);
    }
    return q;
}

// A single write outside a transaction takes one of its own on SQLite (see the class comment).
int SqlStore::write(const QString& sql, const QVariantList& values, QVariant* newId) {
    ++m_changes;
    if (m_backend == SqlBackend::Sqlite && m_depth == 0 && isOpen()) {
        Transaction tx(*this);
        QSqlQuery q = query(sql, values);
        const int rows = q.numRowsAffected();
        if (newId)
            *newId = q.lastInsertId();
        q.finish();
        tx.commit();
        return rows;
    }
    QSqlQuery q = query(sql, values);
    if (newId)
        *newId = q.lastInsertId();
    return q.numRowsAffected();
}

int SqlStore::execute(const QString& sql, const QVariantList& values) {
    return write(sql, values, nullptr);
}

QVariant SqlStore::insert(const QString& sql, const QVariantList& values) {
    QVariant id;
    write(sql, values, &id);
    return id;
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

QString SqlStore::likeEndsWith(const QString& text) {
    return QLatin1Char('%') + escapeLike(text);
}

QString SqlStore::likeStartsWith(const QString& text) {
    return escapeLike(text) + QLatin1Char('%');
}

// The catalogue's questions go to the server too: refused and timed like statements.
bool SqlStore::hasTable(const QString& table) const {
    refuseWhileUnanswered(QStringLiteral("SHOW TABLES"));
    const AnswerTiming timing(m_health.get());
    const QStringList tables = database().tables();
    for (const QString& t : tables)
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList SqlStore::columnsOf(const QString& table) const {
    refuseWhileUnanswered(QStringLiteral("SHOW COLUMNS FROM ") + table);
    const AnswerTiming timing(m_health.get());
    const QSqlRecord record = database().record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

void SqlStore::beginTransaction() {
    if (m_depth > 0) {
        ++m_depth;
        return;
    }
    const QString begin = QStringLiteral("BEGIN");
    refuseWhileUnanswered(begin);
    if (m_created && m_lost)
        reopen();
    if (!isOpen())
        throw StoreError(QStringLiteral("The database is not open"), m_connectionName, begin);
    checkFault(begin);
    bool began = false;
    QSqlError error;
    if (m_backend == SqlBackend::Sqlite) {
        QSqlQuery q(database());
        began = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        error = q.lastError();
    } else {
        began = database().transaction();
        error = database().lastError();
        if (!began && lostConnection(error)) {
            markLost();
            if (reopen()) {
                began = database().transaction();
                error = database().lastError();
            }
        }
    }
    if (!began)
        fail(error, begin);
    // Checked with the write lock held: a restore that replaces the file holds the old file's
    // lock until the new one is in place, so no write can slip into the old file after this.
    if (fileReplaced()) {
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        throw StoreError(replacedFileText(), m_connectionName, begin);
    }
    m_depth = 1;
    m_rollbackOnly = false;
}

void SqlStore::commit() {
    const QString sql = QStringLiteral("COMMIT");
    if (m_depth > 1) {
        --m_depth;
        return;
    }
    if (m_depth == 0)
        throw StoreError(QStringLiteral("No transaction to commit"), m_connectionName, sql);
    if (m_rollbackOnly) {
        rollback();
        throw StoreError(QStringLiteral("A part of the transaction failed; nothing was written"),
                         m_connectionName, sql);
    }
    try {
        checkFault(sql);
    } catch (const StoreError&) {
        rollback();
        throw;
    }
    ++m_changes; // statements run inside the transaction by other means (WholeRowStatement)
    if (!database().commit()) {
        const QSqlError error = database().lastError();
        rollback();
        fail(error, sql);
    }
    m_depth = 0;
}

std::pair<qint64, qint64> SqlStore::changeStamp() {
    qint64 others = -1;
    if (m_backend == SqlBackend::Sqlite && isOpen()) {
        QSqlQuery q(database());
        if (q.exec(QStringLiteral("PRAGMA data_version")) && q.next())
            others = q.value(0).toLongLong();
    }
    return {m_changes, others};
}

void SqlStore::rollback() {
    if (m_depth > 1) {
        --m_depth;
        m_rollbackOnly = true;
        return;
    }
    if (m_depth == 0)
        return;
    m_depth = 0;
    m_rollbackOnly = false;
    if (isOpen())
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
