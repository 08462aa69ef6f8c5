#include "report/ReportPainter.h"
#include "PdfText.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::report;
using namespace teran::test;

namespace {

// The share of dark pixels of a rendered page's area, to see that a picture was drawn.
double darkShare(const QString& pdf, int page, const QRectF& area) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                       QString::number(page), QStringLiteral("-l"), QString::number(page),
                       QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    const QImage image(stem + QStringLiteral(".png"));
    if (image.isNull())
        return -1;
    const QRect pixels(int(area.x() * image.width()), int(area.y() * image.height()),
                       int(area.width() * image.width()), int(area.height() * image.height()));
    int dark = 0;
    for (int y = pixels.top(); y < pixels.bottom(); ++y)
        for (int x = pixels.left(); x < pixels.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return double(dark) / (pixels.width() * pixels.height());
}

} // namespace

// Every kind of block reaches the PDF as text a reader can find, Hangul, Hanja and spaces
// included; the foot names the page and the count.
TEST(ReportPainterTest, EveryBlockIsReadBackFromThePdf) {
    Document document;
    document.title = QStringLiteral("매물장");
    document.footer = QStringLiteral("테란공인중개사 02-555-1234");
    document.add(Heading{QStringLiteral("아파트 매매 매물장")})
        .add(Fields{{{QStringLiteral("소재지"), QStringLiteral("서울 강남구 역삼동"), 2},
                     {QStringLiteral("매매가"), QStringLiteral("85,000 만원")},
                     {QStringLiteral("금액"), QStringLiteral("\u58F9\u5104 원정")}},
                    2})
        .add(Paragraph{QStringLiteral("남향, 역세권 5분 거리")})
        .add(Table{{QStringLiteral("번호"), QStringLiteral("비고")},
                   {{QStringLiteral("17"), QStringLiteral("급매 & <b>")}}});
    const RenderedPdf pdf = renderPdf(document);
    ASSERT_EQ(pdf.pages, 1) << "pdftotext and pdfinfo (poppler-utils) are needed";
    for (const QString& shown : {QStringLiteral("아파트 매매 매물장"), QStringLiteral("서울 강남구 역삼동"),
                                 QStringLiteral("85,000 만원"), QStringLiteral("\u58F9\u5104 원정"),
                                 QStringLiteral("남향, 역세권 5분 거리"), QStringLiteral("급매 & <b>"),
                                 QStringLiteral("테란공인중개사 02-555-1234")})
        EXPECT_TRUE(pdf.text.contains(shown)) << shown.toStdString() << "\n" << pdf.text.toStdString();
    EXPECT_TRUE(pdf.text.contains(QRegularExpression(QStringLiteral("1\\s*/\\s*1"))));
}

// A table longer than a page goes on over the pages with its header on each; nothing is lost.
TEST(ReportPainterTest, ALongTableRunsOverPagesWithItsHeaderOnEach) {
    Table table{{QStringLiteral("번호"), QStringLiteral("주소"), QStringLiteral("매매가")}, {}};
    for (int i = 1; i <= 150; ++i)
        table.rows << QStringList{QString::number(i), QStringLiteral("서울 강남구 역삼동 %1").arg(i),
                                  QStringLiteral("%1,000").arg(i)};
    Document document;
    document.orientation = Orientation::Landscape;
    document.add(table);
    const RenderedPdf pdf = renderPdf(document);
    ASSERT_GT(pdf.pages, 2);
    EXPECT_EQ(pdf.text.count(QStringLiteral("매매가")), pdf.pages);
    for (int i : {1, 75, 150})
        EXPECT_TRUE(pdf.text.contains(QStringLiteral("역삼동 %1 ").arg(i))) << i;
    EXPECT_TRUE(pdf.text.contains(QRegularExpression(QStringLiteral("%1\\s*/\\s*%1").arg(pdf.pages))));
}

// Pictures are drawn in their cells, turned as the camera says; a missing file leaves its
// cell with the caption only.
TEST(ReportPainterTest, PicturesFillTheirCellsAndAMissingOneLeavesItEmpty) {
    QTemporaryDir dir;
    QImage black(400, 300, QImage::Format_RGB32);
    black.fill(Qt::black);
    const QString picture = dir.filePath(QStringLiteral("p.jpg"));
    ASSERT_TRUE(black.save(picture));
    Document document;
    document.add(Pictures{{{picture, QStringLiteral("사진1")},
                           {dir.filePath(QStringLiteral("none.jpg")), QStringLiteral("사진2")}},
                          80});
    const RenderedPdf pdf = renderPdf(document);
    ASSERT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("사진1")));
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("사진2")));
    EXPECT_GT(darkShare(pdf.path, 1, {0.1, 0.08, 0.3, 0.2}), 0.5) << "the picture on the left";
    EXPECT_LT(darkShare(pdf.path, 1, {0.6, 0.08, 0.3, 0.2}), 0.05) << "nothing on the right";

    // A phone's 48-megapixel photo, which the decoder would refuse whole, prints as well.
    QImage photo(8000, 6000, QImage::Format_RGB888);
    photo.fill(Qt::black);
    ASSERT_TRUE(photo.save(picture, "JPG", 30));
    const RenderedPdf large = renderPdf(document);
    EXPECT_GT(darkShare(large.path, 1, {0.1, 0.08, 0.3, 0.2}), 0.5) << "the large photo on the left";
}

TEST(ReportPainterTest, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/page.pdf"));
    QString error;
    EXPECT_FALSE(ReportPainter::writePdf(Document{}, path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}
