#include "SecondMariaDb.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>

namespace teran::test {

namespace {

int freePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

} // namespace

int SecondMariaDb::run(const QString& command, QString* output) const {
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TERAN_MYSQL_PORT"), QString::number(m_port));
    env.insert(QStringLiteral("TERAN_MYSQL_EXTRA_PORT"), QString::number(m_extraPort));
    script.setProcessEnvironment(env);
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("bash"),
                 {QStringLiteral(TERAN_SCRIPTS_DIR "/services.sh"), command, m_dir.path()});
    if (!script.waitForFinished(120000)) {
        script.kill();
        script.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromUtf8(script.readAll());
    return script.exitCode();
}

std::unique_ptr<SecondMariaDb> SecondMariaDb::start(QString& why) {
    std::unique_ptr<SecondMariaDb> made(new SecondMariaDb);
    made->m_port = freePort();
    do
        made->m_extraPort = freePort();
    while (made->m_extraPort == made->m_port);
    QString said;
    if (made->run(QStringLiteral("mariadb"), &said) != 0) {
        why = QStringLiteral("the second MariaDB did not start: ") + said;
        made->run(QStringLiteral("stop"));
        return nullptr;
    }
    QFile env(made->m_dir.filePath(QStringLiteral("mariadb.env")));
    static const QRegularExpression url(QStringLiteral("TERAN_TEST_MYSQL_URL='([^']+)'"));
    const QRegularExpressionMatch found = env.open(QIODevice::ReadOnly)
                                              ? url.match(QString::fromUtf8(env.readAll()))
                                              : QRegularExpressionMatch();
    if (!found.hasMatch()) {
        why = QStringLiteral("the second MariaDB wrote no address: ") + said;
        return nullptr;
    }
    made->m_url = StoreUrl::parse(found.captured(1));
    return made;
}

SecondMariaDb::~SecondMariaDb() {
    run(QStringLiteral("stop"));
}

StoreUrl SecondMariaDb::adminUrl(const QString& database) const {
    StoreUrl url = m_url;
    url.database = database;
    return url;
}

} // namespace teran::test
