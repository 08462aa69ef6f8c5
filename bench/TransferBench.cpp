#include "BenchSupport.h"
#include "core/listing/PropertyTypes.h"
#include "core/maintenance/ListingTextTransfer.h"
#include "core/maintenance/OfficeBackup.h"
#include "core/session/StoreSchemas.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cstdio>

using namespace teran;
using namespace teran::bench;

namespace {

constexpr int kListings = 100'000;

listingText::ExportChoice everyType() {
    listingText::ExportChoice choice;
    choice.types = propertyTypeCodes();
    return choice;
}

// A new office database with the program's whole schema, for an import to go into.
struct EmptyOffice {
    QTemporaryDir dir;
    SqlStore store{QStringLiteral("bench_transfer_%1").arg(QDateTime::currentMSecsSinceEpoch())};

    EmptyOffice() {
        QDir().mkpath(dir.filePath(QStringLiteral("rd")));
        store.open(StoreUrl::sqliteFile(file()));
        upgradeListingStore(store);
    }
    QString file() const { return dir.filePath(QStringLiteral("rd/terandb.db")); }
};

// The baseline of the export: the statement the export ran, stepped through SQLite's C interface,
// every value written as text with a TAB after it and CR LF after the row, to a plain file.
qint64 selectIntoFile(const QString& database, const CapturedStatement& select, const QString& path) {
    RawSqlite raw(database);
    sqlite3_stmt* statement = raw.prepare(select.sql.toUtf8());
    for (int i = 0; i < select.values.size(); ++i)
        RawSqlite::bind(statement, i + 1, select.values.at(i));
    FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
    qint64 rows = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const unsigned char* text = sqlite3_column_text(statement, c);
            if (text)
                std::fputs(reinterpret_cast<const char*>(text), out);
            std::fputc('\t', out);
        }
        std::fputs("\r\n", out);
        ++rows;
    }
    std::fclose(out);
    sqlite3_finalize(statement);
    return rows;
}

// The same through the program's store and Qt's driver: the statement's rows, every value's text
// with a TAB after it and CR LF after the row, written to a file.
qint64 selectThroughStore(SqlStore& store, const CapturedStatement& select, const QString& path) {
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    QSqlQuery q = store.query(select.sql, select.values);
    const int columns = q.record().count();
    qint64 rows = 0;
    QString line;
    while (q.next()) {
        line.clear();
        for (int c = 0; c < columns; ++c) {
            line += q.value(c).toString();
            line += QLatin1Char('\t');
        }
        line += QStringLiteral("\r\n");
        out.write(line.toUtf8());
        ++rows;
    }
    return rows;
}

