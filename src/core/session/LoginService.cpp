#include "LoginService.h"

#include "core/session/ServerNotices.h"
#include "core/session/Session.h"
#include "core/session/SessionLoader.h"
#include "core/store/PasswordHash.h"

namespace teran {

namespace LoginTexts {
QString wrongPassword() {
    return QStringLiteral("비밀번호가 틀립니다.");
}
QString notMember() {
    return QStringLiteral("등록된 회원이 아닙니다.");
}
QString stopped() {
    return QStringLiteral("사용이 중지된 계정입니다. 사무소에 문의하세요.");
}
QString notServerMember() {
    return QStringLiteral("등록된 서버 회원이 아닙니다.");
}
QString noServer() {
    return QStringLiteral("서버에 연결할 수 없어 회원을 확인할 수 없습니다.");
}
QString reconnectButton() {
    return QStringLiteral("다시 연결");
}
QString refusedServerTitle() {
    return QStringLiteral("서버 연결 거부");
}
} // namespace LoginTexts

namespace {
const QString kLabel = QStringLiteral("로그인 => ");
}

LoginService::LoginService(Session& session, const LoginIni& ini)
    : m_session(session)
    , m_ini(&ini) {}

LoginService::LoginService(Session& session)
    : m_session(session) {}

LoginResult LoginService::login(const LoginAttempt& typed) {
    LoginAttempt attempt = typed;
    attempt.id = attempt.id.trimmed();
    m_session.state().LoginId = attempt.id;
    m_session.setServerLogin(attempt.id, attempt.password);
    try {
        QSqlQuery local = m_session.listingStore().query(
            QStringLiteral("SELECT memPWD, COALESCE(memType, '') FROM members WHERE memID=?"), {attempt.id});
        const bool known = local.next();
        const QString stored = known ? local.value(0).toString() : QString();
        // An account mirrored without a hash has never logged in at this desk, and a stopped
        // staff account ("X") no longer logs in here: only the server can take them.
        if (known && local.value(1).toString() == QLatin1String("X"))
            return loginStopped(attempt, stored);
        if (!stored.isEmpty())
            return loginKnown(attempt, stored);
        return loginOnline(attempt);
    } catch (const StoreError& error) {
        m_session.WriteLog(DailyLog::errorMessage(kLabel, error.description(), error.source()));
        m_session.showStoreError(error, StoreKind::Listing);
        return {LoginOutcome::Failed, QString()};
    }
}

LoginResult LoginService::loginKnown(const LoginAttempt& attempt, const QString& storedPassword) {
    if (!m_session.reachServer()) {
        // A server that answers but refuses the account decides: the office's copy is older.
        if (m_session.serverRefusedLogin())
            return {LoginOutcome::NotMember, LoginTexts::notMember()};
        LoginResult offline = loginOffline(attempt, storedPassword);
        if (offline.succeeded())
            offline.notice = m_session.serverRefusal();
        return offline;
    }
    try {
        LoginResult online = loginOnline(attempt);
        // The server knows the account under another password: the office's copy is older.
        if (online.outcome == LoginOutcome::NotMember &&
            m_session.serverStore()
                    .scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {attempt.id}, 0)
                    .toInt() > 0)
            return {LoginOutcome::WrongPassword, LoginTexts::wrongPassword()};
        return online;
    } catch (const StoreError& error) {
        // A server lost in the middle of the check leaves the office working on its own copy.
        m_session.WriteLog(DailyLog::errorMessage(kLabel, error.description(), error.source()));
        return loginOffline(attempt, storedPassword);
    }
}

// The office's copy says the account is stopped. The server has the last word when it takes the
// account (it may have been started again); a server that refuses it, as it refuses a locked
// account, or cannot be reached leaves the copy's word, told only to whom the kept hash fits.
LoginResult LoginService::loginStopped(const LoginAttempt& attempt, const QString& storedPassword) {
    LoginResult online = loginOnline(attempt);
    const bool unanswered =
        online.outcome == LoginOutcome::NotMember || online.outcome == LoginOutcome::NoServer;
    if (unanswered && (storedPassword.isEmpty() || PasswordHash::matches(storedPassword, attempt.password)))
        return {LoginOutcome::Stopped, LoginTexts::stopped()};
    return online;
}

