#pragma once

#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/session/Session.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <memory>

namespace teran::test {

// Several desks of one office, each a process of its own as in an office: the test program starts
// itself again to run one desk's part, a disabled case that runs only when a desk is asked for.
// The office's data folder and the vendor's server are handed over in the environment.
class ChildDeskOffice {
public:
    // Null when MariaDB is not running.
    static std::unique_ptr<ChildDeskOffice> make();

    // Writes the rows to the office's file; a published row (state 1, 3 or 7) gets its copy on the
    // server too. The numbers the rows were given, in order.
    QList<int> insert(const QList<ListingRow>& rows);
    // The desk's environment: the folder and the server, and what the test adds.
    QProcessEnvironment environment() const;
    // Starts the desk's case ("Suite.DISABLED_Run") of this program with `environment`.
    static std::unique_ptr<QProcess> start(const char* deskCase, const QProcessEnvironment& environment);

    SqlStore& server() { return m_server->store(); }
    const QString& dataPath() const { return m_dataPath; }

private:
    QTemporaryDir m_data;
    QString m_dataPath;
    std::unique_ptr<ScratchStore> m_server;
};

// Whether this process is a desk started by a ChildDeskOffice.
bool isChildDesk();
// The program at a desk after the login of `office`, online, on the folder and server the
// environment names (or those given). Null when the office's file does not open.
std::unique_ptr<Session> openChildDesk(const QString& office, const Clock& clock, Dialogs& dialogs,
                                       const QString& dataPath = {}, const QString& serverUrl = {});

} // namespace teran::test
