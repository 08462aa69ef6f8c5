#include "MariaDbClient.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace teran {

namespace {

// A value of an option file in double quotes, where only \ and " need escaping.
QString optionValue(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString optionText(const StoreUrl& server) {
    QStringList lines = {QStringLiteral("[client]"), QStringLiteral("host=") + optionValue(server.host),
                         QStringLiteral("port=%1").arg(server.port),
                         // "localhost" would otherwise mean the socket, past TLS
                         QStringLiteral("protocol=TCP"), QStringLiteral("user=") + optionValue(server.user),
                         QStringLiteral("password=") + optionValue(server.password),
                         QStringLiteral("default-character-set=utf8mb4"), QStringLiteral("ssl"),
                         QStringLiteral("ssl-verify-server-cert")};
    lines << (server.caFile.isEmpty() ? QStringLiteral("ssl-capath=/etc/ssl/certs")
                                      : QStringLiteral("ssl-ca=") + optionValue(server.caFile));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString firstLine(const QByteArray& text) {
    const QString all = QString::fromUtf8(text).trimmed();
    return all.section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace

MariaDbClient::MariaDbClient(const StoreUrl& server) {
    if (server.backend != SqlBackend::MariaDb)
        throw VendorBackupError(QStringLiteral("업체 서버의 백업은 MariaDB 서버(mysql://...)에서만 합니다."));
    if (!m_dir.isValid())
        throw VendorBackupError(QStringLiteral("임시 폴더를 만들 수 없습니다: ") + m_dir.errorString());
    m_optionFile = m_dir.filePath(QStringLiteral("client.cnf"));
    QFile file(m_optionFile);
    // Mode 600 before the password is in it.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(optionText(server).toUtf8()) < 0 || !file.flush())
        throw VendorBackupError(QStringLiteral("접속 설정 파일을 쓸 수 없습니다: ") + m_optionFile);
}

QString MariaDbClient::program(const QString& name) const {
    const QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        throw VendorBackupError(
            QStringLiteral("%1 프로그램이 없습니다 (Debian: apt-get install mariadb-client).").arg(name));
    return found;
}

void MariaDbClient::run(const QString& name, QStringList arguments, const QString& in,
                        const QString& out) const {
    // The option file must be the first argument; nothing of the machine's own settings is read.
    arguments.prepend(QStringLiteral("--defaults-file=") + m_optionFile);
    QProcess process;
    if (!in.isEmpty())
        process.setStandardInputFile(in);
    if (!out.isEmpty())
        process.setStandardOutputFile(out);
    process.start(program(name), arguments);
    // A dump of a large server takes as long as it takes; the tool has no window to keep alive.
    if (!process.waitForStarted() || !process.waitForFinished(-1))
        throw VendorBackupError(
            QStringLiteral("%1을(를) 실행할 수 없습니다: %2").arg(name, process.errorString()));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = firstLine(process.readAllStandardError());
        throw VendorBackupError(
            QStringLiteral("%1 실패: %2")
                .arg(name, said.isEmpty() ? QStringLiteral("종료코드 %1").arg(process.exitCode()) : said));
    }
}

void MariaDbClient::dump(const QStringList& arguments, const QString& outFile) const {
    run(QStringLiteral("mariadb-dump"), arguments, QString(), outFile);
}

void MariaDbClient::load(const QString& database, const QString& inFile) const {
    run(QStringLiteral("mariadb"), {QStringLiteral("--batch"), QStringLiteral("--database=") + database},
        inFile, QString());
}

} // namespace teran
