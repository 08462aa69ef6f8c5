#include "BenchSupport.h"
#include "core/people/SmsSender.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

using namespace teran;
using namespace teran::bench;

namespace {

// A teran-smsd of this build for the one account of the demo, on a free loopback port: over TLS
// with the loopback servers' certificate, or in clear text as the embedded demo's gateway.
class OwnGateway {
public:
    OwnGateway(const QString& tlsFolder, bool tls) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
        probe.close();
        QStringList arguments{QStringLiteral("--port"), QString::number(m_port), QStringLiteral("--log"),
                              m_dir.filePath(QStringLiteral("sent.log"))};
        if (tls)
            arguments << QStringLiteral("--cert") << tlsFolder + QStringLiteral("/server.pem")
                      << QStringLiteral("--key") << tlsFolder + QStringLiteral("/server.key");
        m_process.start(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../teran-smsd")),
            arguments);
        m_process.waitForStarted(3000);
        for (int i = 0; i < 50 && !listening(); ++i)
            QThread::msleep(100);
    }
    ~OwnGateway() {
        m_process.terminate();
        if (!m_process.waitForFinished(2000))
            m_process.kill();
    }
    bool listening() const {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), m_port);
        return socket.waitForConnected(200);
    }
    quint16 port() const { return m_port; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
};

SmsBatch thousand() {
    SmsBatch batch{{}, QStringLiteral("0255512345"), QStringLiteral("테란 벤치 안내 漢字")};
    for (int i = 0; i < 1000; ++i)
        batch.receivers << QStringLiteral("0107%1").arg(i, 7, 10, QLatin1Char('0'));
    return batch;
}

} // namespace

// 1,000 messages in one batch on one connection to teran-smsd over TLS (verified against the
// loopback servers' authority), beside the same batch in clear text to the same gateway without
// a certificate, and beside a TLS connection per message, the naive way (timed on 100).
void BM_SmsThousandInOneBatch(benchmark::State& state) {
    const QString tls = qEnvironmentVariable("TERAN_TEST_TLS_DIR");
    if (tls.isEmpty()) {
        state.SkipWithError("no loopback certificates (source build/services/services.env)");
        return;
    }
    OwnGateway secured(tls, true);
    OwnGateway clear(tls, false);
    if (!secured.listening() || !clear.listening()) {
        state.SkipWithError("teran-smsd did not start");
        return;
    }
    const SmsBatch batch = thousand();
    SmsSender overTls(
        SmsLink::tls(QStringLiteral("127.0.0.1"), secured.port(), tls + QStringLiteral("/ca.pem")),
        SmsAccount::demo());
    SmsSender inClear(SmsLink::demo(clear.port()), SmsAccount::demo());
    const auto all = [&state](SmsSender& sender, const SmsBatch& batch) {
        const SmsBatchResult result = sender.send(batch);
        if (result.delivered() != int(batch.receivers.size()))
            state.SkipWithError(
                qPrintable(QStringLiteral("not every message was delivered: ") + result.error));
    };
    double total = 0;
    double clearTotal = 0;
    for (auto _ : state) {
        total += msOf([&] { all(overTls, batch); });
        clearTotal += msOf([&] { all(inClear, batch); });
    }
    // Timed on the first 100 and scaled to the 1,000.
    const double oneByOne = 10 * msOf([&] {
                                for (const QString& receiver : batch.receivers.mid(0, 100))
                                    all(overTls, {{receiver}, batch.callback, batch.text});
                            });
    const double runs = double(state.iterations());
    reportBeside(state, total / runs, {{"clear", clearTotal / runs}, {"oneconnectioneach", oneByOne}});
}

BENCHMARK(BM_SmsThousandInOneBatch)->Unit(benchmark::kMillisecond)->Iterations(20);
