#include "OfficeBackup.h"

#include "OfficeCopy.h"
#include "core/store/SqlStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <atomic>
#include <cstdio>

namespace teran {

namespace {

const QString kDatabase = QStringLiteral("rd/terandb.db");

QString uniqueConnection(const QString& purpose) {
    static std::atomic<int> counter{0};
    return QStringLiteral("backup-%1-%2-%3")
        .arg(purpose)
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetch_add(1));
}

// The files below `root`, as paths relative to it; SQLite's own side files of a database are not
// data of their own.
QStringList filesBelow(const QString& root, const QStringList& leaveOut = {}) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString relative = base.relativeFilePath(it.next());
        if (!leaveOut.contains(relative))
            found << relative;
    }
    found.sort();
    return found;
}

const QStringList& databaseSideFiles() {
    static const QStringList names{QStringLiteral("terandb.db"), QStringLiteral("terandb.db-journal"),
                                   QStringLiteral("terandb.db-wal"), QStringLiteral("terandb.db-shm")};
    return names;
}

bool keepGoing(const BackupProgress& progress, const QString& step, qint64 done, qint64 total) {
    return !progress || progress(step, done, total);
}

void copyFiles(const QString& from, const QString& to, const QStringList& names, const QString& step,
               const BackupProgress& progress) {
    qint64 done = 0;
    for (const QString& name : names) {
        if (!keepGoing(progress, step, done, names.size()))
            throw BackupError(QStringLiteral("취소되었습니다."));
        const QString target = QDir(to).filePath(name);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        if (!QFile::copy(QDir(from).filePath(name), target))
            throw BackupError(QStringLiteral("파일을 복사하지 못했습니다: %1").arg(name));
        ++done;
    }
}

// A copy or a check reads every page once: the system's file cache serves that better than a
// large cache of the connection's own, which would only be allocated and filled to be dropped.
void keepPagesToTheSystem(SqlStore& store) {
    store.query(QStringLiteral("PRAGMA cache_size=-2048"));
}

// How deep SQLite checks a database file. `Pages` (quick_check) reads every page and every
// record: a copy torn, truncated or damaged on its way to the disk fails it. `Whole`
// (integrity_check) also matches every index against its table, several times the work of the
// copy itself; VACUUM INTO writes the indexes from the source's, so a fresh copy gets the pages
// check and a backup about to be restored gets the whole one.
enum class CheckDepth { Pages, Whole };

// The check of a database file by SQLite itself, with what the manifest tells of it.
BackupManifest examine(const QString& file, CheckDepth depth) {
    if (!QFileInfo(file).isFile())
        throw BackupError(QStringLiteral("백업에 사무실 자료(%1)가 없습니다.").arg(kDatabase));
    BackupManifest seen;
    SqlStore copy(uniqueConnection(QStringLiteral("check")));
    StoreUrl url = StoreUrl::sqliteFile(file);
    url.mustExist = true;
    try {
        copy.open(url);
        keepPagesToTheSystem(copy);
        const QString verdict =
            copy.scalar(depth == CheckDepth::Whole ? QStringLiteral("PRAGMA integrity_check")
                                                   : QStringLiteral("PRAGMA quick_check"))
                .toString();
        if (verdict != QLatin1String("ok"))
            throw BackupError(QStringLiteral("백업의 사무실 자료가 손상되었습니다 (%1).").arg(verdict));
        seen.listings = copy.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"), {}, 0).toLongLong();
        if (copy.hasTable(QStringLiteral("teran_schema")))
            seen.schemaVersion =
                copy.scalar(QStringLiteral("SELECT MAX(version) FROM teran_schema"), {}, 0).toInt();
    } catch (const StoreError& error) {
        throw BackupError(
            QStringLiteral("백업의 사무실 자료를 읽지 못했습니다 (%1).").arg(error.description()));
    }
    return seen;
}

void writeManifest(const QString& folder, const BackupManifest& m) {
    QSettings ini(QDir(folder).filePath(OfficeBackup::manifestFile()), QSettings::IniFormat);
    ini.setValue(QStringLiteral("backup/office"), m.officeId);
    ini.setValue(QStringLiteral("backup/made"), m.made.toString(Qt::ISODate));
    ini.setValue(QStringLiteral("backup/listings"), m.listings);
    ini.setValue(QStringLiteral("backup/schema"), m.schemaVersion);
    ini.setValue(QStringLiteral("backup/files"), m.files);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw BackupError(
            QStringLiteral("백업 목록(%1)을 쓰지 못했습니다.").arg(OfficeBackup::manifestFile()));
}

