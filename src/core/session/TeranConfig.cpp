#include "TeranConfig.h"

#include "core/session/SmsAccount.h"
#include "core/store/StoreError.h"
#include "core/store/StoreUrl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace teran {

namespace {

QString withSlash(QString path) {
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace

QString TeranConfig::defaultFile() {
    const QString fromEnv = qEnvironmentVariable("TERAN_CONFIG");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/teran/teran.ini");
}

QString TeranConfig::defaultDemoFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/teran/demo/");
}

QString TeranConfig::embeddedServerFile() const {
    return QDir(dataPath).filePath(QStringLiteral("server/teran-server.db"));
}

bool TeranConfig::isEmbeddedDemo() const {
    const bool loopback = smsHost == QLatin1String("127.0.0.1") || smsHost == QLatin1String("localhost");
    return loopback && serverUrl == QStringLiteral("sqlite:") + embeddedServerFile();
}

bool TeranConfig::serverTakesMembers() const {
    try {
        const StoreUrl url = StoreUrl::parse(serverUrl);
        return url.backend == SqlBackend::MariaDb && url.user.isEmpty() && serverUser.isEmpty();
    } catch (const StoreError&) {
        return false;
    }
}

QString TeranConfig::localPictureFolder() const {
    return QDir(dataPath).filePath(QStringLiteral("server/pictures"));
}

QUrl TeranConfig::webPage(const QString& key) const {
    if (webBaseUrl.isEmpty())
        return {};
    QString root = webBaseUrl;
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return QUrl(root).resolved(QUrl(key));
}

TeranConfig TeranConfig::demoDefaults(const QString& dataPath) {
    TeranConfig config;
    config.dataPath = withSlash(QDir::cleanPath(dataPath));
    config.serverUrl = QStringLiteral("sqlite:") + config.embeddedServerFile();
    // No server account: the embedded server needs none, and a vendor's server with an account
    // per member takes the member who logs in. An older server's shared account is named in
    // teran.ini.
    config.serverUser.clear();
    // No picture server: the demo keeps shared pictures in localPictureFolder().
    config.ftpHost.clear();
    config.ftpPort = 21;
    config.ftpUser = QStringLiteral("teran");
    config.webBaseUrl.clear();
    config.smsHost = QStringLiteral("127.0.0.1");
    config.smsUser = SmsAccount::demo().user;
    config.smsPassword = SmsAccount::demo().password;
    // The embedded demo needs no network: its "internet" is a page inside the data folder.
    config.probeUrl =
        QUrl::fromLocalFile(QDir(dataPath).filePath(QStringLiteral("server/probe.html"))).toString();
    return config;
}

namespace {

// Whether a value opens a quote that it never closes: Qt's reader would then take every later
// line, sections and all, into this one value.
bool unclosedQuote(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.trimmed().startsWith(QLatin1Char(';')) ||
        line.trimmed().startsWith(QLatin1Char('#')))
        return false;
    int quotes = 0;
    for (qsizetype i = equals + 1; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('\\'))
            ++i; // an escaped character, a quote among them
        else if (line.at(i) == QLatin1Char('"'))
            ++quotes;
    }
    return quotes % 2 == 1;
}

} // namespace

QList<TeranConfig::BadLine> TeranConfig::badLines(const QByteArray& contents) {
    QList<BadLine> bad;
    const QList<QByteArray> lines = contents.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).trimmed();
        if (unclosedQuote(line))
            bad << BadLine{int(i + 1), line};
    }
    return bad;
}

