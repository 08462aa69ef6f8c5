#include "core/people/Cp949.h"
#include "core/people/SmsAccounts.h"
#include "core/people/SmsAnswer.h"
#include "core/people/SmsGateway.h"
#include "core/people/SmsGuard.h"
#include "core/people/SmsRecord.h"
#include "core/people/SmsSender.h"

#include "TestOffice.h"
#include "core/session/StoreSetup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUuid>

using namespace teran;
using namespace teran::test;

namespace {

QByteArray textOf(const QByteArray& record) {
    return record.right(kSmsTextBytes);
}

QString syllables(int n) {
    return QString(n, QChar(0xAC00)); // 가
}

constexpr qint64 kMinute = 60'000;

} // namespace

TERAN_SUITE_NEEDS(SmsGatewayServiceTest, sms);

// The 80 bytes of text at their edges: Korean syllables count two, nothing is ever split.
TEST(SmsRecordTest, TheTextFillsEightyBytesWithoutSplittingACharacter) {
    const SmsAccount account = SmsAccount::demo();
    const QByteArray forty = *smsRecord(account, "010-1234-5678", "02-555-1234", syllables(40)).record;
    ASSERT_EQ(forty.size(), kSmsRecordBytes);
    EXPECT_EQ(textOf(forty), *toCp949(syllables(40))) << "40 syllables are 80 bytes, unpadded";
    EXPECT_EQ(smsByteLength(syllables(41)), 82);
    EXPECT_EQ(cutToBytes(syllables(41), 80), syllables(40));
    EXPECT_EQ(textOf(*smsRecord(account, "01012345678", "0255512345", QString(79, 'a')).record),
              QByteArray(79, 'a') + ' ');
    // A syllable at bytes 80-81 is left out and a blank takes its place.
    const QString straddling = QString(79, 'a') + syllables(1);
    EXPECT_EQ(textOf(*smsRecord(account, "01012345678", "0255512345", straddling).record),
              QByteArray(79, 'a') + ' ');
    EXPECT_EQ(cutToBytes("ab" + syllables(3), 5), "ab" + syllables(1));

    const std::optional<SmsRecordFields> back = parseSmsRecord(forty);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->user, "qarot");
    EXPECT_EQ(back->password, "vemsil");
    EXPECT_EQ(back->receiver, "01012345678") << "digits only";
    EXPECT_EQ(back->callback, "025551234");
    EXPECT_EQ(back->text, syllables(40));
    EXPECT_EQ(parseSmsRecord(*smsRecord(account, "01012345678", "0255512345", "漢字 확인 OK").record)->text,
              "漢字 확인 OK");

    const SmsRecordBuild emoji = smsRecord(account, "01012345678", "0255512345", "안녕 😀");
    EXPECT_FALSE(emoji.record.has_value());
    EXPECT_TRUE(emoji.error.contains("😀")) << emoji.error.toStdString();
    EXPECT_EQ(firstUnencodable("가나다"), std::nullopt);
    EXPECT_FALSE(parseSmsRecord(forty.left(149)).has_value());
    EXPECT_FALSE(parseSmsRecord(forty.left(70) + QByteArray(80, char(0xFF))).has_value())
        << "bytes that are no CP949";
}

