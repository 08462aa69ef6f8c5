#include "people/SmsGuard.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {
constexpr qint64 kMinute = 60'000;
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
