#include "TestOffice.h"
#include "core/people/StaffAccounts.h"
#include "core/session/LoginService.h"
#include "core/session/ServerNotices.h"
#include "core/session/SessionLoader.h"
#include "core/store/PasswordHash.h"

#include <QFile>
#include <QUrl>

using namespace teran;
using namespace teran::test;

namespace {

class LoginTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB and the loopback HTTP server");
        ini = std::make_unique<LoginIni>(office->loginIniPath());
    }

    // A start of the program up to a finished login and session load.
    LoginResult logIn(Session& session, const char* id, const char* password, bool saveId = false,
                      bool savePassword = false) {
        session.CreateDbObjects();
        EXPECT_TRUE(session.MdbsqlConnOpen());
        LoginResult result =
            LoginService(session, *ini)
                .login({QString::fromUtf8(id), QString::fromUtf8(password), saveId, savePassword});
        if (result.succeeded()) {
            EXPECT_EQ(SessionLoader(session).load(), LoadOutcome::Loaded);
        }
        return result;
    }
    // An earlier start of the program at this desk, ended after its login.
    LoginOutcome dayBefore(const char* id, const char* password) {
        auto first = office->newSession();
        return logIn(*first, id, password).outcome;
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<LoginIni> ini;
};

} // namespace

TEST_P(LoginTest, AStaffLoginOnTheServerFillsTheSessionAndMirrorsTheOffice) {
    auto session = office->newSession();
    const LoginResult result = logIn(*session, "  st1 ", "pw2", true, false);
    ASSERT_EQ(result.outcome, LoginOutcome::Online);
    const SessionState& state = session->state();
    EXPECT_EQ(state.LoginId, QStringLiteral("st1"));
    EXPECT_EQ(state.OfficeMainId, QStringLiteral("off1"));
    EXPECT_EQ(state.OnlineMode, QStringLiteral("yes"));
    EXPECT_EQ(state.FtpPassword, QStringLiteral("ftp-pw"));
    EXPECT_EQ(ini->read().id, QStringLiteral("st1"));
    EXPECT_TRUE(ini->read().password.isEmpty()) << "the password box was not ticked";

    // The office's accounts are now in the office database, the office first in the staff list.
    EXPECT_EQ(
        office->localValue(QStringLiteral("SELECT COUNT(*) FROM members WHERE companyID='off1'")).toInt(), 3);
    ASSERT_EQ(state.Staff.size(), 3);
    EXPECT_EQ(state.Staff.at(0).id, QStringLiteral("off1"));
    EXPECT_EQ(state.Staff.at(0).name, QStringLiteral("김대표"));
    EXPECT_EQ(state.Staff.at(1).id, QStringLiteral("st1"));

    // Office details come from the logged-in account's row.
    EXPECT_EQ(state.AuthConfig.name, QStringLiteral("테란공인중개사"));
    EXPECT_EQ(state.AuthConfig.representative, QStringLiteral("이실장"));
    EXPECT_EQ(state.FontSizeSet, 10);
    EXPECT_EQ(
        office->localValue(QStringLiteral("SELECT set1 FROM mem_seting WHERE seting='fontsize'")).toString(),
        QStringLiteral("10"));
}

