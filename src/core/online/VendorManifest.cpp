#include "VendorManifest.h"

#include "core/online/MariaDbClient.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace teran {

namespace {

const QString kKind = QStringLiteral("teran-vendor-backup");
constexpr int kVersion = 1;

QString seal(const QJsonObject& withoutCheck) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QJsonDocument(withoutCheck).toJson(QJsonDocument::Compact),
                                 QCryptographicHash::Sha256)
            .toHex());
}

QJsonObject toJson(const VendorManifest& m) {
    QJsonObject counts;
    for (auto it = m.counts.cbegin(); it != m.counts.cend(); ++it)
        counts.insert(it.key(), it.value());
    QJsonArray files;
    for (const BackupFile& f : m.files)
        files.append(QJsonObject{{QStringLiteral("path"), f.path},
                                 {QStringLiteral("size"), f.size},
                                 {QStringLiteral("sha256"), f.sha256}});
    return {{QStringLiteral("kind"), kKind},
            {QStringLiteral("version"), kVersion},
            {QStringLiteral("made"), m.made.toUTC().toString(Qt::ISODate)},
            {QStringLiteral("server"), m.server},
            {QStringLiteral("database"), m.database},
            {QStringLiteral("dataDatabase"), m.dataDatabase},
            {QStringLiteral("serverVersion"), m.serverVersion},
            {QStringLiteral("binlog"), QJsonObject{{QStringLiteral("file"), m.binlogFile},
                                                   {QStringLiteral("position"), m.binlogPosition}}},
            {QStringLiteral("counts"), counts},
            {QStringLiteral("cashTotal"), m.cashTotal},
            {QStringLiteral("countsExact"), m.countsExact},
            {QStringLiteral("accounts"), QJsonArray::fromStringList(m.accounts)},
            {QStringLiteral("files"), files}};
}

[[noreturn]] void damaged(const QString& why) {
    throw VendorBackupError(QStringLiteral("백업이 손상되었습니다: ") + why);
}

VendorManifest fromJson(const QJsonObject& o) {
    VendorManifest m;
    m.made = QDateTime::fromString(o.value(QStringLiteral("made")).toString(), Qt::ISODate);
    m.server = o.value(QStringLiteral("server")).toString();
    m.database = o.value(QStringLiteral("database")).toString();
    m.dataDatabase = o.value(QStringLiteral("dataDatabase")).toString();
    m.serverVersion = o.value(QStringLiteral("serverVersion")).toString();
    const QJsonObject binlog = o.value(QStringLiteral("binlog")).toObject();
    m.binlogFile = binlog.value(QStringLiteral("file")).toString();
    m.binlogPosition = binlog.value(QStringLiteral("position")).toInteger();
    const QJsonObject counts = o.value(QStringLiteral("counts")).toObject();
    for (auto it = counts.begin(); it != counts.end(); ++it)
        m.counts.insert(it.key(), it.value().toInteger());
    m.cashTotal = o.value(QStringLiteral("cashTotal")).toInteger();
    m.countsExact = o.value(QStringLiteral("countsExact")).toBool();
    for (const QJsonValue& a : o.value(QStringLiteral("accounts")).toArray())
        m.accounts << a.toString();
    for (const QJsonValue& v : o.value(QStringLiteral("files")).toArray()) {
        const QJsonObject f = v.toObject();
        m.files.append({f.value(QStringLiteral("path")).toString(),
                        f.value(QStringLiteral("size")).toInteger(),
                        f.value(QStringLiteral("sha256")).toString()});
    }
    if (m.database.isEmpty() || m.dataDatabase.isEmpty() || m.files.isEmpty())
        damaged(QStringLiteral("목록에 데이터베이스나 파일이 없습니다"));
    return m;
}

// A path of the manifest stays inside the backup folder.
bool isInside(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    return !clean.isEmpty() && !QDir::isAbsolutePath(clean) && clean != QLatin1String("..") &&
           !clean.startsWith(QLatin1String("../"));
}

} // namespace

BackupFile describeFile(const QString& folder, const QString& path) {
    QFile file(QDir(folder).filePath(path));
    if (!file.open(QIODevice::ReadOnly))
        throw VendorBackupError(QStringLiteral("파일을 읽을 수 없습니다: ") + file.fileName());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        throw VendorBackupError(QStringLiteral("파일을 읽을 수 없습니다: ") + file.fileName());
    return {path, file.size(), QString::fromLatin1(hash.result().toHex())};
}

void VendorManifest::write(const QString& folder) const {
    QJsonObject o = toJson(*this);
    o.insert(QStringLiteral("check"), seal(o));
    QSaveFile file(QDir(folder).filePath(fileName()));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(QJsonDocument(o).toJson()) < 0 || !file.commit())
        throw VendorBackupError(QStringLiteral("백업 목록을 쓸 수 없습니다: ") + file.fileName());
}

VendorManifest VendorManifest::readChecked(const QString& folder) {
    QFile file(QDir(folder).filePath(fileName()));
    if (!file.open(QIODevice::ReadOnly))
        throw VendorBackupError(
            QStringLiteral("업체 서버의 백업이 아닙니다 (%1 없음): %2").arg(fileName(), folder));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject())
        damaged(QStringLiteral("%1을(를) 읽을 수 없습니다 (%2)").arg(fileName(), error.errorString()));
    QJsonObject o = document.object();
    const QString check = o.take(QStringLiteral("check")).toString();
    if (o.value(QStringLiteral("kind")).toString() != kKind)
        throw VendorBackupError(QStringLiteral("업체 서버의 백업이 아닙니다: ") + folder);
    if (o.value(QStringLiteral("version")).toInt() != kVersion)
        throw VendorBackupError(QStringLiteral("이 프로그램이 모르는 백업 형식입니다 (%1판).")
                                    .arg(o.value(QStringLiteral("version")).toInt()));
    if (check != seal(o))
        damaged(QStringLiteral("%1의 체크섬이 맞지 않습니다").arg(fileName()));
    const VendorManifest m = fromJson(o);
    for (const BackupFile& expected : m.files) {
        if (!isInside(expected.path))
            damaged(QStringLiteral("백업 폴더 밖의 파일을 가리킵니다: ") + expected.path);
        if (!QFile::exists(QDir(folder).filePath(expected.path)))
            damaged(QStringLiteral("파일이 없습니다: ") + expected.path);
        const BackupFile found = describeFile(folder, expected.path);
        if (found.size != expected.size || found.sha256 != expected.sha256)
            damaged(QStringLiteral("%1의 크기나 체크섬이 다릅니다").arg(expected.path));
    }
    return m;
}

} // namespace teran
