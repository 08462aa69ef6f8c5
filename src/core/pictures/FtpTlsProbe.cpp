#include "FtpTlsProbe.h"

#include "core/store/TlsTrust.h"

#include <QDeadlineTimer>
#include <QSslSocket>

namespace teran {

namespace {

// The last line of the server's next reply ("220-..." lines go on to "220 ..."), or empty when
// none came in time.
QByteArray readReply(QSslSocket& socket, const QDeadlineTimer& deadline) {
    while (true) {
        while (socket.canReadLine()) {
            const QByteArray line = socket.readLine().trimmed();
            if (line.size() >= 3 && (line.size() == 3 || line.at(3) == ' '))
                return line;
        }
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
}

} // namespace

QString ftpTlsRefusal(const QString& host, int port, const TlsTrust& trust, int waitMs) {
    const QString server = QStringLiteral("%1:%2").arg(host).arg(port);
    QSslSocket socket;
    socket.connectToHost(host, static_cast<quint16>(port));
    if (!socket.waitForConnected(waitMs))
        return {};
    const QByteArray greeting = readReply(socket, QDeadlineTimer(waitMs));
    if (!greeting.startsWith("220"))
        return {};
    socket.write("AUTH TLS\r\n");
    const QByteArray answer = readReply(socket, QDeadlineTimer(waitMs));
    // "500 not understood", "502 not implemented", "534 refused": anything but "234" is no TLS.
    if (!answer.startsWith("234"))
        return answer.isEmpty() ? QString() : TlsTrust::noTlsText(server);
    socket.setSslConfiguration(trust.clientConfiguration());
    socket.setPeerVerifyName(host);
    socket.startClientEncryption();
    if (socket.waitForEncrypted(waitMs))
        return {};
    return TlsTrust::refusalText(socket.sslHandshakeErrors(), server);
}

} // namespace teran
