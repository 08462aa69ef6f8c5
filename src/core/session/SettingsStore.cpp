#include "SettingsStore.h"

#include "core/session/Session.h"

#include <algorithm>

#include "core/listing/PropertyTypes.h"

#include <stdexcept>

namespace teran {

namespace {

constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 72;

const QString kAll = QStringLiteral("all");
const QString kApt = QStringLiteral("apt");

QString setColumn(int column) {
    return QStringLiteral("set%1").arg(column);
}

// A positive whole number typed by a user ("15", " 15 "); nullopt for anything else.
std::optional<int> positiveNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value <= 0)
        return std::nullopt;
    return value;
}

// Values are stored as text, never as NULL, so that other readers of the table see "" too.
QVariant stored(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool isFlagOn(const QString& text) {
    return text.trimmed() == QLatin1String("1");
}

// Names of an enum's values as they are stored, in the enum's order.
template <typename E> struct Names;

template <> struct Names<StartPanel> {
    static QStringList all() {
        return {QStringLiteral("work1"), QStringLiteral("work2"), QStringLiteral("logo")};
    }
};

template <> struct Names<InsertRightPanel> {
    static QStringList all() {
        return {QStringLiteral("maedoin"), QStringLiteral("time"), QStringLiteral("filebox"),
                QStringLiteral("logo")};
    }
};

template <> struct Names<InsertLowerPanel> {
    static QStringList all() {
        return {QStringLiteral("work1"),    QStringLiteral("work2"), QStringLiteral("work3"),
                QStringLiteral("calendar"), QStringLiteral("sise1"), QStringLiteral("sise2"),
                QStringLiteral("logo")};
    }
};

template <typename E> QString nameOf(E value) {
    return Names<E>::all().at(static_cast<int>(value));
}

template <typename E> E valueOf(const QString& stored, E otherwise) {
    const qsizetype i = Names<E>::all().indexOf(stored.trimmed());
    return i < 0 ? otherwise : static_cast<E>(i);
}

int backupColumn(BackupAction action) {
    switch (action) {
    case BackupAction::TextExport:
        return 1;
    case BackupAction::TextImport:
        return 2;
    case BackupAction::Backup:
        return 3;
    }
    return 3;
}

const QString kChangedCaption = QStringLiteral("수정일");
const QString kRegisteredCaption = QStringLiteral("등록일");

} // namespace

// --- ColorRule, BackupPermissions -------------------------------------------------------------

QString ColorRule::dateCaption() const {
    return date == AgeDate::Registered ? kRegisteredCaption : kChangedCaption;
}

QString ColorRule::dateColumn() const {
    return date == AgeDate::Registered ? QStringLiteral("writeday") : QStringLiteral("showday");
}

bool ColorRule::marks(const QDate& listingDate, const QDate& today) const {
    if (!days || !listingDate.isValid() || !today.isValid())
        return false;
    return listingDate.daysTo(today) >= *days;
}

bool BackupPermissions::allows(BackupAction action) const {
    switch (action) {
    case BackupAction::TextExport:
        return textExport;
    case BackupAction::TextImport:
        return textImport;
    case BackupAction::Backup:
        return backup;
    }
    return false;
}

// --- the table ------------------------------------------------------------------------------

SettingsStore::SettingsStore(SqlStore& store, QString loginId)
    : m_store(store)
    , m_loginId(std::move(loginId)) {}

SettingsStore SettingsStore::ofOffice(Session& session) {
    return SettingsStore(session.listingStore());
}

SettingsStore SettingsStore::ofUser(Session& session) {
    return SettingsStore(session.listingStore(), session.state().LoginId);
}

QStringList SettingsStore::regionKeys() {
    return QStringList{kAll} + propertyTypeCodes();
}

QString SettingsStore::whereSql(const RowKey& key, QVariantList& values) const {
    values << key.seting;
    if (key.userColumn == 0)
        return QStringLiteral(" WHERE seting = ?");
    values << m_loginId;
    return QStringLiteral(" WHERE seting = ? AND %1 = ?").arg(setColumn(key.userColumn));
}

