#include "pictures/ListingImageName.h"

#include <gtest/gtest.h>

using namespace teran;

TEST(ListingImageNameTest, NamesJoinOfficeNumberSlotAndChosenExtension) {
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, mainPictureSuffix(2), QStringLiteral("house.jpg")),
              QStringLiteral("abc15_2.jpg"));
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, mainPictureSuffix(1), QStringLiteral("a.b.JPG")),
              QStringLiteral("abc15_1.JPG"));
    EXPECT_EQ(
        ListingImageName(QStringLiteral("서초1"), 7, imageBoxSuffix(0), QStringLiteral("/tmp/사진.gif")),
        QStringLiteral("서초17_3.gif"));
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
              QStringLiteral("abc15_4"));
    EXPECT_EQ(ListingImageName(QStringLiteral("abc"), 15, imageBoxSuffix(1), QStringLiteral("house.")),
              QStringLiteral("abc15_4"));
}

TEST(ListingImageNameTest, StemMatchesEveryExtensionOfItsSlotAndNothingElse) {
    const QString stem = ListingImageStem(QStringLiteral("abc"), 15, imageBoxSuffix(0));
    ASSERT_EQ(stem, QStringLiteral("abc15_3"));
    for (const char* name : {"abc15_3.jpg", "abc15_3.GIF", "abc15_3"})
        EXPECT_TRUE(isImageOfStem(QString::fromUtf8(name), stem)) << name;
    for (const char* name : {"abc15_30.jpg", "abc15_3x.jpg", "abc15_31.jpg", "xabc15_3.jpg", "abc15_3.",
                             "abc15_3.tar.gz", "abc15_.jpg", "ABC15_3.jpg", ""})
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
    EXPECT_FALSE(isImageOfStem(QStringLiteral("abc15_3.jpg"), QString()));
}
