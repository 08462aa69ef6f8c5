#pragma once

#include "core/store/StoreUrl.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <stdexcept>

namespace teran {

// Why a backup of the vendor's server could not be made, checked or put back: one line, shown
// as it is.
class VendorBackupError : public std::runtime_error {
public:
    explicit VendorBackupError(const QString& reason)
        : std::runtime_error(reason.toStdString())
        , m_reason(reason) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// MariaDB's own client programs (Debian's mariadb-client: mariadb-dump, mariadb) run against one
// server over TLS. The account and its password go to the programs in an option file readable
// by this user only, never on the command line where any user's `ps` shows it; the file goes
// when the client does.
class MariaDbClient {
public:
    explicit MariaDbClient(const StoreUrl& server); // throws VendorBackupError
    MariaDbClient(const MariaDbClient&) = delete;
    MariaDbClient& operator=(const MariaDbClient&) = delete;

    // mariadb-dump with `arguments`, its output into `outFile`.
    void dump(const QStringList& arguments, const QString& outFile) const;
    // mariadb reading the statements of `inFile` into `database`.
    void load(const QString& database, const QString& inFile) const;

    const QString& optionFile() const { return m_optionFile; }

private:
    QString program(const QString& name) const;
    void run(const QString& name, QStringList arguments, const QString& in, const QString& out) const;

    QTemporaryDir m_dir;
    QString m_optionFile;
};

} // namespace teran
