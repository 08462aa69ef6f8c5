#pragma once

#include "SmsAccounts.h"
#include "SmsAnswer.h"
#include "SmsRecord.h"

#include <QFile>
#include <QObject>
#include <QTcpServer>
#include <memory>

namespace teran {

// What the gateway makes of one record: the result it answers, and the line it keeps of a
// message it accepted.
struct GatewayVerdict {
    SmsResult result;
    std::optional<SmsRecordFields> accepted;
};
GatewayVerdict judgeRecord(const QByteArray& record, const SmsAccount& account);
// The same against a book of accounts, which also charges the message it accepts; a message
// the office's balance cannot pay is answered "41".
GatewayVerdict judgeRecord(const QByteArray& record, SmsAccounts& accounts);

// One line of the gateway's file of sent messages: time, receiver, callback and the text,
// tab-separated, the text's backslashes, tabs and line breaks written as \\, \t, \n and \r.
QString sentLine(const QDateTime& at, const SmsRecordFields& message);
// The text of such a line back.
QString sentText(const QString& line);

// The SMS gateway: listens on loopback, says "#CON" to every connection, reads 150-byte
// records, answers the records of every read with one result list, and after `idleMs`
// without a record says "#DCN" and closes. A piece of a record left at that point is answered
// as a bad record. Every accepted message is appended to the file.
class SmsGateway : public QObject {
    Q_OBJECT
public:
    SmsGateway(SmsAccount account, const QString& sentFile, int idleMs, QObject* parent = nullptr);
    // The vendor's gateway: the offices' accounts and charges from `accounts`, which outlives it.
    SmsGateway(SmsAccounts& accounts, const QString& sentFile, int idleMs, QObject* parent = nullptr);
    bool listen(quint16 port, QString* error);
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();
    void serve(class QTcpSocket* socket);

    std::unique_ptr<SmsAccounts> m_own;
    SmsAccounts* m_accounts = nullptr;
    QFile m_sent;
    int m_idleMs;
    QTcpServer m_server;
};

} // namespace teran
