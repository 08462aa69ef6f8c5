#pragma once

#include "TestServices.h"
#include "core/online/OfficeSetup.h"
#include "core/session/StoreSetup.h"

#include <QStringList>
#include <memory>

namespace teran::test {

// A vendor's server with an account per member on the loopback MariaDB, for one test: the
// offices' database and the tables' database as `teran-admin init-server` makes them, dropped at
// the end with the accounts and the role the test made.
class SecuredScratchServer {
public:
    // nullptr when MariaDB is not running
    static std::unique_ptr<SecuredScratchServer> make(const ServerTextValues& texts = {});
    ~SecuredScratchServer();

    const StoreUrl& adminUrl() const { return m_adminUrl; } // the offices' database, as the vendor
    StoreUrl dataUrl() const;                               // the tables' database, as the vendor
    StoreUrl memberUrl(const QString& id, const QString& password) const;
    SqlStore& data() { return *m_data; } // the tables, as the vendor

    // A new office (its main account) with an id of its own; returns the id.
    QString addOffice(const QString& password, const QString& shopname = QStringLiteral("테스트부동산"));
    // An office whose id, names and password the test chooses.
    void addOffice(const NewOffice& office);
    // An account made another way (by teran-admin), dropped at the end with the others.
    void dropAtEnd(const QString& id) { m_accounts << id; }
    // A connection as a member.
    std::unique_ptr<SqlStore> connectAs(const QString& id, const QString& password) const;

private:
    SecuredScratchServer() = default;
    StoreUrl m_serviceUrl;
    StoreUrl m_adminUrl;
    std::unique_ptr<SqlStore> m_admin;
    std::unique_ptr<SqlStore> m_data;
    QStringList m_accounts;
};

// A member id no other test of this run takes.
QString uniqueAccountName(const QString& prefix);

} // namespace teran::test
