#pragma once

#include "RecordingOutlets.h"
#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "session/Session.h"

#include <QTemporaryDir>

namespace teran::test {

// An office on a fresh data folder and a vendor server (either backend): the office "off1"
// (password "pw1") with its staff "st1" ("pw2") and "st2" ("pw3"), and a session configured
// that reaches both. Whether the internet answers is the fixture's to say (goOffline), so the
// office works without a web server; the probe over HTTP has tests of its own.
class OfficeFixture {
public:
    // nullptr when the backend's server is not running.
    static std::unique_ptr<OfficeFixture> make(Backend backend);

    std::unique_ptr<Session> session(); // a new session, as a new start of the program
    void goOffline();                   // the probe fails from now on
    // The probe of the fixture's sessions, for a session a test makes itself.
    std::unique_ptr<InternetProbe> probe() const;
    QString loginIniPath() const { return dir.filePath(QStringLiteral("conf/Login.ini")); }
    SqlStore& server() { return m_server->store(); }
    // The office database: the data folder's file, or (MariaDB backend) a scratch database.
    StoreUrl listingUrl() const;
    QVariant serverValue(const QString& sql, const QVariantList& values = {});
    QVariant localValue(const QString& sql, const QVariantList& values = {});
    void addMember(const QString& company, const QString& id, const QString& type, const QString& password,
                   const QString& name);

    QTemporaryDir dir;
    TeranConfig config;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    RecordingOutlets outlets; // of every session made here
    int endedWith = -1;
    bool internetAnswers = true;

private:
    OfficeFixture() = default;
    std::unique_ptr<ScratchStore> m_server;
    std::unique_ptr<ScratchStore> m_listing;
    std::unique_ptr<SqlStore> m_local;
};

} // namespace teran::test
