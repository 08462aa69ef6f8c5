#include "core/listings/ListingSheetPrint.h"
#include "TestOffice.h"

#include <QDir>
#include <QFile>

using namespace teran;
using namespace teran::test;

namespace {

class ListingSheetPrintTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        session = office->newSession();
        ASSERT_TRUE(session->MdbsqlConnOpen());
        session->state().LoginId = session->state().OfficeMainId = QStringLiteral("off1");
        session->state().InternetOk = true;
        OfficeDetails& office = session->state().AuthConfig;
        office.name = "테란공인중개사";
        office.homepage = "http://teran.example";
        office.phone = "02-555-1234";
    }

    static QString fieldValue(const report::Document& page, const QString& label) {
        for (const report::Block& block : page.blocks)
            if (const auto* fields = std::get_if<report::Fields>(&block))
                for (const report::Field& field : fields->fields)
                    if (field.label == label)
                        return field.value;
        return QStringLiteral("<no box>");
    }
    static QStringList pictures(const report::Document& page) {
        for (const report::Block& block : page.blocks)
            if (const auto* shown = std::get_if<report::Pictures>(&block))
                return {shown->pictures.value(0).path, shown->pictures.value(1).path};
        return {};
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<Session> session;
};

} // namespace

// An own listing prints on its own pair (or the one asked for) with its pictures from the data
// folder and the office at the foot; what cannot be printed says why.
TEST_P(ListingSheetPrintTest, AnOwnListingPrintsWithItsPicturesAndTheOffice) {
    const QString files = session->dataFolder().files();
    QFile picture(QDir(files).filePath(QStringLiteral("off1_1.jpg")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("jpg");
    picture.close();
    const int number = insertLocal(session->listingStore(), {{"id", "off1"},
                                                             {"tb", "villa"},
                                                             {"ty", "W"},
                                                             {"addr1", "서울"},
                                                             {"money_jb", 2000},
                                                             {"imgname1", "off1_1.jpg"},
                                                             {"imgname2", "gone_2.jpg"}});
    ListingSheetPrint sheets(*session, [](const QString&) { return QString(); });

    const SheetPrint lease = sheets.own(number);
    ASSERT_TRUE(lease.ok()) << lease.error.toStdString();
    EXPECT_EQ(lease.page->title, sheetTitle(QStringLiteral("villa"), QStringLiteral("W")));
    EXPECT_EQ(lease.page->footer, QStringLiteral("테란공인중개사[http://teran.example] ☎ 02-555-1234"));
    EXPECT_EQ(pictures(*lease.page),
              (QStringList{QDir(files).filePath(QStringLiteral("off1_1.jpg")), QString()}));
    EXPECT_EQ(fieldValue(*lease.page, sheetCaption(QStringLiteral("Dmoney_jb"), QStringLiteral("villa"))),
              QStringLiteral("2,000"));

    EXPECT_EQ(sheets.own(number, QStringLiteral("M")).page->title,
              sheetTitle(QStringLiteral("villa"), QStringLiteral("M")));
    EXPECT_EQ(sheets.own(number + 100).error, ListingSheetPrint::notFoundText(number + 100));
    const int room = insertLocal(session->listingStore(), {{"id", "off1"}, {"tb", "wonroom"}, {"ty", "J"}});
    EXPECT_EQ(sheets.own(room).error, noSheetLayoutText(QStringLiteral("wonroom"), QStringLiteral("J")));
}

// A shared listing is numbered as its office numbers it, its pictures come through the fetch
// and its foot names the office of the agent in charge.
TEST_P(ListingSheetPrintTest, ASharedListingNamesTheOfficeThatOwnsIt) {
    insertServer(office->server(), {{"id", "off1"},
                                    {"subid", "st1"},
                                    {"sub_idx", 57},
                                    {"tb", "apt"},
                                    {"ty", "M"},
                                    {"money_m", 91000},
                                    {"money_b", 3000},
                                    {"imgname1", "off157_1.jpg"},
                                    {"state", 1}});
    const int serverIdx =
        office->server().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul")).toInt();
    QStringList fetched;
    ListingSheetPrint sheets(*session, [&fetched](const QString& name) {
        fetched << name;
        return QStringLiteral("/tmp/") + name;
    });
    const SheetPrint printed = sheets.shared(serverIdx);
    ASSERT_TRUE(printed.ok()) << printed.error.toStdString();
    EXPECT_EQ(printed.page->footer,
              sharedSheetCopyright(QStringLiteral("테란공인중개사"), QStringLiteral("http://teran.example"),
                                   QStringLiteral("02-555-1234")));
    EXPECT_EQ(fetched, QStringList{QStringLiteral("off157_1.jpg")});
    EXPECT_EQ(pictures(*printed.page).first(), QStringLiteral("/tmp/off157_1.jpg"));
    EXPECT_EQ(fieldValue(*printed.page, sheetCaption(QStringLiteral("Dmoney_b"), QStringLiteral("apt"))),
              QStringLiteral("3,000"));
    EXPECT_FALSE(sheets.shared(serverIdx + 1).ok());
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingSheetPrintTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
