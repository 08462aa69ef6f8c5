#include "SmsSender.h"
#include "core/session/Session.h"

#include "core/session/TeranConfig.h"
#include "core/store/SqlStore.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSslSocket>
#include <QTimer>

namespace teran {

int SmsBatchResult::delivered() const {
    int n = 0;
    for (const SmsResult& r : results)
        n += r.delivered() ? 1 : 0;
    return n;
}

QStringList SmsBatchResult::deliveredNumbers() const {
    QStringList numbers;
    for (const SmsResult& r : results)
        if (r.delivered())
            numbers << digitsOfNumber(r.number);
    return numbers;
}

SmsLink SmsLink::tls(QString host, quint16 port, QString caFile) {
    return {std::move(host), port, TlsTrust(std::move(caFile))};
}

SmsLink SmsLink::demo(quint16 port) {
    return {QStringLiteral("127.0.0.1"), port, std::nullopt};
}

QString SmsLink::serverName() const {
    return QStringLiteral("SMS 서버 %1:%2").arg(host).arg(port);
}

SmsLink smsLinkOf(const TeranConfig& config, quint16 port) {
    if (config.isEmbeddedDemo())
        return SmsLink::demo(port);
    return SmsLink::tls(config.smsHost, port, config.serverCa);
}

SmsSender::SmsSender(SmsLink link, SmsAccount account, SmsLimits limits)
    : m_link(std::move(link))
    , m_account(std::move(account))
    , m_limits(limits) {}

void SmsSender::log(const QString& line) const {
    if (m_log)
        m_log(line);
}

namespace {

// Runs the program's events until `done` holds or the time is up; false on time up.
bool waitFor(const std::function<bool()>& done, int ms, QSslSocket& socket) {
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(20);
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QSslSocket::encrypted, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    tick.start();
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() >= ms)
            return false;
        loop.exec();
    }
    return true;
}

} // namespace

bool SmsSender::connectTo(QSslSocket& socket, SmsBatchResult& result) const {
    if (m_link.trust && !m_link.trust->problem().isEmpty()) {
        result.error = m_link.trust->problem();
        return false;
    }
    QList<QSslError> refused;
    QObject::connect(&socket, &QSslSocket::sslErrors, &socket,
                     [&refused](const QList<QSslError>& errors) { refused = errors; });
    log(QStringLiteral("=> 서버와의 연결 중."));
    if (m_link.trust) {
        socket.setSslConfiguration(m_link.trust->clientConfiguration());
        socket.setPeerVerifyName(m_link.host);
        socket.connectToHostEncrypted(m_link.host, m_link.port);
    } else {
        socket.connectToHost(m_link.host, m_link.port);
    }
    const auto ready = [&] {
        return m_link.trust ? socket.isEncrypted() : socket.state() == QAbstractSocket::ConnectedState;
    };
    const bool settled =
        waitFor([&] { return ready() || socket.state() == QAbstractSocket::UnconnectedState; },
                m_limits.connectMs, socket);
    if (settled && ready())
        return true;
    if (!refused.isEmpty())
        result.error = TlsTrust::refusalText(refused, m_link.serverName());
    else if (socket.error() == QAbstractSocket::SslHandshakeFailedError)
        result.error = TlsTrust::noTlsText(m_link.serverName());
    else if (socket.error() == QAbstractSocket::UnknownSocketError || !settled)
        result.error = QStringLiteral("SMS 서버가 응답하지 않습니다.");
    else
        result.error = QStringLiteral("연결시 에러발생했습니다 다시 시도하세요\r\n") + socket.errorString();
    socket.abort();
    return false;
}

SmsBatchResult SmsSender::send(const SmsBatch& batch) {
    SmsBatchResult result;
    QByteArray records;
    for (const QString& receiver : batch.receivers) {
        const SmsRecordBuild built = smsRecord(m_account, receiver, batch.callback, batch.text);
        if (!built.record) {
            result.error = built.error;
            return result; // nothing is sent of a text that cannot travel
        }
        records += *built.record;
    }
    if (records.isEmpty())
        return result;

    QSslSocket socket;
    if (!connectTo(socket, result))
        return result;
    log(QStringLiteral("=> 서버와 접속 성공."));
    socket.write(records);

    SmsAnswerReader reader;
    const int expected = int(batch.receivers.size());
    // A result counts only for a number of the batch, and once: a gateway that answers more
    // (or other numbers) charges and reports nothing more.
    // The gateway answers a receiver without digits as "-".
    const auto answerKey = [](const QString& number) {
        const QString digits = digitsOfNumber(number);
        return digits.isEmpty() ? QStringLiteral("-") : digits;
    };
    QStringList unanswered;
    for (const QString& receiver : batch.receivers)
        unanswered << answerKey(receiver);
    bool closing = false;
    const auto take = [&] {
        const SmsAnswerReader::Events events =
            reader.feed(socket.readAll(), expected - int(result.results.size()));
        for (const SmsResult& r : events.results) {
            if (!unanswered.removeOne(answerKey(r.number)))
                continue;
            result.results << r;
            log(r.number + (r.delivered() ? QStringLiteral(" ☞ 성공") : QStringLiteral(" ☞ Ⅹ")));
        }
        if (events.closing && !closing) {
            closing = true;
            log(QStringLiteral("#서버와 접속종료#"));
        }
    };
    const bool answered = waitFor(
        [&] {
            take();
            return result.results.size() >= expected || closing ||
                   socket.state() == QAbstractSocket::UnconnectedState;
        },
        m_limits.answerMs, socket);
    if (result.results.size() < expected)
        result.error = answered ? QStringLiteral("SMS 서버가 %1 건 중 %2 건에만 응답하였습니다.")
                                      .arg(expected)
                                      .arg(result.results.size())
                                : QStringLiteral("SMS 서버가 제때 응답하지 않습니다.");
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.abort();
    log(QStringLiteral("=> 서버와의 연결 종료."));
    return result;
}

std::optional<quint16> smsGatewayPort(SqlStore& server) {
    bool ok = false;
    const int port =
        server.scalar(QStringLiteral("SELECT content FROM mem_msg WHERE table_idx=?"), {3}, QString())
            .toString()
            .trimmed()
            .toInt(&ok);
    if (!ok || port <= 0 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

void chargeSmsBatch(SqlStore& server, const QString& officeId, const QString& loginId, int delivered,
                    const QString& text, const QDateTime& now) {
    if (delivered <= 0)
        return;
    server.execute(
        QStringLiteral("INSERT INTO mem_cash (companyID, `ID`, `Type`, `Money`, content, writeday) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {officeId, loginId, QStringLiteral("SMS문자전송"), -kSmsPriceWon * qint64(delivered),
         QStringLiteral("문자메세지발송 총 %1 건 [%2]").arg(delivered).arg(text), server.toStored(now)});
}

std::optional<quint16> smsGatewayPort(Session& session) {
    return smsGatewayPort(session.serverStore());
}

void chargeSmsBatch(Session& session, int delivered, const QString& text) {
    // The vendor's gateway charges every message it accepts where each member is an account;
    // the office only reads its balance there.
    if (session.serverTakesMembers())
        return;
    chargeSmsBatch(session.serverStore(), session.state().OfficeMainId, session.state().LoginId, delivered,
                   text, session.clock().now());
}

} // namespace teran
