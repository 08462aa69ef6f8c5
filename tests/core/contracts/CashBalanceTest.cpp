#include "core/contracts/CashBalance.h"
#include "TestOffice.h"

#include <QDir>
#include <QFile>

using namespace teran;
using namespace teran::test;

namespace {

class CashBalanceTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB and the loopback HTTP server");
    }

    void addCash(const QString& company, qint64 money) {
        office->server().execute(QStringLiteral("INSERT INTO mem_cash(companyID, ID, Type, Money, content) "
                                                "VALUES(?,?,?,?,?)"),
                                 {company, company, QStringLiteral("in"), money, QStringLiteral("charge")});
    }

    std::optional<QString> balance(const QString& company = QStringLiteral("off1")) {
        session = office->newSession();
        return CashBalance(*session).ShowCashBalance(company);
    }

    QString todaysLog() {
        QFile file(session->log().fileFor(office->clock.today()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<Session> session;
};

} // namespace

// Only the office's own rows count (its id bound as a value), summed exactly beyond 32 bits and
// beyond what a double holds; nothing left says so.
TEST_P(CashBalanceTest, TheOfficesRowsAreSummedExactlyAndShownInWon) {
    EXPECT_EQ(balance(), QStringLiteral("캐쉬없음"));
    addCash(QStringLiteral("off1"), 500);
    addCash(QStringLiteral("off1"), -500);
    EXPECT_EQ(balance(), QStringLiteral("캐쉬없음"));
    addCash(QStringLiteral("off1"), 2147483647);
    addCash(QStringLiteral("off1"), 2147483647);
    addCash(QStringLiteral("off1"), 6);
    addCash(QStringLiteral("off2"), 99999);
    EXPECT_EQ(balance(), QStringLiteral("4,294,967,300 원"));
    EXPECT_TRUE(session->state().InternetOk) << "the probe is asked again when it had not answered";
    addCash(QStringLiteral("off1"), 9007199254740993LL - 4294967300LL);
    EXPECT_EQ(balance(), QStringLiteral("9,007,199,254,740,993 원"));

    const QString quoted = QStringLiteral("o'ff1' OR '1'='1");
    addCash(quoted, 300);
    EXPECT_EQ(balance(quoted), QStringLiteral("300 원"));
    EXPECT_TRUE(office->dialogs.shown().isEmpty());
}

// A balance past 64 bits and a failing server are logged, not shown wrong; without the internet
// the user is told. The panel keeps its text in each case.
TEST_P(CashBalanceTest, NoBalanceIsShownPastSixtyFourBitsOnAFailingServerOrOffline) {
    addCash(QStringLiteral("off1"), 9000000000000000000LL);
    addCash(QStringLiteral("off1"), 9000000000000000000LL);
    EXPECT_EQ(balance(), std::nullopt);
    EXPECT_TRUE(todaysLog().contains(QStringLiteral("ShowCashBalance => The cash balance cannot be summed")))
        << todaysLog().toStdString();

    office->server().execute(QStringLiteral("DROP TABLE mem_cash"));
    EXPECT_EQ(balance(), std::nullopt);
    EXPECT_TRUE(office->dialogs.shown().isEmpty()) << "a failing server is the log's";
    EXPECT_TRUE(todaysLog().contains(QStringLiteral("ShowCashBalance => SELECT money FROM mem_cash")))
        << todaysLog().toStdString();

    office->goOffline();
    EXPECT_EQ(balance(), std::nullopt);
    EXPECT_FALSE(session->serverOpen());
    ASSERT_EQ(office->dialogs.shown().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, CashBalanceTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

TEST(CashBalanceTextTest, MoneyAsStoresReturnIt) {
    bool refused = true;
    EXPECT_EQ(CashBalance::wholeNumberOf(QVariant(), &refused), std::nullopt);
    EXPECT_FALSE(refused) << "no rows is no cash, not an error";
    EXPECT_EQ(CashBalance::wholeNumberOf(QVariant(qlonglong(4294967300LL))), 4294967300LL);
    EXPECT_EQ(CashBalance::wholeNumberOf(QVariant(QStringLiteral("1234500"))), 1234500);
    EXPECT_EQ(CashBalance::wholeNumberOf(QVariant(QStringLiteral("1234500.00"))), 1234500);
    EXPECT_EQ(CashBalance::wholeNumberOf(QVariant(QStringLiteral("-20"))), -20);
    EXPECT_EQ(CashBalance::wholeNumberOf(QVariant(3.0e9)), 3000000000LL);
    for (const QVariant& bad :
         {QVariant(QStringLiteral("12.5")), QVariant(QStringLiteral("99999999999999999999")),
          QVariant(QStringLiteral("abc")), QVariant(1.5), QVariant(1e30)}) {
        EXPECT_EQ(CashBalance::wholeNumberOf(bad, &refused), std::nullopt) << bad.toString().toStdString();
        EXPECT_TRUE(refused);
    }
}
