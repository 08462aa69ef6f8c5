#include "people/SmsAccounts.h"
#include "people/SmsAnswer.h"
#include "people/SmsGateway.h"
#include "people/SmsSender.h"

#include "TestServices.h"
#include "session/StoreSetup.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

// The vendor's gateway keeps the offices' accounts and charges each message it accepts to the
// office's ledger, in the transaction that accepts it; a balance short of a message refuses it.
TEST(SmsAccountsTest, TheGatewayChargesWhatItAcceptsAndRefusesWhatTheBalanceCannotPay) {
    auto vendor = ScratchStore::sqlite();
    SqlStore& tables = vendor->store();
    initServerStore(tables, {});
    const SmsAccount account = ServerSmsAccounts::makeAccount(tables, QStringLiteral("off1"));
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

// A faulty gateway that answers thousands of results, for numbers of the batch again and again
// and for others, is counted once per number of the batch.
TEST(SmsAccountsTest, OnlyTheBatchsNumbersCountAndEachOnce) {
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
