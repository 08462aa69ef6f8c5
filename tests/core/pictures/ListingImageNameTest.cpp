#include "core/pictures/ListingImageName.h"

#include <gtest/gtest.h>

using namespace teran;

// A name joins the office, the listing's number, the slot and the chosen file's extension, which
// comes from the file's name only.
TEST(ListingImageNameTest, NamesJoinOfficeNumberSlotAndChosenExtension) {
    const struct {
        const char* office;
        QString slot;
        const char* chosen;
        const char* name;
    } names[] = {
        {"abc", mainPictureSuffix(2), "house.jpg", "abc-15_2.jpg"},
        {"abc", mainPictureSuffix(1), "a.b.JPG", "abc-15_1.JPG"},
        {"서초1", imageBoxSuffix(0), "/tmp/사진.gif", "서초1-15_3.gif"},
        // A dot in a folder name is no extension, and a name without one gets no trailing dot.
        {"abc", imageBoxSuffix(1), "/x.y/house", "abc-15_4"},
        {"abc", imageBoxSuffix(1), "house.", "abc-15_4"},
    };
    for (const auto& n : names)
        EXPECT_EQ(ListingImageName(QString::fromUtf8(n.office), 15, n.slot, QString::fromUtf8(n.chosen)),
                  QString::fromUtf8(n.name));
    EXPECT_EQ(imageBoxSuffix(5), QStringLiteral("_8"));
    EXPECT_EQ(chosenFileExtension(QStringLiteral("a.b.JPG")), QStringLiteral("JPG"));
    EXPECT_EQ(chosenFileExtension(QStringLiteral("C:\\my.pictures\\house.jpeg")), QStringLiteral("jpeg"));
    EXPECT_EQ(chosenFileExtension(QStringLiteral("C:\\my.pictures\\house")), QString());
    EXPECT_EQ(chosenFileExtension(QStringLiteral("/home/kim/v1.2/house")), QString());
}

TEST(ListingImageNameTest, StemMatchesEveryExtensionOfItsSlotAndNothingElse) {
    const QString stem = ListingImageStem(QStringLiteral("abc"), 15, imageBoxSuffix(0));
    ASSERT_EQ(stem, QStringLiteral("abc-15_3"));
    for (const char* name : {"abc-15_3.jpg", "abc-15_3.GIF", "abc-15_3"})
        EXPECT_TRUE(isImageOfStem(QString::fromUtf8(name), stem)) << name;
    for (const char* name : {"abc-15_30.jpg", "abc-15_3x.jpg", "abc-15_31.jpg", "xabc-15_3.jpg", "abc-15_3.",
                             "abc-15_3.tar.gz", "abc-15_.jpg", "ABC-15_3.jpg", ""})
        EXPECT_FALSE(isImageOfStem(QString::fromUtf8(name), stem)) << name;
    // Every name the naming gives for a slot is found by that slot's stem, and only by it.
    for (int slot = 0; slot < 6; ++slot) {
        const QString name =
            ListingImageName(QStringLiteral("abc"), 15, imageBoxSuffix(slot), QStringLiteral("p.q.Jpeg"));
        for (int other = 0; other < 6; ++other)
            EXPECT_EQ(isImageOfStem(name, ListingImageStem(QStringLiteral("abc"), 15, imageBoxSuffix(other))),
                      slot == other)
                << name.toStdString() << " slot " << other;
    }
    EXPECT_FALSE(isImageOfStem(QStringLiteral("abc-15_3.jpg"), QString()));
}

// Two offices whose ids end in digits no longer share a name; each new name says whose folder it
// lives in, and a name from before the folders stays where it always was.
TEST(ListingImageNameTest, NamesOfTwoOfficesNeverMeetAndSayTheirFolder) {
    const QString demo11 =
        ListingImageName(QStringLiteral("demo"), 11, mainPictureSuffix(1), QStringLiteral("a.jpg"));
    const QString demo1_1 =
        ListingImageName(QStringLiteral("demo1"), 1, mainPictureSuffix(1), QStringLiteral("a.jpg"));
    EXPECT_NE(demo11, demo1_1);
    EXPECT_EQ(legacyListingImageStem(QStringLiteral("demo"), 11, mainPictureSuffix(1)),
              legacyListingImageStem(QStringLiteral("demo1"), 1, mainPictureSuffix(1)))
        << "the collision the separator ends";
    EXPECT_EQ(pictureFolderOf(demo11), QStringLiteral("demo/"));
    EXPECT_EQ(pictureFolderOf(demo1_1), QStringLiteral("demo1/"));
    EXPECT_EQ(pictureFolderOf(QStringLiteral("서초1-7_3.gif")), QStringLiteral("서초1/"));
    EXPECT_EQ(pictureFolderOf(QStringLiteral("demo11_1.jpg")), QString()) << "from before the folders";
    for (const char* name : {"", "-1_1.jpg", "demo-x_1.jpg", "demo-1_.jpg", "demo-1_1.tar.gz", "a/b-1_1.jpg",
                             "demo-1_1/x.jpg", "..-1_1"})
        EXPECT_EQ(pictureFolderOf(QString::fromUtf8(name)), QString()) << name;
}
