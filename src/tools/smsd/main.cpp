// teran-smsd: the project's SMS gateway for tests and the demo, on loopback only.
#include "people/SmsGateway.h"
#include "session/SqlStore.h"
#include "session/StoreError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

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
    const QCommandLineOption server(QStringLiteral("server"),
                                    QStringLiteral("the vendor's tables (mysql://...): the offices' accounts "
                                                   "and cash; without it one account sends for free"),
                                    QStringLiteral("URL"));
    parser.addOptions({port, log, user, password, idle, server});
    parser.process(app);
    bool portOk = false;
    const int portNumber = parser.value(port).toInt(&portOk);
    if (!portOk || portNumber <= 0 || portNumber > 65535 || !parser.isSet(log)) {
        std::fprintf(stderr, "usage: teran-smsd --port PORT --log FILE [--user ID --password PW | --server "
                             "URL] [--idle-ms MS]\n");
        return 2;
    }
    const int idleMs = std::max(100, parser.value(idle).toInt());
    std::unique_ptr<teran::SqlStore> tables;
    std::unique_ptr<teran::ServerSmsAccounts> accounts;
    std::unique_ptr<teran::SmsGateway> made;
    if (parser.isSet(server)) {
        try {
            tables = std::make_unique<teran::SqlStore>(QStringLiteral("smsd-tables"));
            tables->open(teran::StoreUrl::parse(parser.value(server)));
            teran::ServerSmsAccounts::createTable(*tables);
        } catch (const teran::StoreError& error) {
            std::fprintf(stderr, "teran-smsd: %s\n", qPrintable(error.description()));
            return 1;
        }
        accounts = std::make_unique<teran::ServerSmsAccounts>(*tables);
        made = std::make_unique<teran::SmsGateway>(*accounts, parser.value(log), idleMs);
    } else {
        made = std::make_unique<teran::SmsGateway>(
            teran::SmsAccount{parser.value(user), parser.value(password)}, parser.value(log), idleMs);
    }
    teran::SmsGateway& gateway = *made;
    QString error;
    if (!gateway.listen(quint16(portNumber), &error)) {
        std::fprintf(stderr, "teran-smsd: %s\n", qPrintable(error));
        return 1;
    }
    std::fprintf(stdout, "teran-smsd listening on 127.0.0.1:%d\n", int(gateway.port()));
    std::fflush(stdout);
    return app.exec();
}