std::optional<std::array<QString, 5>> SettingsStore::readRow(const RowKey& key) const {
    if (key.userColumn != 0 && m_loginId.isEmpty())
        return std::nullopt;
    QVariantList values;
    const QString sql = QStringLiteral("SELECT set1, set2, set3, set4, set5 FROM mem_seting") +
                        whereSql(key, values) + QStringLiteral(" ORDER BY table_idx");
    QSqlQuery q = m_store.query(sql, values);
    if (!q.next())
        return std::nullopt;
    std::array<QString, 5> row;
    for (int i = 0; i < 5; ++i)
        row[i] = q.value(i).toString(); // a null reads as empty text
    return row;
}

QVariant SettingsStore::readStored(const RowKey& key, int column) const {
    if (key.userColumn != 0 && m_loginId.isEmpty())
        return {};
    QVariantList values;
    QSqlQuery q =
        m_store.query(QStringLiteral("SELECT ") + setColumn(column) + QStringLiteral(" FROM mem_seting") +
                          whereSql(key, values) + QStringLiteral(" ORDER BY table_idx"),
                      values);
    return q.next() ? q.value(0) : QVariant();
}

QString SettingsStore::readValue(const RowKey& key, int column) const {
    const auto row = readRow(key);
    return row ? (*row)[column - 1] : QString();
}

// Update first and insert only when no row matched: on SQLite the update already holds the
// write lock, on MariaDB it locks the key's range, so two desks cannot both add the row. The
// count is needed because MariaDB reports an update that changes nothing as zero rows.
void SettingsStore::writeRow(const RowKey& key, const QList<Assignment>& assignments) {
    if (key.userColumn != 0 && m_loginId.isEmpty())
        throw std::logic_error("per-user setting written without a LoginId");
    // A window writes its settings again on every focus change and search; a value that is
    // already stored costs a read instead of a synced commit.
    if (const auto row = readRow(key)) {
        const bool same = std::all_of(assignments.begin(), assignments.end(),
                                      [&](const Assignment& a) { return (*row)[a.column - 1] == a.value; });
        if (same)
            return;
    }
    QStringList sets;
    QVariantList values;
    for (const Assignment& a : assignments) {
        sets << setColumn(a.column) + QStringLiteral(" = ?");
        values << stored(a.value);
    }
    const QString where = whereSql(key, values);

    Transaction tx(m_store);
    if (m_store.execute(QStringLiteral("UPDATE mem_seting SET ") + sets.join(QStringLiteral(", ")) + where,
                        values) == 0) {
        QVariantList keyValues;
        const QString keyWhere = whereSql(key, keyValues);
        if (m_store.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_seting") + keyWhere, keyValues).toInt() ==
            0) {
            QStringList columns{QStringLiteral("seting")};
            QVariantList inserted{key.seting};
            if (key.userColumn != 0) {
                columns << setColumn(key.userColumn);
                inserted << m_loginId;
            }
            for (const Assignment& a : assignments) {
                columns << setColumn(a.column);
                inserted << stored(a.value);
            }
            m_store.execute(QStringLiteral("INSERT INTO mem_seting(%1) VALUES(%2)")
                                .arg(columns.join(QLatin1Char(',')), SqlStore::placeholders(columns.size())),
                            inserted);
        }
    }
    tx.commit();
}

void SettingsStore::writeValue(const RowKey& key, int column, const QString& value) {
    writeRow(key, {{column, value}});
}

int SettingsStore::ensureLoginDefaults() {
    int created = 0;
    Transaction tx(m_store);
    const auto addWhenMissing = [&](const QString& key, const QString& set1) {
        if (m_store.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_seting WHERE seting = ?"), {key})
                .toInt() > 0)
            return;
        m_store.execute(QStringLiteral("INSERT INTO mem_seting(seting, set1, set2, set3) VALUES(?,?,?,?)"),
                        {key, stored(set1), stored({}), stored({})});
        ++created;
    };
    addWhenMissing(QStringLiteral("fontsize"), QString::number(kDefaultFontSize));
    for (const QString& key : regionKeys())
        addWhenMissing(key, QString());
    tx.commit();
    return created;
}

