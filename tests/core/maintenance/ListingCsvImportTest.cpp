#include "core/maintenance/ListingCsvImport.h"
#include "TestOffice.h"
#include "core/listings/ListSpreadsheet.h"
#include "core/maintenance/BackupActions.h"
#include "core/maintenance/ListingCsvFields.h"

#include "core/listings/ListQuery.h"
#include "core/listings/SheetFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

// The columns the own lists show and a file of them brings back.
const QStringList kCompared{"tb",       "ty",      "ming",      "addr1",   "addr2",     "addr3",   "addr4",
                            "addr5",    "pyung",   "pyung_use", "floor",   "floor_max", "money_m", "money_y",
                            "money_jb", "money_b", "money_w",   "money_g", "money_s",   "room",    "makedate",
                            "mbigo",    "keyword", "uhome",     "uhp",     "uoffice",   "ubigo"};

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

class ListingCsvImportTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Demo);
        ASSERT_NE(office, nullptr);
        office->local().execute("DELETE FROM maemul"); // an office without listings
    }
    int listings() { return office->local().scalar("SELECT COUNT(*) FROM maemul").toInt(); }
    QString write(const QString& text) {
        const QString path = dir.filePath(QStringLiteral("office%1.csv").arg(++files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\xEF\xBB\xBF") + text.toUtf8());
        return path;
    }
    QList<int> import(const QString& path, const QStringList& mapping) {
        return listingCsv::importSheet(office->local(), path, mapping, "demo", "demo", office->clock.now());
    }
    listingText::ImportRefused refusal(const QString& path, const QStringList& mapping) {
        try {
            import(path, mapping);
        } catch (const listingText::ImportRefused& refused) {
            return refused;
        }
        ADD_FAILURE() << "the file was taken";
        return {0, {}, {}};
    }
    // Every listing's compared columns, one text a listing, in a stable order.
    QStringList stored() {
        QStringList rows;
        QSqlQuery q = office->local().query("SELECT " + kCompared.join(", ") + " FROM maemul");
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < kCompared.size(); ++i)
                values << kCompared.at(i) + "=" + q.value(i).toString();
            rows << values.join(" | ");
        }
        rows.sort();
        return rows;
    }
    QVariant value(int number, const QString& column) {
        return office->localValue("SELECT " + column + " FROM maemul WHERE table_idx = ?", {number});
    }
    int own(const ListingRow& values) { return office->addOwn(values); }

    std::unique_ptr<TestOffice> office;
    QTemporaryDir dir;
    int files = 0;
};

} // namespace

// The fault an office met: a file under the captions of its lists was offered only 종목 and 거래.
// Every caption the lists show is proposed, the computed ones are not, pairs and phones are
// split back, and a list's per-type captions follow the listing's type.
TEST_F(ListingCsvImportTest, AKoreanHeaderIsProposedAndReadIntoItsColumns) {
    const QString path =
        write("종목,거래,시도,군구,읍면동,지번,매매가,평수,층수,연락처,합산금,사진,번호,수정일,"
              "money_jb,평형,현업종,비고\r\n"
              "아파트,매매,서울,강남구,역삼동,123-4,\"35,000\",34 / 25.5,12 / 20,"
              "02-111-2222 / 010-333-4444 / ,,,7,26-11-01,,,,급매\r\n"
              "공장,매매,경기,화성시,향남읍,55,90000,,1 / 2,-,,,,,,,자동차부품,\r\n"
              "다가구주택,전세,서울,마포구,서교동,9,,,,,,,,,\"20,000\",60 / 120,,\r\n");
    const listingCsv::Preview preview = listingCsv::preview(path);
    EXPECT_EQ(preview.proposed,
              (QStringList{"종목", "거래", "시도", "군구", "읍면동", "지번", "매매가", "평수", "층수",
                           "연락처", "", "", "", "", "전세금", "평형", "현업종", "비고"}));

    const QList<int> numbers = import(path, preview.proposed);
    ASSERT_EQ(numbers.size(), 3);
    const int apt = numbers.at(0), factory = numbers.at(1), house = numbers.at(2);
    EXPECT_EQ(value(apt, "addr3").toString(), "역삼동");
    EXPECT_EQ(value(apt, "addr4").toString(), "123-4");
    EXPECT_EQ(value(apt, "money_m").toLongLong(), 35000);
    EXPECT_DOUBLE_EQ(value(apt, "pyung").toDouble(), 34);
    EXPECT_DOUBLE_EQ(value(apt, "pyung_use").toDouble(), 25.5);
    EXPECT_EQ(value(apt, "floor").toString(), "12");
    EXPECT_EQ(value(apt, "floor_max").toString(), "20");
    EXPECT_EQ(value(apt, "uhome").toString(), "02-111-2222");
    EXPECT_EQ(value(apt, "uhp").toString(), "010-333-4444");
    EXPECT_TRUE(value(apt, "uoffice").isNull());
    EXPECT_EQ(value(apt, "mbigo").toString(), "급매");
    EXPECT_TRUE(value(apt, "writeday").toDateTime().isValid()) << "registered today";
    EXPECT_NE(value(apt, "table_idx").toInt(), 7) << "the list's number is no listing's";

    EXPECT_EQ(value(factory, "upjong").toString(), "자동차부품") << "현업종 of a factory";
    EXPECT_TRUE(value(factory, "cboname").isNull());
    EXPECT_TRUE(value(factory, "uhome").isNull()) << "'-' is a contact the list hid";

    EXPECT_EQ(value(house, "ty").toString(), "J");
    EXPECT_DOUBLE_EQ(value(house, "pyung").toDouble(), 60) << "평형 of 다가구 is both areas";
    EXPECT_DOUBLE_EQ(value(house, "pyung_use").toDouble(), 120);
    EXPECT_EQ(value(house, "money_jb").toLongLong(), 20000);
}

