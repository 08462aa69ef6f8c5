#include "GreetingServer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

#include <sys/socket.h>
#include <sys/time.h>

namespace teran::test {

namespace {

// Takes the connection's descriptor for the TLS socket of the thread that serves it.
class DescriptorServer : public QTcpServer {
public:
    qintptr taken = -1;

protected:
    void incomingConnection(qintptr descriptor) override { taken = descriptor; }
};

QByteArray greeting(bool tls) {
    QByteArray payload;
    payload.append(char(10));
    payload.append("10.11.0-fake");
    payload.append('\0');
    payload.append(QByteArray(4, '\1')); // connection id
    payload.append(QByteArray(8, 'a'));  // scramble
    payload.append('\0');                // filler
    const quint16 flags = 0x0200 | 0x8000 | (tls ? 0x0800 : 0);
    payload.append(char(flags & 0xFF));
    payload.append(char(flags >> 8));
    payload.append(char(45));
    payload.append(QByteArray(4, '\0')); // status, upper flags
    payload.append(char(21));
    payload.append(QByteArray(10, '\0'));
    payload.append(QByteArray(12, 'b'));
    payload.append('\0');
    QByteArray header(4, '\0');
    header[0] = char(payload.size());
    return header + payload;
}

} // namespace

GreetingServer::GreetingServer(bool offersTls, TestCertificate certificate)
    : m_offersTls(offersTls)
    , m_certificate(std::move(certificate)) {
    std::promise<quint16> listening;
    std::future<quint16> port = listening.get_future();
    m_thread = std::thread([this, &listening] { serveOne(listening); });
    m_port = port.get();
}

GreetingServer::~GreetingServer() {
    m_thread.join();
}

void GreetingServer::serveOne(std::promise<quint16>& listening) {
    DescriptorServer server;
    server.listen(QHostAddress::LocalHost);
    listening.set_value(server.serverPort());
    if (!server.waitForNewConnection(15000) || server.taken < 0)
        return;
    // The greeting and the request go over the bare socket, so that nothing of the client's
    // handshake that follows is read before the TLS socket takes the connection.
    const int descriptor = int(server.taken);
    const QByteArray hello = greeting(m_offersTls);
    ::send(descriptor, hello.constData(), size_t(hello.size()), MSG_NOSIGNAL);
    timeval wait{3, 0};
    ::setsockopt(descriptor, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    QByteArray request(36, '\0');
    const ssize_t got = ::recv(descriptor, request.data(), size_t(request.size()), MSG_WAITALL);
    m_clear = request.left(std::max<ssize_t>(got, 0));
    QSslSocket socket;
    socket.setSocketDescriptor(server.taken);
    if (!m_offersTls || m_clear.size() < 36)
        return;
    QFile cert(m_certificate.certFile);
    QFile key(m_certificate.keyFile);
    cert.open(QIODevice::ReadOnly);
    key.open(QIODevice::ReadOnly);
    socket.setLocalCertificate(QSslCertificate(cert.readAll()));
    socket.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
    socket.startServerEncryption();
    socket.waitForEncrypted(5000);
    if (socket.state() == QAbstractSocket::ConnectedState)
        socket.waitForDisconnected(3000);
}

} // namespace teran::test