TEST_P(LoginTest, AMirroredAccountLogsInTheNextDayWithoutTheServer) {
    const auto keptHash = [this](const char* id) {
        return office
            ->localValue(QStringLiteral("SELECT memPWD FROM members WHERE memID=?"),
                         {QString::fromLatin1(id)})
            .toString();
    };
    ASSERT_EQ(dayBefore("st2", "pw3"), LoginOutcome::Online);
    // A hash is derived for the account that logged in only, and kept while it fits: a second
    // login finds the same salted hash.
    const QString hash = keptHash("st2");
    EXPECT_TRUE(PasswordHash::matches(hash, QStringLiteral("pw3")));
    EXPECT_EQ(keptHash("st1"), QString()) << "st1 never logged in at this desk";
    ASSERT_EQ(dayBefore("st2", "pw3"), LoginOutcome::Online);
    EXPECT_EQ(keptHash("st2"), hash);
    office->goOffline();
    office->clock.advanceDays(1);
    auto next = office->newSession();
    EXPECT_EQ(logIn(*next, "st2", "wrong").status, QStringLiteral("비밀번호가 틀립니다."));
    const LoginResult result = logIn(*next, "st2", "pw3");
    EXPECT_EQ(result.outcome, LoginOutcome::Offline);
    EXPECT_EQ(next->state().OnlineMode, QStringLiteral("offline"));
    EXPECT_EQ(next->state().OfficeMainId, QStringLiteral("off1"));
    EXPECT_FALSE(next->serverOpen()) << "the server is never contacted for a mirrored account";
    EXPECT_FALSE(next->state().InternetOk);
    EXPECT_EQ(next->state().AuthConfig.representative, QStringLiteral("박과장"));
    EXPECT_EQ(next->state().Staff.size(), 3);
    auto other = office->newSession();
    EXPECT_EQ(logIn(*other, "st1", "pw2").outcome, LoginOutcome::NoServer)
        << "without a hash here, st1 needs the server";
}

TEST_P(LoginTest, ServerRefusalsSayWhy) {
    office->addMember(QStringLiteral("lost"), QStringLiteral("orphan"), QStringLiteral("B"),
                      QStringLiteral("pw"), QStringLiteral("소속없음"));
    auto session = office->newSession();
    EXPECT_EQ(logIn(*session, "nobody", "pw").status, QStringLiteral("등록된 회원이 아닙니다."));
    EXPECT_EQ(logIn(*session, "st1", "not-pw2").status, QStringLiteral("등록된 회원이 아닙니다."));
    EXPECT_EQ(logIn(*session, "", "").status, QStringLiteral("등록된 회원이 아닙니다."));
    const LoginResult orphan = logIn(*session, "orphan", "pw");
    EXPECT_EQ(orphan.outcome, LoginOutcome::NotServerMember);
    EXPECT_EQ(orphan.status, QStringLiteral("등록된 서버 회원이 아닙니다."));
    EXPECT_FALSE(ini->exists()) << "nothing is saved for a refused login";
    // The office's own account logs in on the server as well as its staff do.
    EXPECT_EQ(logIn(*session, "off1", "pw1", true, true).outcome, LoginOutcome::Online);
    EXPECT_EQ(ini->read().password, QStringLiteral("pw1"));

    office->goOffline();
    auto offline = office->newSession();
    EXPECT_EQ(logIn(*offline, "nobody", "pw").status,
              QStringLiteral("서버에 연결할 수 없어 회원을 확인할 수 없습니다."));
}

// The office database must hold this office's listings only.
TEST_P(LoginTest, AnotherOfficesDatabaseEndsTheProgram) {
    auto session = office->newSession();
    session->CreateDbObjects();
    ASSERT_TRUE(session->MdbsqlConnOpen());
    session->listingStore().execute(
        QStringLiteral("INSERT INTO maemul(id, tb, ty, state) VALUES(?,?,?,?)"),
        {QStringLiteral("other-office"), QStringLiteral("apt"), QStringLiteral("M"), 0});
    ASSERT_TRUE(
        LoginService(*session, *ini).login({QStringLiteral("st1"), QStringLiteral("pw2")}).succeeded());
    EXPECT_EQ(SessionLoader(*session).load(), LoadOutcome::ForeignDatabase);
    EXPECT_EQ(office->endedWith, 1);
    EXPECT_TRUE(office->dialogs.lastText().startsWith(QStringLiteral("이실장님과 데이터베이스의 사용자와")));
}