// A file of the office's own making: a whole address split into its parts, the type under
// another name and the transaction from the type's label or from the amounts.
TEST_F(ListingCsvImportTest, AWholeAddressIsSplitAndTheTransactionFollowsTheAmounts) {
    const QString path = write("물건종류,주소,매매가,전세금,월세금,월세\r\n"
                               "아파트,서울 강남구 역삼동 123-4,30000,,,\r\n"
                               "빌라/다세대,경기 성남시 분당구 정자동 1-2,,15000,,\r\n"
                               "원룸/투룸,충북 청주시 상당구 낭성면 관정리 77,,,500,40\r\n"
                               "빌라트,서울 서초구 방배동 3,28000,,,\r\n"
                               "아파트(월세),서울 송파구 잠실동 19,,,5000,150\r\n");
    const listingCsv::Preview preview = listingCsv::preview(path);
    ASSERT_EQ(preview.proposed, (QStringList{"종목", "소재지", "매매가", "전세금", "월세금", "월세"}));
    const QList<int> numbers = import(path, preview.proposed);
    ASSERT_EQ(numbers.size(), 5);
    const auto address = [&](int number) {
        QStringList parts;
        for (const char* column : {"addr1", "addr2", "addr3", "addr4"})
            parts << value(number, column).toString();
        return parts;
    };
    EXPECT_EQ(address(numbers[0]), (QStringList{"서울", "강남구", "역삼동", "123-4"}));
    EXPECT_EQ(address(numbers[1]), (QStringList{"경기", "성남시 분당구", "정자동", "1-2"}));
    EXPECT_EQ(address(numbers[2]), (QStringList{"충북", "청주시 상당구", "낭성면 관정리", "77"}));
    QStringList transactions;
    for (int number : numbers)
        transactions << value(number, "tb").toString() + ":" + value(number, "ty").toString();
    EXPECT_EQ(transactions, (QStringList{"apt:M", "villa:J", "wonroom:W", "villa:B", "apt:W"}));
}

// A header of column names and values by their letters are read like captions; a remark keeps its
// line break and an empty line is no listing.
TEST_F(ListingCsvImportTest, ColumnNamesLettersAndARemarkAcrossLinesAreRead) {
    const QString path = write("tb,ty,시도,군구,읍면동,money_m,비고,메모\r\n"
                               "아파트,매매,서울,강남구,역삼동,\"35,000\",\"남향\r\n급매\",x\r\n"
                               "\r\n"
                               "villa,J,서울,마포구,서교동,12000,,y\r\n");
    const listingCsv::Preview preview = listingCsv::preview(path);
    EXPECT_EQ(preview.rowCount, 2) << "the empty line is no listing";
    EXPECT_EQ(preview.proposed,
              (QStringList{"종목", "거래", "시도", "군구", "읍면동", "매매가", "비고", ""}));
    const QList<int> numbers = import(path, preview.proposed);
    ASSERT_EQ(numbers.size(), 2);
    EXPECT_EQ(value(numbers[0], "tb").toString() + value(numbers[0], "ty").toString(), "aptM");
    EXPECT_EQ(value(numbers[0], "money_m").toLongLong(), 35000);
    EXPECT_EQ(value(numbers[0], "mbigo").toString(), "남향\r\n급매");
    EXPECT_EQ(value(numbers[1], "tb").toString() + value(numbers[1], "ty").toString(), "villaJ");
}

