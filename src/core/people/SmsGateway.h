#pragma once

#include "SmsAccounts.h"
#include "SmsAnswer.h"
#include "SmsGuard.h"
#include "SmsRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QSslConfiguration>
#include <QTcpServer>
#include <functional>
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

// The accounts one connection has named, each password checked once: the check is a slow hash,
// and what it said holds for the connection's later records with the same user and password.
// A check that fails is counted, so that the gateway can bound them.
class CheckedAccounts final : public SmsAccounts {
public:
    using Checks = QHash<QString, std::optional<QString>>; // user and password -> office
    CheckedAccounts(SmsAccounts& book, Checks& checks)
        : m_book(book)
        , m_checks(checks) {}
    std::optional<QString> officeOf(const QString& user, const QString& password) override;
    bool charge(const QString& office, const QString& user, const SmsRecordFields& message) override {
        return m_book.charge(office, user, message);
    }
    // The user of the last check that failed, and how many failed, since the last take.
    int failures() const { return m_failures; }
    const QString& failedUser() const { return m_failedUser; }

private:
    SmsAccounts& m_book;
    Checks& m_checks;
    int m_failures = 0;
    QString m_failedUser;
};

// One line of the gateway's file of sent messages: time, receiver, callback and the text,
// tab-separated, the text's backslashes, tabs and line breaks written as \\, \t, \n and \r.
QString sentLine(const QDateTime& at, const SmsRecordFields& message);
// The text of such a line back.
QString sentText(const QString& line);

// What one connection may take before the gateway closes it.
struct SmsGatewayLimits {
    int idleMs = 3000;                 // quiet time before "#DCN"
    int handshakeMs = 5000;            // a TLS handshake that takes longer is dropped
    int recordsPerConnection = 10'000; // a batch of an office is far below it
    int failedChecksPerConnection = 3; // wrong passwords (each a different one) on one connection
    int connectionsPerAddress = 16;    // open at once from one address
    int workers = 3;                   // threads checking passwords and charging, shared fairly
};

// The SMS gateway: listens on loopback, over TLS when it has a certificate, says "#CON" to
// every connection, reads 150-byte records, answers the records of every read with one result
// list, and after `idleMs` without a record says "#DCN" and closes. A piece of a record left at
// that point is answered as a bad record. Every accepted message is appended to the file.
// Passwords are checked and messages charged on worker threads, a few records of a connection at
// a time in turn with the others, so that one office's batch or flood never holds up another's.
class SmsGateway : public QObject {
    Q_OBJECT
public:
    // One account that sends for free: the embedded demo's gateway.
    SmsGateway(SmsAccount account, const QString& sentFile, int idleMs, QObject* parent = nullptr);
    // The vendor's gateway: the offices' accounts and charges from a book per worker.
    SmsGateway(SmsBookMaker books, const QString& sentFile, int idleMs, QObject* parent = nullptr);
    ~SmsGateway() override;

    void setLimits(const SmsGatewayLimits& limits);
    void setGuardPolicy(const SmsGuardPolicy& policy) { m_guard = SmsLoginGuard(policy); }
    // Where the gateway tells what it refused (stderr for teran-smsd).
    void setLog(std::function<void(const QString&)> log) { m_log = std::move(log); }
    // Speaks TLS with this certificate and key (PEM); false with the reason when they do not read.
    bool useTls(const QString& certFile, const QString& keyFile, QString* error);
    bool speaksTls() const { return m_tls.has_value(); }

    bool listen(quint16 port, QString* error);
    quint16 port() const;

private:
    friend class GatewayConnection;
    void accept(qintptr descriptor);
    void log(const QString& line) const;
    qint64 now() const { return m_clock.elapsed(); }
    // Closes every open connection from an address the guard has just refused.
    void dropAddress(const QString& address);
    void keepSent(const QByteArray& lines);

    SmsGatewayLimits m_limits;
    std::unique_ptr<class GatewayWorkers> m_workers;
    SmsBookMaker m_books;
    QFile m_sent;
    std::optional<QSslConfiguration> m_tls;
    SmsLoginGuard m_guard;
    QElapsedTimer m_clock;
    std::function<void(const QString&)> m_log;
    QHash<QString, int> m_openFrom; // open connections by address
    QSet<class GatewayConnection*> m_connections;
    std::unique_ptr<QTcpServer> m_server;
};

} // namespace teran
