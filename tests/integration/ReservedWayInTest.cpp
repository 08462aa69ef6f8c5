// The vendor's way into its own server when the offices hold every connection the server has:
// the administrator's reserved connection beyond max_connections, and the port of its own that
// the vendor's firewall keeps from the internet.
#include "AdminRun.h"
#include "SecondMariaDb.h"
#include "TestNeeds.h"
#include "core/online/SecuredServer.h"
#include "core/session/StoreErrorText.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <gtest/gtest.h>
#include <vector>

using namespace teran;
using namespace teran::test;

namespace {

TERAN_SUITE_NEEDS(ReservedWayIn, mariadb);

TEST(ReservedWayIn, TheVendorGetsInWhileTheOfficesHoldEveryConnection) {
    QString why;
    auto second = SecondMariaDb::start(why);
    ASSERT_NE(second, nullptr) << why.toStdString();
    const StoreUrl vendorUrl = second->adminUrl(QStringLiteral("teran"));
    const AdminRun made =
        admin({QStringLiteral("init-server"), QStringLiteral("--server"), vendorUrl.toString()});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    const QStringList offices{QStringLiteral("fulla"), QStringLiteral("fullb"), QStringLiteral("fullc")};
    for (const QString& id : offices) {
        const AdminRun added =
            admin({QStringLiteral("add-office"), QStringLiteral("--server"), vendorUrl.toString(),
                   QStringLiteral("--id"), id, QStringLiteral("--password"), QStringLiteral("pw-") + id,
                   QStringLiteral("--name"), QStringLiteral("대표"), QStringLiteral("--shop"),
                   id + QStringLiteral("부동산")});
        ASSERT_EQ(added.exitCode, 0) << added.errors.toStdString();
    }
    const auto memberUrl = [&](const QString& id) {
        StoreUrl url = vendorUrl;
        url.user = id;
        url.password = QStringLiteral("pw-") + id;
        return url;
    };

    SqlStore vendor(uniqueName(QStringLiteral("reserved-vendor")));
    vendor.open(vendorUrl);
    // The smallest the server takes: two offices at their limits fill it.
    vendor.execute(QStringLiteral("SET GLOBAL max_connections = 10"));
    std::vector<std::unique_ptr<SqlStore>> held;
    QString full;
    for (int i = 0; i < 2 * kMemberConnections && full.isEmpty(); ++i) {
        auto desk = std::make_unique<SqlStore>(uniqueName(QStringLiteral("reserved-desk")));
        try {
            desk->open(memberUrl(offices.at(i % 2)));
            held.push_back(std::move(desk));
        } catch (const StoreError& error) {
            full = error.description();
        }
    }
    ASSERT_TRUE(full.contains(QStringLiteral("Too many connections"))) << full.toStdString();
    SqlStore refused(uniqueName(QStringLiteral("reserved-refused")));
    try {
        refused.open(memberUrl(offices.at(2)));
        ADD_FAILURE() << "a third office got in beyond max_connections";
    } catch (const StoreError& error) {
        EXPECT_EQ(classifyStoreError(error), StoreFault::Busy) << error.description().toStdString();
    }

    // The administrator's connection beyond max_connections, then its own port.
    SqlStore reserved(uniqueName(QStringLiteral("reserved-super")));
    EXPECT_NO_THROW(reserved.open(vendorUrl));
    StoreUrl extraUrl = vendorUrl;
    extraUrl.port = second->extraPort();
    std::vector<std::unique_ptr<SqlStore>> vendorTools;
    for (int i = 0; i < 2; ++i) {
        vendorTools.push_back(std::make_unique<SqlStore>(uniqueName(QStringLiteral("reserved-extra"))));
        ASSERT_NO_THROW(vendorTools.back()->open(extraUrl));
        EXPECT_EQ(vendorTools.back()->scalar(QStringLiteral("SELECT COUNT(*) FROM members")).toInt(),
                  offices.size());
    }
    // The vendor sees who holds the server and can let the others in.
    EXPECT_GE(vendorTools.front()
                  ->scalar(QStringLiteral(
                               "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE USER IN (?, ?)"),
                           {offices.at(0), offices.at(1)})
                  .toInt(),
              int(held.size()));
    held.clear();
    SqlStore afterwards(uniqueName(QStringLiteral("reserved-after")));
    EXPECT_NO_THROW(afterwards.open(memberUrl(offices.at(2))));
}

} // namespace
