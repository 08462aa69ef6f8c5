#pragma once

#include <QString>
#include <QThread>
#include <memory>

namespace teran::test {

class RelayWorker;

// A loopback TCP relay to a real server, run in a thread of its own so that a client blocking
// in the test's thread (the database driver) is still served. Closing it is the server going
// away for the client: the listening port refuses and open connections are cut; opening it
// again on the same port is the server coming back.
class TcpRelay {
public:
    // `listenPort` 0: a free port of the system's choosing.
    TcpRelay(const QString& host, quint16 port, quint16 listenPort = 0);
    ~TcpRelay();
    TcpRelay(const TcpRelay&) = delete;
    TcpRelay& operator=(const TcpRelay&) = delete;

    bool open();
    void close();
    // A stalled relay keeps what either side sends, as a server that stopped answering; the
    // kept bytes go on when it resumes. Callable from any thread but the relay's.
    void stall(bool stalled);
    quint16 port() const;
    // Every byte the clients sent to the server so far, as it went over the wire.
    QByteArray clientBytes() const;

    // Every byte that crossed the relay in either direction since it was made (or cleared):
    // what anyone on the line between the desk and the server could read.
    QByteArray recorded() const;
    void clearRecording();
    // Clears the TLS flag of a MariaDB server's greeting, as a downgrading man in the middle
    // would, so that the client believes the server offers no TLS.
    void hideMariaDbTls(bool hidden);

private:
    QThread m_thread;
    RelayWorker* m_worker;
};

} // namespace teran::test