bool LoginService::reconnect() {
    SessionState& state = m_session.state();
    if (state.isOnline() || state.LoginId.isEmpty() || !m_session.reachServer())
        return false;
    try {
        const LoginResult result = loginOnline({state.LoginId, state.LoginPassword});
        if (result.outcome != LoginOutcome::Online)
            return false;
        SessionLoader(m_session).goOnline();
    } catch (const StoreError& error) {
        m_session.WriteLog(DailyLog::errorMessage(kLabel, error.description(), error.source()));
        state.OnlineMode = QStringLiteral("offline");
        return false;
    }
    m_session.WriteLog(QStringLiteral("다시 연결 => %1 온라인").arg(state.LoginId));
    return true;
}

LoginResult LoginService::loginOffline(const LoginAttempt& attempt, const QString& storedPassword) {
    if (!PasswordHash::matches(storedPassword, attempt.password))
        return {LoginOutcome::WrongPassword, LoginTexts::wrongPassword()};
    if (!PasswordHash::isHash(storedPassword))
        m_session.listingStore().execute(QStringLiteral("UPDATE members SET memPWD=? WHERE memID=?"),
                                         {PasswordHash::make(attempt.password), attempt.id});
    // The office is the company of the account itself: the mirror holds one office's accounts.
    const QString office =
        m_session.listingStore()
            .scalar(QStringLiteral("SELECT companyID FROM members WHERE memID=?"), {attempt.id})
            .toString();
    saveLogin(attempt);
    m_session.state().OnlineMode = QStringLiteral("offline");
    m_session.state().LoginPassword = attempt.password;
    m_session.state().OfficeMainId = office.isEmpty() ? attempt.id : office;
    return {LoginOutcome::Offline, QString()};
}

LoginResult LoginService::loginOnline(const LoginAttempt& attempt) {
    if (!m_session.state().InternetOk)
        m_session.InternetCheck();
    if (m_session.endRequested())
        return {LoginOutcome::Failed, QString()};
    if (!m_session.serverReachable() && !m_session.reachServer()) {
        if (m_session.serverRefusedLogin())
            return {LoginOutcome::NotMember, LoginTexts::notMember()};
        // A server the desk refused is named with the reason, not as one that is away.
        const QString refusal = m_session.serverRefusal();
        return {LoginOutcome::NoServer, refusal.isEmpty() ? LoginTexts::noServer() : refusal};
    }
    SqlStore& server = m_session.serverStore();
    // Both the office's own account ("A") and its staff accounts ("B") log in; a stopped staff
    // account ("X") is told so. A server with an account per member has checked the password
    // when it took the connection.
    QSqlQuery account =
        m_session.serverTakesMembers()
            ? server.query(QStringLiteral("SELECT companyID, memType FROM members WHERE memID=? AND "
                                          "memType IN ('A','B','X')"),
                           {attempt.id})
            : server.query(QStringLiteral("SELECT companyID, memType FROM members WHERE memID=? AND memPWD=? "
                                          "AND memType IN ('A','B','X')"),
                           {attempt.id, attempt.password});
    if (!account.next() || attempt.id.isEmpty())
        return {LoginOutcome::NotMember, LoginTexts::notMember()};
    if (account.value(1).toString() == QLatin1String("X"))
        return {LoginOutcome::Stopped, LoginTexts::stopped()};
    const QString company = account.value(0).toString();
    QSqlQuery office = server.query(
        QStringLiteral("SELECT memID, admin_msg FROM members WHERE companyID=? AND memType='A'"), {company});
    if (!office.next())
        return {LoginOutcome::NotServerMember, LoginTexts::notServerMember()};
    const QString officeId = office.value(0).toString();
    const QString unread = office.value(1).toString();
    saveLogin(attempt);
    m_session.state().OnlineMode = QStringLiteral("yes");
    m_session.state().LoginPassword = attempt.password;
    m_session.state().OfficeMainId = company;
    ServerNotices(m_session).showUnread(officeId, unread);
    return {LoginOutcome::Online, QString()};
}

void LoginService::saveLogin(const LoginAttempt& attempt) const {
    if (!m_ini)
        return;
    m_ini->write(
        {attempt.saveId ? attempt.id : QString(), attempt.savePassword ? attempt.password : QString()});
}

} // namespace teran
