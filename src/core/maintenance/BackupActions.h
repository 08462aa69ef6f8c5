#pragma once

#include "core/maintenance/ListingCsvImport.h"
#include "core/maintenance/ListingTextTransfer.h"
#include "core/maintenance/OfficeBackup.h"
#include "core/session/DataFolder.h"
#include "core/session/SettingsStore.h"

#include <QDate>
#include <QString>
#include <optional>

namespace teran {

class Session;

// The full backup and its restore as the tools menu runs them: the questions and answers of the
// office's dialogs around OfficeBackup. Paths are proposed in the user's documents folder.
class BackupActions {
public:
    explicit BackupActions(Session& session);

    // 데이터 백업: a checked backup of the office into a folder the user names. True when made.
    // `progress` is told each step of the copy in the user's words (false cancels: no backup is
    // left) and once more with an empty step when the copy is over, before the closing message.
    bool fullBackup(const BackupProgress& progress = {});
    // 데이터 복구: a backup folder the user picks put in place of the office's data, the data as
    // it was kept in the data folder's backup area. The office database is closed meanwhile and
    // opened again afterwards. True when restored. `progress` as for fullBackup: the copy of the
    // office as it was may be cancelled, and then nothing is replaced.
    bool restore(const BackupProgress& progress = {});
    // What a step of OfficeBackup is said as while it runs.
    static QString stepText(const QString& step);
    static QString backupTitle();  // "데이터 백업"
    static QString restoreTitle(); // "데이터 복구"

    // 텍스트 내보내기 (the window's 백업하기): the chosen listings into `path`, asked first. A
    // staff login exports only its own listings. True when written (the window closes then).
    bool exportText(listingText::ExportChoice choice, const QString& path);
    // 텍스트 가져오기: a file the user picks registered as new listings, all lines or none.
    bool importText();
    // The file to import: the text transfer format (.txt) or a spreadsheet's CSV (.csv), both
    // listed at first.
    QString chooseImportFile();
    static bool isSheetFile(const QString& path);
    // The header and first lines of a CSV file, with the proposed mapping; nullopt (said why)
    // when the file cannot be read as one.
    std::optional<listingCsv::Preview> previewSheet(const QString& path);
    // The chosen file registered, asked first; a CSV file with its columns read into the fields
    // of `mapping` (listingCsv::readListings). When some of its listings stand on a lot and unit
    // where the office holds listings, says how many and asks: all of them or none. True when
    // registered.
    bool importFile(const QString& path, const QStringList& mapping,
                    const listingText::Progress& progress = {});
    // The proposed export file ("TeranTextBackup_" and the time), in the documents folder.
    QString proposedTextFile() const;

    // The day's automatic backup into the data folder's backup area, on the first close of the
    // day; a failure is written to the daily log (the program is closing).
    void dailyBackup();
    static QString backupArea(const DataFolder& data);

    // The office's main account lets its staff run an action or not (the menu's check mark);
    // letting them asks first. Returns whether they may, as stored.
    bool allowStaff(BackupAction action, bool allowed);
    // What this login may run: the main account everything, staff what the office allows.
    BackupPermissions permissions();
    bool isMainAccount() const;

    // The folder name a backup of `day` is proposed under ("TeranBackup_YYYYMMDD").
    static QString proposedName(const QDate& day);

private:
    QString documents() const;

    Session& m_session;
};

} // namespace teran
