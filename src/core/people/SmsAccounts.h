#pragma once

#include "SmsRecord.h"
#include "core/session/SmsAccount.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace teran {

class SqlStore;
struct StoreUrl;

// The gateway's book of who may send and what a message costs: it finds the office of an
// account and charges each message it accepts.
class SmsAccounts {
public:
    virtual ~SmsAccounts() = default;
    // The office of the account when its password fits.
    virtual std::optional<QString> officeOf(const QString& user, const QString& password) = 0;
    // Charges one message to the office; false (nothing charged) when its balance is short.
    virtual bool charge(const QString& office, const QString& user, const SmsRecordFields& message) = 0;
};

// Makes a book for one of the gateway's worker threads, each with its own database connection
// (named `connectionName`), made and used on that thread only.
using SmsBookMaker = std::function<std::unique_ptr<SmsAccounts>(const QString& connectionName)>;

// One account that sends for free: the embedded demo's gateway.
class OneSmsAccount final : public SmsAccounts {
public:
    explicit OneSmsAccount(SmsAccount account)
        : m_account(std::move(account)) {}
    std::optional<QString> officeOf(const QString& user, const QString& password) override;
    bool charge(const QString&, const QString&, const SmsRecordFields&) override { return true; }

private:
    SmsAccount m_account;
};

// The accounts of the offices on the vendor's server (`sms_account`: user, salted password hash,
// office), each message charged to the office's cash ledger (`mem_cash`) in the transaction that
// accepts it, and refused when the balance is short of its price. The gateway connects to the
// server with its own account; offices never write the ledger.
class ServerSmsAccounts final : public SmsAccounts {
public:
    explicit ServerSmsAccounts(SqlStore& tables);
    // Over a connection of its own.
    explicit ServerSmsAccounts(std::unique_ptr<SqlStore> tables);
    ~ServerSmsAccounts() override;
    // Books on the tables at `url`, one connection each (the gateway's own account).
    static SmsBookMaker books(const StoreUrl& url);
    std::optional<QString> officeOf(const QString& user, const QString& password) override;
    bool charge(const QString& office, const QString& user, const SmsRecordFields& message) override;

    // The table, when missing: made by the vendor's administrator (teran-admin init-server).
    static void createTable(SqlStore& tables);
    // The tables the gateway works on that it cannot see (the gateway's account makes none);
    // empty when all are there.
    static QStringList missingTables(SqlStore& tables);
    // A new account for an office (its id when that fits the record's ten places), replacing
    // the office's old one; the password is made here and shown once.
    static SmsAccount makeAccount(SqlStore& tables, const QString& office);

private:
    std::unique_ptr<SqlStore> m_own;
    SqlStore& m_tables;
};

} // namespace teran