// A bad line refuses the whole file, naming its line and the field by its caption: an amount in
// words, a listing without its address, one without a price. Nothing of such a file is kept.
TEST_F(ListingCsvImportTest, ABadLineIsRefusedByItsCaptionAndNothingIsRegistered) {
    const QStringList mapping{"종목", "거래", "시도", "군구", "읍면동", "매매가"};
    const QString wordy = write("종목,거래,시도,군구,읍면동,매매가\r\n"
                                "아파트,매매,서울,강남구,역삼동,30000\r\n"
                                "아파트,매매,서울,강남구,역삼동,일억이천만원\r\n");
    listingText::ImportRefused refused = refusal(wordy, mapping);
    EXPECT_EQ(refused.line(), 3);
    EXPECT_EQ(refused.column(), "매매가");

    refused = refusal(write("종목,거래,시도,군구,읍면동,매매가\r\n"
                            "아파트,매매,서울,강남구,,30000\r\n"),
                      mapping);
    EXPECT_EQ(refused.line(), 2);
    EXPECT_EQ(refused.column(), "소재지");
    EXPECT_EQ(refused.reason(), "시도, 군구, 읍면동 모두 적어야 합니다.");

    refused = refusal(write("종목,거래,시도,군구,읍면동,매매가\r\n"
                            "아파트,매매,서울,강남구,역삼동,30000\r\n"
                            "\r\n"
                            "토지,매매,서울,강남구,역삼동,0\r\n"),
                      mapping);
    EXPECT_EQ(refused.line(), 4);
    EXPECT_EQ(refused.column(), "가격");

    const QString land = write("종목,거래,시도,군구,읍면동,매매가\r\n"
                               "land,M,서울,강남구,역삼동,1000\r\nland,B,서울,강남구,역삼동,2000\r\n");
    refused = refusal(land, {"tb", "ty", "addr1", "addr2", "addr3", "money_m"});
    EXPECT_EQ(refused.line(), 3) << "a transaction the type does not offer";
    EXPECT_EQ(refused.column(), "거래");
    EXPECT_THROW(import(land, {"", "ty", "addr1", "addr2", "addr3", "money_m"}), listingText::ImportRefused)
        << "no type column";
    EXPECT_THROW(import(land, {"tb", "tb", "addr1", "addr2", "addr3", "money_m"}), listingText::ImportRefused)
        << "two columns into one field";
    EXPECT_EQ(listings(), 0);

    // as the office reads it
    office->answerYes();
    EXPECT_FALSE(BackupActions(office->session()).importFile(wordy, mapping));
    EXPECT_EQ(office->dialogs.shown().last().title, "Text 데이터 형식 오류");
    EXPECT_EQ(office->dialogs.lastText().toStdString(),
              "3 번째 Line Text 데이타가 형식에 맞지않아 입력이 거부 되었습니다.\r\n"
              "(매매가: 숫자가 아닙니다: 일억이천만원)\r\n\r\n"
              "다시 확인하신후 실행하여 주십시요.");
    EXPECT_EQ(listings(), 0);
}

// 엑셀저장 of the own list, then 텍스트 가져오기 of its CSV into an office without listings: the
// same listings come back, their transactions included, from the list of every type and from
// the list of one type (whose file has no 종목 of its own in the grid).
TEST_F(ListingCsvImportTest, TheSavedListImportsBackAsTheSameListings) {
    own({{"tb", "apt"},           {"ty", "M"},
         {"ming", "진행"},        {"addr1", "서울"},
         {"addr2", "강남구"},     {"addr3", "역삼동"},
         {"addr4", "123-4"},      {"addr5", "101"},
         {"pyung", 34},           {"pyung_use", 25.5},
         {"floor", "12"},         {"floor_max", "20"},
         {"money_m", 35000},      {"money_y", 5000},
         {"money_g", 25},         {"room", 3},
         {"makedate", "2005"},    {"mbigo", "급매, 남향"},
         {"keyword", "역세권"},   {"uhome", "02-111-2222"},
         {"uhp", "010-333-4444"}, {"ubigo", "열쇠 경비실"}});
    own({{"tb", "villa"},
         {"ty", "B"},
         {"addr1", "서울"},
         {"addr2", "서초구"},
         {"addr3", "방배동"},
         {"money_m", 28000},
         {"pyung", 20}});
    own({{"tb", "wonroom"},
         {"ty", "W"},
         {"addr1", "서울"},
         {"addr2", "관악구"},
         {"addr3", "신림동"},
         {"money_b", 500},
         {"money_w", 40},
         {"money_s", 300},
         {"uoffice", "02-9"}});
    own({{"tb", "dagagu"},
         {"ty", "J"},
         {"addr1", "서울"},
         {"addr2", "마포구"},
         {"addr3", "서교동"},
         {"money_jb", 20000},
         {"pyung", 60},
         {"pyung_use", 120},
         {"floor", "B1"},
         {"floor_max", "4"}});
    own({{"tb", "land"},
         {"ty", "M"},
         {"addr1", "경기"},
         {"addr2", "양평군"},
         {"addr3", "양평읍"},
         {"money_m", 12000},
         {"pyung", 300}});
    const QStringList before = stored();
    ASSERT_EQ(before.size(), 5);

    const QString all = dir.filePath("all.csv");
    const QString houses = dir.filePath("dagagu.csv");
    ListSpreadsheet sheet(office->session());
    ASSERT_EQ(sheet.write(ListRequest(ListKind::Own, ListFilter{}), all), 5);
    ListRequest dagagu(ListKind::Own, ListFilter{});
    dagagu.filter.tb = "dagagu";
    ASSERT_EQ(sheet.write(dagagu, houses), 1);

    office->local().execute("DELETE FROM maemul");
    office->answerYes();
    const listingCsv::Preview preview = listingCsv::preview(all);
    ASSERT_TRUE(BackupActions(office->session()).importFile(all, preview.proposed))
        << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.lastText(), "Text 매물 5건 등록을 완료하였습니다.");
    EXPECT_EQ(stored(), before);

    office->local().execute("DELETE FROM maemul");
    const QList<int> numbers = import(houses, listingCsv::preview(houses).proposed);
    ASSERT_EQ(numbers.size(), 1);
    EXPECT_EQ(value(numbers.first(), "tb").toString(), "dagagu");
    EXPECT_EQ(value(numbers.first(), "ty").toString(), "J");
    EXPECT_DOUBLE_EQ(value(numbers.first(), "pyung_use").toDouble(), 120);
    EXPECT_EQ(value(numbers.first(), "floor").toString(), "B1");
}

