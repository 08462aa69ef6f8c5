#pragma once

#include "SecuredScratch.h"
#include "core/session/StoreSetup.h"
#include "core/store/SqlStore.h"

#include <gtest/gtest.h>

namespace teran::test {

// Two offices, a and b, on the vendor's server: on the embedded server both work on the same
// store; on MariaDB with an account per member each connects as itself and the server's routines
// decide.
class TwoOfficesTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Sqlite) {
            embedded = ScratchStore::sqlite();
            initServerStore(embedded->store(), {});
            a = QStringLiteral("offa");
            b = QStringLiteral("offb");
            for (const QString& id : {a, b})
                embedded->store().execute(
                    QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, shopname) "
                                   "VALUES(?, ?, 'A', 'pw', ?)"),
                    {id, id, id + QStringLiteral(" 부동산")});
            return;
        }
        secured = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(secured != nullptr, "MariaDB");
        a = secured->addOffice(QStringLiteral("pw-a"));
        b = secured->addOffice(QStringLiteral("pw-b"));
        asA = secured->connectAs(a, QStringLiteral("pw-a"));
        asB = secured->connectAs(b, QStringLiteral("pw-b"));
    }
    // The store the office `id` works on.
    SqlStore& as(const QString& id) { return embedded ? embedded->store() : id == a ? *asA : *asB; }
    // The tables, as the vendor sees them.
    SqlStore& vendor() { return embedded ? embedded->store() : secured->data(); }

    std::unique_ptr<ScratchStore> embedded;
    std::unique_ptr<SecuredScratchServer> secured;
    std::unique_ptr<SqlStore> asA, asB;
    QString a, b;
};

} // namespace teran::test
