#pragma once

#include "SmsAnswer.h"
#include "SmsRecord.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <optional>

namespace teran {

class Session;

class SqlStore;

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

// Sends a batch over one connection to the gateway: every record first, then the results as
// they come, however TCP cuts them. The wait keeps the program's events running, so a window
// stays usable; a gateway that never answers ends the wait with the reason.
class SmsSender {
public:
    SmsSender(QString host, quint16 port, SmsAccount account, SmsLimits limits = {});
    // Each line the window's log box shows, as it happens.
    void setLog(std::function<void(const QString&)> log) { m_log = std::move(log); }

    SmsBatchResult send(const SmsBatch& batch);

private:
    void log(const QString& line) const;

    QString m_host;
    quint16 m_port;
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
