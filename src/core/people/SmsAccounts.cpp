#include "SmsAccounts.h"

#include "SmsDesk.h"
#include "core/store/PasswordHash.h"
#include "core/store/SqlStore.h"

#include <QRandomGenerator>
#include <QSqlQuery>

namespace teran {

std::optional<QString> OneSmsAccount::officeOf(const QString& user, const QString& password) {
    if (user != m_account.user || password != m_account.password)
        return std::nullopt;
    return user;
}

ServerSmsAccounts::ServerSmsAccounts(SqlStore& tables)
    : m_tables(tables) {}

ServerSmsAccounts::ServerSmsAccounts(std::unique_ptr<SqlStore> tables)
    : m_own(std::move(tables))
    , m_tables(*m_own) {}

ServerSmsAccounts::~ServerSmsAccounts() = default;

SmsBookMaker ServerSmsAccounts::books(const StoreUrl& url) {
    return [url](const QString& connectionName) -> std::unique_ptr<SmsAccounts> {
        auto tables = std::make_unique<SqlStore>(connectionName);
        tables->open(url);
        return std::make_unique<ServerSmsAccounts>(std::move(tables));
    };
}

QStringList ServerSmsAccounts::missingTables(SqlStore& tables) {
    QStringList missing;
    for (const QString& table : {QStringLiteral("sms_account"), QStringLiteral("mem_cash")})
        if (!tables.hasTable(table))
            missing << table;
    return missing;
}

std::optional<QString> ServerSmsAccounts::officeOf(const QString& user, const QString& password) {
    QSqlQuery q = m_tables.query(
        QStringLiteral("SELECT password_hash, office FROM sms_account WHERE user_id=?"), {user});
    if (!q.next() || !PasswordHash::matches(q.value(0).toString(), password))
        return std::nullopt;
    return q.value(1).toString();
}

bool ServerSmsAccounts::charge(const QString& office, const QString& user, const SmsRecordFields& message) {
    return m_tables.transact([&] {
        // The office's ledger rows stay locked until the charge is written: two batches at once
        // cannot both spend the last won.
        const QString lock =
            m_tables.backend() == SqlBackend::MariaDb ? QStringLiteral(" FOR UPDATE") : QString();
        const qint64 balance =
            m_tables
                .scalar(QStringLiteral("SELECT COALESCE(SUM(`Money`), 0) FROM mem_cash WHERE companyID=?") +
                            lock,
                        {office}, 0)
                .toLongLong();
        if (balance < kSmsPriceWon)
            return false;
        m_tables.execute(
            QStringLiteral("INSERT INTO mem_cash (companyID, `ID`, `Type`, `Money`, content, writeday) "
                           "VALUES (?, ?, ?, ?, ?, %1)")
                .arg(m_tables.nowSql()),
            {office, user, QStringLiteral("SMS문자전송"), -kSmsPriceWon,
             QStringLiteral("문자메세지발송 %1 [%2]").arg(message.receiver, message.text)});
        return true;
    });
}

void ServerSmsAccounts::createTable(SqlStore& tables) {
    const bool maria = tables.backend() == SqlBackend::MariaDb;
    tables.execute(
        maria ? QStringLiteral("CREATE TABLE IF NOT EXISTS sms_account (user_id VARCHAR(50) NOT NULL PRIMARY "
                               "KEY, password_hash TEXT NOT NULL, office VARCHAR(50) NOT NULL) "
                               "ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci")
              : QStringLiteral("CREATE TABLE IF NOT EXISTS sms_account (user_id TEXT NOT NULL PRIMARY KEY, "
                               "password_hash TEXT NOT NULL, office TEXT NOT NULL)"));
}

namespace {

// Letters and digits that cannot be taken for one another, `count` of them.
QString randomText(int count) {
    static const QString alphabet = QStringLiteral("abcdefghjkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString text;
    for (int i = 0; i < count; ++i)
        text += alphabet.at(QRandomGenerator::system()->bounded(int(alphabet.size())));
    return text;
}

} // namespace

SmsAccount ServerSmsAccounts::makeAccount(SqlStore& tables, const QString& office) {
    createTable(tables);
    return tables.transact([&] {
        tables.execute(QStringLiteral("DELETE FROM sms_account WHERE office=?"), {office});
        // The record keeps ten places for the user and the password.
        QString user = office.size() <= 10 ? office : randomText(10);
        while (tables.scalar(QStringLiteral("SELECT COUNT(*) FROM sms_account WHERE user_id=?"), {user}, 0)
                   .toInt() > 0)
            user = randomText(10);
        const SmsAccount account{user, randomText(10)};
        tables.execute(
            QStringLiteral("INSERT INTO sms_account(user_id, password_hash, office) VALUES(?, ?, ?)"),
            {account.user, PasswordHash::make(account.password), office});
        return account;
    });
}

} // namespace teran