// Results are counted once, whole, however TCP cuts them; the leading text is no result and a
// number holding the digits 223 is not split.
TEST(SmsAnswerTest, ResultListsAreAssembledAcrossReadsAndCountedOnce) {
    // The vendor's bare form.
    QList<SmsResult> bare = SmsAnswerReader::parseList("OK00022300010123456782230101099998888");
    ASSERT_EQ(bare.size(), 2);
    EXPECT_EQ(bare[0], (SmsResult{"00", "01012345678"}));
    EXPECT_FALSE(bare[1].delivered());

    const QByteArray list =
        "#CON" + smsResultList({{"00", "01022345678"}, {"11", "0101234"}, {"00", "01099992230"}}) + "#DCN";
    for (qsizetype cut = 0; cut <= list.size(); ++cut)
        for (qsizetype second = cut; second <= list.size(); second += 7) {
            SmsAnswerReader reader;
            SmsAnswerReader::Events all;
            for (const QByteArray& piece : {list.left(cut), list.mid(cut, second - cut), list.mid(second)}) {
                const SmsAnswerReader::Events e = reader.feed(piece, 3 - int(all.results.size()));
                all.connected |= e.connected;
                all.closing |= e.closing;
                all.results += e.results;
            }
            ASSERT_EQ(all.results.size(), 3) << "cut at " << cut << ", " << second;
            EXPECT_EQ(all.results[0].number, "01022345678");
            EXPECT_EQ(all.results[2].number, "01099992230");
            EXPECT_TRUE(all.connected && all.closing);
        }
}

// Random and truncated answers never crash the reader nor make it count more than it was sent.
TEST(SmsAnswerTest, TenThousandRandomAnswersAreReadSafely) {
    QRandomGenerator random(20261208);
    const QList<QByteArray> pieces{"223", "00",   "11", "0",   "#CON",     "#DCN",
                                   "#D",  "\r\n", " ",  "010", "12345678", "\xff\xfe"};
    for (int i = 0; i < 10000; ++i) {
        QByteArray answer;
        const int parts = int(random.bounded(20));
        for (int p = 0; p < parts; ++p)
            answer += random.bounded(4) == 0 ? QByteArray(1, char(random.bounded(256)))
                                             : pieces[random.bounded(pieces.size())];
        SmsAnswerReader reader;
        int counted = 0;
        for (qsizetype at = 0; at < answer.size();) {
            const qsizetype n = 1 + random.bounded(8);
            counted += int(reader.feed(answer.mid(at, n), 5).results.size());
            at += n;
        }
        ASSERT_LE(counted, answer.count("223") + answer.count("\n") + 5) << answer.toHex().toStdString();
    }
}

TEST(SmsGatewayTest, TenThousandRandomRecordsAreJudgedWithoutDelivering) {
    QRandomGenerator random(7);
    const SmsAccount account = SmsAccount::demo();
    const QByteArray good = *smsRecord(account, "01012345678", "0255512345", "안내").record;
    EXPECT_EQ(judgeRecord(good, account).result.code, smsCode::Delivered);
    EXPECT_EQ(judgeRecord(good, {"other", "pw"}).result.code, smsCode::BadAccount);
    EXPECT_EQ(judgeRecord(*smsRecord(account, "0201234567", "0255512345", "x").record, account).result.code,
              smsCode::BadNumber);
    for (int i = 0; i < 10000; ++i) {
        QByteArray record = good;
        const int flips = 1 + int(random.bounded(12));
        for (int f = 0; f < flips; ++f)
            record[random.bounded(int(record.size()))] = char(random.bounded(256));
        const GatewayVerdict verdict = judgeRecord(record, account);
        EXPECT_FALSE(verdict.result.number.contains(' ')) << "a number the result list can carry";
        if (verdict.result.delivered()) {
            EXPECT_TRUE(verdict.accepted && isMobileNumber(verdict.accepted->receiver));
        }
    }
}