// The mirror follows the server: a changed password, a removed account and the office's new name
// reach the office on the next day the server answers, and the known account is online again.
TEST_P(LoginTest, TheMirrorFollowsTheServersAccounts) {
    ASSERT_EQ(dayBefore("st1", "pw2"), LoginOutcome::Online);
    office->clock.advanceDays(1);
    office->server().execute(QStringLiteral("UPDATE members SET shopname=? WHERE companyID=?"),
                             {QStringLiteral("테란부동산"), QStringLiteral("off1")});
    office->server().execute(QStringLiteral("UPDATE members SET memPWD=? WHERE memID=?"),
                             {QStringLiteral("new'pw"), QStringLiteral("st1")});
    office->server().execute(QStringLiteral("DELETE FROM members WHERE memID=?"), {QStringLiteral("st2")});
    {
        auto second = office->newSession();
        // The server answers, so its word holds over the office's older copy.
        EXPECT_EQ(logIn(*second, "st1", "pw2").status, QStringLiteral("비밀번호가 틀립니다."));
        EXPECT_EQ(logIn(*second, "st2", "pw3").status, QStringLiteral("등록된 회원이 아닙니다."));
        EXPECT_EQ(logIn(*second, "st1", "new'pw").outcome, LoginOutcome::Online);
        EXPECT_TRUE(second->state().InternetOk);
        EXPECT_EQ(second->state().OnlineMode, QStringLiteral("yes"));
        EXPECT_TRUE(second->serverOpen());
        EXPECT_EQ(second->state().FtpPassword, QStringLiteral("ftp-pw"));
        EXPECT_EQ(second->state().AuthConfig.name, QStringLiteral("테란부동산")) << "read from the server";
    }
    EXPECT_EQ(office->localValue(QStringLiteral("SELECT shopname FROM members WHERE memID='st1'")).toString(),
              QStringLiteral("테란부동산"))
        << "and mirrored again";
    // The office keeps a salted hash of the new password, never the password itself.
    const QString kept =
        office->localValue(QStringLiteral("SELECT memPWD FROM members WHERE memID='st1'")).toString();
    EXPECT_TRUE(PasswordHash::isHash(kept)) << kept.toStdString();
    EXPECT_TRUE(PasswordHash::matches(kept, QStringLiteral("new'pw")));
    EXPECT_FALSE(PasswordHash::matches(kept, QStringLiteral("pw2")));
    EXPECT_EQ(office->localValue(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID='st2'")).toInt(),
              0);
    office->goOffline();
    auto third = office->newSession();
    EXPECT_EQ(logIn(*third, "st2", "pw3").outcome, LoginOutcome::NoServer);
    EXPECT_EQ(logIn(*third, "st1", "new'pw").outcome, LoginOutcome::Offline);
}

// A stopped staff account hears why it cannot log in: from the server when the server answers,
// from the office's copy of its accounts when the server cannot say. The others work on.
TEST_P(LoginTest, AStoppedAccountIsToldItIsStopped) {
    const auto stoppedAt = [this](Session& session, const char* id, const char* password) {
        const LoginResult result = logIn(session, id, password);
        EXPECT_EQ(result.outcome, LoginOutcome::Stopped) << id;
        EXPECT_EQ(result.status, QStringLiteral("사용이 중지된 계정입니다. 사무소에 문의하세요.")) << id;
        return result.outcome == LoginOutcome::Stopped;
    };
    const auto localType = [this] {
        return office->localValue(QStringLiteral("SELECT memType FROM members WHERE memID='st1'")).toString();
    };
    ASSERT_EQ(dayBefore("st1", "pw2"), LoginOutcome::Online);
    // Stopped from a desk with a database of its own: this desk still knows the account as it was.
    StaffAccounts(office->server(), false, QStringLiteral("off1")).setDisabled(QStringLiteral("st1"), true);
    {
        auto second = office->newSession();
        EXPECT_TRUE(stoppedAt(*second, "st1", "pw2"));
        EXPECT_NE(second->state().OnlineMode, QStringLiteral("yes"));
        EXPECT_EQ(localType(), QStringLiteral("B"));
    }
    // Started again and stopped by the office at this desk: its copy follows at once.
    auto main = office->newSession();
    ASSERT_EQ(logIn(*main, "off1", "pw1").outcome, LoginOutcome::Online);
    StaffAccounts(*main).setDisabled(QStringLiteral("st1"), false);
    EXPECT_EQ(localType(), QStringLiteral("B"));
    EXPECT_EQ(dayBefore("st1", "pw2"), LoginOutcome::Online);
    StaffAccounts(*main).setDisabled(QStringLiteral("st1"), true);
    EXPECT_EQ(localType(), QStringLiteral("X"));
    {
        auto third = office->newSession();
        EXPECT_TRUE(stoppedAt(*third, "st1", "pw2"));
        EXPECT_EQ(logIn(*third, "st1", "wrong").status, LoginTexts::notMember())
            << "a wrong password is not told more";
    }
    // Without the server the desk's copy refuses it although the kept hash fits.
    office->goOffline();
    auto offline = office->newSession();
    EXPECT_TRUE(stoppedAt(*offline, "st1", "pw2"));
    EXPECT_EQ(logIn(*offline, "off1", "pw1").outcome, LoginOutcome::Offline);
}

// A day that starts without the server goes online when the server comes back, without a restart.
TEST_P(LoginTest, AnOfflineSessionGoesOnlineWhenTheServerReturns) {
    ASSERT_EQ(dayBefore("st1", "pw2"), LoginOutcome::Online);
    office->internetAnswers = false;
    auto session = office->newSession();
    ASSERT_EQ(logIn(*session, "st1", "pw2").outcome, LoginOutcome::Offline);
    EXPECT_EQ(office->endedWith, -1) << "a missing server does not end the day";
    EXPECT_FALSE(LoginService(*session).reconnect()) << "still no server";
    EXPECT_FALSE(session->state().isOnline());

    office->internetAnswers = true;
    office->server().execute(QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name) "
                                            "VALUES('off1','st3','B','pw4','최주임')"));
    ASSERT_TRUE(LoginService(*session).reconnect());
    EXPECT_TRUE(session->state().isOnline());
    EXPECT_TRUE(session->serverOpen());
    EXPECT_EQ(session->state().Staff.size(), 4) << "the staff list follows the server";
    EXPECT_EQ(office->localValue(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID='st3'")).toInt(),
              1);
    EXPECT_FALSE(LoginService(*session).reconnect()) << "an online session has nothing to reconnect";
    EXPECT_EQ(ini->read().id, QString()) << "reconnecting saves no login";
}

