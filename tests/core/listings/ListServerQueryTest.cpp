#include "ListsOffice.h"

#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

class ListServerQueryTest : public ListsBackendTest {
protected:
    void refreshShowday(const QString& id, int subIdx) {
        f->server().execute(QStringLiteral("UPDATE maemul SET showday = ? WHERE id = ? AND sub_idx = ?"),
                            {f->clock.now(), id, subIdx});
    }
};

} // namespace

// Other offices' internet listings of the last 60 days; club-only and own listings stay out.
TEST_P(ListServerQueryTest, SharedListShowsOtherOfficesInternetListingsOfTheLast60Days) {
    const QDateTime now = f->clock.now();
    const int internet = f->addShared({{"state", 1}, {"sortday", now.addDays(-3)}});
    const int both = f->addShared({{"state", 3}, {"sortday", now.addDays(-1)}});
    f->addShared({{"state", 7}});
    f->addShared({{"id", "off1"}, {"subid", "off1"}, {"state", 1}});
    const int old =
        f->addShared({{"state", 1}, {"showday", now.addDays(-60)}, {"sortday", now.addDays(-90)}});
    const int almost =
        f->addShared({{"state", 3}, {"showday", now.addDays(-60).addSecs(60)}, {"sortday", now.addDays(-2)}});

    const ListRequest request(ListKind::Shared);
    EXPECT_EQ(listed(request), (QList<int>{both, almost, internet})); // newest sortday first

    refreshShowday(QStringLiteral("other"), old);
    EXPECT_EQ(listed(request), (QList<int>{both, almost, internet, old}));

    f->clock.advanceDays(1); // a day later the almost-60-days-old listing has aged out
    EXPECT_EQ(sorted(listed(request)), sorted({both, internet, old}));
}

