#include "BenchSupport.h"
#include "core/pictures/ImageBox.h"
#include "core/pictures/ListingPictures.h"
#include "core/pictures/clsFTP.h"
#include "core/session/StoreSchemas.h"
#include "core/store/StoreUrl.h"

#include <QDir>
#include <QFile>
#include <QImage>

using namespace teran;
using namespace teran::bench;

namespace {

// A phone's photo of about 2 MB: 4000 x 3000 px of soft shapes and sensor noise.
QString phonePhoto(const QString& path, int seed) {
    if (QFile::exists(path))
        return path;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(quint32(seed + 1));
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int noise = int(random.bounded(24));
            line[x] = qRgb((x / 16 + noise + seed * 40) % 256, (y / 12 + noise) % 256,
                           ((x + y) / 20 + noise) % 256);
        }
    }
    for (int quality = 90; quality > 20; quality -= 5) {
        photo.save(path, "JPG", quality);
        if (QFileInfo(path).size() <= 2'200'000)
            break;
    }
    return path;
}

PictureServer loopbackFtp() {
    PictureServer server;
    server.host = qEnvironmentVariable("TERAN_TEST_FTP_HOST");
    server.port = qEnvironmentVariableIntValue("TERAN_TEST_FTP_PORT");
    server.user = qEnvironmentVariable("TERAN_TEST_FTP_USER");
    server.password = qEnvironmentVariable("TERAN_TEST_FTP_PASSWORD");
    return server;
}

} // namespace

// Six 2 MB photos of a listing's image box published to the loopback FTP server, as a save
// publishes them (large ones scaled for the web first), beside the way of putting every original
// as it is on its own connection command.
void BM_PublishSixPictures(benchmark::State& state) {
    const PictureServer server = loopbackFtp();
    if (server.host.isEmpty()) {
        state.SkipWithError("no FTP server: source build/services/services.env");
        return;
    }
    static QTemporaryDir data;
    const QString files = QDir(data.path()).filePath(QStringLiteral("files"));
    QDir().mkpath(files);
    SqlStore local(QStringLiteral("picture-bench"));
    local.open(StoreUrl::sqliteFile(QDir(data.path()).filePath(QStringLiteral("terandb.db"))));
    upgradeListingStore(local);
    ImageBoxList box;
    for (int k = 0; k < ImageBoxList::kSlots; ++k)
        box.slot(k) = {ImageBoxSlot::Kind::Chosen,
                       phonePhoto(QDir(data.path()).filePath(QStringLiteral("photo%1.jpg").arg(k)), k), true};
    const ImageBoxList stored =
        ImageBoxStore(local, files, QStringLiteral("bench")).save(1, 1, "apt", "M", box);
    qint64 bytes = 0;
    for (int k = 0; k < ImageBoxList::kSlots; ++k)
        bytes += QFileInfo(QDir(files).filePath(stored.slot(k).entry)).size();

    double total = 0;
    for (auto _ : state) {
        total += msOf([&] {
            PictureSession ftp(
                [&] { return std::make_unique<PictureStore>(server, data.path() + QLatin1Char('/')); });
            const ListingPictures::Published published = ListingPictures(local, ftp).publish(1, {}, {});
            if (published.boxNames.size() != ImageBoxList::kSlots)
                state.SkipWithError("a picture did not go up");
        });
    }
    const double originals = msOf([&] {
        clsFTP ftp;
        ftp.OpenConnection(server.host, server.port, server.user, server.password);
        for (int k = 0; k < ImageBoxList::kSlots; ++k)
            ftp.SimpleFtpPutFile(QDir(files).filePath(stored.slot(k).entry),
                                 QStringLiteral("docs/files/") + stored.slot(k).entry);
    });
    state.counters["MB_each"] = double(bytes) / ImageBoxList::kSlots / 1e6;
    reportBeside(state, total / double(state.iterations()), {{"originals_put", originals}});
}

BENCHMARK(BM_PublishSixPictures)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Withdrawing 10 published listings (two main pictures and six image-box pictures each) while the
// picture folder holds 100,000 other files, deleting by the names the listings recorded; beside it
// one listing of that folder, which the way of finding a slot's pictures by listing did six times
// per listing.
void BM_WithdrawTenListingsAmong100kFiles(benchmark::State& state) {
    const PictureServer server = loopbackFtp();
    const QString root = qEnvironmentVariable("TERAN_TEST_FTP_ROOT");
    if (server.host.isEmpty() || root.isEmpty()) {
        state.SkipWithError("no FTP server: source build/services/services.env");
        return;
    }
    const QDir remote(QDir(root).filePath(QStringLiteral("docs/files")));
    QDir().mkpath(remote.path());
    const QString crowd = QStringLiteral("benchcrowd%1.jpg");
    constexpr int kCrowd = 100'000;
    for (int i = 0; i < kCrowd; ++i) {
        QFile file(remote.filePath(crowd.arg(i)));
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.write("x");
    }
    static QTemporaryDir data;
    const QString files = QDir(data.path()).filePath(QStringLiteral("files"));
    QDir().mkpath(files);
    QList<QStringList> listings;
    for (int listing = 1; listing <= 10; ++listing) {
        QStringList names;
        for (const QString& stem : listingPictureStems(QStringLiteral("benchw"), listing))
            names << stem + QStringLiteral(".jpg");
        listings << names;
    }
    SqlStore local(QStringLiteral("withdraw-bench"));
    local.open(StoreUrl::sqliteFile(QDir(data.path()).filePath(QStringLiteral("terandb.db"))));
    upgradeListingStore(local);
    const auto store = [&] { return std::make_unique<PictureStore>(server, data.path() + QLatin1Char('/')); };

    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (const QStringList& names : std::as_const(listings))
            for (const QString& name : names) {
                QFile file(remote.filePath(name));
                if (file.open(QIODevice::WriteOnly))
                    file.write("picture");
            }
        state.ResumeTiming();
        total += msOf([&] {
            PictureSession ftp(store);
            ListingPictures pictures(local, ftp);
            for (const QStringList& names : std::as_const(listings))
                if (!pictures.withdraw(names))
                    state.SkipWithError("a picture was not deleted");
        });
        if (QFile::exists(remote.filePath(listings.first().first())))
            state.SkipWithError("the pictures are still there");
    }
    const double listOnce = msOf([&] {
        clsFTP ftp;
        ftp.OpenConnection(server.host, server.port, server.user, server.password);
        if (ftp.FtpFindFirstFile(QStringLiteral("docs/files")).count() < kCrowd)
            state.SkipWithError("the folder listing is short");
    });
    for (int i = 0; i < kCrowd; ++i)
        QFile::remove(remote.filePath(crowd.arg(i)));
    state.counters["files_in_folder"] = kCrowd;
    reportBeside(state, total / double(state.iterations()),
                 {{"folder_listed_once", listOnce}, {"listing_way_10_listings", listOnce * 60}});
}

BENCHMARK(BM_WithdrawTenListingsAmong100kFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
