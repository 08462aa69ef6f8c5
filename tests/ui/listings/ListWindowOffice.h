#pragma once

#include "DemoSeed.h"
#include "RecordingOutlets.h"
#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "listings/ListChoices.h"
#include "session/Session.h"

#include <QQueue>
#include <QTemporaryDir>
#include <memory>

namespace teran::test {

// The demo office seeded on a fresh data folder and vendor server, logged in as its main
// account "demo" with both stores open: its own listings in the ListingStore and the other
// offices' shared listings on the ServerStore.
class ListWindowOffice {
public:
    static std::unique_ptr<ListWindowOffice> make(Backend backend = Backend::Sqlite);
    ~ListWindowOffice();

    Session& session() { return *m_session; }
    SqlStore& local() { return m_session->listingStore(); }
    SqlStore& server() { return m_session->serverStore(); }
    QVariant localValue(const QString& sql, const QVariantList& values = {});
    QVariant serverValue(const QString& sql, const QVariantList& values = {});
    QStringList logLines() const;

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 3, 10), QTime(14, 5, 30))};
    ScriptedDialogs dialogs;
    RecordingOutlets outlets;
    DemoSeedReport seeded;

private:
    ListWindowOffice() = default;
    std::unique_ptr<ScratchStore> m_server;
    std::unique_ptr<Session> m_session;
};

// Choosers that answer from queues; an empty queue answers "cancelled".
class ScriptedChoices final : public ListChoices {
public:
    std::optional<StaffMember> staff(QWidget* parent, const QList<StaffMember>& staff) override;
    std::optional<QString> groupName(QWidget* parent, const QStringList& names) override;

    QQueue<QString> staffIds;
    QQueue<QString> groupNames;
    QList<StaffMember> staffOffered;
    QStringList groupsOffered;
};

} // namespace teran::test
