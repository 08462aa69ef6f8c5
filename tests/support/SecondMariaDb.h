#pragma once

#include "core/store/StoreUrl.h"

#include <QTemporaryDir>
#include <memory>

namespace teran::test {

// A second MariaDB of its own, empty, started for one test by `scripts/services.sh mariadb` in a
// temporary folder on a free loopback port (with TLS and the vendor's administrator, as the
// everyday server), and stopped again at the end.
class SecondMariaDb {
public:
    // nullptr when it could not be started; `why` then says why.
    static std::unique_ptr<SecondMariaDb> start(QString& why);
    ~SecondMariaDb();

    // The administrator's address on the server, naming `database`.
    StoreUrl adminUrl(const QString& database) const;
    // The vendor's reserved way in, beside the offices' port.
    int extraPort() const { return m_extraPort; }

private:
    SecondMariaDb() = default;
    int run(const QString& command, QString* output = nullptr) const;

    QTemporaryDir m_dir;
    int m_port = 0;
    int m_extraPort = 0;
    StoreUrl m_url;
};

} // namespace teran::test
