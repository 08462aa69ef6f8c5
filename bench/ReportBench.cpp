#include "BenchSupport.h"
#include "core/listings/ListingSheetPrint.h"
#include "report/ReportPainter.h"

#include <QDir>
#include <QImage>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kListings = 100000;

// Two camera-sized pictures in the office's files/, for a sheet as an office prints it.
void givePictures(Session& session, int number) {
    const QDir files(session.dataFolder().files());
    QStringList names;
    for (int slot = 1; slot <= 2; ++slot) {
        const QString name = QStringLiteral("bench%1_%2.jpg").arg(number).arg(slot);
        if (!QFile::exists(files.filePath(name))) {
            QImage picture(2400, 1800, QImage::Format_RGB32);
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    picture.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 3) % 256, (x ^ y) % 256));
            picture.save(files.filePath(name), "JPG", 90);
        }
        names << name;
    }
    session.listingStore().execute(
        QStringLiteral("UPDATE maemul SET imgname1 = ?, imgname2 = ? WHERE table_idx = ?"),
        {names[0], names[1], number});
}

} // namespace

// One listing sheet, from the store to a PDF file with both pictures, beside the older way of
// reading the row: the whole record set by text SQL, then the same page.
void BM_SheetToPdf(benchmark::State& state) {
    Session& session = BenchOffice::of(kListings).session();
    ListingSheetPrint sheets(session, [](const QString&) { return QString(); });
    int number = kListings / 2;
    while (!sheets.own(number).ok()) // a pair with a layout
        ++number;
    givePictures(session, number);
    const QString pdf = QDir(session.dataFolder().root()).filePath(QStringLiteral("bench-sheet.pdf"));
    double total = 0;
    for (auto _ : state) {
        total += msOf([&] {
            const SheetPrint printed = sheets.own(number);
            report::ReportPainter::writePdf(*printed.page, pdf);
        });
    }
    const double partsWay = msOf([&] {
        QSqlQuery q = session.listingStore().query(
            QStringLiteral("SELECT * FROM maemul WHERE table_idx = %1").arg(number));
        ListingRow row;
        if (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                row.insert(q.record().fieldName(i).toLower(), q.value(i));
        SheetExtras extras;
        findOwnPictures(row, session.dataFolder().files(), extras);
        const auto page = listingSheet(row, row.value(QStringLiteral("tb")).toString(),
                                       row.value(QStringLiteral("ty")).toString(), SheetSource::Own, extras);
        report::ReportPainter::writePdf(*page, pdf);
    });
    reportBeside(state, total / double(state.iterations()), {{"partsway", partsWay}});
}

BENCHMARK(BM_SheetToPdf)->Unit(benchmark::kMillisecond)->MinTime(0.5);