// Wrong passwords from one address: answered at once at first, then later and later, and the
// tenth within a minute refuses the address for fifteen minutes, which the log says.
TEST(SmsGuardTest, AGuessingAddressIsSlowedThenRefusedForAQuarterOfAnHour) {
    SmsLoginGuard guard;
    QList<qint64> delays;
    SmsLoginGuard::Verdict last;
    for (int i = 0; i < 10; ++i) {
        last = guard.failed(QStringLiteral("127.0.0.9"), QStringLiteral("user%1").arg(i), 1000 + i);
        delays << last.delayMs;
    }
    EXPECT_EQ(delays, (QList<qint64>{0, 0, 0, 0, 100, 200, 400, 800, 1600, 3200}));
    EXPECT_TRUE(last.addressRefused);
    EXPECT_TRUE(last.logLine.startsWith(QStringLiteral("refusing 127.0.0.9 for 15 minutes")))
        << last.logLine.toStdString();
    EXPECT_TRUE(guard.refuses(QStringLiteral("127.0.0.9"), 1000 + 15 * kMinute - 1));
    EXPECT_FALSE(guard.refuses(QStringLiteral("127.0.0.9"), 1010 + 15 * kMinute));
    EXPECT_FALSE(guard.refuses(QStringLiteral("127.0.0.8"), 2000)) << "another address is not touched";
    // The delay stops growing.
    for (int i = 0; i < 10; ++i)
        last = guard.failed(QStringLiteral("127.0.0.9"), QStringLiteral("x"), 2000 + i);
    EXPECT_EQ(last.delayMs, guard.policy().longestDelayMs);
}

// Failures a minute apart never add up to a refusal: only those within the window count.
TEST(SmsGuardTest, OldFailuresAreForgotten) {
    SmsLoginGuard guard;
    for (int i = 0; i < 30; ++i) {
        const SmsLoginGuard::Verdict verdict =
            guard.failed(QStringLiteral("127.0.0.5"), QStringLiteral("office"), i * (kMinute / 4 + 1));
        EXPECT_FALSE(verdict.addressRefused) << i;
        EXPECT_EQ(verdict.delayMs, 0) << i;
    }
    EXPECT_FALSE(guard.refuses(QStringLiteral("127.0.0.5"), 30 * kMinute));
}

// One account guessed at from many addresses, one guess each: its failures are slowed and the
// log says so once, but no address and nothing of the account is refused, so the office with the
// right password still sends.
TEST(SmsGuardTest, AnAccountGuessedFromManyAddressesOnlyHasItsFailuresSlowed) {
    SmsLoginGuard guard;
    QList<qint64> delays;
    QStringList logged;
    for (int i = 0; i < 12; ++i) {
        const SmsLoginGuard::Verdict verdict =
            guard.failed(QStringLiteral("127.0.1.%1").arg(i), QStringLiteral("victim"), 5000 + i);
        delays << verdict.delayMs;
        EXPECT_FALSE(verdict.addressRefused);
        EXPECT_EQ(verdict.accountGuarded, i >= 9) << i;
        if (!verdict.logLine.isEmpty())
            logged << verdict.logLine;
    }
    EXPECT_EQ(delays.mid(8), (QList<qint64>{0, 100, 200, 400}));
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged.first().startsWith(QStringLiteral("account victim is guessed at")))
        << logged.first().toStdString();
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(guard.refuses(QStringLiteral("127.0.1.%1").arg(i), 6000));
}

