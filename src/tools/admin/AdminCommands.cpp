#include "AdminCommands.h"

#include "session/StoreSetup.h"
#include "session/TeranConfig.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace teran::admin {

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

struct InitOptions {
    QString configFile;
    QString dataPath;
    QString serverUrl;
    ServerTextValues texts;
    bool writeConfig = false;
};

int initServer(const TeranConfig& config, const QString& serverUrl, const ServerTextValues& texts) {
    StoreUrl url = StoreUrl::parse(serverUrl);
    if (url.backend == SqlBackend::MariaDb) {
        if (!config.serverUser.isEmpty() && url.user.isEmpty())
            url.user = config.serverUser;
        if (!config.serverPassword.isEmpty() && url.password.isEmpty())
            url.password = config.serverPassword;
    }
    SqlStore server(QStringLiteral("admin-server"));
    server.open(url);
    initServerStore(server, texts);
    out() << "ServerStore ready: " << url.display() << Qt::endl;
    return 0;
}

int init(const InitOptions& options) {
    TeranConfig config = TeranConfig::load(options.configFile, options.dataPath);
    if (!options.serverUrl.isEmpty())
        config.serverUrl = options.serverUrl;
    const DataFolder folder(config.dataPath);
    initDataFolder(folder);
    out() << "Data folder ready: " << folder.root() << Qt::endl;
    if (config.serverUrl.startsWith(QLatin1String("sqlite:")) &&
        StoreUrl::parse(config.serverUrl).path == config.embeddedServerFile()) {
        // The embedded demo server answers the probe with a page of its own.
        QDir().mkpath(folder.path(QStringLiteral("server")));
        QFile probe(folder.path(QStringLiteral("server/probe.html")));
        if (probe.open(QIODevice::WriteOnly))
            probe.write("<html><body>ok</body></html>\n");
    }
    initServer(config, config.serverUrl, options.texts);
    if (options.writeConfig) {
        if (!config.save(options.configFile)) {
            err() << "cannot write " << options.configFile << Qt::endl;
            return 1;
        }
        out() << "Configuration written: " << options.configFile << Qt::endl;
    }
    return 0;
}

void usage() {
    err() << "usage: teran-admin init [--config FILE] [--data DIR] [--server URL] [--ftp-password PW]\n"
             "                        [--sms-port N] [--write-config]\n"
             "       teran-admin init-server --server URL [--ftp-password PW] [--sms-port N]\n"
          << Qt::flush;
}

} // namespace

int run(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("teran.ini"),
                                    QStringLiteral("FILE"), TeranConfig::defaultFile());
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("data folder"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("ServerStore address"),
                                    QStringLiteral("URL"));
    const QCommandLineOption ftpPassword(QStringLiteral("ftp-password"),
                                         QStringLiteral("picture store password"), QStringLiteral("PW"));
    const QCommandLineOption smsPort(QStringLiteral("sms-port"), QStringLiteral("SMS gateway port"),
                                     QStringLiteral("N"));
    const QCommandLineOption writeConfig(QStringLiteral("write-config"),
                                         QStringLiteral("save the settings used"));
    parser.addOptions({config, data, server, ftpPassword, smsPort, writeConfig});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init | init-server"));
    if (!parser.parse(arguments) || parser.positionalArguments().size() != 1) {
        if (!parser.errorText().isEmpty())
            err() << parser.errorText() << Qt::endl;
        usage();
        return 2;
    }
    const QString command = parser.positionalArguments().first();
    ServerTextValues texts;
    texts.ftpPassword = parser.value(ftpPassword);
    texts.smsPort = parser.value(smsPort).toInt();
    try {
        if (command == QLatin1String("init"))
            return init({parser.value(config), parser.value(data), parser.value(server), texts,
                         parser.isSet(writeConfig)});
        if (command == QLatin1String("init-server") && parser.isSet(server))
            return initServer(TeranConfig::load(parser.value(config)), parser.value(server), texts);
    } catch (const StoreError& error) {
        err() << "error: " << error.description() << " (" << error.source() << ") " << error.sql()
              << Qt::endl;
        return 1;
    }
    usage();
    return 2;
}

} // namespace teran::admin
