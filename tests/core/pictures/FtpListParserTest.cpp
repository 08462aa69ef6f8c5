#include "core/pictures/FtpListParser.h"

#include <gtest/gtest.h>

using namespace teran;

namespace {
QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}
} // namespace

TEST(FtpListParserTest, MlsdGivesNamesSizesFoldersAndTimes) {
    const QByteArray text = "modify=20241206102459.123;perm=r;size=1234;type=file;unique=1; a; b 한글.jpg\r\n"
                            "modify=20240101000000;type=dir;sizd=4096; photos\r\n"
                            "type=cdir;modify=20240101000000; .\r\n"
                            "type=pdir;modify=20240101000000; ..\r\n"
                            "Type=File;Size=7; UPPER.GIF\r\n"
                            "garbage-without-facts\r\n"
                            "type=OS.unix=slink:/x;size=3; link\n";
    const cDirList list = FtpListParser::parseMlsd(text);
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.item(0).name, QStringLiteral("a; b 한글.jpg"));
    EXPECT_EQ(list.item(0).size, 1234);
    EXPECT_FALSE(list.item(0).isFolder);
    EXPECT_EQ(list.item(0).modified, utc(2024, 12, 6, 10, 24, 59));
    EXPECT_TRUE(list.item(1).isFolder);
    EXPECT_EQ(list.item(1).name, QStringLiteral("photos"));
    EXPECT_EQ(list.item(2).name, QStringLiteral("UPPER.GIF"));
    EXPECT_EQ(list.item(2).size, 7);
    EXPECT_FALSE(list.item(2).modified.isValid());
    EXPECT_FALSE(list.item(3).isFolder);
    EXPECT_EQ(list.fileNames(), QStringList({QStringLiteral("a; b 한글.jpg"), QStringLiteral("UPPER.GIF"),
                                             QStringLiteral("link")}));
    EXPECT_NE(list.find(QStringLiteral("photos")), nullptr);
    EXPECT_EQ(list.find(QStringLiteral("Photos")), nullptr);
}

TEST(FtpListParserTest, UnixListingPlacesYearlessDatesInThePastHalfYear) {
    const QDateTime now = utc(2025, 1, 10, 12, 0);
    const QByteArray text = "total 12\r\n"
                            "drwxr-xr-x   2 owner    group        4096 Jan 09 10:24 folder one\r\n"
                            "-rw-r--r--   1 owner    group    12345678 Dec 31 23:59 last year.jpg\r\n"
                            "-rw-r--r--   1 owner    group           5 Mar  3  2019 old.gif\r\n"
                            "-rw-r--r--   1 ftp          17 Jan 10 11:00 nogroup.jpg\r\n"
                            "lrwxrwxrwx   1 owner    group           3 Jan 10 11:00 link -> target\r\n"
                            "drwxr-xr-x   2 owner    group        4096 Jan 09 10:24 .\r\n"
                            "-rw-r--r--   1 owner    group           1 Feb 29 08:00 leap.jpg\r\n";
    const cDirList list = FtpListParser::parseList(text, now);
    ASSERT_EQ(list.count(), 6);
    EXPECT_EQ(list.item(0).name, QStringLiteral("folder one"));
    EXPECT_TRUE(list.item(0).isFolder);
    EXPECT_EQ(list.item(0).modified, utc(2025, 1, 9, 10, 24));
    EXPECT_EQ(list.item(1).name, QStringLiteral("last year.jpg"));
    EXPECT_EQ(list.item(1).size, 12345678);
    EXPECT_EQ(list.item(1).modified, utc(2024, 12, 31, 23, 59));
    EXPECT_EQ(list.item(2).modified, utc(2019, 3, 3));
    EXPECT_EQ(list.item(3).name, QStringLiteral("nogroup.jpg"));
    EXPECT_EQ(list.item(3).size, 17);
    EXPECT_EQ(list.item(4).name, QStringLiteral("link"));
    // 29 February lies in the last leap year before now.
    EXPECT_EQ(list.item(5).modified, utc(2024, 2, 29, 8, 0));
}

TEST(FtpListParserTest, DosListingGivesFoldersAndTwelveHourTimes) {
    const QByteArray text = "12-06-24  10:24AM       <DIR>          사진 폴더\r\n"
                            "01-02-2025  12:05PM             2048 noon.jpg\r\n"
                            "01-02-25  12:05AM                0 midnight.jpg\r\n";
    const cDirList list = FtpListParser::parseList(text, utc(2025, 6, 1));
    ASSERT_EQ(list.count(), 3);
    EXPECT_TRUE(list.item(0).isFolder);
    EXPECT_EQ(list.item(0).name, QStringLiteral("사진 폴더"));
    EXPECT_EQ(list.item(0).modified, utc(2024, 12, 6, 10, 24));
    EXPECT_EQ(list.item(1).size, 2048);
    EXPECT_EQ(list.item(1).modified, utc(2025, 1, 2, 12, 5));
    EXPECT_EQ(list.item(2).modified, utc(2025, 1, 2, 0, 5));
}
