#pragma once

#include "core/store/ServerHealth.h"
#include "core/store/StoreError.h"
#include "core/store/StoreUrl.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

namespace teran {

// How long a store waits for its server or for another desk before it gives up.
struct StoreLimits {
    int connectSeconds = 5; // MariaDB: reaching the server
    int stallSeconds = 30;  // MariaDB: a statement that gets no answer
    int busyMs = 10000;     // SQLite: another desk holding the write lock
};

// One connection to a store (the office's ListingStore or the vendor's ServerStore). Every
// statement goes through here with bound values; a failure throws StoreError carrying the SQL.
// Statements run many times over wide rows use WholeRowStatement.
//
// A lost MariaDB connection (the server restarted or went away) is noticed on the statement that
// meets it: the store reopens once and runs the statement again when that cannot do anything
// twice (a read, or a statement the server never received). Inside a transaction the server has
// rolled everything back, so the error goes to the caller; transact() runs its whole body again.
//
// On SQLite every write transaction begins IMMEDIATE, and a single write outside a transaction
// gets one of its own: a desk then waits for another desk's write lock (busyMs) instead of
// failing at once when it upgrades a read lock.
class SqlStore {
public:
    explicit SqlStore(QString connectionName);
    ~SqlStore();
    SqlStore(const SqlStore&) = delete;
    SqlStore& operator=(const SqlStore&) = delete;

    void setLimits(const StoreLimits& limits) { m_limits = limits; }
    void open(const StoreUrl& url); // throws StoreError
    void close();
    // Opened and not known to be lost: a connection found dead counts as closed until it is back.
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
    // "?, ?, ?": the marks of `count` bound values, for an IN list or the values of an insert.
    static QString placeholders(qsizetype count);

    // The store's own current time, as an SQL expression (the vendor's clock for the server).
    QString nowSql() const;
    // " LIMIT ? OFFSET ?" with the values appended to the bound list.
    static QString limitSql(int limit, int offset, QVariantList& values);

    // User text searched with LIKE: "column LIKE ?" + likeEscapeSql() with the value from
    // likeContains(), so that %, _ and ! typed by the user match themselves on both backends.
    static QString likeEscapeSql() { return QStringLiteral(" ESCAPE '!'"); }
    static QString likeContains(const QString& text);
    static QString likeStartsWith(const QString& text);
    static QString likeEndsWith(const QString& text);

    // Throw StoreError, like a statement, while the server is known silent (watchAnswers).
    bool hasTable(const QString& table) const;
    QStringList columnsOf(const QString& table) const;

    // Values as the backend stores them: dates as ISO text on SQLite, so comparisons with
    // bound cut-offs work the same on both backends.
    QVariant toStored(const QVariant& value) const;
    static QDateTime toDateTime(const QVariant& stored);

    // Transactions nest: an inner one joins the outer, and a rolled back inner one makes the
    // outer commit fail, so that nothing half done is committed.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }
    // An office file that was replaced under this connection (a restore renamed another file
    // into its place): the connection still reads the old file, and what it wrote there would be
    // lost. A write then is refused (replacedFileText()) until the store is opened again.
    bool fileReplaced() const;
    static QString replacedFileText() {
        return QStringLiteral(
            "사무실 자료가 다른 자리에서 복구되어 바뀌었습니다. 다시 열어야 저장할 수 있습니다.");
    }
    // What this connection can tell of changes: its own opens, writes and commits, and on
    // SQLite the commits of other connections to the file (data_version). The stamp stays
    // equal while nothing was written; on MariaDB other desks' writes do not move it.
    std::pair<qint64, qint64> changeStamp();

    // Runs `body` in a transaction; when the connection was lost on the way (and the server has
    // rolled it back), reopens and runs it once more; when a cluster refused it as a deadlock,
    // runs it again, up to kClusterRetries times. The body must not have effects outside the
    // store.
    template <typename Body> auto transact(Body body) -> decltype(body());