// Listings on a lot and unit the office holds already are counted and asked about, as the
// registration window asks: no registers none of the file, yes all of it.
TEST_F(ListingCsvImportTest, ListingsTheOfficeHoldsAreCountedAndAskedAbout) {
    own({{"addr1", "서울"},
         {"addr2", "강남구"},
         {"addr3", "역삼동"},
         {"addr4", "123-4"},
         {"addr5", "101"},
         {"money_m", 30000}});
    const QString path = write("종목,시도,군구,읍면동,지번,호수,매매가\r\n"
                               "아파트,서울,강남구,역삼동,123-4,101,31000\r\n"
                               "아파트,서울,강남구,역삼동,123-4,102,32000\r\n"
                               "아파트,서울,강남구,역삼동,,,33000\r\n");
    const QStringList mapping = listingCsv::preview(path).proposed;
    BackupActions actions(office->session());

    office->answerYes();
    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(actions.importFile(path, mapping));
    EXPECT_EQ(office->dialogs.shown().last().title, "중복매물확인");
    EXPECT_EQ(office->dialogs.lastText(),
              "가져올 매물 중 1건은 같은 소재지(지번, 호수)의 매물이 이미 있습니다.\r\n\r\n"
              "'예'를 누르시면 모두 등록하고, '아니오'를 누르시면 아무것도 등록하지 않습니다.\r\n\r\n"
              "모두 등록하시겠습니까 ?");
    EXPECT_EQ(listings(), 1);

    office->answerYes();
    office->answerYes();
    EXPECT_TRUE(actions.importFile(path, mapping));
    EXPECT_EQ(office->dialogs.lastText(), "Text 매물 3건 등록을 완료하였습니다.");
    EXPECT_EQ(listings(), 4);
}

// The open-file dialog of the import lists both the transfer files and CSV files at first.
TEST_F(ListingCsvImportTest, TheImportDialogListsCsvFiles) {
    office->dialogs.fileNext(QString());
    EXPECT_TRUE(BackupActions(office->session()).chooseImportFile().isEmpty());
    const QString first = office->dialogs.lastFilter().section(";;", 0, 0);
    EXPECT_TRUE(first.contains("*.csv")) << first.toStdString();
    EXPECT_TRUE(first.contains("*.txt")) << first.toStdString();
}

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
TEST_F(ListingCsvImportTest, TheListIsSavedWholeAsCsvAndAsWorkbook) {
    // more rows than one read takes
    for (int i = 0; i < 1200; ++i)
        insertLocal(office->local(), {{"id", "demo"}, {"tb", "apt"}, {"ty", "M"}, {"money_m", 15000 + i}});
    ListRequest request(ListKind::Own, ListFilter{});
    request.filter.tb = "apt";
    const QString csv = dir.filePath("apt.csv");
    ListSpreadsheet sheet(office->session());
    const qint64 written = sheet.write(request, csv);
    const qint64 apartments = ListQuery(office->session()).ListSearch(request).total;
    ASSERT_EQ(apartments, 1200);
    EXPECT_EQ(written, apartments);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
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
