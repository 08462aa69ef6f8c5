#pragma once

#include "SmsRecord.h"
#include "session/SmsAccount.h"

#include <QString>
#include <optional>

namespace teran {

class SqlStore;

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

// One account that sends for free: the demo's gateway and the tests' loopback one.
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
    explicit ServerSmsAccounts(SqlStore& tables)
        : m_tables(tables) {}
    std::optional<QString> officeOf(const QString& user, const QString& password) override;
    bool charge(const QString& office, const QString& user, const SmsRecordFields& message) override;

    // The table, when missing.
    static void createTable(SqlStore& tables);
    // A new account for an office (its id when that fits the record's ten places), replacing
    // the office's old one; the password is made here and shown once.
    static SmsAccount makeAccount(SqlStore& tables, const QString& office);

private:
    SqlStore& m_tables;
};

} // namespace teran
