#pragma once

#include <QProcess>
#include <QString>

namespace teran {

// The embedded demo's SMS gateway: the project's own teran-smsd, started beside the program when
// nothing answers on the demo's loopback port, so that a newcomer's message is "sent" (kept in
// the gateway's log) without any server to set up. It ends with the program.
class DemoSmsGateway {
public:
    DemoSmsGateway() = default;
    ~DemoSmsGateway();
    DemoSmsGateway(const DemoSmsGateway&) = delete;
    DemoSmsGateway& operator=(const DemoSmsGateway&) = delete;

    // True when a gateway answers on 127.0.0.1:port afterwards (one that ran already, or the one
    // started from `programFolder` with its messages logged to `logFile`).
    bool ensureRunning(const QString& programFolder, quint16 port, const QString& logFile);
    bool started() const { return m_process.state() != QProcess::NotRunning; }

    static bool answers(quint16 port);

private:
    QProcess m_process;
};

} // namespace teran
