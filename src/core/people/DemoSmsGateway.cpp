#include "DemoSmsGateway.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace teran {

DemoSmsGateway::~DemoSmsGateway() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(2000))
        m_process.kill();
}

bool DemoSmsGateway::answers(quint16 port) {
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), port);
    const bool up = probe.waitForConnected(500);
    probe.abort();
    return up;
}

bool DemoSmsGateway::ensureRunning(const QString& programFolder, quint16 port, const QString& logFile) {
    if (answers(port))
        return true;
    const QString program = QDir(programFolder).filePath(QStringLiteral("teran-smsd"));
    if (!QFileInfo(program).isExecutable())
        return false;
    QDir().mkpath(QFileInfo(logFile).absolutePath());
    m_process.setProgram(program);
    m_process.setArguments(
        {QStringLiteral("--port"), QString::number(port), QStringLiteral("--log"), logFile});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // However the program ends, the gateway it started ends with it.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start();
    if (!m_process.waitForStarted(3000))
        return false;
    // It answers once it listens; a second look every tenth of a second, two seconds at most.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2000) {
        if (answers(port))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(100);
    }
    return false;
}

} // namespace teran