// The server answering the probe but refusing the database: a known account works offline and
// the day goes on; an unknown one cannot be checked anywhere.
TEST_P(LoginTest, AServerThatRefusesLeavesAKnownAccountOffline) {
    ASSERT_EQ(dayBefore("st1", "pw2"), LoginOutcome::Online);
    office->config.serverUrl =
        QStringLiteral("mysql://terandbuser:x@127.0.0.1:%1/teran").arg(QUrl(closedPortUrl()).port());
    auto session = office->newSession();
    EXPECT_EQ(logIn(*session, "st1", "pw2").outcome, LoginOutcome::Offline);
    EXPECT_EQ(office->endedWith, -1);
    EXPECT_TRUE(office->dialogs.shown().isEmpty()) << "no fatal box for a known account";
    QFile log(session->log().fileFor(office->clock.today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("서버 연결오류 MysqlConnOpen => ")));
}

TEST_P(LoginTest, UnreadNoticesAnsweredNoAreNotShownAgain) {
    for (int n : {21, 22, 23})
        office->server().execute(
            QStringLiteral("INSERT INTO mem_msg(table_idx, title, content, Type, enable) "
                           "VALUES(?,?,?,?,?)"),
            {n, QStringLiteral("공지 %1").arg(n), QStringLiteral("내용 %1").arg(n), 64,
             n == 23 ? QStringLiteral("1") : QStringLiteral("0")});
    // 23 is no longer a notice and 99 does not exist; the junk must neither break nor inject.
    office->server().execute(QStringLiteral("UPDATE members SET admin_msg=? WHERE memID='off1'"),
                             {QStringLiteral("21, 22,23,99,x');--")});
    office->dialogs.answerNext(DialogAnswer::Yes); // 21: show it again next time
    office->dialogs.answerNext(DialogAnswer::No);  // 22: read
    auto session = office->newSession();
    ASSERT_EQ(logIn(*session, "st1", "pw2").outcome, LoginOutcome::Online);

    ASSERT_EQ(office->dialogs.shown().size(), 2);
    EXPECT_EQ(office->dialogs.shown().at(0).text,
              QStringLiteral("내용 21\r\n\r\n 다음실행시 다시 보고싶으시면 '예' 버튼을 선택하세요."));
    EXPECT_EQ(office->dialogs.shown().at(0).buttons, DialogButtons::YesNo);
    EXPECT_EQ(
        office->serverValue(QStringLiteral("SELECT admin_msg FROM members WHERE memID='off1'")).toString(),
        QStringLiteral("21,23,99"));
    EXPECT_EQ(
        office->serverValue(QStringLiteral("SELECT content FROM mem_history WHERE id='st1'")).toString(),
        QStringLiteral("mem_msg(22)번을 st1가 읽음."));
    EXPECT_EQ(office->serverValue(QStringLiteral("SELECT COUNT(*) FROM mem_history")).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, LoginTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

TEST(LoginIni, TwoLinesPrivateToTheUserAndCreatedWhenMissing) {
    QTemporaryDir dir;
    const LoginIni ini(dir.filePath(QStringLiteral("cfg/Login.ini")));
    EXPECT_FALSE(ini.exists());
    EXPECT_TRUE(ini.read().id.isEmpty());
    ASSERT_TRUE(ini.ensureExists());
    QFile file(ini.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\r\n\r\n"));
    file.close();
    EXPECT_EQ(QFile::permissions(ini.path()) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
    ASSERT_TRUE(ini.write({QStringLiteral("김철수"), QStringLiteral("p w'1")}));
    EXPECT_EQ(ini.read().id, QStringLiteral("김철수"));
    EXPECT_EQ(ini.read().password, QStringLiteral("p w'1"));
}

TEST(ServerNotices, TheUnreadListKeepsNumbersOnly) {
    EXPECT_EQ(ServerNotices::parseList(QStringLiteral("3, 7,x,9,,7, 1 0")), (QList<int>{3, 7, 9}));
    EXPECT_TRUE(ServerNotices::parseList(QString()).isEmpty());
}

// The stored hashes are standard PBKDF2-HMAC-SHA256 (RFC 7914's vector: "passwd", "salt", one
// round), so the hashes older versions stored still fit; a fresh hash is salted anew each time.
TEST(PasswordHashTest, StandardPbkdf2AndASaltOfItsOwn) {
    const QString known =
        QStringLiteral("pbkdf2-sha256$1$") + QString::fromLatin1(QByteArray("salt").toBase64()) +
        QLatin1Char('$') +
        QString::fromLatin1(
            QByteArray::fromHex("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc")
                .toBase64());
    EXPECT_TRUE(PasswordHash::matches(known, QStringLiteral("passwd")));
    EXPECT_FALSE(PasswordHash::matches(known, QStringLiteral("passwd ")));
    const QString a = PasswordHash::make(QStringLiteral("비밀'번호"));
    EXPECT_NE(a, PasswordHash::make(QStringLiteral("비밀'번호")));
    EXPECT_TRUE(PasswordHash::matches(a, QStringLiteral("비밀'번호")));
}
