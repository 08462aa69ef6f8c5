#pragma once

#include "core/session/Clock.h"
#include "core/session/DailyLog.h"
#include "core/session/DataFolder.h"
#include "core/session/Dialogs.h"
#include "core/session/InternetProbe.h"
#include "core/session/Outlets.h"
#include "core/session/SessionState.h"
#include "core/session/StoreErrorText.h"
#include "core/session/TeranConfig.h"
#include "core/store/ServerHealth.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace teran {

enum class StoreKind { Listing, Server };
class ServerCourier;
class ServerReader;

// The one object of a running program: configuration, the two stores, the login state, the
// daily log and the seams (clock, dialogs, outlets, the way the program ends). It is created at start-up
// and handed by reference to whatever needs it.
class Session : public QObject {
    Q_OBJECT
public:
    Session(TeranConfig config, const Clock& clock, Dialogs& dialogs,
            std::unique_ptr<InternetProbe> probe = {});
    ~Session() override;

    const TeranConfig& config() const { return m_config; }
    const DataFolder& dataFolder() const { return m_dataFolder; }
    const Clock& clock() const { return m_clock; }
    Dialogs& dialogs() { return m_dialogs; }
    // Where opened windows, printed pages and web pages go; the program's own unless set.
    Outlets& outlets() { return m_outlets ? *m_outlets : m_ownOutlets; }
    void setOutlets(Outlets* outlets) { m_outlets = outlets; }
    SessionState& state() { return m_state; }
    const SessionState& state() const { return m_state; }
    const DailyLog& log() const { return m_log; }

    // How the program ends after a fatal message (the program exits; tests record it).
    void setProgramEnd(std::function<void(int)> end) { m_programEnd = std::move(end); }
    bool endRequested() const { return m_endRequested; }
    // Ends the program (after the caller has said why).
    void endProgram(int code);

    // The connection routines of the program, in the order the ensure-open sequence calls them.
    void CreateDbObjects();
    bool MdbsqlConnOpen(); // the ListingStore; an older file is upgraded on the way
    bool MysqlConnOpen();  // the ServerStore; a refusal while the internet answers ends the program
    void DbConnClose();
    // Asks the ServerStore whether it still answers (and reconnects a lost one), so that the
    // online state shown follows the server even while nobody works with it.
    void checkServer();
    // The office file replaced by another desk's restore: the office database is opened again
    // on the restored file and the user is told. True when that happened.
    bool reopenReplacedOffice();
    // 1. create the store objects, 2. open the ServerStore when the internet answered,
    // 3. open the ListingStore. Stores already open are left as they are.
    void ensureOpen();

    // The internet probe and the report to the server: sets InternetOk, opens the ServerStore,
    // reports the number of local listings and reads the picture store's password.
    void InternetCheck();
    // The same check without the fatal box: the probe, then the ServerStore opened when it is
    // not. True when the server answers; a refusal is written to the daily log only. For an
    // account the office knows, whose work goes on offline when the server is away.
    bool reachServer();

    bool WriteLog(const QString& message) const { return m_log.WriteLog(message); }
    bool logError(const QString& label, const StoreError& error) const {
        return m_log.logError(label, error);
    }

    bool hasStores() const { return m_listing && m_server; }
    bool listingOpen() const { return m_listing && m_listing->isOpen(); }
    bool serverOpen() const { return m_server && m_server->isOpen(); }
    // The vendor's server can be worked with now: the internet answered and its store is open.
    // After an online login, a store that lost its server is opened again on the spot, so the
    // next action uses a server that came back (one try per call: callers ask once an action).
    bool serverReachable();
    SqlStore& listingStore();
    SqlStore& serverStore();

    // How the server answers the background steps: while it does not, serverReachable() is false
    // at once. Shared with the courier's thread.
    const std::shared_ptr<ServerHealth>& serverHealth() const { return m_health; }
    // The courier that carries the outbox off the window's thread (none: steps run in place).
    ServerCourier* courier() const { return m_courier; }
    void setCourier(ServerCourier* courier) { m_courier = courier; }
    // The reader that brings the server's lists off the window's thread (none: read in place).
    ServerReader* reader() const { return m_reader; }
    void setReader(ServerReader* reader) { m_reader = reader; }

    StoreUrl serverUrl() const; // the configured address with the configured account
    // A vendor's server with an account per member (a MariaDB address without an account in
    // teran.ini) is reached as the member who logs in: the login hands over the typed id and
    // password before it reaches the server. Other servers take the configured account.
    bool serverTakesMembers() const;
    void setServerLogin(const QString& id, const QString& password);
    // The last attempt to open such a server was refused for the member's account (no such
    // account, another password, or a locked one).
    bool serverRefusedLogin() const { return m_serverRefusedLogin; }
    // Why the server was last refused by the desk (no encryption, a certificate that does not
    // verify), in Korean; empty when the last try connected or failed for another reason.
    const QString& serverRefusal() const { return m_serverRefusal; }
    // The name under which the program writes its own office's account rows on the server: such
    // a server shows other offices' accounts by their public columns only, and keeps the office's
    // own rows writable apart ("my_member").
    QString ownMemberTable() const;
    // The office database: rd/terandb.db in the data folder, or the MariaDB that teran.ini names.
    StoreUrl listingUrl() const;
    static StoreUrl listingUrlOf(const TeranConfig& config);
    StoreLimits storeLimits() const;

    // Tells the user in Korean what went wrong with a store and what to do (the technical
    // text belongs in the daily log, which the caller writes).
    void showStoreError(const StoreError& error, StoreKind kind);

Q_SIGNALS:
    void storeOpened(teran::StoreKind kind);
    // The ServerStore's connection was found lost (false) or came back (true).
    void serverConnectionChanged(bool working);
    // An office's cash balance was read from the server, in won (after a charged SMS, say):
    // whoever shows the balance takes it from here instead of asking the server again.
    void cashBalanceRead(const QString& companyId, qint64 won);

private:
    // Opens the ServerStore unless it is open; a refusal is logged and handed back, not shown.
    bool openServerQuietly(std::optional<StoreError>* failure = nullptr);
    void reportToServer();
    bool checkOfficeFile(const QString& path, bool& newOffice);
    bool acceptOfficeTables(const QString& path);
    bool confirmNewOffice(const QString& path);
    void noteNetworkShare(const QString& path);
    void noteOnce(const QString& path, const QString& markerName, const QString& title, const QString& text);

    TeranConfig m_config;
    DataFolder m_dataFolder;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    Outlets m_ownOutlets;
    Outlets* m_outlets = nullptr;
    std::unique_ptr<InternetProbe> m_probe;
    SessionState m_state;
    DailyLog m_log;
    std::unique_ptr<SqlStore> m_listing;
    std::unique_ptr<SqlStore> m_server;
    std::function<void(int)> m_programEnd;
    bool m_endRequested = false;
    int m_serial;
    QString m_serverLoginId;
    QString m_serverLoginPassword;
    bool m_serverRefusedLogin = false;
    QString m_serverRefusal;
    std::shared_ptr<ServerHealth> m_health = std::make_shared<ServerHealth>();
    ServerCourier* m_courier = nullptr;
    ServerReader* m_reader = nullptr;
};

// Texts of the fatal box shown when the ServerStore refuses while the internet answers.
QString serverRefusedTitle();
QString serverRefusedText(const QString& description);
// The fatal box's text when the configured address of the ServerStore cannot be read.
QString serverAddressText(const QString& address);

} // namespace teran
