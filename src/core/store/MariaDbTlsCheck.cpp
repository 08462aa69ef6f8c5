#include "MariaDbTlsCheck.h"

#include <QDeadlineTimer>
#include <QSslSocket>
#include <QtEndian>
#include <algorithm>
#include <optional>
#include <utility>

namespace teran {

namespace {

// Capability flags of the client/server protocol.
constexpr quint32 kClientLongPassword = 0x00000001;
constexpr quint32 kClientProtocol41 = 0x00000200;
constexpr quint32 kClientSsl = 0x00000800;
constexpr quint32 kClientSecureConnection = 0x00008000;
constexpr quint8 kUtf8mb4 = 45;
constexpr int kHeaderSize = 4;

// One packet of the protocol: a 3-byte little-endian length and a sequence number, then the
// payload. Empty when it does not arrive in time.
QByteArray readPacket(QSslSocket& socket, const QDeadlineTimer& deadline) {
    while (socket.bytesAvailable() < kHeaderSize)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    const QByteArray header = socket.peek(kHeaderSize);
    const qint64 length = quint8(header[0]) | (quint8(header[1]) << 8) | (quint8(header[2]) << 16);
    while (socket.bytesAvailable() < kHeaderSize + length)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    socket.read(kHeaderSize);
    return socket.read(length);
}

// The server's capabilities from its greeting (protocol 10): version, a NUL-ended server
// version, a 4-byte connection id, 8 bytes of scramble and a filler, then the low 16 bits.
std::optional<quint32> capabilitiesOf(const QByteArray& greeting) {
    if (greeting.isEmpty() || quint8(greeting[0]) != 10)
        return std::nullopt;
    const qsizetype versionEnd = greeting.indexOf('\0', 1);
    const qsizetype flagsAt = versionEnd + 1 + 4 + 8 + 1;
    if (versionEnd < 0 || greeting.size() < flagsAt + 2)
        return std::nullopt;
    return qFromLittleEndian<quint16>(greeting.constData() + flagsAt);
}

// The client's request to go on in TLS: capabilities, the largest packet, the character set and
// 23 reserved bytes, as packet number 1.
QByteArray tlsRequest() {
    QByteArray payload(32, '\0');
    qToLittleEndian<quint32>(kClientLongPassword | kClientProtocol41 | kClientSsl | kClientSecureConnection,
                             payload.data());
    qToLittleEndian<quint32>(16 * 1024 * 1024, payload.data() + 4);
    payload[8] = char(kUtf8mb4);
    QByteArray packet(kHeaderSize, '\0');
    packet[0] = char(payload.size());
    packet[3] = 1;
    return packet + payload;
}

QString serverName(const QString& host, quint16 port) {
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

} // namespace

MariaDbTlsCheck::MariaDbTlsCheck(TlsTrust trust, int timeoutMs)
    : m_trust(std::move(trust))
    , m_timeoutMs(timeoutMs) {}

MariaDbTlsCheck::Result MariaDbTlsCheck::check(const QString& host, quint16 port) const {
    const QString server = serverName(host, port);
    if (const QString problem = m_trust.problem(); !problem.isEmpty())
        return {Outcome::Refused, problem};
    const Result unreachable{Outcome::Unreachable,
                             QStringLiteral("Can't connect to server on '%1' (timed out)").arg(server)};
    // One bound for the whole check, as the driver has for reaching the server.
    const QDeadlineTimer deadline(m_timeoutMs);
    QSslSocket socket;
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return unreachable;
    const QByteArray greeting = readPacket(socket, deadline);
    if (greeting.isEmpty())
        return unreachable;
    if (quint8(greeting[0]) == 0xFF)
        return {};
    const std::optional<quint32> capabilities = capabilitiesOf(greeting);
    if (!capabilities || !(*capabilities & kClientSsl))
        return {Outcome::Refused, TlsTrust::noTlsText(server)};
    socket.write(tlsRequest());
    socket.setSslConfiguration(m_trust.clientConfiguration());
    socket.setPeerVerifyName(host);
    socket.startClientEncryption();
    const bool encrypted = socket.waitForEncrypted(int(std::max<qint64>(1, deadline.remainingTime())));
    const QList<QSslError> errors = socket.sslHandshakeErrors();
    const bool timedOut = socket.error() == QAbstractSocket::SocketTimeoutError;
    socket.abort();
    if (encrypted)
        return {};
    if (errors.isEmpty() && timedOut)
        return unreachable;
    return {Outcome::Refused, TlsTrust::refusalText(errors, server)};
}

} // namespace teran
