#include "core/session/LayoutFile.h"
#include "core/session/StoreSetup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;

namespace {

using Widths = QList<std::optional<int>>;

class LayoutFileTest : public testing::Test {
protected:
    void SetUp() override { initDataFolder(folder); }

    QByteArray contentOf(const LayoutFile& file) {
        QFile f(file.path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void put(const LayoutFile& file, const QByteArray& content) {
        QFile f(file.path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
};

} // namespace

// Anchors of the names: the user's id first, the type where the kind serves one type, the
// shared lists marked "_ie", a print file named after its window.
TEST(LayoutFileName, TheUsersIdTheTypeAndTheListNameTheFile) {
    const QString apt = QStringLiteral("apt");
    EXPECT_EQ(layoutFileName(LayoutKind::OwnListType, QStringLiteral("kim"), apt),
              QStringLiteral("kim_apt_frmList_size.ini"));
    EXPECT_EQ(layoutFileName(LayoutKind::SharedListType, QStringLiteral("kim"), apt),
              QStringLiteral("kim_apt_frmList_size_ie.ini"));
    EXPECT_EQ(layoutFileName(LayoutKind::Insert, QStringLiteral("kim"), apt),
              QStringLiteral("kim_frmInsert_size.ini"));
    EXPECT_EQ(layoutFileName(LayoutKind::Print, QStringLiteral("kim"), QStringLiteral("frmClub")),
              QStringLiteral("kim_frmClub_print.ini"));
    EXPECT_EQ(layoutFileName(LayoutKind::Namecard, QStringLiteral("김부장")),
              QStringLiteral("김부장_namecard_size.ini"));
}

TEST(LayoutFileName, NamesThatWouldLeaveTheFolderOrLackATypeAreRefused) {
    EXPECT_TRUE(layoutFileName(LayoutKind::OwnListType, QStringLiteral("kim")).isEmpty());
    EXPECT_TRUE(
        layoutFileName(LayoutKind::ClubType, QStringLiteral("kim"), QStringLiteral("../apt")).isEmpty());
    EXPECT_TRUE(
        layoutFileName(LayoutKind::ClubType, QStringLiteral("kim"), QStringLiteral("a\\b")).isEmpty());
    EXPECT_TRUE(layoutFileName(LayoutKind::OwnListAll, QString()).isEmpty());
    EXPECT_TRUE(layoutFileName(LayoutKind::OwnListAll, QStringLiteral("..")).isEmpty());
    EXPECT_TRUE(layoutFileName(LayoutKind::OwnListAll, QStringLiteral("x/../../etc")).isEmpty());
    EXPECT_TRUE(layoutFileName(LayoutKind::Print, QStringLiteral("kim"), QStringLiteral("a/b")).isEmpty());

    QTemporaryDir dir;
    const LayoutFile refused(DataFolder(dir.path()), LayoutKind::OwnListType, QStringLiteral("kim"));
    EXPECT_FALSE(refused.isValid());
    EXPECT_TRUE(refused.read().isEmpty());
    EXPECT_FALSE(refused.write({10, 20}));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Widths round trip in the one-line form; the first write makes the folder, and where it cannot
// be made nothing is written and nothing pretends it was.
TEST_F(LayoutFileTest, WidthsRoundTripInTheOneLineForm) {
    QDir(folder.rd()).removeRecursively();
    const LayoutFile file(folder, LayoutKind::ClubType, QStringLiteral("kim"), QStringLiteral("land"));
    ASSERT_TRUE(file.write({120, 0, 85, 1500}));
    EXPECT_EQ(contentOf(file), QByteArray("120,0,85,1500,"));
    EXPECT_EQ(file.read(), (Widths{120, 0, 85, 1500}));

    ASSERT_TRUE(file.write({40}));
    EXPECT_EQ(contentOf(file), QByteArray("40,")) << "a shorter grid leaves nothing of the old line";
    ASSERT_TRUE(file.write({}));
    EXPECT_TRUE(file.exists());
    EXPECT_TRUE(file.read().isEmpty());

    ASSERT_TRUE(file.remove());
    EXPECT_FALSE(file.exists());

    // rd/ taken by a plain file.
    QTemporaryDir other;
    QFile blocker(other.filePath(QStringLiteral("rd")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const LayoutFile blocked(DataFolder(other.path()), LayoutKind::Customer, QStringLiteral("kim"));
    EXPECT_FALSE(blocked.write({55}));
    EXPECT_FALSE(blocked.exists());
}

TEST_F(LayoutFileTest, DamagedEntriesKeepTheirPlaceAndTheirColumnsDefault) {
    EXPECT_EQ(LayoutFile::parse("12,abc,-5,30,,99999999,45.6, 7 ,nan,\r\n"),
              (Widths{12, std::nullopt, std::nullopt, 30, std::nullopt, std::nullopt, 46, 7, std::nullopt}));
    EXPECT_EQ(LayoutFile::parse("10,20,\r\n30,\r\n\r\n"), (Widths{10, 20, 30})) << "read line by line";
    EXPECT_EQ(LayoutFile::parse("10,20"), (Widths{10, 20})) << "a last comma may be missing";
    EXPECT_TRUE(LayoutFile::parse("").isEmpty());
    EXPECT_TRUE(LayoutFile::parse(",,,").isEmpty());
    EXPECT_EQ(LayoutFile::parse(QByteArray("\x00\xff,25,", 6)), (Widths{std::nullopt, 25}));

    const LayoutFile file(folder, LayoutKind::Maesu, QStringLiteral("kim"));
    put(file, "80,x,90,");
    EXPECT_EQ(file.read(), (Widths{80, std::nullopt, 90}));
    put(file, QByteArray(200 * 1024, '7'));
    EXPECT_TRUE(file.read().isEmpty()) << "a huge file is not a layout";
}
