#include "SecuredScratch.h"

#include "core/online/OfficeSetup.h"
#include "core/online/SecuredServer.h"
#include "core/store/SqlStore.h"

#include <QCoreApplication>
#include <atomic>

namespace teran::test {

QString uniqueAccountName(const QString& prefix) {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1%2x%3")
        .arg(prefix)
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetch_add(1));
}

std::unique_ptr<SecuredScratchServer> SecuredScratchServer::make(const ServerTextValues& texts) {
    const auto service = mariaDbService();
    if (!service)
        return nullptr;
    std::unique_ptr<SecuredScratchServer> made(new SecuredScratchServer);
    made->m_serviceUrl = *service;
    made->m_adminUrl = *service;
    made->m_adminUrl.database = uniqueName(QStringLiteral("teran_s"));
    {
        SqlStore maker(uniqueName(QStringLiteral("admin")));
        maker.open(*service);
        maker.execute(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci")
                          .arg(made->m_adminUrl.database));
    }
    prepareSecuredServer(made->m_adminUrl, texts);
    made->m_admin = std::make_unique<SqlStore>(uniqueName(QStringLiteral("vendor")));
    made->m_admin->open(made->m_adminUrl);
    made->m_data = std::make_unique<SqlStore>(uniqueName(QStringLiteral("vendor-data")));
    made->m_data->open(made->dataUrl());
    return made;
}

SecuredScratchServer::~SecuredScratchServer() {
    if (!m_admin)
        return;
    try {
        SecuredServer server(*m_admin, m_adminUrl.database);
        for (const QString& id : std::as_const(m_accounts))
            server.dropAccount(id);
        m_admin->execute(
            QStringLiteral("DROP ROLE IF EXISTS `%1`").arg(SecuredServer::roleOf(m_adminUrl.database)));
        m_data.reset();
        m_admin->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_adminUrl.database));
        m_admin->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`")
                             .arg(SecuredServer::dataDatabaseOf(m_adminUrl.database)));
    } catch (const StoreError&) {
        // Left behind on the test server, whose folder is temporary.
    }
}

StoreUrl SecuredScratchServer::dataUrl() const {
    StoreUrl url = m_adminUrl;
    url.database = SecuredServer::dataDatabaseOf(m_adminUrl.database);
    return url;
}

StoreUrl SecuredScratchServer::memberUrl(const QString& id, const QString& password) const {
    StoreUrl url = m_adminUrl;
    url.user = id;
    url.password = password;
    return url;
}

QString SecuredScratchServer::addOffice(const QString& password, const QString& shopname) {
    const QString id = uniqueAccountName(QStringLiteral("of"));
    addOffice(NewOffice{id, password, QStringLiteral("대표 ") + id, shopname});
    return id;
}

void SecuredScratchServer::addOffice(const NewOffice& office) {
    addSecuredOffice(*m_admin, *m_data, m_adminUrl.database, office);
    m_accounts << office.id;
}

std::unique_ptr<SqlStore> SecuredScratchServer::connectAs(const QString& id, const QString& password) const {
    auto store = std::make_unique<SqlStore>(uniqueName(QStringLiteral("member")));
    store->open(memberUrl(id, password));
    return store;
}

} // namespace teran::test