TEST_P(ListServerQueryTest, SharedRowsShowTheOfficeInChargeAndFormattedCells) {
    f->addOtherOffice(QStringLiteral("other"), QStringLiteral("김중개"), QStringLiteral("02-777-8888"),
                      QStringLiteral("010-9999-0000"));
    f->addOtherOffice(QStringLiteral("nophone"), QStringLiteral("박중개"), QString(), QString());
    const int big = f->addShared({{"tb", "villa"},
                                  {"ty", "B"},
                                  {"money_m", 9'876'543'210'123LL},
                                  {"money_jb", 2'500'000'000LL},
                                  {"money_b", 1000},
                                  {"money_w", 50},
                                  {"imgname2", "v_2.jpg"},
                                  {"pyung", 24.5},
                                  {"pyung_use", 18.0},
                                  {"floor", "3"},
                                  {"floor_max", 4},
                                  {"sortday", f->clock.now().addDays(-1)}});
    const int quiet = f->addShared({{"id", "nophone"}, {"subid", "nophone"}});
    const int unknown =
        f->addShared({{"id", "gone"}, {"subid", "gone"}, {"sortday", f->clock.now().addDays(-2)}});

    ListPage page = search(ListRequest(ListKind::Shared, {}));
    ASSERT_EQ(page.rows.size(), 3);
    EXPECT_EQ(page.rows.at(0).number, quiet);
    EXPECT_EQ(cellOf(page, 0, "연락처"), QString());
    EXPECT_EQ(cellOf(page, 0, "담당자"), QStringLiteral("박중개"));
    EXPECT_EQ(page.rows.at(1).number, big);
    const ListItem& item = page.rows.at(1);
    EXPECT_GT(item.serverIdx, 0);
    EXPECT_EQ(item.officeId, QStringLiteral("other"));
    EXPECT_EQ(item.state, 1);
    EXPECT_EQ(cellOf(page, 1, "table_idx"), QString::number(item.serverIdx));
    EXPECT_EQ(cellOf(page, 1, "매매가"), QStringLiteral("9,876,543,210,123"));
    EXPECT_EQ(cellOf(page, 1, "평수"), QStringLiteral("24.5 / 18"));
    EXPECT_EQ(cellOf(page, 1, "연락처"), QStringLiteral("02-777-8888 / 010-9999-0000"));
    EXPECT_EQ(cellOf(page, 1, "담당자"), QStringLiteral("김중개"));
    EXPECT_EQ(cellOf(page, 1, "수정일"), QStringLiteral("26-03-10"));
    EXPECT_EQ(page.rows.at(2).number, unknown);
    EXPECT_EQ(cellOf(page, 2, "연락처"), QStringLiteral("-"));
    EXPECT_EQ(cellOf(page, 2, "담당자"), QStringLiteral("gone"));

    ListFilter villa;
    villa.tb = QStringLiteral("villa");
    page = search(ListRequest(ListKind::Shared, villa));
    ASSERT_EQ(page.rows.size(), 1);
    EXPECT_EQ(cellOf(page, 0, "평형"), QStringLiteral("24.5"));
    EXPECT_EQ(cellOf(page, 0, "실평"), QStringLiteral("18"));
}

TEST_P(ListServerQueryTest, FiltersOnTheServerAndPrivateInputsLeftOut) {
    const int rentOnly = f->addShared({{"ty", "W"}, {"money_w", 70}, {"addr3", "역삼 100%동"}});
    const int zero = f->addShared({{"ty", "W"}, {"money_w", 0}, {"money_b", 0}, {"addr3", "역삼1000동"}});
    const int land =
        f->addShared({{"tb", "land"}, {"money_m", 3'000'000'000'000LL}, {"addr1", "제주특별자치도"}});

    ListFilter filter;
    filter.transaction = CombinedNonZero;
    EXPECT_EQ(listed(ListRequest(ListKind::Shared, filter)), QList<int>{rentOnly});
    filter = {};
    filter.addr3 = QStringLiteral("100%");
    EXPECT_EQ(listed(ListRequest(ListKind::Shared, filter)), QList<int>{rentOnly});
    filter = {};
    filter.numbers = {zero, land};
    EXPECT_EQ(sorted(listed(ListRequest(ListKind::Shared, filter))), sorted({zero, land}));
    filter = {};
    filter.tb = QStringLiteral("land");
    filter.transaction = SaleOnly;
    filter.amountFrom = 2'999'999'999'999LL;
    EXPECT_EQ(listed(ListRequest(ListKind::Shared, filter)), QList<int>{land});

    // The server keeps no owner details: such inputs are named, not sent.
    filter = {};
    filter.freeField = FreeField::Phone;
    filter.freeValue = QStringLiteral("010");
    filter.progress = QStringLiteral("계약");
    const ListPage page = search(ListRequest(ListKind::Shared, filter));
    EXPECT_TRUE(page.ok) << page.error.toStdString();
    EXPECT_EQ(page.total, 3);
    EXPECT_EQ(page.ignoredFilters, (QStringList{"진행상태", "전화번호"}));
}

TEST_P(ListServerQueryTest, PagesOfTheSharedListNeitherOverlapNorSkip) {
    const QDateTime now = f->clock.now();
    QSet<int> all;
    for (int i = 0; i < 7; ++i) // equal sort days: the number decides the order
        all.insert(f->addShared({{"sortday", now.addDays(-(i % 2))}}));
    ListRequest request(ListKind::Shared, {}, {}, QStringLiteral("3"));
    QSet<int> seen;
    int rows = 0;
    for (int p = 1; p <= 3; ++p) {
        request.page = p;
        const ListPage page = search(request);
        EXPECT_EQ(page.pageCount, 3);
        EXPECT_EQ(page.total, 7);
        rows += page.rows.size();
        for (const ListItem& item : page.rows)
            seen.insert(item.number);
    }
    EXPECT_EQ(rows, 7);
    EXPECT_EQ(seen, all);
    request.sort = {QStringLiteral("floor"), QStringLiteral("asc")};
    request.page = 3;
    EXPECT_EQ(search(request).rows.size(), 1);
}

TEST_P(ListServerQueryTest, ClubListShowsTheMembersClubListings) {
    const int club = f->addClub(QStringLiteral("c1"), QStringLiteral("apt,villa"));
    f->joinClub(club, QStringLiteral("c2"), 2);
    f->joinClub(club, QStringLiteral("c3"), 1);
    const int landClub = f->addClub(QStringLiteral("c9"), QStringLiteral("land"));
    f->joinClub(landClub, QStringLiteral("c2"), 2);

    SqlStore& server = f->server();
    EXPECT_EQ(ClubMemberIds(server, {club}), (QStringList{"c1", "c2", "c3"}));
    EXPECT_EQ(ClubMemberIds(server, {club}, QStringLiteral("villa")), (QStringList{"c1", "c2", "c3"}));
    EXPECT_TRUE(ClubMemberIds(server, {club}, QStringLiteral("land")).isEmpty());
    EXPECT_EQ(ClubMemberIds(server, {club, landClub}, QStringLiteral("land")), (QStringList{"c2", "c9"}));
    EXPECT_EQ(ClubMemberIds(server, {club, landClub}, QStringLiteral("all")),
              (QStringList{"c1", "c2", "c3", "c9"}));
    EXPECT_TRUE(ClubMemberIds(server, {}).isEmpty());

    const int both = f->addShared({{"id", "c1"}, {"subid", "c1"}, {"state", 3}});
    const int clubsOnly = f->addShared({{"id", "c2"}, {"subid", "c2"}, {"state", 7}});
    f->addShared({{"id", "c2"}, {"subid", "c2"}, {"state", 1}});
    f->addShared({{"id", "c4"}, {"subid", "c4"}, {"state", 3}});
    f->addShared({{"id", "c1"}, {"subid", "c1"}, {"state", 7}, {"showday", f->clock.now().addDays(-61)}});

    ListRequest request(ListKind::Club);
    request.clubIds = ClubMemberIds(server, {club});
    EXPECT_EQ(sorted(listed(request)), sorted({both, clubsOnly}));
    // The shared list does not show what was shared with clubs only.
    EXPECT_FALSE(listed(ListRequest(ListKind::Shared)).contains(clubsOnly));

    request.clubIds.clear();
    const ListPage page = search(request);
    EXPECT_TRUE(page.ok);
    EXPECT_EQ(page.total, 0);
    EXPECT_TRUE(page.rows.isEmpty());
}

TEST_P(ListServerQueryTest, ServerFailuresAreLoggedAndOfflineIsQuiet) {
    f->addShared({});
    // Without the members the rows still show, their contacts hidden.
    f->server().execute(QStringLiteral("DROP TABLE members"));
    ListPage page = search(ListRequest(ListKind::Shared));
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    EXPECT_EQ(cellOf(page, 0, "연락처"), QStringLiteral("-"));
    QStringList lines = f->logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.at(0).contains(QStringLiteral("MysqlQuery => SELECT memID, homtel, hantel, showname")));

    f->server().execute(QStringLiteral("DROP TABLE maemul"));
    page = search(ListRequest(ListKind::Shared));
    EXPECT_FALSE(page.ok);
    ListRequest club(ListKind::Club);
    club.clubIds = {QStringLiteral("c1")};
    EXPECT_FALSE(search(club).ok);
    lines = f->logLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(
        lines.at(1).contains(QStringLiteral("MysqlQuery => SELECT COUNT(*) FROM maemul WHERE id <> ?")))
        << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral(" --> ") + page.error + QStringLiteral(" => ")));
    EXPECT_TRUE(
        lines.at(2).contains(QStringLiteral("MysqlClubQuery => SELECT COUNT(*) FROM maemul WHERE state IN")));

    f->session().serverStore().close();
    page = search(ListRequest(ListKind::Shared));
    EXPECT_FALSE(page.ok);
    EXPECT_EQ(f->logLines().size(), 3);
}

