#include "SecuredScratch.h"
#include "TestOffice.h"
#include "online/SecuredServer.h"
#include "session/LoginService.h"
#include "session/PasswordHash.h"
#include "session/SessionLoader.h"

using namespace teran;
using namespace teran::test;

namespace {

// An office whose vendor server takes an account per member: teran.ini names the server without
// an account, and the program connects as the member who logs in.
class SecuredServerLogin : public testing::Test {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        office = TestOffice::make(Backend::Sqlite);
        TERAN_REQUIRE_SERVICE(office != nullptr, "the loopback HTTP server");
        id = server->addOffice(QStringLiteral("pw'1"));
        StoreUrl url = server->adminUrl();
        url.user.clear();
        url.password.clear();
        office->config.serverUrl = url.toString();
        office->config.serverUser.clear();
        office->config.serverPassword.clear();
        ini = std::make_unique<LoginIni>(office->loginIniPath());
    }

    LoginResult logIn(Session& session, const QString& password) {
        session.CreateDbObjects();
        EXPECT_TRUE(session.MdbsqlConnOpen());
        LoginResult result = LoginService(session, *ini).login({id, password, false, false});
        if (result.succeeded()) {
            EXPECT_EQ(SessionLoader(session).load(), LoadOutcome::Loaded);
        }
        return result;
    }

    std::unique_ptr<SecuredScratchServer> server;
    std::unique_ptr<TestOffice> office;
    std::unique_ptr<LoginIni> ini;
    QString id;
};

TERAN_SUITE_NEEDS(SecuredServerLogin, mariadb, web);

TEST_F(SecuredServerLogin, TheServerChecksThePasswordOnEveryDayAndTheDeskKeepsOnlyAHash) {
    {
        auto first = office->newSession();
        EXPECT_TRUE(first->serverTakesMembers());
        EXPECT_EQ(logIn(*first, QStringLiteral("wrong")).status, LoginTexts::notMember());
        EXPECT_EQ(office->endedWith, -1) << "a refused account is no reason to end the program";
        const LoginResult result = logIn(*first, QStringLiteral("pw'1"));
        ASSERT_EQ(result.outcome, LoginOutcome::Online) << result.status.toStdString();
        EXPECT_EQ(first->state().OfficeMainId, id);
        // The day's report wrote the office's own row through the view it may write.
        first->InternetCheck();
    }
    const QString hash =
        office->localValue(QStringLiteral("SELECT memPWD FROM members WHERE memID=?"), {id}).toString();
    EXPECT_TRUE(PasswordHash::isHash(hash));
    EXPECT_TRUE(PasswordHash::matches(hash, QStringLiteral("pw'1")));
    EXPECT_EQ(
        server->data().scalar(QStringLiteral("SELECT memPWD FROM members WHERE memID=?"), {id}).toString(),
        QString());

    // The next morning the known account is online again, and a password the server no longer
    // takes is refused although the desk's hash still fits it.
    office->clock.advanceDays(1);
    {
        auto again = office->newSession();
        EXPECT_EQ(logIn(*again, QStringLiteral("pw'1")).outcome, LoginOutcome::Online);
    }
    SqlStore vendor(QStringLiteral("member-login-vendor"));
    vendor.open(server->adminUrl());
    SecuredServer(vendor, server->adminUrl().database).setAccount(id, QStringLiteral("new-pw"));
    {
        auto changed = office->newSession();
        EXPECT_EQ(logIn(*changed, QStringLiteral("pw'1")).outcome, LoginOutcome::NotMember);
        EXPECT_EQ(logIn(*changed, QStringLiteral("new-pw")).outcome, LoginOutcome::Online);
    }

    // Without the server the desk's hash lets the known account work offline.
    office->goOffline();
    auto offline = office->newSession();
    EXPECT_EQ(logIn(*offline, QStringLiteral("new-pw")).outcome, LoginOutcome::Offline);
    EXPECT_FALSE(offline->serverOpen());
}

} // namespace
