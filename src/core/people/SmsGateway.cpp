#include "SmsGateway.h"
#include "core/store/StoreError.h"

#include <QDateTime>
#include <QPointer>
#include <QQueue>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QThread>
#include <QTimer>
#include <vector>

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

std::optional<QString> CheckedAccounts::officeOf(const QString& user, const QString& password) {
    const QString key = user + QChar(0) + password;
    const auto known = m_checks.constFind(key);
    if (known != m_checks.constEnd())
        return *known;
    const std::optional<QString> office = m_book.officeOf(user, password);
    m_checks.insert(key, office);
    if (!office) {
        ++m_failures;
        m_failedUser = user;
    }
    return office;
}

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

namespace {

// Records a worker judges at a time before the connection's turn passes to the next one.
constexpr int kRecordsATurn = 64;

// Takes each new connection itself, so that a refused address is dropped before any handshake.
class GatewayListener final : public QTcpServer {
public:
    explicit GatewayListener(std::function<void(qintptr)> accept)
        : m_accept(std::move(accept)) {}

protected:
    void incomingConnection(qintptr descriptor) override { m_accept(descriptor); }

private:
    std::function<void(qintptr)> m_accept;
};

} // namespace

// The threads that check passwords and charge messages, each with its own book (and so its own
// database connection). A job waits for a free thread in the order it came; a connection has
// one job at a time, so the connections take turns.
class GatewayWorkers {
public:
    using Job = std::function<void(SmsAccounts* book, const QString& problem)>;

    GatewayWorkers(SmsBookMaker books, int count, QObject* home)
        : m_books(std::move(books))
        , m_home(home) {
        for (int i = 0; i < std::max(1, count); ++i) {
            auto worker = std::make_unique<Worker>();
            worker->name = QStringLiteral("smsd-worker-%1-%2").arg(quintptr(this)).arg(i);
            worker->context = new QObject;
            worker->context->moveToThread(&worker->thread);
            Worker* w = worker.get();
            // The book and its connection end on the thread that made them.
            QObject::connect(
                &worker->thread, &QThread::finished, worker->context, [w] { w->book.reset(); },
                Qt::DirectConnection);
            worker->thread.start();
            m_idle << w;
            m_workers.push_back(std::move(worker));
        }
    }
    ~GatewayWorkers() {
        for (auto& worker : m_workers) {
            worker->thread.quit();
            worker->thread.wait();
            delete worker->context;
        }
    }

    void run(Job job) {
        if (m_idle.isEmpty()) {
            m_waiting.enqueue(std::move(job));
            return;
        }
        start(*m_idle.takeFirst(), std::move(job));
    }

private:
    struct Worker {
        QThread thread;
        QObject* context = nullptr;
        QString name;
        std::unique_ptr<SmsAccounts> book;
    };

