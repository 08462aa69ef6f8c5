#pragma once

#include <QString>

namespace teran {

class Session;
class SqlStore;

enum class LoadOutcome {
    Loaded,
    ForeignDatabase, // the office database holds another office's listings: the program ends
    Failed
};

// Runs once after a login: checks that the office database belongs to the office, mirrors the
// office's accounts from the server, loads the office's details, the staff list and the settings.
class SessionLoader {
public:
    explicit SessionLoader(Session& session);
    LoadOutcome load();

    static QString foreignDatabaseTitle();
    static QString foreignDatabaseText(const QString& userName);

    // Makes the office's accounts in the office database follow the server's: new accounts are
    // added, changed ones updated and those the server no longer has removed.
    void mirrorAccounts();
    // A session that started offline and whose login the server has now taken: the accounts
    // are mirrored and the office's details read from the server, as an online login does.
    void goOnline();

private:
    void followServer();
    void loadDetails(SqlStore& store);
    bool ownsListingStore();
    void loadOfficeDetails(SqlStore& store);
    void loadStaff(SqlStore& store);
    void loadSettings();
    QString userName(SqlStore& store) const;
    QString passwordToKeep(const QString& memId, const QString& stored, const QString& serverPassword) const;

    Session& m_session;
};

} // namespace teran