BackupManifest readManifest(const QString& folder) {
    const QString file = QDir(folder).filePath(OfficeBackup::manifestFile());
    if (!QFileInfo(file).isFile())
        throw BackupError(
            QStringLiteral("백업 폴더가 아닙니다 (%1 파일이 없습니다).").arg(OfficeBackup::manifestFile()));
    QSettings ini(file, QSettings::IniFormat);
    BackupManifest m;
    m.officeId = ini.value(QStringLiteral("backup/office")).toString();
    m.made = QDateTime::fromString(ini.value(QStringLiteral("backup/made")).toString(), Qt::ISODate);
    m.listings = ini.value(QStringLiteral("backup/listings"), -1).toLongLong();
    m.schemaVersion = ini.value(QStringLiteral("backup/schema")).toInt();
    m.files = ini.value(QStringLiteral("backup/files"), -1).toLongLong();
    return m;
}

// A sibling of `folder` to build in, so that only a finished backup ever carries the name.
QString partialOf(const QString& folder) {
    const QFileInfo info(folder);
    return QDir(info.absolutePath())
        .filePath(
            QStringLiteral(".%1.partial-%2").arg(info.fileName()).arg(QCoreApplication::applicationPid()));
}

void putInPlace(const QString& partial, const QString& folder) {
    QDir().rmdir(folder); // an empty folder the user chose
    if (!QDir().rename(partial, folder))
        throw BackupError(QStringLiteral("백업 폴더의 이름을 %1(으)로 바꾸지 못했습니다.").arg(folder));
}

} // namespace

OfficeBackup::OfficeBackup(StoreUrl office, DataFolder data, QString officeId)
    : m_office(std::move(office))
    , m_data(std::move(data))
    , m_officeId(std::move(officeId)) {}

// SQLite copies its file in one read transaction (VACUUM INTO): other desks keep writing and the
// copy holds a single moment. A MariaDB office is copied table by table the way an office moves
// between the two stores, into a SQLite file of the same shape.
void OfficeBackup::copyDatabase(const QString& target) const {
    SqlStore source(uniqueConnection(QStringLiteral("source")));
    StoreUrl url = m_office;
    url.mustExist = true;
    try {
        source.open(url);
        if (source.backend() == SqlBackend::Sqlite) {
            keepPagesToTheSystem(source);
            source.query(QStringLiteral("VACUUM INTO ?"), {target});
            return;
        }
        SqlStore copy(uniqueConnection(QStringLiteral("target")));
        copy.open(StoreUrl::sqliteFile(target));
        copyOffice(source, copy);
    } catch (const StoreError& error) {
        throw BackupError(QStringLiteral("사무실 자료를 복사하지 못했습니다 (%1).").arg(error.description()));
    }
}