    void start(Worker& worker, Job job) {
        QMetaObject::invokeMethod(
            worker.context,
            [this, &worker, job = std::move(job)] {
                QString problem;
                if (!worker.book) {
                    try {
                        worker.book = m_books(worker.name);
                    } catch (const StoreError& error) {
                        problem = error.description();
                    }
                }
                job(worker.book.get(), problem);
                QMetaObject::invokeMethod(
                    m_home, [this, &worker] { done(worker); }, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    }
    void done(Worker& worker) {
        if (m_waiting.isEmpty())
            m_idle << &worker;
        else
            start(worker, m_waiting.dequeue());
    }

    SmsBookMaker m_books;
    QObject* m_home;
    std::vector<std::unique_ptr<Worker>> m_workers;
    QList<Worker*> m_idle;
    QQueue<Job> m_waiting;
};

// What a worker made of a connection's records.
struct JudgedRecords {
    QList<SmsResult> results;
    QByteArray sentLines;
    int consumed = 0; // records judged, from the front of the connection's buffer
    int failures = 0; // password checks that failed
    QString failedUser;
    QString problem; // the tables did not answer
    CheckedAccounts::Checks checks;
};

// One office's connection: its records, the passwords it has shown, and what it may still do.
class GatewayConnection : public QObject {
public:
    GatewayConnection(SmsGateway& gateway, QSslSocket* socket, QString address)
        : QObject(socket)
        , m_gateway(gateway)
        , m_socket(socket)
        , m_address(std::move(address)) {
        m_idle.setSingleShot(true);
        m_idle.setInterval(gateway.m_limits.idleMs);
        connect(&m_idle, &QTimer::timeout, this, &GatewayConnection::quiet);
        m_gateway.m_connections.insert(this);
    }
    ~GatewayConnection() override { m_gateway.m_connections.remove(this); }
    const QString& address() const { return m_address; }

    void start() {
        connect(m_socket, &QIODevice::readyRead, this, &GatewayConnection::read);
        m_socket->write("#CON");
        m_idle.start();
        read();
    }
    void finish() {
        if (m_closing)
            return;
        m_closing = true;
        m_idle.stop();
        m_socket->write("#DCN");
        m_socket->disconnectFromHost();
    }

private:
    int recordsLeft() const { return m_gateway.m_limits.recordsPerConnection - m_records; }

    void read() {
        m_buffer.append(m_socket->readAll());
        // More than the connection may still send is not kept: it is closed instead.
        if (m_buffer.size() > qsizetype(recordsLeft() + 1) * kSmsRecordBytes) {
            m_gateway.log(QStringLiteral("closing a connection from %1: more than %2 records")
                              .arg(m_address)
                              .arg(m_gateway.m_limits.recordsPerConnection));
            finish();
            return;
        }
        pump();
    }

    void pump() {
        if (m_busy || m_closing)
            return;
        const int whole = int(std::min<qsizetype>(m_buffer.size() / kSmsRecordBytes, kRecordsATurn));
        if (whole == 0) {
            m_idle.start();
            return;
        }
        m_idle.stop();
        m_busy = true;
        QPointer<GatewayConnection> self(this);
        m_gateway.m_workers->run([self, records = m_buffer.left(qsizetype(whole) * kSmsRecordBytes),
                                  checks = m_checks,
                                  home = &m_gateway](SmsAccounts* book, const QString& problem) mutable {
            JudgedRecords judged = judge(records, std::move(checks), book, problem);
            QMetaObject::invokeMethod(
                home,
                [self, judged = std::move(judged)]() mutable {
                    if (self)
                        self->take(std::move(judged));
                },
                Qt::QueuedConnection);
        });
    }

    // On a worker's thread.
    static JudgedRecords judge(const QByteArray& records, CheckedAccounts::Checks checks, SmsAccounts* book,
                               const QString& problem) {
        JudgedRecords out;
        out.problem = problem;
        if (book) {
            CheckedAccounts checked(*book, checks);
            try {
                for (qsizetype at = 0; at + kSmsRecordBytes <= records.size(); at += kSmsRecordBytes) {
                    const GatewayVerdict verdict = judgeRecord(records.mid(at, kSmsRecordBytes), checked);
                    ++out.consumed;
                    out.results << verdict.result;
                    if (verdict.accepted)
                        out.sentLines +=
                            sentLine(QDateTime::currentDateTime(), *verdict.accepted).toUtf8() + '\n';
                    // The gateway hears of a wrong password before the next one is tried.
                    if (checked.failures() > 0)
                        break;
                }
            } catch (const StoreError& error) {
                out.problem = error.description();
            }
            out.failures = checked.failures();
            out.failedUser = checked.failedUser();
        }
        out.checks = std::move(checks);
        return out;
    }

    void take(JudgedRecords judged) {
        m_buffer.remove(0, qsizetype(judged.consumed) * kSmsRecordBytes);
        m_records += judged.consumed;
        m_checks = std::move(judged.checks);
        m_gateway.keepSent(judged.sentLines);
        if (!judged.problem.isEmpty()) {
            m_gateway.log(QStringLiteral("the tables did not answer: ") + judged.problem);
            answer(judged.results);
            finish();
            return;
        }
        if (judged.failures == 0) {
            answer(judged.results);
            m_busy = false;
            pump();
            return;
        }
        m_failures += judged.failures;
        const SmsLoginGuard::Verdict verdict =
            m_gateway.m_guard.failed(m_address, judged.failedUser, m_gateway.now());
        if (!verdict.logLine.isEmpty())
            m_gateway.log(verdict.logLine);
        const bool last = verdict.addressRefused || verdict.accountGuarded ||
                          m_failures >= m_gateway.m_limits.failedChecksPerConnection;
        // The answer of a guess waits, and nothing more of the connection is judged meanwhile.
        QTimer::singleShot(verdict.delayMs, this, [this, results = judged.results, last, verdict] {
            answer(results);
            if (verdict.addressRefused)
                m_gateway.dropAddress(m_address);
            if (last) {
                finish();
                return;
            }
            m_busy = false;
            pump();
        });
    }

    void answer(const QList<SmsResult>& results) {
        if (!results.isEmpty() && !m_closing)
            m_socket->write(smsResultList(results));
    }

    // Nothing came for a while: a record cut short is answered as a bad one, and the gateway
    // says goodbye.
    void quiet() {
        if (m_busy)
            return;
        if (!m_buffer.isEmpty())
            answer({{smsCode::BadRecord, answeredNumber(m_buffer.leftJustified(kSmsRecordBytes, ' '))}});
        m_buffer.clear();
        finish();
    }

    SmsGateway& m_gateway;
    QSslSocket* m_socket;
    QString m_address;
    QByteArray m_buffer;
    QTimer m_idle;
    bool m_busy = false;
    bool m_closing = false;
    int m_records = 0;
    int m_failures = 0;
    CheckedAccounts::Checks m_checks;
};

SmsGateway::SmsGateway(SmsAccount account, const QString& sentFile, int idleMs, QObject* parent)
    : SmsGateway(
          [account](const QString&) -> std::unique_ptr<SmsAccounts> {
              return std::make_unique<OneSmsAccount>(account);
          },
          sentFile, idleMs, parent) {}

SmsGateway::SmsGateway(SmsBookMaker books, const QString& sentFile, int idleMs, QObject* parent)
    : QObject(parent)
    , m_books(std::move(books))
    , m_sent(sentFile) {
    m_limits.idleMs = idleMs;
    m_clock.start();
}

SmsGateway::~SmsGateway() {
    // The workers end first: nothing they do then reaches a connection that is gone.
    m_workers.reset();
    m_server.reset();
    qDeleteAll(findChildren<QSslSocket*>(Qt::FindDirectChildrenOnly));
}

void SmsGateway::setLimits(const SmsGatewayLimits& limits) {
    m_limits = limits;
}

bool SmsGateway::useTls(const QString& certFile, const QString& keyFile, QString* error) {
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(certFile, QSsl::Pem);
    QFile keyIn(keyFile);
    if (chain.isEmpty()) {
        *error = QStringLiteral("cannot read a certificate from %1").arg(certFile);
        return false;
    }
    if (!keyIn.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(keyFile, keyIn.errorString());
        return false;
    }
    const QByteArray pem = keyIn.readAll();
    QSslKey key(pem, QSsl::Rsa, QSsl::Pem);
    if (key.isNull())
        key = QSslKey(pem, QSsl::Ec, QSsl::Pem);
    if (key.isNull()) {
        *error = QStringLiteral("cannot read a private key from %1").arg(keyFile);
        return false;
    }
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificateChain(chain);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone); // the offices prove themselves by their accounts
    config.setProtocol(QSsl::TlsV1_2OrLater);
    m_tls = config;
    return true;
}

bool SmsGateway::listen(quint16 port, QString* error) {
    if (!m_sent.open(QIODevice::Append | QIODevice::Text)) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_sent.fileName(), m_sent.errorString());
        return false;
    }
    if (!m_workers)
        m_workers = std::make_unique<GatewayWorkers>(m_books, m_limits.workers, this);
    m_server = std::make_unique<GatewayListener>([this](qintptr descriptor) { accept(descriptor); });
    // Loopback only: the gateway is for this machine's tests and demo.
    if (!m_server->listen(QHostAddress::LocalHost, port)) {
        *error = m_server->errorString();
        return false;
    }
    return true;
}

