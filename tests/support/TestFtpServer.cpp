#include "TestFtpServer.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <csignal>

namespace teran::test {

namespace {

bool answers(const QString& host, int port, int seconds, const QProcess& process) {
    for (int i = 0; i < seconds * 10 && process.state() == QProcess::Running; ++i) {
        QTcpSocket socket;
        socket.connectToHost(host, static_cast<quint16>(port));
        if (socket.waitForConnected(100))
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace

int freeLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

TestFtpServer::~TestFtpServer() {
    resume();
    m_process.kill();
    m_process.waitForFinished(5000);
}

bool TestFtpServer::start(const Options& options) {
    m_options = options;
    if (!m_root.isValid() || !QDir().mkpath(m_root.filePath(QStringLiteral("docs/files"))))
        return false;
    m_port = freeLoopbackPort();
    const QString passive = options.passivePorts.isEmpty()
                                ? QStringLiteral("%1-%2").arg(m_port + 1).arg(m_port + 20)
                                : options.passivePorts;
    QStringList arguments{QStringLiteral(TERAN_SCRIPTS_DIR "/ftpserver.py"),
                          QStringLiteral("--port"),
                          QString::number(m_port),
                          QStringLiteral("--host"),
                          options.host,
                          QStringLiteral("--root"),
                          m_root.path(),
                          QStringLiteral("--vendor-user"),
                          options.vendorUser,
                          QStringLiteral("--vendor-password"),
                          options.vendorPassword,
                          QStringLiteral("--mysql-port"),
                          QString::number(options.mysqlPort > 0 ? options.mysqlPort : freeLoopbackPort()),
                          QStringLiteral("--passive-ports"),
                          passive};
    if (!options.mysqlCa.isEmpty())
        arguments << QStringLiteral("--mysql-ca") << options.mysqlCa;
    if (options.plain)
        arguments << QStringLiteral("--plain");
    else
        arguments << QStringLiteral("--tls-cert") << options.certFile << QStringLiteral("--tls-key")
                  << options.keyFile;
    // Into a file: a pipe nobody reads would stop the server once it is full.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_root.filePath(QStringLiteral("server.log")));
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    return m_process.waitForStarted(5000) && answers(options.host, m_port, 10, m_process);
}

void TestFtpServer::stop() {
    if (m_process.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP);
}

void TestFtpServer::resume() {
    if (m_process.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT);
}

bool TestFtpServer::holds(const QString& remotePath) const {
    return QFile::exists(m_root.filePath(remotePath));
}

QString TestFtpServer::output() const {
    QFile log(m_root.filePath(QStringLiteral("server.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

} // namespace teran::test
