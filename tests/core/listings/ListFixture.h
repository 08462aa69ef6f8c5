#pragma once

#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "session/ListingRepository.h"
#include "session/Session.h"

#include <QTemporaryDir>
#include <memory>

namespace teran::test {

// An office "off1" (staff "st1", "st2") logged in on a fresh data folder, with a vendor server
// on either backend, both stores open. Listings are added through the repository, as the
// registration window and the upload write them.
class ListFixture {
public:
    // nullptr when the backend's server is not running.
    static std::unique_ptr<ListFixture> make(Backend backend);
    ~ListFixture();

    Session& session() { return *m_session; }
    SqlStore& local() { return m_session->listingStore(); }
    SqlStore& server() { return m_session->serverStore(); }
    void loginAs(const QString& loginId) { m_session->state().LoginId = loginId; }

    // A listing of the office with the given values over plain defaults (type apt, state 0,
    // changed and registered today); returns its number.
    int addOwn(const ListingRow& values);
    // A server copy of another office's listing (defaults: office "other", type apt, state 1,
    // shown now); returns its sub_idx.
    int addShared(const ListingRow& values);
    void addMember(const QString& id, const QString& showname, const QString& homtel, const QString& hantel);
    int addClub(const QString& chairman, const QString& types);
    void joinClub(int club, const QString& id, int level);
    // The lines of today's log file.
    QStringList logLines() const;

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 3, 10), QTime(14, 5, 30))};
    ScriptedDialogs dialogs;

private:
    ListFixture() = default;
    std::unique_ptr<ScratchStore> m_server;
    std::unique_ptr<Session> m_session;
    int m_nextSubIdx = 1;
};

} // namespace teran::test