// A guesser naming ever new accounts from ever new addresses does not grow the guard's memory
// without end, and what it forgets never unlocks an address that is still refused.
TEST(SmsGuardTest, ItsMemoryStaysBounded) {
    SmsLoginGuard guard;
    for (int i = 0; i < 10; ++i)
        guard.failed(QStringLiteral("127.0.0.77"), QStringLiteral("u"), i);
    ASSERT_TRUE(guard.refuses(QStringLiteral("127.0.0.77"), 100));
    for (int i = 0; i < 20'000; ++i)
        guard.failed(QStringLiteral("127.9.%1.%2").arg(i / 250).arg(i % 250), QStringLiteral("n%1").arg(i),
                     2 * kMinute + i * 10);
    EXPECT_TRUE(guard.refuses(QStringLiteral("127.0.0.77"), 3 * kMinute));
    // A minute holds 6,000 of those failures: what is older goes.
    EXPECT_LE(guard.remembered(), 2 * 2 * 6001);
}

// The vendor's gateway keeps the offices' accounts and charges each message it accepts to the
// office's ledger, in the transaction that accepts it; a balance short of a message refuses it.
TEST(SmsAccountsTest, TheGatewayChargesWhatItAcceptsAndRefusesWhatTheBalanceCannotPay) {
    auto vendor = ScratchStore::sqlite();
    SqlStore& tables = vendor->store();
    // teran-smsd refuses to start on tables its account cannot see, naming them.
    EXPECT_EQ(ServerSmsAccounts::missingTables(tables),
              (QStringList{QStringLiteral("sms_account"), QStringLiteral("mem_cash")}));
    initServerStore(tables, {});
    const SmsAccount account = ServerSmsAccounts::makeAccount(tables, QStringLiteral("off1"));
    EXPECT_TRUE(ServerSmsAccounts::missingTables(tables).isEmpty());
    EXPECT_EQ(account.user, QStringLiteral("off1"));
    EXPECT_EQ(account.password.size(), 10);
    const SmsAccount longId =
        ServerSmsAccounts::makeAccount(tables, QStringLiteral("anofficeidlongerthanten"));
    EXPECT_EQ(longId.user.size(), 10) << "the record keeps ten places for the user";
    tables.execute(
        QStringLiteral("INSERT INTO mem_cash(companyID, `ID`, `Money`) VALUES('off1', 'off1', 70)"));

    QTemporaryDir dir;
    SmsGateway gateway(ServerSmsAccounts::books(vendor->url()), dir.filePath(QStringLiteral("sent.log")),
                       200);
    QString error;
    ASSERT_TRUE(gateway.listen(0, &error)) << error.toStdString();
    SmsSender sender(SmsLink::demo(gateway.port()), account, {3000, 5000});
    const SmsBatchResult sent =
        sender.send({{"01011112222", "010-3333-4444", "01055556666"}, "0255512345", "안내"});
    ASSERT_EQ(sent.results.size(), 3) << sent.error.toStdString();
    EXPECT_EQ(sent.delivered(), 2);
    EXPECT_EQ(sent.results.at(2).code, smsCode::ShortBalance);
    EXPECT_EQ(
        tables.scalar(QStringLiteral("SELECT SUM(`Money`) FROM mem_cash WHERE companyID='off1'")).toInt(),
        10);
    EXPECT_EQ(tables.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_cash WHERE `Money` = -30")).toInt(), 2);

    // Another office's password, or a guess, sends nothing and charges nothing.
    SmsSender wrong(SmsLink::demo(gateway.port()), {account.user, longId.password}, {3000, 5000});
    const SmsBatchResult refused = wrong.send({{"01011112222"}, "0255512345", "안내"});
    ASSERT_EQ(refused.results.size(), 1);
    EXPECT_EQ(refused.results.at(0).code, smsCode::BadAccount);
    EXPECT_EQ(tables.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_cash")).toInt(), 3);
}

namespace {

// The real gateway of the loopback services, with an office on the vendor's server for the charge.
class SmsGatewayServiceTest : public testing::Test {
protected:
    void SetUp() override {
        sms = smsService();
        TERAN_REQUIRE_SERVICE(sms.has_value(), "the loopback SMS gateway teran-smsd");
        office = uniqueName(QStringLiteral("sms"));
        account = sms->accountFor(office, 100'000);
    }
    SmsSender sender() { return sender(account); }
    SmsSender sender(SmsAccount as, SmsLimits limits = {}) {
        SmsSender made(sms->link(), std::move(as), limits);
        made.setLog([this](const QString& line) { logged << line; });
        return made;
    }
    QStringList sentLinesWith(const QString& marker) {
        QFile file(sms->sentFile);
        QStringList lines;
        if (file.open(QIODevice::ReadOnly))
            for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
                if (line.contains(marker))
                    lines << line;
        return lines;
    }
    std::optional<SmsService> sms;
    QString office;
    SmsAccount account;
    QStringList logged;
};

} // namespace

// A group of 25 with two malformed numbers delivers 23, logs 25 results and charges 690 won,
// at the gateway and in the desk's own ledger; the gateway's file holds the 23 texts exactly.
TEST_F(SmsGatewayServiceTest, AGroupOfTwentyFiveDeliversTwentyThreeAndChargesForThem) {
    const QString marker = QUuid::createUuid().toString(QUuid::Id128).left(10);
    const QString text = QStringLiteral("테란 %1 漢字 안내\n내일 방문").arg(marker);
    SmsBatch batch{{}, "02-555-1234", text};
    for (int i = 0; i < 23; ++i)
        batch.receivers << QStringLiteral("010-%1-%2").arg(7000 + i).arg(1000 + i);
    batch.receivers.insert(5, "0101234");      // too short
    batch.receivers.insert(17, "02-123-4567"); // no mobile number
    const SmsBatchResult result = sender().send(batch);
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    ASSERT_EQ(result.results.size(), 25);
    EXPECT_EQ(result.delivered(), 23);
    EXPECT_EQ(result.chargeWon(), 690);
    EXPECT_EQ(result.results[5], (SmsResult{smsCode::BadNumber, "0101234"}));
    EXPECT_EQ(logged.filter(" ☞ ").size(), 25);
    EXPECT_EQ(logged.filter(" ☞ 성공").size(), 23);
    EXPECT_EQ(logged.first(), "=> 서버와의 연결 중.");
    const QStringList sent = sentLinesWith(marker);
    ASSERT_EQ(sent.size(), 23);
    for (const QString& line : sent)
        EXPECT_EQ(sentText(line), text);
    EXPECT_EQ(sent[0].section('\t', 1, 2), "01070001000\t025551234");
    EXPECT_EQ(sms->cashOf(office), 100'000 - 690) << "the gateway charged each delivered message";

    std::unique_ptr<TestOffice> office = TestOffice::make(Backend::MariaDb, Desk::UniqueOffice);
    TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    chargeSmsBatch(office->server(), office->officeId(), office->officeId(), result.delivered(), text,
                   office->clock.now());
    chargeSmsBatch(office->server(), office->officeId(), office->officeId(), 0, text, office->clock.now());
    const auto ledger = [&](const char* what) {
        return office->server()
            .scalar(QStringLiteral("SELECT %1 FROM mem_cash WHERE companyID=?").arg(QLatin1String(what)),
                    {office->officeId()})
            .toLongLong();
    };
    EXPECT_EQ(ledger("SUM(`Money`)"), -690);
    EXPECT_EQ(ledger("COUNT(*)"), 1) << "a batch without a delivery charges nothing";
    // A batch of 1,100 would overflow a 16-bit charge.
    chargeSmsBatch(office->server(), office->officeId(), office->officeId(), 1100, "x", office->clock.now());
    EXPECT_EQ(ledger("MIN(`Money`)"), -33000);
}

TEST_F(SmsGatewayServiceTest, AWrongAccountAnEmojiAndRandomBytesDeliverNothing) {
    const SmsBatchResult refused = sender({"nobody", "x"}).send({{"01012345678"}, "0255512345", "안내"});
    ASSERT_EQ(refused.results.size(), 1);
    EXPECT_EQ(refused.results[0].code, smsCode::BadAccount);
    EXPECT_EQ(refused.delivered(), 0);

    logged.clear();
    const SmsBatchResult emoji = sender().send({{"01012345678"}, "0255512345", "안녕 😀"});
    EXPECT_TRUE(emoji.results.isEmpty());
    EXPECT_FALSE(emoji.error.isEmpty());
    EXPECT_TRUE(logged.isEmpty()) << "refused before anything is sent";

    // 2,000 random records, then a good one, on one connection: every record is answered and
    // the gateway still delivers.
    QSslSocket socket;
    socket.setSslConfiguration(TlsTrust(sms->caFile).clientConfiguration());
    socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), sms->port);
    ASSERT_TRUE(socket.waitForEncrypted(5000)) << socket.errorString().toStdString();
    QRandomGenerator random(99);
    QByteArray garbage(2000 * kSmsRecordBytes, '\0');
    for (char& c : garbage)
        c = char(random.bounded(256));
    socket.write(garbage + *smsRecord(account, "01012345678", "0255512345", "끝").record);
    SmsAnswerReader reader;
    QList<SmsResult> results;
    while (results.size() < 2001 && socket.waitForReadyRead(5000))
        results += reader.feed(socket.readAll(), 2001 - int(results.size())).results;
    ASSERT_EQ(results.size(), 2001);
    EXPECT_TRUE(results.last().delivered());
    int delivered = 0;
    for (const SmsResult& r : results)
        delivered += r.delivered() ? 1 : 0;
    EXPECT_EQ(delivered, 1);
}

// No gateway on the port, or one that never answers: the batch ends with the reason in time.
TEST(SmsSenderTest, AGatewayThatIsAwayOrSilentEndsTheWaitWithTheReason) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const quint16 port = silent.serverPort();
    SmsSender quiet(SmsLink::demo(port), SmsAccount::demo(), {1000, 300});
    const SmsBatchResult unanswered = quiet.send({{"01012345678"}, "0255512345", "안내"});
    EXPECT_EQ(unanswered.error, "SMS 서버가 제때 응답하지 않습니다.");
    EXPECT_EQ(unanswered.delivered(), 0);
    // Over TLS a gateway that never finishes the handshake is one that does not answer.
    SmsSender mute(SmsLink::tls(QStringLiteral("127.0.0.1"), port, QString()), SmsAccount::demo(),
                   {500, 300});
    EXPECT_EQ(mute.send({{"01012345678"}, "0255512345", "안내"}).error, "SMS 서버가 응답하지 않습니다.");
    silent.close();
    for (const SmsLink& link : {SmsLink::demo(port), SmsLink::tls(QStringLiteral("127.0.0.1"), port, {})}) {
        SmsSender away(link, SmsAccount::demo(), {1000, 300});
        EXPECT_TRUE(
            away.send({{"01012345678"}, "0255512345", "안내"}).error.startsWith("연결시 에러발생했습니다"));
    }
}

// A faulty gateway that answers thousands of results, for numbers of the batch again and again
// and for others, is counted once per number of the batch.
TEST(SmsSenderTest, OnlyTheBatchsNumbersCountAndEachOnce) {
    QTcpServer faulty;
    ASSERT_TRUE(faulty.listen(QHostAddress::LocalHost));
    QObject::connect(&faulty, &QTcpServer::newConnection, &faulty, [&faulty] {
        QTcpSocket* socket = faulty.nextPendingConnection();
        socket->write("#CON");
        QList<SmsResult> flood;
        for (int i = 0; i < 2000; ++i) {
            flood << SmsResult{smsCode::Delivered, QStringLiteral("01011112222")};
            flood << SmsResult{smsCode::Delivered, QStringLiteral("0109%1").arg(i, 7, 10, QLatin1Char('0'))};
        }
        flood << SmsResult{smsCode::Delivered, QStringLiteral("01033334444")};
        socket->write(smsResultList(flood));
        socket->write("#DCN");
    });
    SmsSender sender(SmsLink::demo(faulty.serverPort()), SmsAccount::demo(), {3000, 3000});
    const SmsBatchResult sent =
        sender.send({{"01011112222", "01033334444", "01011112222"}, "0255512345", "안내"});
    EXPECT_EQ(sent.delivered(), 3) << "the number sent twice counts twice, nothing else counts";
    EXPECT_EQ(sent.chargeWon(), 90);
    EXPECT_EQ(sent.deliveredNumbers(),
              QStringList({QStringLiteral("01011112222"), QStringLiteral("01011112222"),
                           QStringLiteral("01033334444")}));
}

namespace {

// A loopback address of its own (127.x.y.z, never 127.0.0.1), so that what the gateway remembers
// of it touches no other test and no later run.
QHostAddress ownLoopbackAddress() {
    QRandomGenerator* random = QRandomGenerator::global();
    return QHostAddress(QStringLiteral("127.%1.%2.%3")
                            .arg(1 + random->bounded(250))
                            .arg(random->bounded(256))
                            .arg(1 + random->bounded(254)));
}

// Connections from `from`, opened at once, each writing its records as soon as it is encrypted:
// what the gateway answered on each until it closed them or `ms` passed. A connection the gateway
// dropped before the handshake answered nothing. `whileOpen` runs once every connection has
// written its records.
struct Volley {
    QList<QList<SmsResult>> answers;
    int encrypted = 0;
};
Volley volley(const SmsService& sms, const QHostAddress& from, const QList<QByteArray>& loads, int ms,
              const std::function<void()>& whileOpen = {}) {
    Volley out;
    out.answers.resize(loads.size());
    std::vector<std::unique_ptr<QSslSocket>> sockets;
    std::vector<SmsAnswerReader> readers(loads.size());
    int closed = 0;
    int written = 0;
    for (qsizetype i = 0; i < loads.size(); ++i) {
        auto socket = std::make_unique<QSslSocket>();
        QSslSocket* s = socket.get();
        s->bind(from);
        s->setSslConfiguration(TlsTrust(sms.caFile).clientConfiguration());
        QObject::connect(s, &QSslSocket::encrypted, s, [&, s, i] {
            ++out.encrypted;
            ++written;
            s->write(loads.at(i));
        });
        QObject::connect(s, &QSslSocket::readyRead, s,
                         [&, s, i] { out.answers[i] += readers[size_t(i)].feed(s->readAll()).results; });
        QObject::connect(s, &QSslSocket::disconnected, s, [&] { ++closed; });
        QObject::connect(s, &QSslSocket::errorOccurred, s, [&, s](QAbstractSocket::SocketError) {
            if (s->state() == QAbstractSocket::UnconnectedState)
                ++closed;
        });
        s->connectToHostEncrypted(QStringLiteral("127.0.0.1"), sms.port);
        sockets.push_back(std::move(socket));
    }
    QElapsedTimer clock;
    clock.start();
    bool ran = !whileOpen;
    while (closed < loads.size() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!ran && written + closed >= loads.size()) {
            ran = true;
            whileOpen();
        }
    }
    return out;
}

QByteArray recordsOf(const SmsAccount& account, int count, const std::function<QString(int)>& password) {
    QByteArray load;
    for (int i = 0; i < count; ++i)
        load += *smsRecord({account.user, password(i)},
                           QStringLiteral("0109%1").arg(i, 7, 10, QLatin1Char('0')), "0255512345", "안내")
                     .record;
    return load;
}

int countOf(const QList<QList<SmsResult>>& answers, const QString& code) {
    int n = 0;
    for (const QList<SmsResult>& one : answers)
        for (const SmsResult& r : one)
            n += r.code == code ? 1 : 0;
    return n;
}

} // namespace

// The gateway charges through its own database account: each message takes 30 won from the
// office's cash there, and a message the balance cannot pay is answered "41" and charged nothing.
TEST_F(SmsGatewayServiceTest, TheGatewayChargesEachMessageAndRefusesWhatTheBalanceCannotPay) {
    const QString poor = uniqueName(QStringLiteral("poor"));
    const SmsAccount account70 = sms->accountFor(poor, 70);
    const SmsBatchResult sent = sender(account70).send(
        {{"01011112222", "01033334444", "01055556666"}, "0255512345", QStringLiteral("잔액 %1").arg(poor)});
    ASSERT_EQ(sent.results.size(), 3) << sent.error.toStdString();
    EXPECT_EQ(sent.delivered(), 2);
    EXPECT_EQ(sent.results.at(2), (SmsResult{smsCode::ShortBalance, "01055556666"}));
    EXPECT_EQ(sms->cashOf(poor), 10);
    EXPECT_EQ(sentLinesWith(poor).size(), 2);
    const SmsBatchResult none = sender(account70).send({{"01011112222"}, "0255512345", "하나 더"});
    ASSERT_EQ(none.results.size(), 1);
    EXPECT_EQ(none.results.at(0).code, smsCode::ShortBalance);
    EXPECT_EQ(sms->cashOf(poor), 10);
}

// One office floods the gateway with 2,000 records, each with another wrong password, over ten
// connections at once; another office's message meanwhile goes through within the desk's half
// second to connect and half second to be answered. Each flooding connection was answered at
// most three wrong passwords before the gateway closed it.
TEST_F(SmsGatewayServiceTest, AFloodOfWrongPasswordsDoesNotHoldUpAnotherOffice) {
    const SmsAccount flooder = sms->accountFor(uniqueName(QStringLiteral("flood")), 1000);
    QList<QByteArray> loads;
    for (int c = 0; c < 10; ++c)
        loads << recordsOf(flooder, 200, [c](int i) { return QStringLiteral("guess%1").arg(c * 200 + i); });
    SmsBatchResult meanwhile;
    const Volley flood = volley(*sms, ownLoopbackAddress(), loads, 30'000, [&] {
        meanwhile = sender(account, {500, 500}).send({{"01012345678"}, "0255512345", "급한 안내"});
    });
    EXPECT_TRUE(meanwhile.error.isEmpty()) << meanwhile.error.toStdString();
    EXPECT_EQ(meanwhile.delivered(), 1);
    EXPECT_EQ(countOf(flood.answers, smsCode::Delivered), 0);
    for (const QList<SmsResult>& answers : flood.answers)
        EXPECT_LE(answers.size(), 3);
    EXPECT_GE(countOf(flood.answers, smsCode::BadAccount), 3) << "the flood was answered, and closed";
}

