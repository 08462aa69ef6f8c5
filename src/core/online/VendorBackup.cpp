#include "VendorBackup.h"

#include "core/online/MariaDbClient.h"
#include "core/online/SecuredServer.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace teran {

namespace {

const QString kDump = QStringLiteral("dump.sql");
const QString kAccounts = QStringLiteral("accounts.sql");
const QString kPictures = QStringLiteral("pictures");

// The tables whose rows the manifest counts: what an office would miss first.
const QStringList kCountedTables = {QStringLiteral("maemul"),        QStringLiteral("members"),
                                    QStringLiteral("mem_cash"),      QStringLiteral("mem_paper"),
                                    QStringLiteral("filebox"),       QStringLiteral("teranclub"),
                                    QStringLiteral("teranclub_mem"), QStringLiteral("sms_account")};

QString quoted(const QString& name) {
    return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QStringLiteral("``")) +
           QLatin1Char('`');
}

QString accountOf(const QString& name) {
    return quoted(name) + QStringLiteral("@'%'");
}

StoreUrl withDatabase(StoreUrl url, const QString& database) {
    url.database = database;
    return url;
}

// Statements MariaDB does not take prepared (SHOW CREATE USER, the account statements of a
// backup) run as plain text; their rows come back as text.
QStringList plainRows(SqlStore& store, const QString& sql) {
    QSqlQuery q(store.database());
    if (!q.exec(sql))
        throw StoreError(q.lastError().databaseText(), QStringLiteral("VendorBackup"), sql);
    QStringList rows;
    while (q.next())
        rows << q.value(0).toString();
    return rows;
}

QSet<QString> accountsOnServer(SqlStore& admin) {
    QSqlQuery q = admin.query(QStringLiteral("SELECT User FROM mysql.global_priv WHERE Host = '%'"));
    QSet<QString> names;
    while (q.next())
        names.insert(q.value(0).toString());
    return names;
}

// The members that are MariaDB accounts, and the SMS gateway's account when there is one.
QStringList accountsToKeep(SqlStore& admin, const QString& dataDatabase, const QString& gateway) {
    const QSet<QString> existing = accountsOnServer(admin);
    QSqlQuery q = admin.query(QStringLiteral("SELECT memID FROM %1.members WHERE memType IN ('A','B','X') "
                                             "ORDER BY mem_idx")
                                  .arg(quoted(dataDatabase)));
    QStringList names;
    while (q.next()) {
        const QString id = q.value(0).toString();
        if (isAccountName(id) && existing.contains(id) && !names.contains(id))
            names << id;
    }
    if (existing.contains(gateway))
        names << gateway;
    return names;
}

void writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write((lines.join(QStringLiteral(";\n")) + QStringLiteral(";\n")).toUtf8()) < 0 || !file.flush())
        throw VendorBackupError(QStringLiteral("파일을 쓸 수 없습니다: ") + path);
}

// CREATE USER with the password's hash, then the grants (the role, its default, the gateway's
// tables), one statement a line.
QStringList accountStatements(SqlStore& admin, const QStringList& names) {
    QStringList lines;
    for (const QString& name : names) {
        lines << plainRows(admin, QStringLiteral("SHOW CREATE USER ") + accountOf(name));
        lines << plainRows(admin, QStringLiteral("SHOW GRANTS FOR ") + accountOf(name));
    }
    for (QString& line : lines)
        line = line.simplified();
    return lines;
}

QMap<QString, qint64> countRows(SqlStore& admin, const QString& dataDatabase, qint64& cashTotal) {
    QMap<QString, qint64> counts;
    for (const QString& table : kCountedTables) {
        const bool present =
            admin
                .scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE "
                                       "TABLE_SCHEMA = ? AND TABLE_NAME = ?"),
                        {dataDatabase, table}, 0)
                .toInt() > 0;
        if (present)
            counts.insert(
                table,
                admin
                    .scalar(
                        QStringLiteral("SELECT COUNT(*) FROM %1.%2").arg(quoted(dataDatabase), quoted(table)))
                    .toLongLong());
    }
    cashTotal =
        admin
            .scalar(
                QStringLiteral("SELECT COALESCE(SUM(`Money`), 0) FROM %1.mem_cash").arg(quoted(dataDatabase)))
            .toLongLong();
    return counts;
}

