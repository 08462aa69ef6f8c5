#include "TcpRelay.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace teran::test {

class RelayWorker : public QObject {
    Q_OBJECT
public:
    RelayWorker(QString host, quint16 port)
        : m_host(std::move(host))
        , m_targetPort(port) {}

    quint16 listenPort() const { return m_listenPort; }

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
            if (from && to && to->state() == QAbstractSocket::ConnectedState && from->bytesAvailable() > 0) {
                const QByteArray bytes = from->readAll();
                if (m_sockets.indexOf(from) % 2 == 0) // clients stand first in their pair
                    m_sent += bytes;
                to->write(bytes);
            }
    }

    QByteArray clientBytes() const { return m_sent; }

private:
    void accept() {
        while (QTcpSocket* client = m_server->nextPendingConnection()) {
            client->setParent(this);
            auto* target = new QTcpSocket(this);
            m_sockets << client << target;
            pipe(client, target, true);
            pipe(target, client, false);
            target->connectToHost(m_host, m_targetPort);
        }
    }

    void pipe(QTcpSocket* from, QTcpSocket* to, bool fromClient) {
        m_pipes.append({QPointer<QTcpSocket>(from), QPointer<QTcpSocket>(to)});
        const auto pass = [this, from, to, fromClient] {
            const QByteArray bytes = from->readAll();
            if (fromClient)
                m_sent += bytes;
            to->write(bytes);
        };
        connect(from, &QTcpSocket::readyRead, to, [this, to, pass] {
            if (!m_stalled && to->state() == QAbstractSocket::ConnectedState)
                pass();
        });
        // What the client said before the server's side was connected goes out then.
        connect(to, &QTcpSocket::connected, from, pass);
        connect(from, &QTcpSocket::disconnected, to, [to] { to->disconnectFromHost(); });
        connect(from, &QTcpSocket::errorOccurred, to, [to] { to->abort(); });
    }

    QString m_host;
    quint16 m_targetPort;
    quint16 m_listenPort = 0;
    QTcpServer* m_server = nullptr;
    QList<QPointer<QTcpSocket>> m_sockets;
    QList<std::pair<QPointer<QTcpSocket>, QPointer<QTcpSocket>>> m_pipes;
    bool m_stalled = false;
    QByteArray m_sent; // everything the clients sent through the relay
};

TcpRelay::TcpRelay(const QString& host, quint16 port)
    : m_worker(new RelayWorker(host, port)) {
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

} // namespace teran::test

#include "TcpRelay.moc"
