#include "pictures/ListingImageName.h"

#include <gtest/gtest.h>

using namespace teran;

TEST(ListingImageNameTest, NamesJoinOfficeNumberSlotAndChosenExtension) {
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, mainPictureSuffix(2), QStringLiteral("house.jpg")),
              QStringLiteral("abc-15_2.jpg"));
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, mainPictureSuffix(1), QStringLiteral("a.b.JPG")),
              QStringLiteral("abc-15_1.JPG"));
    EXPECT_EQ(
        ListingImageName(QStringLiteral("서초1"), 7, imageBoxSuffix(0), QStringLiteral("/tmp/사진.gif")),
        QStringLiteral("서초1-7_3.gif"));
    EXPECT_EQ(imageBoxSuffix(0), QStringLiteral("_3"));
    EXPECT_EQ(imageBoxSuffix(5), QStringLiteral("_8"));
    EXPECT_EQ(mainPictureSuffix(1), QStringLiteral("_1"));
}

TEST(ListingImageNameTest, ExtensionComesFromTheFileNameOnly) {
    EXPECT_EQ(chosenFileExtension(QStringLiteral("a.b.JPG")), QStringLiteral("JPG"));
    EXPECT_EQ(chosenFileExtension(QStringLiteral("C:\\my.pictures\\house.jpeg")), QStringLiteral("jpeg"));
    // A dot in a folder name is no extension, and a name without one gets no trailing dot.
    EXPECT_EQ(chosenFileExtension(QStringLiteral("C:\\my.pictures\\house")), QString());
    EXPECT_EQ(chosenFileExtension(QStringLiteral("/home/kim/v1.2/house")), QString());
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, imageBoxSuffix(1), QStringLiteral("/x.y/house")),
              QStringLiteral("abc-15_4"));
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, imageBoxSuffix(1), QStringLiteral("house.")),
              QStringLiteral("abc-15_4"));
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