// --- program-wide keys ------------------------------------------------------------------------

RegionDefault SettingsStore::regionDefault(const QString& key) const {
    const auto row = readRow({key});
    if (!row)
        return {};
    return {(*row)[0], (*row)[1], (*row)[2]};
}

RegionDefault SettingsStore::listRegion(const QString& tb) const {
    if (!tb.isEmpty() && readRow({tb}))
        return regionDefault(tb);
    return regionDefault(kApt);
}

void SettingsStore::setRegionDefault(const QString& key, const RegionDefault& region) {
    if (!regionKeys().contains(key))
        throw std::invalid_argument("not a region key: " + key.toStdString());
    writeRow({key}, {{1, region.province}, {2, region.district}, {3, region.town}});
}

void SettingsStore::setAllRegionDefaults(const RegionDefault& region) {
    Transaction tx(m_store);
    for (const QString& key : regionKeys()) {
        // replacing the rows also clears the doubles an older program may have left
        m_store.execute(QStringLiteral("DELETE FROM mem_seting WHERE seting = ?"), {key});
        m_store.execute(QStringLiteral("INSERT INTO mem_seting(seting, set1, set2, set3) VALUES(?,?,?,?)"),
                        {key, stored(region.province), stored(region.district), stored(region.town)});
    }
    tx.commit();
}

int SettingsStore::fontSize() const {
    const auto size = positiveNumber(readValue({QStringLiteral("fontsize")}, 1));
    if (!size || *size < kMinFontSize || *size > kMaxFontSize)
        return kDefaultFontSize;
    return *size;
}

void SettingsStore::setFontSize(int points) {
    if (points < kMinFontSize || points > kMaxFontSize)
        throw std::invalid_argument("font size out of range");
    writeValue({QStringLiteral("fontsize")}, 1, QString::number(points));
}

BackupPermissions SettingsStore::backupPermissions() const {
    const auto row = readRow({QStringLiteral("DataBackup")});
    if (!row)
        return {};
    const auto ok = [](const QString& mark) { return mark.trimmed() == QLatin1String("ok"); };
    return {ok((*row)[0]), ok((*row)[1]), ok((*row)[2])};
}

void SettingsStore::setBackupAllowed(BackupAction action, bool allowed) {
    writeValue({QStringLiteral("DataBackup")}, backupColumn(action),
               allowed ? QStringLiteral("ok") : QString());
}

std::array<QString, 4> SettingsStore::memPoint() const {
    const auto row = readRow({QStringLiteral("mem_point")});
    if (!row)
        return {};
    return {(*row)[0], (*row)[1], (*row)[2], (*row)[3]};
}

void SettingsStore::setMemPoint(const std::array<QString, 4>& values) {
    writeRow({QStringLiteral("mem_point")}, {{1, values[0]}, {2, values[1]}, {3, values[2]}, {4, values[3]}});
}

// --- per-user keys ----------------------------------------------------------------------------

namespace {
const QString kFrmList = QStringLiteral("frmList");
const QString kFrmListie = QStringLiteral("frmListie");
const QString kFrmInsert = QStringLiteral("frmInsert");
const QString kColor = QStringLiteral("frmList_Color");
const QString kVersion = QStringLiteral("version");
const QString kFrmMatch = QStringLiteral("frmMatch");
constexpr int kMaxMatchTolerance = 50;
} // namespace

QByteArray SettingsStore::mainWindowGeometry() const {
    return QByteArray::fromBase64(readValue({QStringLiteral("frmMainGeometry"), 3}, 1).toLatin1());
}

void SettingsStore::setMainWindowGeometry(const QByteArray& geometry) {
    writeValue({QStringLiteral("frmMainGeometry"), 3}, 1, QString::fromLatin1(geometry.toBase64()));
}

StartPanel SettingsStore::startPanel() const {
    return valueOf(readValue({kFrmList, 4}, 1), StartPanel::Logo);
}

void SettingsStore::setStartPanel(StartPanel panel) {
    writeValue({kFrmList, 4}, 1, nameOf(panel));
}

