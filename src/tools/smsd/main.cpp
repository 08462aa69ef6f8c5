// teran-smsd: the project's SMS gateway, on loopback only. The vendor's gateway charges the
// offices' cash through its own database account and speaks TLS; the embedded demo's gateway
// sends for one account, for free, in clear text on loopback.
#include "core/people/SmsGateway.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

int fail(const QString& why) {
    std::fprintf(stderr, "teran-smsd: %s\n", qPrintable(why));
    return 1;
}

// The gateway's tables must be there: its account reads and charges them and makes none
// (the vendor's administrator does, with teran-admin init-server or migrate-server).
QString checkTables(const teran::StoreUrl& url) {
    try {
        teran::SqlStore tables(QStringLiteral("smsd-check"));
        tables.open(url);
        const QStringList missing = teran::ServerSmsAccounts::missingTables(tables);
        if (missing.isEmpty())
            return {};
        return QStringLiteral("the gateway's account sees no table %1 in %2: make them with teran-admin "
                              "init-server (or migrate-server) --smsd-password PW")
            .arg(missing.join(QStringLiteral(", ")), url.database);
    } catch (const teran::StoreError& error) {
        return error.description();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("SMS gateway speaking the 150-byte record protocol on 127.0.0.1"));
    parser.addHelpOption();
    const teran::SmsAccount demo = teran::SmsAccount::demo();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP port to listen on"),
                                  QStringLiteral("PORT"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("file the sent messages are appended to"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("account id"), QStringLiteral("ID"),
                                  demo.user);
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("account password"),
                                      QStringLiteral("PW"), demo.password);
    const QCommandLineOption idle(QStringLiteral("idle-ms"), QStringLiteral("quiet time before #DCN"),
                                  QStringLiteral("MS"), QStringLiteral("3000"));
    const QCommandLineOption server(
        QStringLiteral("server"),
        QStringLiteral("the vendor's tables as the gateway's own account "
                       "(mysql://USER:PW@host:port/DB?ca=CA): the offices' "
                       "accounts and cash; without it one account sends for free"),
        QStringLiteral("URL"));
    const QCommandLineOption cert(QStringLiteral("cert"),
                                  QStringLiteral("the gateway's TLS certificate (PEM)"),
                                  QStringLiteral("FILE"));
    const QCommandLineOption key(QStringLiteral("key"), QStringLiteral("its private key (PEM)"),
                                 QStringLiteral("FILE"));
    parser.addOptions({port, log, user, password, idle, server, cert, key});
    parser.process(app);
    bool portOk = false;
    const int portNumber = parser.value(port).toInt(&portOk);
    const bool tls = parser.isSet(cert) || parser.isSet(key);
    if (!portOk || portNumber <= 0 || portNumber > 65535 || !parser.isSet(log) ||
        (tls && !(parser.isSet(cert) && parser.isSet(key)))) {
        std::fprintf(stderr, "usage: teran-smsd --port PORT --log FILE [--cert FILE --key FILE] [--user ID "
                             "--password PW | --server URL] [--idle-ms MS]\n");
        return 2;
    }
    // The offices' accounts travel only encrypted: the charging gateway has no clear-text mode.
    if (parser.isSet(server) && !tls)
        return fail(
            QStringLiteral("--server needs --cert and --key: the offices' accounts travel only over TLS"));
    const int idleMs = std::max(100, parser.value(idle).toInt());
    std::unique_ptr<teran::SmsGateway> gateway;
    if (parser.isSet(server)) {
        teran::StoreUrl url;
        try {
            url = teran::StoreUrl::parse(parser.value(server));
        } catch (const teran::StoreError& error) {
            return fail(error.description());
        }
        if (const QString problem = checkTables(url); !problem.isEmpty())
            return fail(problem);
        gateway = std::make_unique<teran::SmsGateway>(teran::ServerSmsAccounts::books(url), parser.value(log),
                                                      idleMs);
    } else {
        gateway = std::make_unique<teran::SmsGateway>(
            teran::SmsAccount{parser.value(user), parser.value(password)}, parser.value(log), idleMs);
    }
    gateway->setLog([](const QString& line) {
        std::fprintf(stderr, "teran-smsd: %s\n", qPrintable(line));
        std::fflush(stderr);
    });
    QString error;
    if (tls && !gateway->useTls(parser.value(cert), parser.value(key), &error))
        return fail(error);
    if (!gateway->listen(quint16(portNumber), &error))
        return fail(error);
    std::fprintf(stdout, "teran-smsd listening on 127.0.0.1:%d%s\n", int(gateway->port()),
                 tls ? " (TLS)" : " (clear text: the demo's own gateway)");
    std::fflush(stdout);
    return app.exec();
}
