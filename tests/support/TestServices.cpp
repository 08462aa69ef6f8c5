#include "TestServices.h"
#include "core/people/SmsAccounts.h"

#include <QSqlError>
#include <QSqlQuery>

#include <QCoreApplication>
#include <QTcpServer>
#include <QUuid>
#include <atomic>

namespace teran::test {

namespace {
QString env(const char* name) {
    return qEnvironmentVariable(name);
}
} // namespace

bool runningUnderCi() {
    return env("CI").compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

std::optional<StoreUrl> mariaDbService() {
    const QString url = env("TERAN_TEST_MYSQL_URL");
    if (url.isEmpty())
        return std::nullopt;
    return StoreUrl::parse(url);
}

std::optional<FtpService> ftpService() {
    if (env("TERAN_TEST_FTP_HOST").isEmpty())
        return std::nullopt;
    return FtpService{env("TERAN_TEST_FTP_HOST"), env("TERAN_TEST_FTP_PORT").toInt(),
                      env("TERAN_TEST_FTP_USER"), env("TERAN_TEST_FTP_PASSWORD"), env("TERAN_TEST_FTP_ROOT")};
}

std::optional<SmsService> smsService() {
    const int port = env("TERAN_TEST_SMS_PORT").toInt();
    if (port <= 0)
        return std::nullopt;
    if (env("TERAN_TEST_SMS_TABLES").isEmpty())
        return std::nullopt;
    return SmsService{quint16(port), env("TERAN_TEST_SMS_LOG"), StoreUrl::parse(env("TERAN_TEST_SMS_TABLES")),
                      env("TERAN_TEST_CA")};
}

SmsAccount SmsService::accountFor(const QString& office, qint64 cashWon) const {
    SqlStore vendor(uniqueName(QStringLiteral("sms-tables")));
    vendor.open(tables);
    const SmsAccount account = ServerSmsAccounts::makeAccount(vendor, office);
    vendor.execute(QStringLiteral("DELETE FROM mem_cash WHERE companyID=?"), {office});
    if (cashWon != 0)
        vendor.execute(
            QStringLiteral("INSERT INTO mem_cash (companyID, `ID`, `Type`, `Money`) VALUES (?, ?, ?, ?)"),
            {office, office, QStringLiteral("충전"), cashWon});
    return account;
}

qint64 SmsService::cashOf(const QString& office) const {
    SqlStore vendor(uniqueName(QStringLiteral("sms-cash")));
    vendor.open(tables);
    return vendor
        .scalar(QStringLiteral("SELECT COALESCE(SUM(`Money`), 0) FROM mem_cash WHERE companyID=?"), {office})
        .toLongLong();
}

QString webServiceUrl() {
    return env("TERAN_TEST_WEB_URL");
}

QString probeServiceUrl() {
    return env("TERAN_TEST_PROBE_URL");
}

QString closedPortUrl() {
    // Take a free port from the system and give it back: nothing listens there afterwards.
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return QStringLiteral("http://127.0.0.1:%1/probe.html").arg(port);
}

QString uniqueName(const QString& prefix) {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1_%2_%3")
        .arg(prefix)
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetch_add(1));
}

std::unique_ptr<ScratchStore> ScratchStore::sqlite() {
    std::unique_ptr<ScratchStore> scratch(new ScratchStore);
    scratch->m_url = StoreUrl::sqliteFile(scratch->m_dir.filePath(QStringLiteral("store.db")));
    scratch->m_store = std::make_unique<SqlStore>(uniqueName(QStringLiteral("scratch")));
    scratch->m_store->open(scratch->m_url);
    return scratch;
}

std::unique_ptr<ScratchStore> ScratchStore::mariaDb() {
    const auto service = mariaDbService();
    if (!service)
        return nullptr;
    std::unique_ptr<ScratchStore> scratch(new ScratchStore);
    scratch->m_adminUrl = *service;
    const QString database = uniqueName(QStringLiteral("teran_t"));
    {
        SqlStore admin(uniqueName(QStringLiteral("admin")));
        admin.open(*service);
        admin.execute(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci")
                          .arg(database));
    }
    scratch->m_url = *service;
    scratch->m_url.database = database;
    scratch->m_store = std::make_unique<SqlStore>(uniqueName(QStringLiteral("scratch")));
    scratch->m_store->open(scratch->m_url);
    return scratch;
}

ScratchStore::~ScratchStore() {
    m_store.reset();
    if (m_url.backend != SqlBackend::MariaDb)
        return;
    try {
        SqlStore admin(uniqueName(QStringLiteral("admin")));
        admin.open(m_adminUrl);
        admin.execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_url.database));
    } catch (const StoreError&) {
        // Leaving a scratch database behind is harmless; the server's folder is temporary.
    }
}

namespace {
// A trigger in the store's own dialect that refuses a write of `event` ("INSERT" or "DELETE")
// to `table` when the row's `column` holds `value`.
QString refuseWrite(SqlStore& store, const QString& event, const QString& table, const QString& column,
                    const QString& value, const QString& message) {
    const QString name = uniqueName(QStringLiteral("refuse"));
    const QString row = event == QLatin1String("DELETE") ? QStringLiteral("OLD") : QStringLiteral("NEW");
    // Test-made texts of the test's own, so they may stand in the trigger's text (DDL has no
    // bound values). MariaDB takes CREATE TRIGGER only as a plain, unprepared statement.
    const QString sql =
        store.backend() == SqlBackend::Sqlite
            ? QStringLiteral("CREATE TRIGGER %1 BEFORE %6 ON %2 WHEN %7.%3 = '%4' "
                             "BEGIN SELECT RAISE(ABORT, '%5'); END")
            : QStringLiteral("CREATE TRIGGER %1 BEFORE %6 ON %2 FOR EACH ROW BEGIN IF %7.%3 = '%4' THEN "
                             "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '%5'; END IF; END");
    QSqlQuery q(store.database());
    if (!q.exec(sql.arg(name, table, column, value, message, event, row)))
        throw StoreError(q.lastError().text(), QStringLiteral("refuseWrite"), sql);
    return name;
}
} // namespace

QString refuseInsert(SqlStore& store, const QString& table, const QString& column, const QString& value,
                     const QString& message) {
    return refuseWrite(store, QStringLiteral("INSERT"), table, column, value, message);
}

QString refuseDelete(SqlStore& store, const QString& table, const QString& column, const QString& value,
                     const QString& message) {
    return refuseWrite(store, QStringLiteral("DELETE"), table, column, value, message);
}

std::string backendName(const testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "MariaDb";
}

} // namespace teran::test
