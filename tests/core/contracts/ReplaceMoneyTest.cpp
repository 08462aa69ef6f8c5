#include "core/contracts/ReplaceMoney.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace teran;

namespace {

// The hanja are spelled as code points: those of 3, 6 and 10 must be the compatibility
// ideographs U+F96B, U+F9D1 and U+F973, and the thousand U+9621 (a normalising step anywhere on
// the way would turn them into the unified forms). Nine digits and more read with 조 above 억.
struct Worked {
    const char* raw;
    QString hangul;
    QString hanja; // left out where the Hangul says enough
};

const Worked kWorked[] = {
    {"1", QStringLiteral("일만"), QStringLiteral("\u58F9\u842C")},
    {"10", QStringLiteral("일십만"), QStringLiteral("\u58F9\uF973\u842C")},
    {"3500", QStringLiteral("삼천오백만"), QStringLiteral("\uF96B\u9621\u4E94\u767E\u842C")},
    {"10000", QStringLiteral("일억"), QStringLiteral("\u58F9\u5104")},
    {"10001", QStringLiteral("일억일만"), QStringLiteral("\u58F9\u5104\u58F9\u842C")},
    {"15000", QStringLiteral("일억오천만"), QStringLiteral("\u58F9\u5104\u4E94\u9621\u842C")},
    {"100000", QStringLiteral("일십억"), QStringLiteral("\u58F9\uF973\u5104")},
    {"20000500", QStringLiteral("이천억오백만"), QStringLiteral("\u8CB3\u9621\u5104\u4E94\u767E\u842C")},
    {"12345678", QStringLiteral("일천이백삼십사억오천육백칠십팔만"),
     QStringLiteral("\u58F9\u9621\u8CB3\u767E\uF96B\uF973\u56DB\u5104\u4E94\u9621\uF9D1\u767E\u4E03\uF973"
                    "\u516B\u842C")},
    {"36103610", QStringLiteral("삼천육백일십억삼천육백일십만"),
     QStringLiteral("\uF96B\u9621\uF9D1\u767E\u58F9\uF973\u5104\uF96B\u9621\uF9D1\u767E\u58F9\uF973"
                    "\u842C")},
    {"100000000", QStringLiteral("일조"), QStringLiteral("\u58F9\u5146")},
    {"100000001", QStringLiteral("일조일만"), {}},
    {"100010000", QStringLiteral("일조일억"), {}},
    {"100010001", QStringLiteral("일조일억일만"), {}},
    {"200000000", QStringLiteral("이조"), {}},
    {"500000000000", QStringLiteral("오천조"), {}},
    {"123456789012", QStringLiteral("일천이백삼십사조오천육백칠십팔억구천일십이만"),
     QStringLiteral("\u58F9\u9621\u8CB3\u767E\uF96B\uF973\u56DB\u5146\u4E94\u9621\uF9D1\u767E\u4E03\uF973"
                    "\u516B\u5104\u4E5D\u9621\u58F9\uF973\u8CB3\u842C")},
    {"1000000000000", QStringLiteral("일경"), {}},
    {"3000000000000", QStringLiteral("삼경"), QStringLiteral("\uF96B\u4EAC")},
    {"9999999999999999",
     QStringLiteral("구천구백구십구경구천구백구십구조구천구백구십구억구천구백구십구만"),
     {}},
};

QString words(const QString& raw, MoneyNotation notation) {
    const MoneyText shown = ReplaceMoney(raw, notation);
    EXPECT_TRUE(shown.ok()) << raw.toStdString() << ": " << shown.error.toStdString();
    return shown.text;
}

} // namespace

TEST(ReplaceMoneyTest, WorkedAmountsReadTheSameInBothWordNotations) {
    for (const Worked& worked : kWorked) {
        const QString raw = QString::fromLatin1(worked.raw);
        EXPECT_EQ(words(raw, MoneyNotation::Hangul), worked.hangul) << worked.raw;
        if (!worked.hanja.isEmpty()) {
            EXPECT_EQ(words(raw, MoneyNotation::Hanja), worked.hanja) << worked.raw;
        }
    }
}

// Digits show the amount in won; zeros and blanks around the amount change nothing.
TEST(ReplaceMoneyTest, DigitsInWonAndZerosAndBlanksAroundTheAmount) {
    const struct {
        const char* raw;
        MoneyNotation notation;
        QString shown;
    } cases[] = {
        {"1", MoneyNotation::Digits, QStringLiteral("10,000")},
        {"3500", MoneyNotation::Digits, QStringLiteral("35,000,000")},
        {"0035", MoneyNotation::Digits, QStringLiteral("350,000")},
        {"0", MoneyNotation::Digits, QStringLiteral("0")},
        // Past what 64 bits hold in won.
        {"9999999999999999", MoneyNotation::Digits, QStringLiteral("99,999,999,999,999,990,000")},
        {"0035", MoneyNotation::Hangul, QStringLiteral("삼십오만")},
        {" 3500 ", MoneyNotation::Hangul, QStringLiteral("삼천오백만")},
        {"000000000000000000001", MoneyNotation::Hangul, QStringLiteral("일만")},
        {"0", MoneyNotation::Hangul, QStringLiteral("영")},
        {"0000", MoneyNotation::Hanja, QStringLiteral("\u96F6")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(words(QString::fromLatin1(c.raw), c.notation), c.shown) << c.raw;
}

TEST(ReplaceMoneyTest, WhatIsNoAmountIsRefusedWithAReason) {
    for (const QString& raw :
         {QString(), QStringLiteral("   "), QStringLiteral("12a"), QStringLiteral("-5"),
          QStringLiteral("1,000"), QStringLiteral("3.5"), QStringLiteral("１２"), QStringLiteral("삼천")}) {
        for (MoneyNotation notation : {MoneyNotation::Hanja, MoneyNotation::Hangul, MoneyNotation::Digits}) {
            const MoneyText shown = ReplaceMoney(raw, notation);
            EXPECT_FALSE(shown.ok()) << raw.toStdString();
            EXPECT_TRUE(shown.text.isEmpty()) << raw.toStdString();
            EXPECT_FALSE(shown.error.isEmpty());
        }
    }
    const MoneyText tooLong = ReplaceMoney(QStringLiteral("12345678901234567"), MoneyNotation::Hangul);
    EXPECT_FALSE(tooLong.ok());
    EXPECT_TRUE(tooLong.error.contains(QStringLiteral("12345678901234567")));
    EXPECT_FALSE(ReplaceMoney(QString(5000, QLatin1Char('9')), MoneyNotation::Digits).ok());
    EXPECT_TRUE(ReplaceMoney(QStringLiteral("1000000000000000"), MoneyNotation::Hangul).ok());
}

TEST(FormatThousandsTest, GroupsDigitsOfAnyLength) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"},
        {"000", "0"},
        {"999", "999"},
        {"1000", "1,000"},
        {"0001000", "1,000"},
        {"123456", "123,456"},
        {"123456789012345678901234567890", "123,456,789,012,345,678,901,234,567,890"},
        // No number: left as it is, as the box keeps what it cannot format.
        {"", ""},
        {"12a", "12a"},
        {"-1234", "-1234"}};
    for (const auto& [digits, shown] : cases)
        EXPECT_EQ(formatThousands(QString::fromLatin1(digits)), QString::fromLatin1(shown)) << digits;
}