// The counts in a snapshot of their own, with the binary log's position of that snapshot: when
// it is the dump's too, nothing was committed in between and the counts are the dump's exactly.
QMap<QString, qint64> countInSnapshot(SqlStore& admin, VendorManifest& m, QString& atFile,
                                      qint64& atPosition) {
    plainRows(admin, QStringLiteral("START TRANSACTION WITH CONSISTENT SNAPSHOT"));
    QMap<QString, qint64> counts;
    try {
        counts = countRows(admin, m.dataDatabase, m.cashTotal);
        QSqlQuery status(admin.database());
        if (status.exec(QStringLiteral("SHOW STATUS LIKE 'binlog_snapshot_%'")))
            while (status.next()) {
                if (status.value(0).toString() == QLatin1String("Binlog_snapshot_file"))
                    atFile = status.value(1).toString();
                else if (status.value(0).toString() == QLatin1String("Binlog_snapshot_position"))
                    atPosition = status.value(1).toLongLong();
            }
    } catch (...) {
        plainRows(admin, QStringLiteral("ROLLBACK"));
        throw;
    }
    plainRows(admin, QStringLiteral("COMMIT"));
    return counts;
}

// The binary log's position of the dump's snapshot, from the comment that --master-data=2 writes
// near the dump's head.
void readBinlogPosition(const QString& dumpFile, VendorManifest& m) {
    static const QRegularExpression position(
        QStringLiteral("CHANGE MASTER TO MASTER_LOG_FILE='([^']+)', MASTER_LOG_POS=(\\d+)"));
    QFile file(dumpFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (int i = 0; i < 200 && !file.atEnd(); ++i) {
        const QRegularExpressionMatch found = position.match(QString::fromUtf8(file.readLine()));
        if (found.hasMatch()) {
            m.binlogFile = found.captured(1);
            m.binlogPosition = found.captured(2).toLongLong();
            return;
        }
    }
}

void makeEmptyFolder(const QString& folder) {
    QDir dir(folder);
    if (dir.exists() && !dir.isEmpty())
        throw VendorBackupError(QStringLiteral("백업할 폴더가 비어있지 않습니다: ") + folder);
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        throw VendorBackupError(QStringLiteral("백업할 폴더를 만들 수 없습니다: ") + folder);
}

// Every file under `from`, by its path below it.
QStringList filesUnder(const QString& from) {
    QStringList paths;
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << QDir(from).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

void copyFile(const QString& from, const QString& to, bool replace) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (replace && QFile::exists(to))
        QFile::remove(to);
    if (!QFile::copy(from, to))
        throw VendorBackupError(QStringLiteral("사진 파일을 복사할 수 없습니다: %1 -> %2").arg(from, to));
}

QList<BackupFile> copyPictures(const QString& pictures, const QString& backupFolder) {
    QList<BackupFile> files;
    if (pictures.isEmpty())
        return files;
    if (!QDir(pictures).exists())
        throw VendorBackupError(QStringLiteral("사진 폴더가 없습니다: ") + pictures);
    for (const QString& path : filesUnder(pictures)) {
        const QString inBackup = kPictures + QLatin1Char('/') + path;
        copyFile(QDir(pictures).filePath(path), QDir(backupFolder).filePath(inBackup), false);
        files << describeFile(backupFolder, inBackup);
    }
    return files;
}

// dump.sql: the tables' database in one snapshot, with the binary log's position of it when the
// server keeps a log.
void dumpTables(const MariaDbClient& client, SqlStore& admin, const QString& outFolder, VendorManifest& m) {
    const bool binlog = admin.scalar(QStringLiteral("SELECT @@log_bin")).toInt() == 1;
    QStringList arguments = {QStringLiteral("--single-transaction"), QStringLiteral("--quick"),
                             QStringLiteral("--hex-blob"),           QStringLiteral("--triggers"),
                             QStringLiteral("--skip-routines"),      QStringLiteral("--skip-events")};
    if (binlog)
        arguments << QStringLiteral("--master-data=2");
    arguments << m.dataDatabase;
    const QString dumpFile = QDir(outFolder).filePath(kDump);
    client.dump(arguments, dumpFile);
    QFile::setPermissions(dumpFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    readBinlogPosition(dumpFile, m);
}

} // namespace

VendorManifest backupVendorServer(const StoreUrl& adminUrl, const QString& outFolder,
                                  const QString& picturesFolder) {
    const MariaDbClient client(adminUrl);
    SqlStore admin(QStringLiteral("vendor-backup"));
    admin.open(adminUrl);
    VendorManifest m;
    m.made = QDateTime::currentDateTimeUtc();
    m.server = adminUrl.display();
    m.database = adminUrl.database;
    m.dataDatabase = SecuredServer::dataDatabaseOf(adminUrl.database);
    const bool secured =
        admin
            .scalar(
                QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = ? AND "
                               "TABLE_NAME = 'members' AND TABLE_TYPE = 'BASE TABLE'"),
                {m.dataDatabase}, 0)
            .toInt() > 0;
    if (!secured)
        throw VendorBackupError(
            QStringLiteral("%1은(는) 업체 서버가 아닙니다 (init-server 전).").arg(m.server));
    m.serverVersion = admin.scalar(QStringLiteral("SELECT VERSION()")).toString();
    makeEmptyFolder(outFolder);
    QString countedFile;
    qint64 countedPosition = -1;
    m.counts = countInSnapshot(admin, m, countedFile, countedPosition);

    dumpTables(client, admin, outFolder, m);
    m.countsExact =
        !m.binlogFile.isEmpty() && countedFile == m.binlogFile && countedPosition == m.binlogPosition;

    m.accounts = accountsToKeep(admin, m.dataDatabase, SecuredServer::gatewayAccountOf(adminUrl.database));
    writeLines(QDir(outFolder).filePath(kAccounts), accountStatements(admin, m.accounts));
    m.counts.insert(QStringLiteral("accounts"), m.accounts.size());

    m.files << describeFile(outFolder, kDump) << describeFile(outFolder, kAccounts);
    const QList<BackupFile> pictures = copyPictures(picturesFolder, outFolder);
    m.files << pictures;
    m.counts.insert(QStringLiteral("pictures"), pictures.size());
    m.write(outFolder);
    return m;
}

