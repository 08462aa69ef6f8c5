#pragma once

#include "core/online/MariaDbClient.h" // VendorBackupError
#include "core/online/VendorManifest.h"
#include "core/store/StoreUrl.h"

#include <QString>

namespace teran {

// `teran-admin backup-server`: a consistent copy of the vendor's shared data into a new folder.
//   dump.sql      the tables' database (`<db>_data`: listings, accounts, cash ledger, inquiries,
//                 clubs...) by mariadb-dump in one transaction's snapshot, with the binary log's
//                 position of that snapshot (the start of a point-in-time replay);
//   accounts.sql  every member's MariaDB account as the server shows it (SHOW CREATE USER: the
//                 password's hash, TLS, limits, lock) and its grants, so that the offices log in
//                 again with their own passwords;
//   pictures/     a copy of the picture tree (a folder per office), when one is named;
//   manifest.json what, when, counts and every file's checksum (VendorManifest).
// The offices' database of views, its routines and the role are not copied: restore makes them
// again from the tables by SecuredServer::secure(), as init-server does. `adminUrl` names the
// offices' database and the vendor's administrator. Throws VendorBackupError or StoreError.
VendorManifest backupVendorServer(const StoreUrl& adminUrl, const QString& outFolder,
                                  const QString& picturesFolder);

struct VendorRestoreReport {
    VendorManifest manifest;
    QMap<QString, qint64> counts; // rows now on the server, as the manifest counts them
    qint64 cashTotal = 0;
};

// `teran-admin restore-server`: checks the backup whole (every checksum) before it changes
// anything, then puts it into a server that does not hold the vendor's data yet (or, with
// `replace`, in place of what it holds): the tables, the views and the role, the accounts, the
// pictures. The URL must name the database the backup was made of. Throws VendorBackupError or
// StoreError.
VendorRestoreReport restoreVendorServer(const StoreUrl& adminUrl, const QString& fromFolder,
                                        const QString& picturesFolder, bool replace);

} // namespace teran
