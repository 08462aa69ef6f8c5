#pragma once

#include "OfficeBackup.h"

#include <QDate>
#include <QStringList>

namespace teran {

// The office's automatic backups in the data folder's backup area (`backup/`): one a day, made on
// the first close of the day or by a scheduled `teran-admin backup`, named `daily-YYYYMMDD`. The
// last 7 are kept, and of the older ones the newest of each of the 4 weeks before; the others are
// removed, and only after the new backup was made and checked.
class AutoBackup {
public:
    AutoBackup(OfficeBackup backup, QString area);

    // No backup of `day` yet.
    bool due(const QDate& day) const;
    // The backup of `day` (when due), then the old ones pruned. Returns the folder made, or an
    // empty text when one was there. Throws BackupError (and prunes nothing then).
    QString run(const QDate& day, const BackupProgress& progress = {});

    // The backups in the area, newest first, and those the rule keeps of them.
    QStringList backups() const;
    static QStringList kept(const QStringList& newestFirst);
    static QString nameOf(const QDate& day);

private:
    OfficeBackup m_backup;
    QString m_area;
};

} // namespace teran
