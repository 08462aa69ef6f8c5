#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace teran::test {

// A picture server of one test alone (scripts/ftpserver.py on a free loopback port, over a
// folder of its own), so that the test may stop it, give it a certificate of its choosing or
// start it without TLS, and not disturb the other tests. Its vendor account writes anywhere;
// members log in against the MariaDB server on mysqlPort.
class TestFtpServer {
public:
    struct Options {
        QString certFile; // the server's certificate and key; both empty with plain
        QString keyFile;
        bool plain = false;   // no TLS at all: what the program must refuse
        QString passivePorts; // "FIRST-LAST"; empty: a range near the control port
        // The loopback address it listens on; its data channels listen on the same address.
        QString host = QStringLiteral("127.0.0.1");
        int mysqlPort = 0; // 0: a port where nothing listens (no member logs in)
        QString mysqlCa;
        QString vendorUser = QStringLiteral("vendor");
        QString vendorPassword = QStringLiteral("vendor-pw");
    };

    TestFtpServer() = default;
    ~TestFtpServer();
    TestFtpServer(const TestFtpServer&) = delete;
    TestFtpServer& operator=(const TestFtpServer&) = delete;

    // False when it did not come up (the reason in output()).
    bool start(const Options& options);
    // SIGSTOP and SIGCONT: a server that stops answering without closing its connections.
    void stop();
    void resume();

    int port() const { return m_port; }
    const Options& options() const { return m_options; }
    // The server's folder on this machine; pictures lie under docs/files/.
    QString root() const { return m_root.path(); }
    bool holds(const QString& remotePath) const;
    // What the server wrote (its log, or why it did not start).
    QString output() const;

private:
    QTemporaryDir m_root;
    QProcess m_process;
    Options m_options;
    int m_port = 0;
};

// A loopback port on which nothing listens at the moment.
int freeLoopbackPort();

} // namespace teran::test