    // Told true when a lost connection came back and false when it was lost, so that the
    // program's online state follows what the server does.
    void setConnectionListener(std::function<void(bool working)> listener) {
        m_listener = std::move(listener);
    }
    // Every connect and statement is timed into `health`, which other threads read. With
    // `refuseWhileUnanswered`, a statement outside a transaction is refused at once (unansweredText)
    // while the health says the server does not answer: the window's step then fails as with a
    // lost server instead of waiting on it; a statement that meets the silence first waits at
    // most ServerHealth::kWindowWaitSeconds.
    void watchAnswers(std::shared_ptr<ServerHealth> health, bool refuseWhileUnanswered);
    static QString unansweredText() { return QStringLiteral("본사 서버가 응답하지 않습니다."); }
    // A seam for failure tests: asked before each statement (and "BEGIN", "COMMIT"); a text
    // makes the statement fail with it as if the database had refused.
    using FaultHook = std::function<std::optional<QString>(const QString& sql)>;
    void setFaultHook(FaultHook hook) { m_faultHook = std::move(hook); }

    static bool isLostConnection(const StoreError& error);
    // The transaction was refused as a deadlock, as a cluster refuses one that conflicted with
    // another node's: the whole transaction may be run again.
    static bool isRefusedByCluster(const StoreError& error);
    // How often transact() runs a transaction again that a cluster refused, waiting twice as
    // long each time from 50 ms (about 6 s in all: a cluster's new view after a lost node).
    static constexpr int kClusterRetries = 7;
    // The server refused the account of the connection (its name or password, or a lock).
    static bool isRefusedAccount(const StoreError& error);
    // A seam for plan tests: told every statement with its values before it runs.
    using StatementObserver = std::function<void(const QString& sql, const QVariantList& values)>;
    void setStatementObserver(StatementObserver observer) { m_observer = std::move(observer); }

private:
    static void waitForCluster(int refusal);
    void bindAll(QSqlQuery& q, const QVariantList& values) const;
    [[noreturn]] void fail(const QSqlError& error, const QString& sql);
    QSqlQuery run(const QString& sql, const QVariantList& values, bool mayRetry);
    int write(const QString& sql, const QVariantList& values, QVariant* newId);
    void checkFault(const QString& sql) const;
    void refuseWhileUnanswered(const QString& sql) const;
    bool refusing() const;
    int stallSeconds() const; // the driver's limit for one read or write on the server
    void connect();
    void connectTo(const StoreUrl::Node& node);
    bool reopen();
    void markLost();
    void rawExec(const QString& sql);

    QString m_connectionName;
    SqlBackend m_backend = SqlBackend::Sqlite;
    bool m_created = false;
    bool m_lost = false;
    StoreUrl m_url;
    QString m_fileIdentity; // the SQLite file as opened: device and inode
    StoreLimits m_limits;
    int m_depth = 0;
    qsizetype m_node = 0; // the cluster node that answered last
    bool m_rollbackOnly = false;
    QElapsedTimer m_lastFailedReopen;
    std::function<void(bool)> m_listener;
    FaultHook m_faultHook;
    std::shared_ptr<ServerHealth> m_health;
    bool m_refuseWhileUnanswered = false;
    StatementObserver m_observer;
    qint64 m_changes = 0;
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

template <typename Body> auto SqlStore::transact(Body body) -> decltype(body()) {
    const bool outermost = m_depth == 0;
    int refusals = 0;
    for (int attempt = 0;; ++attempt) {
        try {
            Transaction tx(*this);
            if constexpr (std::is_void_v<decltype(body())>) {
                body();
                tx.commit();
                return;
            } else {
                auto result = body();
                tx.commit();
                return result;
            }
        } catch (const StoreError& error) {
            if (outermost && isRefusedByCluster(error) && refusals < kClusterRetries) {
                ++refusals;
                waitForCluster(refusals);
                continue;
            }
            if (!outermost || attempt > refusals || !isLostConnection(error) || !reopen())
                throw;
        }
    }
}

} // namespace teran