TeranConfig TeranConfig::load(const QString& file, const QString& dataPathOverride) {
    // A line Qt's reader cannot take is left out of a checked copy, so that the rest is read.
    QFile source(file);
    QList<BadLine> bad;
    QTemporaryFile checked;
    QString readFrom = file;
    if (source.open(QIODevice::ReadOnly)) {
        QList<QByteArray> lines = source.readAll().split('\n');
        bad = badLines(lines.join('\n'));
        if (!bad.isEmpty() && checked.open()) {
            for (const BadLine& line : bad)
                lines[line.number - 1].clear();
            checked.write(lines.join('\n'));
            checked.close();
            readFrom = checked.fileName();
        }
    }
    QSettings ini(readFrom, QSettings::IniFormat);
    const QString dataPath = !dataPathOverride.isEmpty()
                                 ? dataPathOverride
                                 : ini.value(QStringLiteral("data/DataPath"), defaultDemoFolder()).toString();
    TeranConfig config = demoDefaults(dataPath);
    auto text = [&ini](const char* key, const QString& otherwise) {
        return ini.value(QLatin1String(key), otherwise).toString().trimmed();
    };
    config.serverUrl = text("server/Url", config.serverUrl);
    config.serverUser = text("server/User", config.serverUser);
    config.serverPassword = ini.value(QStringLiteral("server/Password")).toString();
    config.serverCa = text("server/Ca", config.serverCa);
    config.ftpHost = text("ftp/Host", config.ftpHost);
    config.ftpUser = text("ftp/User", config.ftpUser);
    config.webBaseUrl = withSlash(text("web/BaseUrl", config.webBaseUrl));
    config.smsHost = text("sms/Host", config.smsHost);
    config.smsUser = text("sms/User", config.smsUser);
    config.smsPassword = text("sms/Password", config.smsPassword);
    config.probeUrl = text("probe/Url", config.probeUrl);
    // A number typed wrong must not make a working server look dead (a 0 ms probe, say): it
    // falls back to the default and the daily log says so.
    auto number = [&ini, &config](const char* key, int otherwise, int least, int most) {
        const QVariant raw = ini.value(QLatin1String(key));
        if (!raw.isValid() || raw.toString().trimmed().isEmpty())
            return otherwise;
        bool ok = false;
        const int value = raw.toString().trimmed().toInt(&ok);
        if (ok && value >= least && value <= most)
            return value;
        config.warnings << QStringLiteral("teran.ini: %1=%2 is not a number from %3 to %4; %5 is used")
                               .arg(QLatin1String(key), raw.toString())
                               .arg(least)
                               .arg(most)
                               .arg(otherwise);
        return otherwise;
    };
    config.ftpPort = number("ftp/Port", config.ftpPort, 1, 65535);
    config.probeTimeoutMs = number("probe/TimeoutMs", config.probeTimeoutMs, 100, 120000);
    config.connectSeconds = number("network/ConnectSeconds", config.connectSeconds, 1, 120);
    config.stallSeconds = number("network/StallSeconds", config.stallSeconds, 1, 600);
    config.listingUrl = text("listing/Url", QString());
    config.listingUser = text("listing/User", QString());
    config.listingPassword = ini.value(QStringLiteral("listing/Password")).toString();
    config.officeServerCommand = text("office/ServerCommand", QString());
    config.officeServerWaitSeconds =
        number("office/ServerWaitSeconds", config.officeServerWaitSeconds, 1, 3600);
    for (const BadLine& line : bad) {
        config.warnings << QStringLiteral("teran.ini line %1: unclosed quote, the line is not read: %2")
                               .arg(line.number)
                               .arg(line.text);
        config.unreadLines << QStringLiteral("%1번째 줄: %2").arg(line.number).arg(line.text);
    }
    return config;
}

QString TeranConfig::unreadLinesText() const {
    return QStringLiteral("설정파일(teran.ini)에서 읽을 수 없는 줄이 있습니다.") +
           QStringLiteral("\r\n\r\n") + unreadLines.join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\n\r\n") +
           QStringLiteral("따옴표(\")가 닫히지 않은 줄은 읽지 않고, 나머지 설정으로 실행합니다.") +
           QStringLiteral("\r\n") + QStringLiteral("설정파일을 고쳐 주시기 바랍니다.");
}

bool TeranConfig::save(const QString& file) const {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings ini(file, QSettings::IniFormat);
    ini.setValue(QStringLiteral("data/DataPath"), dataPath);
    ini.setValue(QStringLiteral("server/Url"), serverUrl);
    ini.setValue(QStringLiteral("server/User"), serverUser);
    ini.setValue(QStringLiteral("server/Password"), serverPassword);
    if (!serverCa.isEmpty())
        ini.setValue(QStringLiteral("server/Ca"), serverCa);
    ini.setValue(QStringLiteral("ftp/Host"), ftpHost);
    ini.setValue(QStringLiteral("ftp/Port"), ftpPort);
    ini.setValue(QStringLiteral("ftp/User"), ftpUser);
    ini.setValue(QStringLiteral("web/BaseUrl"), webBaseUrl);
    ini.setValue(QStringLiteral("sms/Host"), smsHost);
    ini.setValue(QStringLiteral("sms/User"), smsUser);
    ini.setValue(QStringLiteral("sms/Password"), smsPassword);
    ini.setValue(QStringLiteral("probe/Url"), probeUrl);
    ini.setValue(QStringLiteral("probe/TimeoutMs"), probeTimeoutMs);
    ini.setValue(QStringLiteral("network/ConnectSeconds"), connectSeconds);
    ini.setValue(QStringLiteral("network/StallSeconds"), stallSeconds);
    if (!listingUrl.isEmpty()) {
        ini.setValue(QStringLiteral("listing/Url"), listingUrl);
        ini.setValue(QStringLiteral("listing/User"), listingUser);
        ini.setValue(QStringLiteral("listing/Password"), listingPassword);
    }
    ini.setValue(QStringLiteral("office/ServerCommand"), officeServerCommand);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return false;
    // The file holds the server's password: readable by its owner only.
    return QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace teran
