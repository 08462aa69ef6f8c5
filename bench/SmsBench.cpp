#include "BenchSupport.h"
#include "people/SmsSender.h"

using namespace teran;
using namespace teran::bench;

// 1,000 messages to the loopback gateway (scripts/services.sh; TERAN_TEST_SMS_PORT) in one
// batch on one connection, beside one connection per message, the naive way.
void BM_SmsThousandInOneBatch(benchmark::State& state) {
    const quint16 port = quint16(qEnvironmentVariableIntValue("TERAN_TEST_SMS_PORT"));
    if (port == 0) {
        state.SkipWithError("the SMS gateway is not running (source build/services/services.env)");
        return;
    }
    SmsBatch batch{{}, QStringLiteral("0255512345"), QStringLiteral("테란 벤치 안내 漢字")};
    for (int i = 0; i < 1000; ++i)
        batch.receivers << QStringLiteral("0107%1").arg(i, 7, 10, QLatin1Char('0'));
    SmsSender sender(QStringLiteral("127.0.0.1"), port, SmsAccount::demo());
    double total = 0;
    for (auto _ : state)
        total += msOf([&] {
            if (sender.send(batch).delivered() != 1000)
                state.SkipWithError("not every message was delivered");
        });
    const double oneByOne = msOf([&] {
        for (const QString& receiver : batch.receivers)
            sender.send({{receiver}, batch.callback, batch.text});
    });
    reportBeside(state, total / double(state.iterations()), {{"oneconnectioneach", oneByOne}});
}

BENCHMARK(BM_SmsThousandInOneBatch)->Unit(benchmark::kMillisecond)->Iterations(3);