quint16 SmsGateway::port() const {
    return m_server ? m_server->serverPort() : 0;
}

void SmsGateway::log(const QString& line) const {
    if (m_log)
        m_log(line);
}

void SmsGateway::keepSent(const QByteArray& lines) {
    if (lines.isEmpty())
        return;
    m_sent.write(lines);
    m_sent.flush();
}

void SmsGateway::accept(qintptr descriptor) {
    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    const QString address = socket->peerAddress().toString();
    if (m_guard.refuses(address, now()) || m_openFrom.value(address) >= m_limits.connectionsPerAddress) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // Answers go out as they are written: a batch's last result list must not wait for an ACK.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    ++m_openFrom[address];
    connect(socket, &QObject::destroyed, this, [this, address] {
        if (--m_openFrom[address] <= 0)
            m_openFrom.remove(address);
    });
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    connect(
        socket, &QAbstractSocket::errorOccurred, socket,
        [socket](QAbstractSocket::SocketError error) {
            if (error != QAbstractSocket::RemoteHostClosedError)
                socket->abort();
        },
        Qt::QueuedConnection);
    auto* connection = new GatewayConnection(*this, socket, address);
    if (!m_tls) {
        connection->start();
        return;
    }
    // Nothing of the protocol, not even "#CON", before the handshake is done.
    connect(socket, &QSslSocket::encrypted, connection, &GatewayConnection::start);
    QTimer::singleShot(m_limits.handshakeMs, socket, [socket] {
        if (!socket->isEncrypted())
            socket->abort();
    });
    socket->setSslConfiguration(*m_tls);
    socket->startServerEncryption();
}

void SmsGateway::dropAddress(const QString& address) {
    const QList<GatewayConnection*> open(m_connections.cbegin(), m_connections.cend());
    for (GatewayConnection* connection : open)
        if (connection->address() == address)
            connection->finish();
}

} // namespace teran