// The baseline of the import: the file's lines split at their TABs and inserted as they are,
// every value bound as text, through one prepared statement in one transaction.
qint64 insertLinesRaw(const QString& database, const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    RawSqlite raw(database);
    const QStringList& fields = listingText::fields();
    sqlite3_stmt* insert = raw.prepare(
        QStringLiteral("INSERT INTO maemul(%1) VALUES(%2)")
            .arg(fields.join(QLatin1Char(',')), QStringList(fields.size(), QStringLiteral("?")).join(','))
            .toUtf8());
    raw.exec("BEGIN IMMEDIATE");
    for (const QString& line : lines) {
        const QStringList values = line.split(QLatin1Char('\t'));
        for (int i = 0; i < fields.size(); ++i) {
            const QByteArray text = values.at(i).toUtf8();
            if (text.isEmpty())
                sqlite3_bind_null(insert, i + 1);
            else
                sqlite3_bind_text(insert, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(insert) != SQLITE_DONE)
            qFatal("raw insert failed");
        sqlite3_reset(insert);
    }
    raw.exec("COMMIT");
    sqlite3_finalize(insert);
    return lines.size();
}

// 텍스트 내보내기 of every listing of a 100,000-listing office beside the plain SELECT of the
// same columns written to a file (target: at most 1.2 times), through the program's store
// (`select`) and through SQLite's C interface (`raw`: no Qt, no conversions).
void BM_TextExport(benchmark::State& state) {
    BenchOffice& office = BenchOffice::of(int(state.range(0)));
    SqlStore& store = office.session().listingStore();
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.txt"));
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    const QList<CapturedStatement> ran =
        capture(store, [&] { listingText::exportListings(store, everyType(), ours); });
    const CapturedStatement select = ran.last();
    double oursMs = 0, selectMs = 0, rawMs = 0;
    qint64 written = 0, selected = 0, raw = 0;
    for (auto _ : state) {
        oursMs += msOf([&] { written = listingText::exportListings(store, everyType(), ours); });
        state.PauseTiming();
        selectMs += msOf([&] { selected = selectThroughStore(store, select, plain); });
        rawMs += msOf([&] { raw = selectIntoFile(office.listingFile(), select, plain); });
        state.ResumeTiming();
    }
    if (written != selected || written != raw || written != state.range(0))
        state.SkipWithError("the export and the plain SELECT wrote different rows");
    const double n = double(state.iterations());
    reportBeside(state, oursMs / n, {{"select", selectMs / n}, {"raw", rawMs / n}});
    state.counters["file_mb"] = QFileInfo(ours).size() / 1e6;
}

// 텍스트 가져오기 of that file (checked whole, numbered by the store, one transaction) into an empty
// office beside the raw bulk insert of the same lines (target: at most 1.2 times).
void BM_TextImport(benchmark::State& state) {
    BenchOffice& office = BenchOffice::of(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.txt"));
    listingText::exportListings(office.session().listingStore(), everyType(), path);
    double oursMs = 0, rawMs = 0;
    qint64 imported = 0, inserted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto mine = std::make_unique<EmptyOffice>();
        auto theirs = std::make_unique<EmptyOffice>();
        state.ResumeTiming();
        oursMs += msOf([&] {
            imported =
                listingText::importListings(mine->store, path, QStringLiteral("off1"), QStringLiteral("off1"))
                    .size();
        });
        state.PauseTiming();
        rawMs += msOf([&] { inserted = insertLinesRaw(theirs->file(), path); });
        state.ResumeTiming();
    }
    if (imported != inserted || imported != state.range(0))
        state.SkipWithError("the import and the raw insert took different rows");
    const double n = double(state.iterations());
    reportBeside(state, oursMs / n, {{"raw", rawMs / n}});
}

// 데이터 백업 of a 100,000-listing office (the database by VACUUM INTO, checked with
// integrity_check, the folder named only then) beside sqlite3's VACUUM INTO of the same file
// (target: at most 1.5 times).
void BM_FullBackup(benchmark::State& state) {
    BenchOffice& office = BenchOffice::of(int(state.range(0)));
    const QString root = QFileInfo(office.listingFile()).dir().absoluteFilePath(QStringLiteral(".."));
    const OfficeBackup backup(StoreUrl::sqliteFile(office.listingFile()), DataFolder(QDir::cleanPath(root)),
                              QStringLiteral("off1"));
    double oursMs = 0, vacuumMs = 0;
    int run = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("backup-%1").arg(run++));
        oursMs += msOf([&] { benchmark::DoNotOptimize(backup.backupTo(folder)); });
        state.PauseTiming();
        const QString copy = dir.filePath(QStringLiteral("vacuum.db"));
        RawSqlite raw(office.listingFile());
        vacuumMs +=
            msOf([&] { raw.exec(QStringLiteral("VACUUM INTO '%1'").arg(copy).toUtf8().constData()); });
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    reportBeside(state, oursMs / n, {{"vacuum", vacuumMs / n}});
}

} // namespace

BENCHMARK(BM_TextExport)->Arg(kListings)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TextImport)->Arg(kListings)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FullBackup)->Arg(kListings)->Unit(benchmark::kMillisecond)->Iterations(3);