namespace {

// The triggers of the dump name the account that made them as their definer; on the new server
// they belong to the account that restores them, which exists there.
QString withoutDefiner(const QString& line) {
    static const QRegularExpression definer(QStringLiteral("/\\*!50017 DEFINER=`[^`]*`@`[^`]*`\\*/ ?"));
    if (!line.contains(QLatin1String("DEFINER=")))
        return line;
    return QString(line).remove(definer);
}

void writeFilteredDump(const QString& from, const QString& to) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        throw VendorBackupError(QStringLiteral("복구할 자료를 준비할 수 없습니다: ") + to);
    while (!in.atEnd()) {
        const QByteArray line = in.readLine();
        const bool plain = !line.contains("DEFINER=");
        if (out.write(plain ? line : withoutDefiner(QString::fromUtf8(line)).toUtf8()) < 0)
            throw VendorBackupError(QStringLiteral("복구할 자료를 준비할 수 없습니다: ") + to);
    }
}

// Only account statements come from accounts.sql, whatever the file says.
bool isAccountStatement(const QString& line) {
    return line.startsWith(QLatin1String("CREATE USER ")) || line.startsWith(QLatin1String("GRANT ")) ||
           line.startsWith(QLatin1String("SET DEFAULT ROLE "));
}

QStringList accountLines(const QString& folder) {
    QFile file(QDir(folder).filePath(kAccounts));
    if (!file.open(QIODevice::ReadOnly))
        throw VendorBackupError(QStringLiteral("파일을 읽을 수 없습니다: ") + file.fileName());
    QStringList lines;
    for (const QString& raw :
         QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QString line = raw.trimmed();
        if (line.endsWith(QLatin1Char(';')))
            line.chop(1);
        if (!isAccountStatement(line))
            throw VendorBackupError(
                QStringLiteral("백업이 손상되었습니다: %1에 계정 문장이 아닌 줄이 있습니다").arg(kAccounts));
        lines << line;
    }
    return lines;
}

class ServerRestore {
public:
    ServerRestore(const StoreUrl& adminUrl, const QString& from, const QString& pictures, bool replace)
        : m_url(adminUrl)
        , m_from(from)
        , m_pictures(pictures)
        , m_replace(replace)
        , m_manifest(VendorManifest::readChecked(from)) {}

