#include "core/pictures/PictureFile.h"

#include "FtpTestFiles.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

QString savedPicture(const QTemporaryDir& dir, const QString& name, const QSize& size, const char* format) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(QColor(90, 140, 200));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, format, 40)) << name.toStdString();
    return path;
}

} // namespace

// A phone's 48-megapixel photo is more than the decoder reads whole; scaled on decode it shows,
// prints and goes up like any other.
TEST(PictureFileTest, A48MegapixelPhotoReadsScaledOnDecode) {
    QTemporaryDir dir;
    const QString photo = savedPicture(dir, QStringLiteral("phone.jpg"), {8000, 6000}, "JPG");
    EXPECT_TRUE(QImageReader(photo).read().isNull()) << "read whole, it passes the decoder's memory limit";

    const QImage large = readScaledPicture(photo);
    ASSERT_FALSE(large.isNull());
    EXPECT_EQ(large.width(), kLargestPictureSide);
    EXPECT_EQ(large.height(), kLargestPictureSide * 3 / 4);
    const QImage thumbnail = readScaledPicture(photo, {160, 160});
    EXPECT_EQ(thumbnail.size(), QSize(160, 120));
    EXPECT_EQ(pictureProblem(photo), QString());

    // A small picture is never enlarged.
    const QString small = savedPicture(dir, QStringLiteral("small.png"), {80, 60}, "PNG");
    EXPECT_EQ(readScaledPicture(small, {800, 800}).size(), QSize(80, 60));
}

// What is added as a picture must be one, whatever its name says; a picture under another
// extension is one.
TEST(PictureFileTest, FilesThatAreNoPicturesAreRefusedWithTheReason) {
    QTemporaryDir dir;
    const auto file = [&](const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    };
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    EXPECT_TRUE(
        pictureProblem(file(QStringLiteral("empty.jpg"), {})).startsWith(QStringLiteral("빈 파일입니다")));
    EXPECT_TRUE(pictureProblem(file(QStringLiteral("noise.jpg"), noise))
                    .startsWith(QStringLiteral("그림 파일이 아닙니다")));
    EXPECT_TRUE(pictureProblem(file(QStringLiteral("letter.jpg"), "안녕하세요, 매물 문의드립니다."))
                    .startsWith(QStringLiteral("그림 파일이 아닙니다")));
    EXPECT_TRUE(pictureProblem(dir.filePath(QStringLiteral("gone.jpg")))
                    .startsWith(QStringLiteral("파일이 없습니다")));
    EXPECT_TRUE(pictureProblem(dir.path()).startsWith(QStringLiteral("파일이 없습니다")))
        << "a folder is no file";
    // A JPEG's header followed by nothing of a picture.
    EXPECT_FALSE(pictureProblem(
                     file(QStringLiteral("broken.jpg"), QByteArray::fromHex("ffd8ffe000104a464946") + noise))
                     .isEmpty());

    const QString png = savedPicture(dir, QStringLiteral("real.png"), {40, 30}, "PNG");
    const QString named = dir.filePath(QStringLiteral("named.jpg"));
    ASSERT_TRUE(QFile::copy(png, named));
    EXPECT_EQ(pictureProblem(named), QString()) << "the contents decide";
    EXPECT_TRUE(readScaledPicture(QStringLiteral("/no/such/file.jpg")).isNull());
}