// 200 guesses at an office's password from one address: the guessing address is slowed and then
// refused, even with the right password, while the office itself, from its own address, and
// another office still send at once.
TEST_F(SmsGatewayServiceTest, GuessesLockOutTheGuesserNeverTheOffice) {
    const QHostAddress guesser = ownLoopbackAddress();
    QHostAddress own = ownLoopbackAddress();
    while (own == guesser)
        own = ownLoopbackAddress();
    const QString victim = uniqueName(QStringLiteral("victim"));
    const SmsAccount victimAccount = sms->accountFor(victim, 1000);
    int guesses = 0;
    int answered = 0;
    while (guesses < 200) {
        const Volley tries = volley(
            *sms, guesser,
            {recordsOf(victimAccount, 3, [&](int i) { return QStringLiteral("pw%1").arg(guesses + i); })},
            10'000);
        guesses += 3;
        answered += countOf(tries.answers, smsCode::BadAccount);
    }
    EXPECT_GE(answered, 10);
    EXPECT_LE(answered, 12) << "refused once ten guesses failed";

    const QByteArray right = recordsOf(victimAccount, 1, [&](int) { return victimAccount.password; });
    const Volley fromGuesser = volley(*sms, guesser, {right}, 5000);
    EXPECT_EQ(fromGuesser.encrypted, 0) << "the guessing address is refused, whatever it sends";
    const Volley fromOwn = volley(*sms, own, {right}, 5000);
    ASSERT_EQ(fromOwn.answers.at(0).size(), 1);
    EXPECT_TRUE(fromOwn.answers.at(0).at(0).delivered());
    EXPECT_EQ(sender().send({{"01012345678"}, "0255512345", "다른 사무실"}).delivered(), 1);
    EXPECT_EQ(sms->cashOf(victim), 1000 - kSmsPriceWon);
}