    VendorRestoreReport run() {
        const MariaDbClient client(m_url);
        SqlStore server(QStringLiteral("vendor-restore-server"));
        server.open(withDatabase(m_url, QStringLiteral("mysql")));
        checkTarget(server);
        const QStringList accounts = accountLines(m_from);
        QTemporaryDir work;
        const QString filtered = work.filePath(kDump);
        writeFilteredDump(QDir(m_from).filePath(kDump), filtered);

        if (m_replace)
            clear(server);
        for (const QString& database : {m_manifest.dataDatabase, m_manifest.database})
            server.execute(QStringLiteral("CREATE DATABASE IF NOT EXISTS %1 CHARACTER SET utf8mb4 COLLATE "
                                          "utf8mb4_unicode_ci")
                               .arg(quoted(database)));
        client.load(m_manifest.dataDatabase, filtered);
        {
            SqlStore admin(QStringLiteral("vendor-restore-admin"));
            admin.open(m_url);
            SecuredServer(admin, m_url.database).secure();
        }
        for (const QString& line : accounts)
            plainRows(server, line);
        putPictures();
        VendorRestoreReport report;
        report.manifest = m_manifest;
        report.counts = countRows(server, m_manifest.dataDatabase, report.cashTotal);
        report.counts.insert(QStringLiteral("accounts"),
                             (accountsOnServer(server) &
                              QSet<QString>(m_manifest.accounts.cbegin(), m_manifest.accounts.cend()))
                                 .size());
        report.counts.insert(QStringLiteral("pictures"), pictureFiles().size());
        checkCounts(report);
        return report;
    }

private:
    void checkTarget(SqlStore& server) {
        if (m_url.database != m_manifest.database)
            throw VendorBackupError(
                QStringLiteral("이 백업은 데이터베이스 %1의 것입니다: 주소에 같은 이름을 쓰세요 (%2).")
                    .arg(m_manifest.database, m_url.display()));
        if (m_replace)
            return;
        const int tables = server
                               .scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE "
                                                      "TABLE_SCHEMA IN (?, ?)"),
                                       {m_manifest.database, m_manifest.dataDatabase}, 0)
                               .toInt();
        const QSet<QString> taken = accountsOnServer(server) &
                                    QSet<QString>(m_manifest.accounts.cbegin(), m_manifest.accounts.cend());
        if (tables > 0 || !taken.isEmpty())
            throw VendorBackupError(
                QStringLiteral(
                    "서버에 이미 업체 자료가 있습니다 (%1: 테이블 %2개, 계정 %3개). 바꾸려면 --replace.")
                    .arg(m_manifest.database)
                    .arg(tables)
                    .arg(taken.size()));
        for (const QString& path : pictureFiles())
            if (!m_pictures.isEmpty() && QFile::exists(QDir(m_pictures).filePath(path)))
                throw VendorBackupError(
                    QStringLiteral("사진 폴더에 이미 같은 파일이 있습니다: %1. 바꾸려면 --replace.")
                        .arg(path));
    }

    // Counts taken in the dump's own snapshot must come back as they were.
    void checkCounts(const VendorRestoreReport& report) const {
        if (!m_manifest.countsExact)
            return;
        for (auto it = m_manifest.counts.cbegin(); it != m_manifest.counts.cend(); ++it)
            if (report.counts.value(it.key(), -1) != it.value())
                throw VendorBackupError(QStringLiteral("복구한 자료가 백업과 다릅니다: %1 %2행 (백업 %3행)")
                                            .arg(it.key())
                                            .arg(report.counts.value(it.key(), -1))
                                            .arg(it.value()));
        if (report.cashTotal != m_manifest.cashTotal)
            throw VendorBackupError(QStringLiteral("복구한 잔액 합계가 백업과 다릅니다: %1 (백업 %2)")
                                        .arg(report.cashTotal)
                                        .arg(m_manifest.cashTotal));
    }

    void clear(SqlStore& server) {
        for (const QString& database : {m_manifest.database, m_manifest.dataDatabase})
            server.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + quoted(database));
        for (const QString& name : m_manifest.accounts)
            server.execute(QStringLiteral("DROP USER IF EXISTS ") + accountOf(name));
    }

    // The backup's pictures by their path below pictures/.
    QStringList pictureFiles() const {
        QStringList paths;
        const QString prefix = kPictures + QLatin1Char('/');
        for (const BackupFile& f : m_manifest.files)
            if (f.path.startsWith(prefix))
                paths << f.path.mid(prefix.size());
        return paths;
    }

    void putPictures() {
        if (m_pictures.isEmpty())
            return;
        for (const QString& path : pictureFiles())
            copyFile(QDir(m_from).filePath(kPictures + QLatin1Char('/') + path),
                     QDir(m_pictures).filePath(path), m_replace);
    }

    StoreUrl m_url;
    QString m_from;
    QString m_pictures;
    bool m_replace;
    VendorManifest m_manifest;
};

} // namespace

VendorRestoreReport restoreVendorServer(const StoreUrl& adminUrl, const QString& fromFolder,
                                        const QString& picturesFolder, bool replace) {
    return ServerRestore(adminUrl, fromFolder, picturesFolder, replace).run();
}

} // namespace teran
