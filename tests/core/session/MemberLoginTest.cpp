#include "GreetingServer.h"
#include "SecuredScratch.h"
#include "TestCertificates.h"
#include "TestOffice.h"
#include "core/online/SecuredServer.h"
#include "core/people/StaffAccounts.h"
#include "core/session/LoginService.h"
#include "core/session/SessionLoader.h"
#include "core/store/PasswordHash.h"
#include "core/store/TlsTrust.h"

#include <QScopeGuard>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

// An office whose vendor server takes an account per member: teran.ini names the server without
// an account and its authority apart, and the program connects as the member who logs in.
class SecuredServerLogin : public testing::Test {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        office = TestOffice::make(Backend::Sqlite);
        TERAN_REQUIRE_SERVICE(office != nullptr, "the loopback HTTP server");
        id = server->addOffice(QStringLiteral("pw'1"));
        url = server->adminUrl();
        url.user.clear();
        url.password.clear();
        office->config.serverCa = url.caFile;
        url.caFile.clear();
        office->config.serverUrl = url.toString();
        office->config.serverUser.clear();
        office->config.serverPassword.clear();
        ini = std::make_unique<LoginIni>(office->loginIniPath());
    }

    LoginResult logIn(Session& session, const QString& password, const QString& who = {}) {
        session.CreateDbObjects();
        EXPECT_TRUE(session.MdbsqlConnOpen());
        LoginResult result =
            LoginService(session, *ini).login({who.isEmpty() ? id : who, password, false, false});
        if (result.succeeded()) {
            EXPECT_EQ(SessionLoader(session).load(), LoadOutcome::Loaded);
        }
        return result;
    }

    std::unique_ptr<SecuredScratchServer> server;
    std::unique_ptr<TestOffice> office;
    std::unique_ptr<LoginIni> ini;
    StoreUrl url;
    QString id;
};

TERAN_SUITE_NEEDS(SecuredServerLogin, mariadb, web);