BackupManifest OfficeBackup::backupTo(const QString& folder, const BackupProgress& progress) const {
    const QDir chosen(folder);
    if (chosen.exists() && !chosen.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        throw BackupError(QStringLiteral("백업할 폴더가 비어 있지 않습니다: %1").arg(folder));
    const QString partial = partialOf(folder);
    QDir(partial).removeRecursively();
    if (!QDir().mkpath(QDir(partial).filePath(QStringLiteral("rd"))))
        throw BackupError(QStringLiteral("백업 폴더를 만들지 못했습니다: %1").arg(folder));
    try {
        if (!keepGoing(progress, QStringLiteral("사무실 자료"), 0, 1))
            throw BackupError(QStringLiteral("취소되었습니다."));
        copyDatabase(QDir(partial).filePath(kDatabase));
        BackupManifest manifest = examine(QDir(partial).filePath(kDatabase), CheckDepth::Pages);
        const QStringList rdFiles = filesBelow(m_data.rd(), databaseSideFiles());
        copyFiles(m_data.rd(), QDir(partial).filePath(QStringLiteral("rd")), rdFiles, QStringLiteral("rd"),
                  progress);
        const QStringList pictures = filesBelow(m_data.files());
        QDir().mkpath(QDir(partial).filePath(QStringLiteral("files")));
        copyFiles(m_data.files(), QDir(partial).filePath(QStringLiteral("files")), pictures,
                  QStringLiteral("files"), progress);
        manifest.officeId = m_officeId;
        manifest.made = QDateTime::currentDateTime();
        manifest.files = rdFiles.size() + pictures.size();
        writeManifest(partial, manifest);
        putInPlace(partial, folder);
        return manifest;
    } catch (...) {
        QDir(partial).removeRecursively();
        throw;
    }
}

BackupManifest OfficeBackup::check(const QString& folder, const QString& officeId) {
    const BackupManifest told = readManifest(folder);
    if (!officeId.isEmpty() && told.officeId != officeId)
        throw BackupError(QStringLiteral("다른 사무실(%1)의 백업입니다.").arg(told.officeId));
    const BackupManifest seen = examine(QDir(folder).filePath(kDatabase), CheckDepth::Whole);
    if (seen.listings != told.listings)
        throw BackupError(QStringLiteral("백업의 매물 수가 맞지 않습니다 (목록 %1건, 자료 %2건).")
                              .arg(told.listings)
                              .arg(seen.listings));
    const qint64 files = filesBelow(QDir(folder).filePath(QStringLiteral("rd")), databaseSideFiles()).size() +
                         filesBelow(QDir(folder).filePath(QStringLiteral("files"))).size();
    if (files != told.files)
        throw BackupError(QStringLiteral("백업의 파일 수가 맞지 않습니다 (목록 %1개, 폴더 %2개).")
                              .arg(told.files)
                              .arg(files));
    return told;
}

QString safetyFolderFor(const DataFolder& data, const QDateTime& at) {
    const QString base =
        data.path(QStringLiteral("backup/before-restore-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + QStringLiteral("-%1").arg(n);
    return folder;
}

RestoreReport restoreOffice(const QString& backup, const DataFolder& data, const QString& officeId,
                            const QString& safetyFolder, const BackupProgress& progress) {
    RestoreReport report;
    report.restored = OfficeBackup::check(backup, officeId);
    // The office as it is now, whole, before anything of it is replaced. Opening the database
    // also rolls back a journal a killed desk left, so that no old journal meets the new file.
    OfficeBackup(StoreUrl::sqliteFile(data.listingStoreFile()), data, officeId)
        .backupTo(safetyFolder, progress);
    report.safetyCopy = safetyFolder;

    const QString incoming = data.listingStoreFile() + QStringLiteral(".restoring");
    QFile::remove(incoming);
    if (!QFile::copy(QDir(backup).filePath(kDatabase), incoming))
        throw BackupError(QStringLiteral("백업의 사무실 자료를 가져오지 못했습니다."));
    // The old file stays locked until the new one has its name: a desk still working on it
    // waits, then finds the file replaced and is refused its write instead of losing it.
    SqlStore lock(uniqueConnection(QStringLiteral("restore-lock")));
    try {
        StoreUrl url = StoreUrl::sqliteFile(data.listingStoreFile());
        url.mustExist = true;
        lock.open(url);
        lock.query(QStringLiteral("BEGIN EXCLUSIVE"));
    } catch (const StoreError& error) {
        QFile::remove(incoming);
        throw BackupError(QStringLiteral("다른 자리가 사무실 자료를 쓰고 있어 복구하지 못했습니다 (%1).")
                              .arg(error.description()));
    }
    // One rename replaces the file: a kill leaves the old database or the new one.
    if (std::rename(QFile::encodeName(incoming).constData(),
                    QFile::encodeName(data.listingStoreFile()).constData()) != 0) {
        QFile::remove(incoming);
        throw BackupError(QStringLiteral("사무실 자료를 바꾸지 못했습니다."));
    }
    lock.close();
    for (const QString& side : databaseSideFiles().mid(1))
        QFile::remove(QDir(data.rd()).filePath(side));

    const QString rd = QDir(backup).filePath(QStringLiteral("rd"));
    copyFiles(rd, data.rd(), filesBelow(rd, databaseSideFiles()), QStringLiteral("rd"), {});
    // The pictures as the backup has them: the folder is built beside the current one and takes
    // its place, and the old one is in the safety copy.
    const QString pictures = QDir(backup).filePath(QStringLiteral("files"));
    const QString current = QDir::cleanPath(data.files());
    const QString incomingFiles = current + QStringLiteral(".restoring");
    QDir(incomingFiles).removeRecursively();
    QDir().mkpath(incomingFiles);
    copyFiles(pictures, incomingFiles, filesBelow(pictures), QStringLiteral("files"), {});
    QDir(current).removeRecursively();
    if (!QDir().rename(incomingFiles, current))
        throw BackupError(QStringLiteral("사진 폴더를 바꾸지 못했습니다 (%1).").arg(incomingFiles));
    return report;
}

} // namespace teran
