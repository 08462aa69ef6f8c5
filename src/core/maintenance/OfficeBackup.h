#pragma once

#include "core/session/DataFolder.h"
#include "core/store/StoreUrl.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <stdexcept>

namespace teran {

// Why a backup or a restore did not happen, in words for the office (one line).
class BackupError : public std::runtime_error {
public:
    explicit BackupError(const QString& reason)
        : std::runtime_error(reason.toStdString())
        , m_reason(reason) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// What a backup folder says of itself (`teran-backup.ini` beside `rd` and `files`).
struct BackupManifest {
    QString officeId;
    QDateTime made;
    qint64 listings = 0;
    int schemaVersion = 0;
    qint64 files = 0;
};

// Told the step in hand and how far it is; false cancels (nothing named as a backup is left).
using BackupProgress = std::function<bool(const QString& step, qint64 done, qint64 total)>;

// A backup of the office: one folder holding `rd/terandb.db` (the office database as one SQLite
// file, whichever store the office keeps it in), the other files of `rd`, the `files` folder and
// the manifest. The database is copied by the store's own consistent copy while other desks may
// write (never file by file), and the copy is checked before the folder gets its name: a folder
// named as a backup is always a whole one.
class OfficeBackup {
public:
    // `office`: the office database's address; `data`: the data folder with `rd` and `files`.
    OfficeBackup(StoreUrl office, DataFolder data, QString officeId);

    // Into `folder`, which must not exist or be empty. Throws BackupError.
    BackupManifest backupTo(const QString& folder, const BackupProgress& progress = {}) const;

    // The manifest of a whole, undamaged backup (the database's full integrity check, the file
    // count); throws
    // BackupError naming what is wrong. An `officeId` given must be the backup's.
    static BackupManifest check(const QString& folder, const QString& officeId = QString());

    static QString manifestFile() { return QStringLiteral("teran-backup.ini"); }

private:
    void copyDatabase(const QString& target) const;

    StoreUrl m_office;
    DataFolder m_data;
    QString m_officeId;
};

struct RestoreReport {
    BackupManifest restored;
    QString safetyCopy; // the office's data as it was, kept beside it
};

// Puts a backup in place of the office's data in `data` (an office database in its SQLite file):
// the backup is checked first (a damaged one, or another office's, is refused and nothing
// changes), the current data is backed up into `safetyFolder`, and the database file is swapped
// in one rename, so that a kill leaves the old database or the new one, never a mix. No desk may
// have the office database open meanwhile. Throws BackupError.
// Where a restore keeps the office as it was: `backup/before-restore-<time>` in the data folder,
// with "-2", "-3" … when a restore of the same second (one cut short, say) took the name.
QString safetyFolderFor(const DataFolder& data, const QDateTime& at);

RestoreReport restoreOffice(const QString& backup, const DataFolder& data, const QString& officeId,
                            const QString& safetyFolder, const BackupProgress& progress = {});

} // namespace teran
