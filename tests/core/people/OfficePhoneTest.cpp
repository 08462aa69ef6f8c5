#include "core/people/OfficePhone.h"
#include "SecuredScratch.h"
#include "TestOffice.h"
#include "core/store/StoreError.h"

#include <gtest/gtest.h>

namespace teran {
namespace {

using test::Backend;
using test::Desk;
using test::TestOffice;

class OfficePhoneTest : public testing::TestWithParam<Backend> {};

TERAN_SUITE_NEEDS(OfficePhoneSecuredTest, mariadb);

// An office whose account has no phone is asked for it once: the number typed into its first
// answer or SMS stays on its row, on the server and in its mirror; a number already there is
// never replaced by what is typed, nor is one that is not a phone number kept.
TEST_P(OfficePhoneTest, TheFirstNumberTypedWhereItWasMissingIsKept) {
    auto office = TestOffice::make(GetParam(), Desk::Office);
    TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    Session& session = office->session();
    const QString id = office->officeId();
    office->server().execute(QStringLiteral("UPDATE members SET homtel='' WHERE memID=?"), {id});
    // The mirror of the account, as a login online leaves it.
    office->local().execute(QStringLiteral("DELETE FROM members WHERE memID=?"), {id});
    office->local().execute(
        QStringLiteral("INSERT INTO members(companyID, memID, memType, homtel) VALUES(?, ?, 'A', '')"),
        {id, id});
    session.state().AuthConfig.phone.clear();
    const auto phones = [&] {
        return QStringList{
            office->serverValue(QStringLiteral("SELECT homtel FROM members WHERE memID=?"), {id}).toString(),
            office->localValue(QStringLiteral("SELECT homtel FROM members WHERE memID=?"), {id}).toString(),
            session.state().AuthConfig.phone};
    };

    EXPECT_FALSE(keepOfficePhone(session, QStringLiteral("555-12")));
    EXPECT_FALSE(keepOfficePhone(session, QStringLiteral("   ")));
    EXPECT_EQ(phones(), QStringList({QString(), QString(), QString()}));

    EXPECT_TRUE(keepOfficePhone(session, QStringLiteral(" 02-555-1234 ")));
    EXPECT_EQ(phones(), QStringList(3, QStringLiteral("02-555-1234")));

    EXPECT_FALSE(keepOfficePhone(session, QStringLiteral("010-7777-8888"))) << "typed for one message only";
    EXPECT_EQ(phones(), QStringList(3, QStringLiteral("02-555-1234")));
}

INSTANTIATE_TEST_SUITE_P(Backends, OfficePhoneTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         test::backendName);

// On the vendor's server with an account per member an office may set its own phone, and nothing
// else of its row's details, and nobody else's.
TEST(OfficePhoneSecuredTest, AnOfficeSetsItsOwnPhoneOnly) {
    auto server = test::SecuredScratchServer::make();
    TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
    const QString a = server->addOffice(QStringLiteral("pw-a"));
    const QString b = server->addOffice(QStringLiteral("pw-b"));
    auto asA = server->connectAs(a, QStringLiteral("pw-a"));
    EXPECT_EQ(asA->execute(QStringLiteral("UPDATE my_member SET homtel=? WHERE memID=?"),
                           {QStringLiteral("02-555-1234"), a}),
              1);
    EXPECT_EQ(asA->execute(QStringLiteral("UPDATE my_member SET homtel=? WHERE memID=?"),
                           {QStringLiteral("02-000-0000"), b}),
              0);
    EXPECT_THROW(asA->execute(QStringLiteral("UPDATE my_member SET shopnum='x' WHERE memID=?"), {a}),
                 StoreError);
    EXPECT_EQ(
        server->data().scalar(QStringLiteral("SELECT homtel FROM members WHERE memID=?"), {a}).toString(),
        QStringLiteral("02-555-1234"));
    EXPECT_TRUE(server->data()
                    .scalar(QStringLiteral("SELECT homtel FROM members WHERE memID=?"), {b})
                    .toString()
                    .isEmpty());
}

} // namespace
} // namespace teran
