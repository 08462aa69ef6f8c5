#include "PdfText.h"
#include "core/listings/ListingSheet.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

// One listing of each family of layouts: a home, a building, land and a shop.
ListingRow listingOf(const QString& tb, const QString& ty) {
    ListingRow row{{"table_idx", 4021},
                   {"tb", tb},
                   {"ty", ty},
                   {"addr1", "서울"},
                   {"addr2", "강남구"},
                   {"addr3", "역삼동"},
                   {"addr4", "831-2"},
                   {"cboname", "테헤란 빌딩"},
                   {"pyung", 84.5},
                   {"pyung_use", 60.2},
                   {"floor", "3"},
                   {"floor_max", 15},
                   {"money_m", 1250000},
                   {"money_b", 32000},
                   {"money_jb", 5000},
                   {"money_w", 270},
                   {"money_g", 15},
                   {"jimok", "대"},
                   {"direction", "남향"},
                   {"line", ""},
                   {"mbigo", "대로변, 급매"}};
    return row;
}

int imagesIn(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    process.waitForFinished(30000);
    return int(QString::fromUtf8(process.readAllStandardOutput()).count(QStringLiteral("image ")));
}

} // namespace

// Each family in a sale and a lease form fits one page and shows the address, its amounts as
// the office writes them and the office at the foot; a listing without pictures or subway
// line prints all the same.
TEST(ListingSheetPdfTest, EachFamilyPrintsOnOnePageWithAddressAmountsAndFoot) {
    const std::pair<const char*, const char*> pairs[] = {{"apt", "M"},    {"apt", "W"},  {"gunmul", "M"},
                                                         {"gunmul", "W"}, {"land", "M"}, {"land", "J"},
                                                         {"jumpo", "M"},  {"jumpo", "W"}};
    const SheetExtras extras{{}, {}, QStringLiteral("테란공인중개사[http://teran.example] ☎ 02-555-1234")};
    for (const auto& [tb, ty] : pairs) {
        SCOPED_TRACE(std::string(tb) + ty);
        const QString type = QLatin1String(tb), form = QLatin1String(ty);
        const std::optional<report::Document> page =
            listingSheet(listingOf(type, form), type, form, SheetSource::Own, extras);
        ASSERT_TRUE(page);
        const RenderedPdf pdf = renderPdf(*page);
        ASSERT_EQ(pdf.pages, 1) << pdf.text.toStdString();
        const QString text = QString(pdf.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
        EXPECT_TRUE(text.contains(sheetTitle(type, form)));
        EXPECT_TRUE(text.contains(QStringLiteral("서울 강남구 역삼동 831-2")));
        EXPECT_TRUE(text.contains(QStringLiteral("관리번호 : 4,021 번")));
        EXPECT_TRUE(text.contains(form == QLatin1String("M") ? QStringLiteral("1,250,000")
                                                             : QStringLiteral("32,000")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("02-555-1234")));
        EXPECT_TRUE(text.contains(sheetDowntitle()));
        EXPECT_FALSE(text.contains(QStringLiteral("역 에서"))) << "no subway line, no subway text";
    }
}

// Both pictures of a listing are drawn on its sheet; a missing one leaves its box empty.
TEST(ListingSheetPdfTest, BothPicturesArePrinted) {
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 1; i <= 2; ++i) {
        QImage picture(1600, 1200, QImage::Format_RGB32);
        picture.fill(i == 1 ? Qt::darkBlue : Qt::darkGreen);
        paths << dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        ASSERT_TRUE(picture.save(paths.last()));
    }
    const ListingRow row = listingOf(QStringLiteral("apt"), QStringLiteral("M"));
    const auto both = listingSheet(row, QStringLiteral("apt"), QStringLiteral("M"), SheetSource::Own,
                                   {paths[0], paths[1], {}});
    const auto one = listingSheet(row, QStringLiteral("apt"), QStringLiteral("M"), SheetSource::Own,
                                  {paths[0], dir.filePath(QStringLiteral("gone.jpg")), {}});
    EXPECT_EQ(imagesIn(renderPdf(*both).path), 2);
    EXPECT_EQ(imagesIn(renderPdf(*one).path), 1);
}
