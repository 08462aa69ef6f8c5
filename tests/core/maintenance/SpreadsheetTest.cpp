#include "TestOffice.h"
#include "listings/ListSpreadsheet.h"
#include "listings/SheetFile.h"
#include "maintenance/BackupActions.h"
#include "maintenance/ListingCsvImport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The sheet of a workbook as Excel reads it (the XML inside the zip), through Python's zipfile.
QString workbookSheet(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys,zipfile;sys.stdout.write(zipfile.ZipFile(sys.argv[1])."
                                 "read('xl/worksheets/sheet1.xml').decode())"),
                  path});
    python.waitForFinished();
    return QString::fromUtf8(python.readAllStandardOutput());
}

class SpreadsheetTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Demo);
        ASSERT_NE(office, nullptr);
    }
    int listings() { return office->local().scalar("SELECT COUNT(*) FROM maemul").toInt(); }
    QList<int> import(const QString& path, const QStringList& mapping) {
        return listingCsv::importSheet(office->local(), path, mapping, "demo", "demo",
                                       office->session().clock().now());
    }

    std::unique_ptr<TestOffice> office;
    QTemporaryDir dir;
};

} // namespace

// CSV values with commas, quotes and line breaks come back as they were written; a quote left
// open is refused naming the line it started on.
TEST(SheetFileTest, CsvValuesRoundTripAndAnOpenQuoteIsRefused) {
    const QList<QStringList> rows{{"매물", "1,200", "그가 \"급매\"라고", "첫 줄\r\n둘째 줄", ""},
                                  {"", "x", "", "", "끝"}};
    QString text;
    for (const QStringList& row : rows)
        text += csvLine(row);
    QList<int> lines;
    EXPECT_EQ(csvRows(text, &lines), rows);
    EXPECT_EQ(lines, (QList<int>{1, 3}));
    EXPECT_THROW(csvRows("a,b\r\nc,\"open\r\nd"), std::runtime_error);
}

// 엑셀저장 of the own list: every listing the search finds (beyond one read of rows), with the
// list's captions; the CSV starts with the byte order mark, the workbook holds amounts as numbers.
TEST_F(SpreadsheetTest, TheListIsSavedWholeAsCsvAndAsWorkbook) {
    // more rows than one read takes
    for (int i = 0; i < 1200; ++i)
        insertLocal(office->local(), {{"id", "demo"}, {"tb", "apt"}, {"ty", "M"}, {"money_m", 15000 + i}});
    ListRequest request(ListKind::Own, ListFilter{});
    request.filter.tb = "apt";
    const QString csv = dir.filePath("apt.csv");
    ListSpreadsheet sheet(office->session());
    const qint64 written = sheet.write(request, csv);
    const qint64 apartments = ListQuery(office->session()).ListSearch(request).total;
    ASSERT_GT(apartments, 1200);
    EXPECT_EQ(written, apartments);
    const QByteArray bytes = bytesOf(csv);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> rows = csvRows(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(rows.size(), apartments + 1);
    EXPECT_TRUE(rows.first().contains("매매가")) << rows.first().join(',').toStdString();

    const QString xlsx = dir.filePath("apt.xlsx");
    EXPECT_EQ(sheet.write(request, xlsx), apartments);
    const QString xml = workbookSheet(xlsx);
    EXPECT_TRUE(xml.contains("매매가"));
    EXPECT_TRUE(xml.contains("<v>16199</v>")) << "an amount as a number";

    // a cancelled save leaves no file
    const QString cancelled = dir.filePath("cancelled.xlsx");
    EXPECT_EQ(sheet.write(request, cancelled, [](qint64, qint64) { return false; }), -1);
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("partial").isEmpty());
}

// A CSV of the office's spreadsheet: the mapping proposed from its header (captions or column
// names), types and transactions by their names or letters, amounts with separators, a remark
// across lines; all lines or none, a fault named by its line and field.
TEST_F(SpreadsheetTest, ACsvIsImportedWholeOrRefusedAtItsFault) {
    const QString path = dir.filePath("mine.csv");
    const QString address = QStringLiteral("서울,강남구,역삼동");
    writeFile(path,
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("tb,ty,시도,군구,읍면동,money_m,비고,메모\r\n"
                                                          "아파트,매매,%1,\"35,000\",\"남향\r\n급매\",x\r\n"
                                                          "\r\n"
                                                          "villa,J,%1,12000,,y\r\n")
                                               .arg(address)
                                               .toUtf8());
    const listingCsv::Preview preview = listingCsv::preview(path);
    EXPECT_EQ(preview.rowCount, 2) << "the empty line is no listing";
    EXPECT_EQ(preview.proposed,
              (QStringList{"종목", "거래", "시도", "군구", "읍면동", "매매가", "비고", ""}));

    const int before = listings();
    const QList<int> numbers = import(path, preview.proposed);
    ASSERT_EQ(numbers.size(), 2);
    EXPECT_EQ(listings(), before + 2);
    QSqlQuery first = office->local().query(
        "SELECT tb, ty, money_m, mbigo, subid FROM maemul WHERE table_idx = ?", {numbers.first()});
    ASSERT_TRUE(first.next());
    EXPECT_EQ(first.value(0).toString(), "apt");
    EXPECT_EQ(first.value(1).toString(), "M");
    EXPECT_EQ(first.value(2).toLongLong(), 35000);
    EXPECT_EQ(first.value(3).toString(), "남향\r\n급매");

    const QStringList mapping{"tb", "ty", "addr1", "addr2", "addr3", "money_m"};
    writeFile(path,
              QStringLiteral("종목,거래,시도,군구,읍면동,매매가\r\nland,M,%1,1000\r\nland,B,%1,2000\r\n")
                  .arg(address)
                  .toUtf8());
    try {
        import(path, mapping);
        FAIL() << "a transaction the type does not offer was taken";
    } catch (const listingText::ImportRefused& refused) {
        EXPECT_EQ(refused.line(), 3);
        EXPECT_EQ(refused.column(), "거래");
    }
    EXPECT_THROW(import(path, {"", "ty", "addr1", "addr2", "addr3", "money_m"}), listingText::ImportRefused)
        << "no type column";
    EXPECT_THROW(import(path, {"tb", "tb", "addr1", "addr2", "addr3", "money_m"}), listingText::ImportRefused)
        << "two columns into one field";
    EXPECT_EQ(listings(), before + 2) << "nothing of the refused files";

    // through the menu's flow: the question, then the office's message
    writeFile(path,
              QStringLiteral("종목,거래,시도,군구,읍면동,매매가\r\napt,M,%1,9000\r\n").arg(address).toUtf8());
    office->answerYes();
    EXPECT_TRUE(BackupActions(office->session()).importFile(path, mapping));
    EXPECT_EQ(office->dialogs.lastText(), "Text 매물 1건 등록을 완료하였습니다.");
    EXPECT_EQ(listings(), before + 3);
}
