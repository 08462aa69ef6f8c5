#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace teran {

// One file of a backup of the vendor's server, by its path inside the backup folder.
struct BackupFile {
    QString path;
    qint64 size = 0;
    QString sha256; // hex
};

// What a backup of the vendor's server holds (manifest.json beside it): what was dumped, when,
// from which server, where the server's binary log stood at the dump's snapshot (the start of a
// point-in-time replay), row counts, the accounts, and every file with its size and checksum.
// The manifest carries a checksum of itself, so that a changed byte anywhere is found.
struct VendorManifest {
    QDateTime made; // UTC
    QString server; // address without its password
    QString database;
    QString dataDatabase;
    QString serverVersion;
    QString binlogFile; // empty when the server kept no binary log
    qint64 binlogPosition = 0;
    QMap<QString, qint64> counts; // rows per table when the dump began, "accounts", "pictures"
    qint64 cashTotal = 0;         // sum of mem_cash.Money when the dump began
    // The counts were taken at the dump's very binary log position: a restore must give them back.
    bool countsExact = false;
    QStringList accounts; // the MariaDB accounts of accounts.sql
    QList<BackupFile> files;

    static QString fileName() { return QStringLiteral("manifest.json"); }
    void write(const QString& folder) const; // throws VendorBackupError
    // Reads the manifest of `folder` and checks it and every file it names (also that none is
    // missing or changed); throws VendorBackupError with the first fault found.
    static VendorManifest readChecked(const QString& folder);
};

// Size and SHA-256 of a file, read in pieces; throws VendorBackupError when it cannot be read.
BackupFile describeFile(const QString& folder, const QString& path);

} // namespace teran