// The server checks the password every day (a wrong one, an unknown account, a password it no
// longer takes), the desk keeps only a hash, and a server whose certificate does not verify leaves
// the known account offline, told why once, instead of a silent offline day.
TEST_F(SecuredServerLogin, TheServerChecksThePasswordOnEveryDayAndTheDeskKeepsOnlyAHash) {
    {
        auto first = office->newSession();
        EXPECT_TRUE(first->serverTakesMembers());
        EXPECT_EQ(logIn(*first, QStringLiteral("wrong")).status, LoginTexts::notMember());
        EXPECT_EQ(logIn(*first, QStringLiteral("x"), QStringLiteral("nosuchmember")).status,
                  LoginTexts::notMember());
        EXPECT_EQ(office->endedWith, -1) << "a refused account is no reason to end the program";
        const LoginResult result = logIn(*first, QStringLiteral("pw'1"));
        ASSERT_EQ(result.outcome, LoginOutcome::Online) << result.status.toStdString();
        EXPECT_TRUE(result.notice.isEmpty());
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

    QTemporaryDir elsewhere;
    StoreUrl stranger = url;
    stranger.caFile = makeTestCertificate(elsewhere.path()).caFile;
    office->config.serverUrl = stranger.toString();
    {
        auto refused = office->newSession();
        const LoginResult result = logIn(*refused, QStringLiteral("new-pw"));
        EXPECT_EQ(result.outcome, LoginOutcome::Offline);
        EXPECT_TRUE(TlsTrust::isRefusal(result.notice)) << result.notice.toStdString();
        EXPECT_FALSE(refused->serverOpen());
        EXPECT_EQ(office->endedWith, -1) << "a refused server is no reason to end the program";
    }

    // Without the server the desk's hash lets the known account work offline.
    office->goOffline();
    auto offline = office->newSession();
    EXPECT_EQ(logIn(*offline, QStringLiteral("new-pw")).outcome, LoginOutcome::Offline);
    EXPECT_FALSE(offline->serverOpen());
}

// A server whose certificate has expired: the login names the day it ended instead of a silent
// offline day, the known account works offline, and nothing but the request for TLS went to it.
TEST_F(SecuredServerLogin, AnExpiredCertificateIsToldAtLoginWithTheDayItEnded) {
    {
        auto first = office->newSession();
        ASSERT_EQ(logIn(*first, QStringLiteral("pw'1")).outcome, LoginOutcome::Online);
    }
    QTemporaryDir authority;
    const TestCertificate good = makeTestCertificate(authority.path());
    const TestCertificate expired =
        makeTestCertificate(authority.path(), QStringLiteral("expired"), {}, true);
    ASSERT_FALSE(expired.certFile.isEmpty()) << "openssl could not make the test's certificates";
    GreetingServer server(true, expired);
    StoreUrl lapsed = url;
    lapsed.host = QStringLiteral("127.0.0.1");
    lapsed.port = server.port();
    office->config.serverUrl = lapsed.toString();
    office->config.serverCa = good.caFile;

    auto desk = office->newSession();
    const LoginResult result = logIn(*desk, QStringLiteral("pw'1"));
    EXPECT_EQ(result.outcome, LoginOutcome::Offline) << result.status.toStdString();
    EXPECT_TRUE(TlsTrust::isRefusal(result.notice)) << result.notice.toStdString();
    EXPECT_TRUE(result.notice.contains(QStringLiteral("2020년 12월 31일"))) << result.notice.toStdString();
    EXPECT_FALSE(desk->serverOpen());
    EXPECT_EQ(office->endedWith, -1);
    EXPECT_FALSE(server.clearBytes().contains(id.toUtf8()))
        << "the account went to a server that did not verify";
    EXPECT_LE(server.clearBytes().size(), 36);
}

// The office stops a staff account: the server locks it and refuses its connection without a
// word on why, so the desk tells it from the office's copy of its accounts.
TEST_F(SecuredServerLogin, ALockedStaffAccountIsToldItIsStopped) {
    const QString staffId = uniqueAccountName(QStringLiteral("st"));
    const auto dropStaff = qScopeGuard([&] {
        SqlStore vendor(QStringLiteral("member-login-staff"));
        vendor.open(server->adminUrl());
        SecuredServer(vendor, server->adminUrl().database).dropAccount(staffId);
    });
    auto main = office->newSession();
    ASSERT_EQ(logIn(*main, QStringLiteral("pw'1")).outcome, LoginOutcome::Online);
    StaffForm form;
    form.id = staffId;
    form.password = QStringLiteral("staff-pw");
    form.name = QStringLiteral("이지은");
    form.residentNumber = QStringLiteral("880101-1234568");
    form.addr1 = QStringLiteral("서울");
    const StaffSave saved = StaffAccounts(*main).save(form, true);
    ASSERT_TRUE(saved.saved) << saved.message.toStdString();
    const auto staffLogIn = [&](const QString& password) {
        auto desk = office->newSession();
        return logIn(*desk, password, staffId);
    };
    ASSERT_EQ(staffLogIn(QStringLiteral("staff-pw")).outcome, LoginOutcome::Online);

    StaffAccounts(*main).setDisabled(staffId, true);
    const LoginResult stopped = staffLogIn(QStringLiteral("staff-pw"));
    EXPECT_EQ(stopped.outcome, LoginOutcome::Stopped);
    EXPECT_EQ(stopped.status, QStringLiteral("사용이 중지된 계정입니다. 사무소에 문의하세요."));
    // A wrong password is not taken for a server that is away: the server's refusal of a locked
    // account is known for one.
    EXPECT_EQ(staffLogIn(QStringLiteral("wrong")).status, LoginTexts::notMember());

    StaffAccounts(*main).setDisabled(staffId, false);
    EXPECT_EQ(staffLogIn(QStringLiteral("staff-pw")).outcome, LoginOutcome::Online);
}

} // namespace
