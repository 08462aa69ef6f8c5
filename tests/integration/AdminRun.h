#pragma once

#include "TestServices.h"
#include "core/session/StoreSetup.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace teran::test {

// teran-admin as a script runs it: its exit code and what it wrote to standard error.
struct AdminRun {
    int exitCode = -1;
    QString errors;
};

inline AdminRun admin(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TERAN_ADMIN_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// An office's data folder as `teran-admin init` leaves it, and the arguments that point a command
// at it (and at no configuration file).
struct AdminOffice {
    AdminOffice() { initDataFolder(folder); }

    std::unique_ptr<SqlStore> store() const {
        auto store = std::make_unique<SqlStore>(uniqueName(QStringLiteral("admin")));
        store->open(StoreUrl::sqliteFile(folder.listingStoreFile()));
        return store;
    }
    int listings() const { return store()->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt(); }
    QStringList at() const {
        return {QStringLiteral("--config"), dir.filePath(QStringLiteral("none.ini")),
                QStringLiteral("--data"), folder.root()};
    }
    AdminRun run(const QStringList& arguments) const { return admin(arguments + at()); }

    QTemporaryDir dir;
    DataFolder folder{dir.filePath(QStringLiteral("data"))};
};

} // namespace teran::test
