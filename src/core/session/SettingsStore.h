#pragma once

#include "core/store/SqlStore.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace teran {

class Session;

// Default search region of one property type (or of "all"): preset into the region filters
// when a shared or club list opens.
struct RegionDefault {
    QString province; // 시/도
    QString district; // 시/군/구
    QString town;     // 읍/면/동

    bool isEmpty() const { return province.isEmpty() && district.isEmpty() && town.isEmpty(); }
    bool operator==(const RegionDefault&) const = default;
};

// The panel the main window starts with.
enum class StartPanel { Work1, Work2, Logo };

// Panels of the registration window: the right-hand one and the lower one.
enum class InsertRightPanel { Maedoin, Time, Filebox, Logo };
enum class InsertLowerPanel { Work1, Work2, Work3, Calendar, Sise1, Sise2, Logo };

// Which date of a listing the colour rule measures the age from.
enum class AgeDate {
    Changed,    // 수정일: `showday`
    Registered, // 등록일: `writeday`
};

// Rows of the own list that are at least `days` days old (by the chosen date) are drawn in
// the rule's colour, and bold when asked. Without a number of days nothing is marked.
struct ColorRule {
    AgeDate date = AgeDate::Changed;
    // The colour as a colour number: red + green * 256 + blue * 65536.
    std::optional<quint32> colorNumber;
    std::optional<int> days;
    bool bold = false;

    QString dateCaption() const; // "수정일" or "등록일"
    QString dateColumn() const;  // "showday" or "writeday"
    bool marks(const QDate& listingDate, const QDate& today) const;
    bool operator==(const ColorRule&) const = default;
};

// The functions of the backup menu that staff may use, each allowed by an "ok" mark.
enum class BackupAction { TextExport, TextImport, Backup };

struct BackupPermissions {
    bool textExport = false;
    bool textImport = false;
    bool backup = false;

    bool allows(BackupAction action) const;
};

// The settings table `mem_seting` of the ListingStore, one typed getter and setter per key.
// Program-wide rows are keyed by `seting`; per-user rows also by the user's LoginId in the
// column that key has always used. A missing row reads as the key's default; a row is created
// when first written and updated afterwards, so a key (and user) never gets a second row even
// with several desks writing at once. Store failures throw StoreError; writing a per-user key
// without a LoginId throws std::logic_error.
class SettingsStore {
public:
    explicit SettingsStore(SqlStore& store, QString loginId = {});
    // The settings in the session's office database: the office's, or the logged-in user's.
    static SettingsStore ofOffice(Session& session);
    static SettingsStore ofUser(Session& session);

    const QString& loginId() const { return m_loginId; }

    // "all" followed by the 19 property type codes.
    static QStringList regionKeys();
    static constexpr int kDefaultFontSize = 10;

    // Creates what every login expects: the `fontsize` row with "10" and one empty region row
    // per key of regionKeys(). Rows already there are left alone; returns the rows created.
    int ensureLoginDefaults();

    // --- program-wide ---
    RegionDefault regionDefault(const QString& key) const; // empty when the row is missing
    // The region a list of type tb opens with: the type's row, or the `apt` row without one.
    RegionDefault listRegion(const QString& tb) const;
    void setRegionDefault(const QString& key, const RegionDefault& region); // key of regionKeys()
    // Every region row set to the same region in one step (the settings window's reset).
    void setAllRegionDefaults(const RegionDefault& region);

    int fontSize() const; // kDefaultFontSize when missing or not a sensible size
    void setFontSize(int points);

    BackupPermissions backupPermissions() const;
    void setBackupAllowed(BackupAction action, bool allowed);

    // Whether the contract register has filled the lease dates of an older office database.
    bool leaseDatesFilled() const;
    void setLeaseDatesFilled();

    std::array<QString, 4> memPoint() const;
    void setMemPoint(const std::array<QString, 4>& values);

    // --- per user ---
    StartPanel startPanel() const; // Logo when missing or unknown
    // Where the user last left the frame window (Qt's saved geometry); empty the first time.
    QByteArray mainWindowGeometry() const;
    void setMainWindowGeometry(const QByteArray& geometry);

    void setStartPanel(StartPanel panel);
    bool listFixedPage() const; // chkGojung of the list window
    void setListFixedPage(bool fixed);
    // txtCount: 30 rows for a user who never set it, nullopt when it was left empty.
    std::optional<int> listPageSize() const;
    void setListPageSize(std::optional<int> rows);

    bool sharedListFixedPage() const; // chkGojung of the shared list window
    void setSharedListFixedPage(bool fixed);

    InsertRightPanel insertRightPanel() const; // Maedoin when missing or unknown
    void setInsertRightPanel(InsertRightPanel panel);
    InsertLowerPanel insertLowerPanel() const; // Work1 when missing or unknown
    void setInsertLowerPanel(InsertLowerPanel panel);

    ColorRule colorRule() const;
    void setColorRule(const ColorRule& rule);

    // How far (in percent, 0 to 50) a value may lie outside a buyer's range for a near fit.
    static constexpr int kDefaultMatchTolerance = 10;
    int matchTolerance() const; // kDefaultMatchTolerance when missing or out of range
    void setMatchTolerance(int percent);

    QString installedVersion() const; // empty when missing
    void setInstalledVersion(const QString& version);

private:
    // A row of the table: its key and, for per-user keys, the column holding the LoginId.
    struct RowKey {
        QString seting;
        int userColumn = 0; // 1..4, or 0 for a program-wide key
    };
    struct Assignment {
        int column; // 1..5
        QString value;
    };

    std::optional<std::array<QString, 5>> readRow(const RowKey& key) const;
    QString readValue(const RowKey& key, int column) const;
    // The stored value itself: null when there is no row or the column was never written.
    QVariant readStored(const RowKey& key, int column) const;
    void writeRow(const RowKey& key, const QList<Assignment>& values);
    void writeValue(const RowKey& key, int column, const QString& value);
    QString whereSql(const RowKey& key, QVariantList& values) const;

    SqlStore& m_store;
    QString m_loginId;
};

} // namespace teran
