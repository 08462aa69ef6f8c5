#pragma once

#include "TestNeeds.h"
#include "core/people/SmsSender.h"
#include "core/store/SqlStore.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace teran::test {

// Addresses of the loopback servers that scripts/services.sh starts (from services.env).
struct FtpService {
    QString host;
    int port = 0;
    QString user;
    QString password;
    QString root; // the FTP server's folder on this machine, to check what arrived
};

std::optional<StoreUrl> mariaDbService();
std::optional<FtpService> ftpService();

// The project's SMS gateway teran-smsd as scripts/services.sh started it: over TLS, charging
// the offices of the vendor's tables through its own database account.
struct SmsService {
    quint16 port = 0;
    QString sentFile; // what it "sent", one line a message
    StoreUrl tables;  // the gateway's tables, as the vendor
    QString caFile;   // the authority its certificate verifies against
    SmsLink link() const { return SmsLink::tls(QStringLiteral("127.0.0.1"), port, caFile); }
    // An account of its own at the gateway for `office`, whose cash there is `cashWon`.
    SmsAccount accountFor(const QString& office, qint64 cashWon) const;
    qint64 cashOf(const QString& office) const; // the office's balance at the gateway
};
std::optional<SmsService> smsService();
QString webServiceUrl();   // "http://127.0.0.1:PORT/" or empty
QString probeServiceUrl(); // the probe page, or empty
bool runningUnderCi();
// A loopback URL on which nothing listens.
QString closedPortUrl();

// Skips the test when a service is missing; under CI=true a missing service fails it instead, and
// so does a missing service that the test's suite does not declare (TestNeeds.h).
#define TERAN_REQUIRE_SERVICE(available, what)                                                               \
    do {                                                                                                     \
        if (!(available)) {                                                                                  \
            if (!::teran::test::runningTestDeclaresNeeds())                                                  \
                FAIL() << what << " is not running and the suite does not declare it (TERAN_SUITE_NEEDS)";   \
            if (::teran::test::runningUnderCi())                                                             \
                FAIL() << what << " is not running (start it with scripts/services.sh start)";               \
            GTEST_SKIP() << what << " is not running; start it with scripts/services.sh start";              \
        }                                                                                                    \
    } while (0)

// A store on either backend for one test: a fresh SQLite file in a temporary folder, or a
// fresh MariaDB database (dropped again at the end) on the loopback server.
class ScratchStore {
public:
    static std::unique_ptr<ScratchStore> sqlite();
    static std::unique_ptr<ScratchStore> mariaDb(); // nullptr when the server is not running
    ~ScratchStore();

    SqlStore& store() { return *m_store; }
    const StoreUrl& url() const { return m_url; }

private:
    ScratchStore() = default;
    QTemporaryDir m_dir;
    StoreUrl m_url;
    StoreUrl m_adminUrl;
    std::unique_ptr<SqlStore> m_store;
};

// Parameter of tests that run on both backends.
enum class Backend { Sqlite, MariaDb };
std::string backendName(const testing::TestParamInfo<Backend>& info);
// Opens a scratch store of the backend or skips (fails under CI) when MariaDB is missing.
#define TERAN_SCRATCH_STORE(var, backend)                                                                    \
    auto var = (backend) == ::teran::test::Backend::Sqlite ? ::teran::test::ScratchStore::sqlite()           \
                                                           : ::teran::test::ScratchStore::mariaDb();         \
    TERAN_REQUIRE_SERVICE(var != nullptr, "MariaDB")

QString uniqueName(const QString& prefix);

// Makes the store refuse an insert into `table` whose `column` holds `value`, with `message`, as
// a damaged file or a full disk would: a trigger in the store's own dialect. Returns its name.
QString refuseInsert(SqlStore& store, const QString& table, const QString& column, const QString& value,
                     const QString& message);
// The same for a delete of a row whose `column` holds `value`.
QString refuseDelete(SqlStore& store, const QString& table, const QString& column, const QString& value,
                     const QString& message);

} // namespace teran::test
