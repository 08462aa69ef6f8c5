#pragma once

#include "core/online/OfficeSetup.h"
#include "core/session/StoreSetup.h"
#include "core/store/StoreUrl.h"

#include <QString>

namespace teran {

class SqlStore;

// The limits of every member account: connections at a time, and seconds a statement may run.
inline constexpr int kMemberConnections = 8;
inline constexpr int kMemberStatementSeconds = 10;
// Connections at a time of one office, all its members together.
inline constexpr int kOfficeConnections = 24;
// How long an office's lock may hold another office's statement before the server ends it.
inline constexpr int kHeldLockMs = 500;
// How long a member's transaction may stay open without a statement before the server ends it.
inline constexpr int kIdleTransactionSeconds = 20;

// The vendor's server on MariaDB as offices that do not trust each other share it. Every member
// (an office's main account and each of its staff) is a MariaDB account of its own; an office
// connects as the member who logs in. The tables live in a database of their own (the office
// database's name with "_data") that no office can reach; the database the offices connect to
// holds, under the tables' names, views filtered by the connected member, so the program's SQL
// stays as it is on the demo's SQLite server:
//   - the shared listings of every office, the club listings of the clubs where the office is a
//     full member and that share the type, and the office's own rows of every table;
//   - other offices' accounts only by their public columns (no password, no resident number);
//   - only the office's own inquiry box and cash ledger.
// Triggers refuse a write to another office's rows; staff and club changes go through
// procedures that check the caller. A role carries the grants.
class SecuredServer {
public:
    // `admin` is connected with the right to make databases, accounts and grants; `officeDatabase`
    // is the database the offices connect to.
    SecuredServer(SqlStore& admin, QString officeDatabase);

    static QString dataDatabaseOf(const QString& officeDatabase);
    static QString roleOf(const QString& officeDatabase);
    // The SMS gateway's own account (see setGatewayAccount).
    static QString gatewayAccountOf(const QString& officeDatabase);

    // The tables' database, made when missing (empty).
    void makeDataDatabase();
    // Views, the caller function, triggers, procedures, the role and its grants; safe to repeat
    // (after an upgrade of the tables it brings new columns into the views).
    void secure();
    // True when the office database still holds the tables themselves (a server from before the
    // accounts): migrate() moves them.
    bool holdsTables() const;
    // Moves the tables of a server from before the accounts into the tables' database.
    void moveTables();
    // An account per member of the tables that has a password kept in clear, from that password;
    // then the clear passwords are emptied. Returns how many accounts were made.
    int accountsFromKeptPasswords();

    // Makes (or gives a new password to) the MariaDB account of a member, with the office role.
    void setAccount(const QString& memberId, const QString& password);
    // Whether the account can log in; a locked account keeps its rows.
    void lockAccount(const QString& memberId, bool locked);
    void dropAccount(const QString& memberId);
    // The SMS gateway's own account (`<office database>_smsd`): it reads the offices' gateway
    // accounts (`sms_account`, which must exist) and reads and writes their cash ledger, nothing
    // else. Returns the account's name.
    QString setGatewayAccount(const QString& password);

private:
    QString office() const; // quoted names
    QString data() const;
    QString role() const;
    void makeAccount(const QString& account, const QString& password, const QString& options);
    void limitMemberAccounts();
    void endHeldLocks();
    void endEverySecond(const QString& event, const QString& selected,
                        const QString& what = QStringLiteral("CONNECTION"));
    void createMemberOffices();
    void createFunctions();
    void createViews();
    void createTriggers();
    void createProcedures();
    void grantRole();

    SqlStore& m_admin;
    QString m_officeDatabase;
};

// A member id that can name a MariaDB account: letters, digits and "_", 3 to 20 of them.
bool isAccountName(const QString& memberId);

// `teran-admin init-server` on MariaDB: the tables' database with its schema, texts and
// reference tables, then the offices' database with its views (see SecuredServer). The URL names
// the offices' database and an administrator. Throws StoreError.
ReferenceFillReport prepareSecuredServer(const StoreUrl& adminUrl, const ServerTextValues& texts);

// `teran-admin add-office` on such a server: the office's main account row in the tables (no
// password kept there) and its MariaDB account. `admin` is connected to the offices' database,
// `tables` to the tables'. Throws StoreError, also when the id is taken or cannot name an account.
void addSecuredOffice(SqlStore& admin, SqlStore& tables, const QString& officeDatabase,
                      const NewOffice& office);

} // namespace teran
