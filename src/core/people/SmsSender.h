#pragma once

#include "SmsAnswer.h"
#include "SmsRecord.h"
#include "core/store/TlsTrust.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <optional>

namespace teran {

class Session;
class SqlStore;
struct TeranConfig;

// A batch of one text to one or many numbers, from one callback number.
struct SmsBatch {
    QStringList receivers;
    QString callback;
    QString text;
};

struct SmsBatchResult {
    QList<SmsResult> results; // one per receiver answered, in the gateway's order
    QString error;            // why the batch stopped: no connection, no answer in time
    int delivered() const;
    QStringList deliveredNumbers() const; // digits only
    qint64 chargeWon() const { return kSmsPriceWon * delivered(); }
};

struct SmsLimits {
    int connectMs = 5000; // about five one-second ticks
    int answerMs = 15000; // for the whole batch's results after the last record was sent
};

// Where the desk reaches the gateway. Every configured gateway is reached over TLS, its
// certificate verified against the authority of teran.ini and its name against the host; only
// the embedded demo's own gateway, which the program started itself on this machine, speaks
// clear text, on loopback.
struct SmsLink {
    QString host;
    quint16 port = 0;
    std::optional<TlsTrust> trust; // none: the demo's own gateway
    static SmsLink tls(QString host, quint16 port, QString caFile);
    static SmsLink demo(quint16 port);
    // How the refusals name the gateway: "SMS 서버 host:port".
    QString serverName() const;
};
// The link of a configuration: [sms] Host and [server] Ca, the port from the server.
SmsLink smsLinkOf(const TeranConfig& config, quint16 port);

// Sends a batch over one connection to the gateway: every record first, then the results as
// they come, however TCP cuts them. The wait keeps the program's events running, so a window
// stays usable; a gateway that never answers ends the wait with the reason. Over TLS nothing,
// not even the account, is written before the gateway's certificate and name are verified; a
// gateway that offers no TLS or whose certificate does not verify is refused with the reason.
class SmsSender {
public:
    SmsSender(SmsLink link, SmsAccount account, SmsLimits limits = {});
    // Each line the window's log box shows, as it happens.
    void setLog(std::function<void(const QString&)> log) { m_log = std::move(log); }

    SmsBatchResult send(const SmsBatch& batch);

private:
    void log(const QString& line) const;
    // Connected, and over TLS verified; otherwise false with the reason in the result.
    bool connectTo(class QSslSocket& socket, SmsBatchResult& result) const;

    SmsLink m_link;
    SmsAccount m_account;
    SmsLimits m_limits;
    std::function<void(const QString&)> m_log;
};

// The gateway's port, row 3 of `mem_msg`; nullopt when the row holds no port.
std::optional<quint16> smsGatewayPort(SqlStore& server);
std::optional<quint16> smsGatewayPort(Session& session); // from the server

// The cash ledger row of a charged batch: −30 won per delivered message, in 64 bits.
void chargeSmsBatch(SqlStore& server, const QString& officeId, const QString& loginId, int delivered,
                    const QString& text, const QDateTime& now);
// The same on the session's server, for its office and user, now.
void chargeSmsBatch(Session& session, int delivered, const QString& text);

} // namespace teran