bool SettingsStore::listFixedPage() const {
    return isFlagOn(readValue({kFrmList, 4}, 2));
}

void SettingsStore::setListFixedPage(bool fixed) {
    writeValue({kFrmList, 4}, 2, flagText(fixed));
}

std::optional<int> SettingsStore::listPageSize() const {
    constexpr int kFirstPageSize = 30; // a screenful, until the user chooses
    const QVariant stored = readStored({kFrmList, 4}, 3);
    return stored.isNull() ? std::optional<int>(kFirstPageSize) : positiveNumber(stored.toString());
}

void SettingsStore::setListPageSize(std::optional<int> rows) {
    const bool valid = rows && *rows > 0;
    writeValue({kFrmList, 4}, 3, valid ? QString::number(*rows) : QString());
}

bool SettingsStore::leaseDatesFilled() const {
    return readValue({QStringLiteral("lease_dates")}, 1) == QLatin1String("1");
}

void SettingsStore::setLeaseDatesFilled() {
    writeValue({QStringLiteral("lease_dates")}, 1, QStringLiteral("1"));
}

int SettingsStore::matchTolerance() const {
    bool ok = false;
    const int percent = readValue({kFrmMatch, 4}, 1).trimmed().toInt(&ok);
    return ok && percent >= 0 && percent <= kMaxMatchTolerance ? percent : kDefaultMatchTolerance;
}

void SettingsStore::setMatchTolerance(int percent) {
    writeValue({kFrmMatch, 4}, 1, QString::number(qBound(0, percent, kMaxMatchTolerance)));
}

bool SettingsStore::sharedListFixedPage() const {
    return isFlagOn(readValue({kFrmListie, 4}, 2));
}

void SettingsStore::setSharedListFixedPage(bool fixed) {
    writeValue({kFrmListie, 4}, 2, flagText(fixed));
}

InsertRightPanel SettingsStore::insertRightPanel() const {
    return valueOf(readValue({kFrmInsert, 3}, 1), InsertRightPanel::Maedoin);
}

void SettingsStore::setInsertRightPanel(InsertRightPanel panel) {
    writeValue({kFrmInsert, 3}, 1, nameOf(panel));
}

InsertLowerPanel SettingsStore::insertLowerPanel() const {
    return valueOf(readValue({kFrmInsert, 3}, 2), InsertLowerPanel::Work1);
}

void SettingsStore::setInsertLowerPanel(InsertLowerPanel panel) {
    writeValue({kFrmInsert, 3}, 2, nameOf(panel));
}

ColorRule SettingsStore::colorRule() const {
    const auto row = readRow({kColor, 1});
    ColorRule rule;
    if (!row)
        return rule;
    rule.date = (*row)[1].trimmed() == kRegisteredCaption ? AgeDate::Registered : AgeDate::Changed;
    bool ok = false;
    const quint32 color = (*row)[2].trimmed().toUInt(&ok);
    if (ok && color <= 0xFFFFFF)
        rule.colorNumber = color;
    bool daysOk = false;
    const int days = (*row)[3].trimmed().toInt(&daysOk);
    if (daysOk && days >= 0)
        rule.days = days;
    rule.bold = (*row)[4].trimmed() == QLatin1String("T");
    return rule;
}

void SettingsStore::setColorRule(const ColorRule& rule) {
    const QString empty;
    const bool daysValid = rule.days && *rule.days >= 0;
    const bool colorValid = rule.colorNumber && *rule.colorNumber <= 0xFFFFFF;
    writeRow({kColor, 1}, {
                              {2, rule.dateCaption()},
                              {3, colorValid ? QString::number(*rule.colorNumber) : empty},
                              {4, daysValid ? QString::number(*rule.days) : empty},
                              {5, rule.bold ? QStringLiteral("T") : QStringLiteral("F")},
                          });
}

QString SettingsStore::installedVersion() const {
    return readValue({kVersion, 2}, 1);
}

void SettingsStore::setInstalledVersion(const QString& version) {
    writeValue({kVersion, 2}, 1, version);
}

} // namespace teran
