#include "ListsOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

const QString kHostile = QStringLiteral("' \" % _ ;-- 역삼");

class DetailedSearchTest : public ListsBackendTest {
protected:
    // The own listings the detailed search finds, smallest first.
    QList<int> found(const DetailedSearch& d) {
        ListFilter filter;
        filter.detailed = d;
        return sorted(listed(ListRequest(ListKind::Own, filter)));
    }
};

} // namespace

// Quotes, wildcards, comment marks and Hangul typed into any text box are searched for as
// typed: the listing holding them is found, the others are not, and nothing breaks.
TEST_P(DetailedSearchTest, HostileTextInEveryTextBoxFindsExactlyItsListing) {
    const QString columns[] = {"addr4",      "addr5",      "uname", "uhome",  "ufax", "uhp",
                               "uoffice",    "umoney",     "ubigo", "floor",  "ming", "jubsu",
                               "maemaepart", "maemultype", "mbigo", "keyword"};
    QHash<QString, int> holder;
    for (const QString& column : columns) {
        holder[column] = f->addOwn({{column, kHostile + QStringLiteral(" 끝")}});
        f->addOwn({{column, QStringLiteral("평범한 값 역삼")}});
    }
    const auto only = [&](const QString& column, auto set) {
        DetailedSearch d;
        d.box = BoxChoice::All;
        set(d);
        EXPECT_EQ(found(d), QList<int>{holder.value(column)}) << column.toStdString();
    };
    only("addr4", [](DetailedSearch& d) { d.lot = kHostile, d.lotMatch = TextMatch::Starts; });
    only("addr5", [](DetailedSearch& d) { d.unit = kHostile, d.unitMatch = TextMatch::Contains; });
    only("uname", [](DetailedSearch& d) { d.ownerName = kHostile; });
    only("uhome", [](DetailedSearch& d) { d.ownerHome = kHostile; });
    only("ufax", [](DetailedSearch& d) { d.ownerFax = kHostile; });
    only("uhp", [](DetailedSearch& d) { d.ownerMobile = kHostile; });
    only("uoffice", [](DetailedSearch& d) { d.ownerOffice = kHostile; });
    only("umoney", [](DetailedSearch& d) { d.ownerMoney = kHostile; });
    only("ubigo", [](DetailedSearch& d) {
        d.ownerRemark = QStringLiteral("역삼 끝"), d.ownerRemarkMatch = TextMatch::Ends;
    });
    only("ming", [](DetailedSearch& d) { d.progress = kHostile; });
    only("jubsu", [](DetailedSearch& d) { d.intake = kHostile; });
    only("maemaepart", [](DetailedSearch& d) { d.brokerKind = kHostile; });
    only("maemultype", [](DetailedSearch& d) { d.form = kHostile; });
    only("mbigo", [](DetailedSearch& d) { d.remark = kHostile; });
    // The floor and keyword boxes take several words separated by commas.
    only("floor", [](DetailedSearch& d) {
        d.floors = QStringLiteral("' \" % _ ;--,없는층"), d.floorsJoin = WordJoin::Any;
    });
    only("keyword", [](DetailedSearch& d) {
        d.keywords = QStringLiteral("_ ;--,역삼 끝"), d.keywordsJoin = WordJoin::All;
    });
}

TEST_P(DetailedSearchTest, RangesDatesStaffAndBoxes) {
    const QDateTime now = f->clock.now();
    const int cheap = f->addOwn({{"money_m", 1000}, {"money_ys", 4.5}, {"floor_max", 5}, {"subid", "st1"}});
    const int dear = f->addOwn({{"money_m", 90000},
                                {"pyung", 84.5},
                                {"floor_max", 25},
                                {"showday", QDateTime(now.date().addDays(-40), QTime(9, 0))}});
    const int monthly = f->addOwn({{"money_m", 0}, {"money_b", 1000}, {"money_w", 50}, {"state", 2}});
    DetailedSearch d;
    d.box = BoxChoice::All;
    d.sale.from = 1000;
    d.sale.to = 1000;
    EXPECT_EQ(found(d), QList<int>{cheap});
    d = {};
    d.box = BoxChoice::All;
    d.combined = {6000, 6000};
    EXPECT_EQ(found(d), QList<int>{monthly});
    d = {};
    d.yield.from = 4.0;
    d.totalFloors.to = 10;
    EXPECT_EQ(found(d), QList<int>{cheap});
    d = {};
    d.area = {84.5, 84.5};
    d.staff = QStringLiteral("st1");
    EXPECT_TRUE(found(d).isEmpty());

    // The box: everything, the listing box, the archive.
    d = {};
    EXPECT_EQ(found(d), (QList<int>{cheap, dear}));
    d.box = BoxChoice::Archived;
    EXPECT_EQ(found(d), QList<int>{monthly});
    d.box = BoxChoice::All;
    EXPECT_EQ(found(d).size(), 3);

    // A date range takes whole days, the last one included.
    d.dateColumn = DateColumn::Changed;
    d.dateFrom = now.date().addDays(-40);
    d.dateTo = now.date().addDays(-40);
    EXPECT_EQ(found(d), QList<int>{dear});
}

// The shared list searches what the server keeps and names the boxes it cannot use (the lot and
// the owner are never shared).
TEST_P(DetailedSearchTest, TheSharedListSearchesTheServerAndNamesWhatItCannot) {
    const int match = f->addShared({{"money_m", 50000}, {"mbigo", "역세권 남향"}});
    f->addShared({{"money_m", 50000}, {"mbigo", "남향"}});
    f->addShared({{"money_m", 70000}, {"mbigo", "역세권 남향"}});
    DetailedSearch d;
    d.remark = QStringLiteral("역세권");
    d.lot = QStringLiteral("831");
    d.sale = {40000, 60000};
    d.ownerName = QStringLiteral("홍길동");
    ListFilter filter;
    filter.detailed = d;
    const ListPage page = search(ListRequest(ListKind::Shared, filter));
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    ASSERT_EQ(page.rows.size(), 1);
    EXPECT_EQ(page.rows.first().number, match);
    EXPECT_TRUE(page.ignoredFilters.contains(QStringLiteral("매도자")));
    EXPECT_TRUE(page.ignoredFilters.contains(QStringLiteral("지번")));
    EXPECT_FALSE(page.ignoredFilters.contains(QStringLiteral("비고")));
}

INSTANTIATE_TEST_SUITE_P(Backends, DetailedSearchTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
