#include "TcpRelay.h"

#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <atomic>

namespace teran::test {

class RelayWorker : public QObject {
    Q_OBJECT
public:
    RelayWorker(QString host, quint16 port, quint16 listenPort)
        : m_host(std::move(host))
        , m_targetPort(port)
        , m_listenPort(listenPort) {}

    quint16 listenPort() const { return m_listenPort; }

    QByteArray recorded() const {
        const QMutexLocker lock(&m_recordLock);
        return m_recorded;
    }
    void clearRecording() {
        const QMutexLocker lock(&m_recordLock);
        m_recorded.clear();
    }
    void hideMariaDbTls(bool hidden) { m_hideTls = hidden; }

public Q_SLOTS:
    bool open() {
        if (m_server)
            return true;
        m_server = new QTcpServer(this);
        if (!m_server->listen(QHostAddress::LocalHost, m_listenPort)) {
            delete m_server;
            m_server = nullptr;
            return false;
        }
        m_listenPort = m_server->serverPort();
        connect(m_server, &QTcpServer::newConnection, this, &RelayWorker::accept);
        return true;
    }

    void close() {
        delete m_server;
        m_server = nullptr;
        for (const QPointer<QTcpSocket>& socket : std::as_const(m_sockets))
            if (socket) {
                socket->abort();
                socket->deleteLater();
            }
        m_sockets.clear();
    }

    void stall(bool stalled) {
        m_stalled = stalled;
        if (stalled)
            return;
        for (const auto& [from, to] : std::as_const(m_pipes))
            if (from && to && to->state() == QAbstractSocket::ConnectedState && from->bytesAvailable() > 0)
                // Clients stand first in their pair.
                to->write(passed(from, m_sockets.indexOf(from) % 2 == 1));
    }

    QByteArray clientBytes() const {
        const QMutexLocker lock(&m_recordLock);
        return m_sent;
    }

private:
    void accept() {
        while (QTcpSocket* client = m_server->nextPendingConnection()) {
            client->setParent(this);
            auto* target = new QTcpSocket(this);
            m_sockets << client << target;
            pipe(client, target, false);
            pipe(target, client, true);
            target->connectToHost(m_host, m_targetPort);
        }
    }

    void pipe(QTcpSocket* from, QTcpSocket* to, bool fromServer) {
        m_pipes.append({QPointer<QTcpSocket>(from), QPointer<QTcpSocket>(to)});
        connect(from, &QTcpSocket::readyRead, to, [this, from, to, fromServer] {
            if (!m_stalled && to->state() == QAbstractSocket::ConnectedState)
                to->write(passed(from, fromServer));
        });
        // What the client said before the server's side was connected goes out then.
        connect(to, &QTcpSocket::connected, from,
                [this, from, to, fromServer] { to->write(passed(from, fromServer)); });
        connect(from, &QTcpSocket::disconnected, to, [to] { to->disconnectFromHost(); });
        connect(from, &QTcpSocket::errorOccurred, to, [to] { to->abort(); });
    }

    QByteArray passed(QTcpSocket* from, bool fromServer) {
        QByteArray bytes = from->readAll();
        // The greeting: a 4-byte header, the protocol version, the server's version up to its
        // NUL, 4 + 8 + 1 bytes, then the low capability flags, whose 0x0800 offers TLS.
        if (fromServer && m_hideTls && !m_greeted.contains(from)) {
            m_greeted.insert(from);
            const qsizetype versionEnd = bytes.indexOf('\0', 5);
            const qsizetype flags = versionEnd + 1 + 4 + 8 + 1;
            if (versionEnd > 0 && flags + 1 < bytes.size())
                bytes[flags + 1] = char(bytes[flags + 1] & ~0x08);
        }
        const QMutexLocker lock(&m_recordLock);
        m_recorded += bytes;
        if (!fromServer)
            m_sent += bytes;
        return bytes;
    }

    QString m_host;
    quint16 m_targetPort;
    mutable QMutex m_recordLock;
    QByteArray m_recorded;
    QSet<QTcpSocket*> m_greeted;
    std::atomic<bool> m_hideTls{false};
    quint16 m_listenPort = 0;
    QTcpServer* m_server = nullptr;
    QList<QPointer<QTcpSocket>> m_sockets;
    QList<std::pair<QPointer<QTcpSocket>, QPointer<QTcpSocket>>> m_pipes;
    bool m_stalled = false;
    QByteArray m_sent; // everything the clients sent through the relay
};

TcpRelay::TcpRelay(const QString& host, quint16 port, quint16 listenPort)
    : m_worker(new RelayWorker(host, port, listenPort)) {
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

TcpRelay::~TcpRelay() {
    close();
    m_thread.quit();
    m_thread.wait();
}

bool TcpRelay::open() {
    bool opened = false;
    QMetaObject::invokeMethod(m_worker, "open", Qt::BlockingQueuedConnection, Q_RETURN_ARG(bool, opened));
    return opened;
}

void TcpRelay::close() {
    QMetaObject::invokeMethod(m_worker, "close", Qt::BlockingQueuedConnection);
}

void TcpRelay::stall(bool stalled) {
    QMetaObject::invokeMethod(m_worker, "stall", Qt::BlockingQueuedConnection, Q_ARG(bool, stalled));
}

QByteArray TcpRelay::clientBytes() const {
    QByteArray bytes;
    QMetaObject::invokeMethod(m_worker, "clientBytes", Qt::BlockingQueuedConnection,
                              Q_RETURN_ARG(QByteArray, bytes));
    return bytes;
}

quint16 TcpRelay::port() const {
    return m_worker->listenPort();
}

QByteArray TcpRelay::recorded() const {
    return m_worker->recorded();
}

void TcpRelay::clearRecording() {
    m_worker->clearRecording();
}

void TcpRelay::hideMariaDbTls(bool hidden) {
    m_worker->hideMariaDbTls(hidden);
}

} // namespace teran::test

#include "TcpRelay.moc"
