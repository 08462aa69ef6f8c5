#include "AutoBackup.h"

#include <QDir>
#include <QSet>

namespace teran {

namespace {

const QString kPrefix = QStringLiteral("daily-");
constexpr int kDaily = 7;
constexpr int kWeekly = 4;

QDate dayOf(const QString& name) {
    return QDate::fromString(name.mid(kPrefix.size()), QStringLiteral("yyyyMMdd"));
}

// The Monday that starts the week of `day`.
QDate weekOf(const QDate& day) {
    return day.addDays(1 - day.dayOfWeek());
}

} // namespace

AutoBackup::AutoBackup(OfficeBackup backup, QString area)
    : m_backup(std::move(backup))
    , m_area(std::move(area)) {}

QString AutoBackup::nameOf(const QDate& day) {
    return kPrefix + day.toString(QStringLiteral("yyyyMMdd"));
}

bool AutoBackup::due(const QDate& day) const {
    return !QDir(QDir(m_area).filePath(nameOf(day))).exists();
}

QStringList AutoBackup::backups() const {
    QStringList names;
    for (const QString& name :
         QDir(m_area).entryList({kPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot))
        if (dayOf(name).isValid())
            names << name;
    std::sort(names.begin(), names.end(), std::greater<>());
    return names;
}

QStringList AutoBackup::kept(const QStringList& newestFirst) {
    QStringList keep = newestFirst.mid(0, kDaily);
    QSet<QDate> weeks;
    for (const QString& name : keep)
        weeks.insert(weekOf(dayOf(name)));
    for (const QString& name : newestFirst.mid(kDaily)) {
        const QDate week = weekOf(dayOf(name));
        if (weeks.contains(week))
            continue; // a newer backup of its week is kept
        weeks.insert(week);
        keep << name;
        if (keep.size() - kDaily >= kWeekly)
            break;
    }
    return keep;
}

QString AutoBackup::run(const QDate& day, const BackupProgress& progress) {
    if (!due(day))
        return QString();
    QDir().mkpath(m_area);
    const QString folder = QDir(m_area).filePath(nameOf(day));
    m_backup.backupTo(folder, progress);
    const QStringList all = backups();
    const QStringList keep = kept(all);
    for (const QString& name : all)
        if (!keep.contains(name))
            QDir(QDir(m_area).filePath(name)).removeRecursively();
    return folder;
}

} // namespace teran