// A search among more rows than the lists sort in memory shows its first page before the count;
// the count then agrees with the counted search. Few rows, or a later page, come counted.
TEST_P(ListServerQueryTest, TheFirstPageOfAManyRowListComesBeforeItsTotal) {
    {
        Transaction tx(f->server());
        for (int n = 0; n < 2100; ++n)
            f->addShared({{"state", n % 2 ? 1 : 3},
                          {"tb", n < 2080 ? "apt" : "villa"},
                          {"addr1", "서울특별시"},
                          {"sortday", f->clock.now().addSecs(-n * 60)}});
        tx.commit();
    }
    ListFilter seoul;
    seoul.addr1 = QStringLiteral("서울");
    ListRequest later(ListKind::Shared, seoul, {}, QStringLiteral("50"));
    later.totalLater = true;
    const ListPage first = ListQuery(f->session()).ListSearch(later);
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_TRUE(first.totalPending);
    EXPECT_EQ(first.countText(), searchingText());
    EXPECT_EQ(first.pageCount, 2) << "a next page is offered while counting";

    ListRequest counted = later;
    counted.totalLater = false;
    const ListPage whole = ListQuery(f->session()).ListSearch(counted);
    EXPECT_FALSE(whole.totalPending);
    EXPECT_EQ(whole.total, 2100);
    QList<int> shownFirst, shownWhole;
    for (const ListItem& item : first.rows)
        shownFirst << item.serverIdx;
    for (const ListItem& item : whole.rows)
        shownWhole << item.serverIdx;
    EXPECT_EQ(shownFirst, shownWhole);

    ListPage followed = first;
    const std::optional<qint64> total = ListQuery(f->session()).totalOf(later);
    ASSERT_TRUE(total.has_value());
    followed.setTotal(*total);
    EXPECT_EQ(followed.countText(), whole.countText());
    EXPECT_EQ(followed.pageCount, 42);

    ListRequest few = later;
    few.filter.tb = QStringLiteral("villa");
    const ListPage villas = ListQuery(f->session()).ListSearch(few);
    EXPECT_FALSE(villas.totalPending);
    EXPECT_EQ(villas.total, 20);
    ListRequest second = later;
    second.page = 2;
    const ListPage next = ListQuery(f->session()).ListSearch(second);
    EXPECT_FALSE(next.totalPending);
    EXPECT_EQ(next.total, 2100);
    EXPECT_EQ(next.page, 2);

    f->goOffline();
    f->session().serverStore().close();
    EXPECT_FALSE(ListQuery(f->session()).totalOf(later).has_value()) << "no count from a closed server";
}

INSTANTIATE_TEST_SUITE_P(Backends, ListServerQueryTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
