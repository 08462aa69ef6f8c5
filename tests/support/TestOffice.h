#pragma once

#include "DemoSeed.h"
#include "RecordingOutlets.h"
#include "ScriptedDialogs.h"
#include "TcpRelay.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/listings/ListingActions.h"
#include "core/session/Session.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace teran::test {

// Who sits at the office's desk when a test starts.
enum class Desk {
    Nobody,       // nobody logged in: the test starts its own sessions (newSession)
    Office,       // "off1", its main account, online
    UniqueOffice, // an office whose id is unique to the test, online, pictures on the loopback FTP
    Demo,         // the demo office seeded and logged in as "demo", the internet not asked
};

struct OfficeSetup {
    Backend backend = Backend::Sqlite;
    Desk desk = Desk::Nobody;
    QDateTime now{QDate(2026, 12, 6), QTime(10, 0)};
    // MariaDB: the desk reaches the vendor's server through a relay the test can stall or cut.
    bool serverThroughRelay = false;
};

// An afternoon in March: the time of the list tests, whose expected dates follow it.
inline QDateTime listsAfternoon() {
    return QDateTime(QDate(2026, 3, 10), QTime(14, 5, 30));
}

// The office of the tests: a fresh data folder and vendor server on one backend (on MariaDB the
// office database lives on MariaDB too, as an office of several desks keeps it), with the
// accounts "off1" (password "pw1") and its staff "st1" ("pw2") and "st2" ("pw3"), a clock, the
// dialogs and outlets that tests answer and look at, and the desk the setup asks for.
class TestOffice {
public:
    // nullptr when a service the setup needs is not running.
    static std::unique_ptr<TestOffice> make(const OfficeSetup& setup);
    static std::unique_ptr<TestOffice> make(Backend backend, Desk desk = Desk::Nobody) {
        return make(OfficeSetup{backend, desk});
    }
    ~TestOffice();

    // ---- the office and its servers
    std::unique_ptr<Session> newSession(); // a new start of the program
    void goOffline();                      // the probe fails from now on
    std::unique_ptr<InternetProbe> probe() const;
    QString loginIniPath() const { return dir.filePath(QStringLiteral("conf/Login.ini")); }
    SqlStore& server() { return m_server->store(); }
    TcpRelay* relay() { return m_relay.get(); } // with OfficeSetup::serverThroughRelay
    StoreUrl listingUrl() const;                // the office database
    QVariant serverValue(const QString& sql, const QVariantList& values = {});
    QVariant localValue(const QString& sql, const QVariantList& values = {});
    void addMember(const QString& company, const QString& id, const QString& type, const QString& password,
                   const QString& name);
    // Another office on the server, as the shared lists show it.
    void addOtherOffice(const QString& id, const QString& showname, const QString& homtel,
                        const QString& hantel);
    int addClub(const QString& chairman, const QString& types);
    void joinClub(int club, const QString& id, int level);
    QStringList logLines() const; // today's log file

    // ---- the desk (not for Desk::Nobody)
    Session& session() { return *m_session; }
    SqlStore& local() { return m_session->listingStore(); }
    const QString& officeId() const { return m_officeId; }
    void loginAs(const QString& loginId) { m_session->state().LoginId = loginId; }
    ListingActions actions(); // reporting its status texts to progressTexts
    QStringList progressTexts;
    void answerYes() { dialogs.answerNext(DialogAnswer::Yes); }
    static QList<ListingPick> picks(const QList<int>& numbers);

    // A listing of the office with the given values over plain ones (type apt, for sale, state
    // 0, changed and registered now); its number.
    int addOwn(const ListingRow& values = {});
    // The same over a sample apartment with an owner, a price and dates of its own.
    int addListing(const ListingRow& values = {});
    // A sample listing published in `state`, with its server copy as an earlier publication left it.
    int addPublished(int state, const ListingRow& values = {});
    // A server copy of another office's listing (defaults: office "other", apt, state 1, shown
    // now); its sub_idx.
    int addShared(const ListingRow& values);
    int localState(int number);
    std::optional<int> serverState(int number); // nullopt when the server holds no copy
    int serverCount(const QString& officeId);
    QVariant serverColumn(int number, const QString& column);

    // Pictures: in the office's data folder and on the FTP server's disk.
    bool hasFtp() const { return m_ftp.has_value(); }
    QString localPicture(const QString& name) const;
    QString remotePicture(const QString& name) const;
    bool writeLocalPicture(const QString& name);
    bool writeRemotePicture(const QString& name);

    QTemporaryDir dir;
    TeranConfig config;
    FixedClock clock;
    ScriptedDialogs dialogs;
    RecordingOutlets outlets; // of every session made here
    int endedWith = -1;
    bool internetAnswers = true;
    DemoSeedReport seeded; // Desk::Demo

private:
    explicit TestOffice(const QDateTime& now)
        : clock(now) {}
    bool prepareServers(const OfficeSetup& setup);
    bool seat(Desk desk);

    std::unique_ptr<ScratchStore> m_server;
    std::unique_ptr<TcpRelay> m_relay;
    std::unique_ptr<ScratchStore> m_listing;
    std::unique_ptr<SqlStore> m_local;
    std::unique_ptr<Session> m_session;
    std::optional<FtpService> m_ftp;
    QString m_officeId;
    int m_nextSubIdx = 1;
};

// The name the office gives a picture of a listing: office id, number, "_" and slot suffix, extension.
QString pictureName(const QString& officeId, int number, int slotSuffix, const QString& extension = "jpg");

} // namespace teran::test
