#pragma once

#include "core/session/LoginIni.h"

#include <QString>

namespace teran {

class Session;

// What the user typed in the login window.
struct LoginAttempt {
    QString id;
    QString password;
    bool saveId = false;
    bool savePassword = false;
};

enum class LoginOutcome {
    Offline,         // checked against the office's own database
    Online,          // checked against the vendor's server
    WrongPassword,   // the id is known here, the password is not its
    NotMember,       // the server knows no such account
    Stopped,         // the office stopped the account (사용중지)
    NotServerMember, // the account's office has no office row on the server
    NoServer,        // unknown here and the server cannot be reached
    Failed           // a database error (logged and shown)
};

struct LoginResult {
    LoginResult() = default;
    LoginResult(LoginOutcome result, QString statusText)
        : outcome(result)
        , status(std::move(statusText)) {}

    LoginOutcome outcome = LoginOutcome::Failed;
    QString status; // the text of the status line under the fields (empty on success)
    // Shown once after a login that succeeded offline because the server was refused (its
    // certificate did not verify, or it offered no encryption): why the day runs offline.
    QString notice;
    bool succeeded() const { return outcome == LoginOutcome::Offline || outcome == LoginOutcome::Online; }
};

namespace LoginTexts {
QString wrongPassword();
QString notMember();
QString stopped(); // "사용이 중지된 계정입니다. 사무소에 문의하세요."
QString notServerMember();
QString noServer();
QString refusedServerTitle();
QString reconnectButton(); // "다시 연결", the status bar's button that brings a session online
} // namespace LoginTexts

// Checks a login. An account unknown to the office's database is checked on the vendor's server.
// A known account is checked on the server too whenever the server answers, so that the session
// is online on every day, not only on the first; only when the server cannot be reached is it
// checked against the office's copy and the session stays offline. On success it sets the
// session's LoginId, OfficeMainId and OnlineMode, saves the login as the check boxes say and,
// online, shows the office's unread notices.
class LoginService {
public:
    LoginService(Session& session, const LoginIni& ini);
    // For reconnect(), which saves no login.
    explicit LoginService(Session& session);
    LoginResult login(const LoginAttempt& attempt);

    // Brings a session that started offline online once the server answers again, with the
    // account and password of its login. False (nothing changed) while the server is away or no
    // longer takes the account.
    bool reconnect();

private:
    LoginResult loginKnown(const LoginAttempt& attempt, const QString& storedPassword);
    LoginResult loginOffline(const LoginAttempt& attempt, const QString& storedPassword);
    LoginResult loginOnline(const LoginAttempt& attempt);
    LoginResult loginStopped(const LoginAttempt& attempt, const QString& storedPassword);
    void saveLogin(const LoginAttempt& attempt) const;

    Session& m_session;
    const LoginIni* m_ini = nullptr;
};

} // namespace teran
