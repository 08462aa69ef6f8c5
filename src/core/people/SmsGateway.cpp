#include "SmsGateway.h"

#include <QDateTime>
#include <QTcpSocket>
#include <QTimer>

namespace teran {

namespace {

// The receiver as the answer names it: its digits only, so that nothing in a malformed field
// can break the result list.
QString answeredNumber(const QByteArray& record) {
    QString digits;
    for (const char c : record.mid(26, 11))
        if (c >= '0' && c <= '9')
            digits += QLatin1Char(c);
    return digits.isEmpty() ? QStringLiteral("-") : digits;
}

QString escaped(QString text) {
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
}

} // namespace

GatewayVerdict judgeRecord(const QByteArray& record, const SmsAccount& account) {
    OneSmsAccount one(account);
    return judgeRecord(record, one);
}

GatewayVerdict judgeRecord(const QByteArray& record, SmsAccounts& accounts) {
    const QString number = answeredNumber(record);
    const std::optional<SmsRecordFields> fields = parseSmsRecord(record);
    if (!fields || fields->type != QLatin1String("01") || fields->service != QLatin1String("0144"))
        return {{smsCode::BadRecord, number}, std::nullopt};
    const std::optional<QString> office = accounts.officeOf(fields->user, fields->password);
    if (!office)
        return {{smsCode::BadAccount, number}, std::nullopt};
    if (!isMobileNumber(fields->receiver))
        return {{smsCode::BadNumber, number}, std::nullopt};
    if (!accounts.charge(*office, fields->user, *fields))
        return {{smsCode::ShortBalance, fields->receiver}, std::nullopt};
    return {{smsCode::Delivered, fields->receiver}, fields};
}

QString sentLine(const QDateTime& at, const SmsRecordFields& message) {
    return at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1Char('\t') + message.receiver +
           QLatin1Char('\t') + message.callback + QLatin1Char('\t') + escaped(message.text);
}

QString sentText(const QString& line) {
    const QString raw = line.section(QLatin1Char('\t'), 3);
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != QLatin1Char('\\') || i + 1 == raw.size()) {
            out += raw.at(i);
            continue;
        }
        const QChar next = raw.at(++i);
        out += next == QLatin1Char('n')   ? QChar('\n')
               : next == QLatin1Char('r') ? QChar('\r')
               : next == QLatin1Char('t') ? QChar('\t')
                                          : next;
    }
    return out;
}

SmsGateway::SmsGateway(SmsAccount account, const QString& sentFile, int idleMs, QObject* parent)
    : SmsGateway(*new OneSmsAccount(std::move(account)), sentFile, idleMs, parent) {
    m_own.reset(m_accounts);
}

SmsGateway::SmsGateway(SmsAccounts& accounts, const QString& sentFile, int idleMs, QObject* parent)
    : QObject(parent)
    , m_accounts(&accounts)
    , m_sent(sentFile)
    , m_idleMs(idleMs) {
    connect(&m_server, &QTcpServer::newConnection, this, &SmsGateway::accept);
}

bool SmsGateway::listen(quint16 port, QString* error) {
    if (!m_sent.open(QIODevice::Append | QIODevice::Text)) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_sent.fileName(), m_sent.errorString());
        return false;
    }
    // Loopback only: the gateway is for this machine's tests and demo.
    if (!m_server.listen(QHostAddress::LocalHost, port)) {
        *error = m_server.errorString();
        return false;
    }
    return true;
}

void SmsGateway::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection())
        serve(socket);
}

void SmsGateway::serve(QTcpSocket* socket) {
    auto* buffer = new QByteArray;
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(m_idleMs);
    connect(socket, &QObject::destroyed, socket, [buffer] { delete buffer; });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, idle] {
        buffer->append(socket->readAll());
        QList<SmsResult> results;
        QByteArray lines;
        while (buffer->size() >= kSmsRecordBytes) {
            const GatewayVerdict verdict = judgeRecord(buffer->left(kSmsRecordBytes), *m_accounts);
            buffer->remove(0, kSmsRecordBytes);
            results << verdict.result;
            if (verdict.accepted)
                lines += sentLine(QDateTime::currentDateTime(), *verdict.accepted).toUtf8() + '\n';
        }
        if (!lines.isEmpty()) {
            m_sent.write(lines);
            m_sent.flush();
        }
        if (!results.isEmpty())
            socket->write(smsResultList(results));
        idle->start();
    });
    connect(idle, &QTimer::timeout, socket, [socket, buffer] {
        if (!buffer->isEmpty()) { // a record cut short
            socket->write(smsResultList(
                {{smsCode::BadRecord, answeredNumber(buffer->leftJustified(kSmsRecordBytes, ' '))}}));
            buffer->clear();
        }
        socket->write("#DCN");
        socket->disconnectFromHost();
    });
    socket->write("#CON");
    idle->start();
}

} // namespace teran
