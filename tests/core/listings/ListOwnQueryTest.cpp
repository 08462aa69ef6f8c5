#include "ListsOffice.h"
#include "core/session/SettingsStore.h"

#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

class ListOwnQueryTest : public ListsTest {
protected:
    // The listing numbers an own-list search finds, smallest first.
    QList<int> found(const ListFilter& filter) { return sorted(listed(ListRequest(ListKind::Own, filter))); }
};

} // namespace

TEST_F(ListOwnQueryTest, TransactionFiltersAndAmountRanges) {
    const int sale = f->addOwn({{"money_m", 50000}});
    const int lease = f->addOwn({{"ty", "J"}, {"money_jb", 30000}});
    const int monthly = f->addOwn({{"ty", "W"}, {"money_b", 1000}, {"money_w", 50}});
    const int rentOnly = f->addOwn({{"ty", "W"}, {"money_w", 80}});
    f->addOwn({{"ty", "W"}, {"money_b", 0}, {"money_w", 0}});
    const int takeover = f->addOwn({{"tb", "jumpo"}, {"money_sg", 7000}, {"money_m", 0}});
    const auto amounts = [](int transaction, std::optional<qint64> from, std::optional<qint64> to) {
        ListFilter filter;
        filter.transaction = transaction;
        filter.amountFrom = from;
        filter.amountTo = to;
        return filter;
    };
    const std::pair<ListFilter, QList<int>> cases[] = {
        {amounts(SaleOnly, {}, {}), {sale}},
        {amounts(AnyLease, {}, {}), {lease, monthly, rentOnly}},
        {amounts(MonthlyOnly, {}, {}), {monthly, rentOnly}},
        {amounts(SaleOnly, 40000, 60000), {sale}},
        {amounts(SaleOnly, 40000, 45000), {}},
        // An upper bound alone never matches a listing by the zero of an amount it does not have.
        {amounts(LeaseOnly, {}, 40000), {lease}},
        {amounts(AnyLease, {}, 5000), {monthly}},
        {amounts(AnyLease, 500, 40000), {lease, monthly}},
        {amounts(CombinedNonZero, 6000, 6000), {monthly}},
        {amounts(TakeoverOnly, 7000, {}), {takeover}},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(found(filter), expected) << filter.transaction;
    // Without a transaction (or with one the box does not have) the amount applies to nothing.
    EXPECT_EQ(found(amounts(AnyTransaction, 7000, {})).size(), 6);
    EXPECT_EQ(found(amounts(9, {}, {})).size(), 6);

    ListFilter rent;
    rent.rentFrom = 50;
    rent.rentTo = 50;
    EXPECT_EQ(found(rent), QList<int>{monthly});
}

TEST_F(ListOwnQueryTest, TypeRoomsAreasNumbersAndNames) {
    const int two = f->addOwn({{"tb", "dagagu"}, {"room", 2}});
    const int bigHouseholds = f->addOwn({{"tb", "dagagu"}, {"room", 0}, {"room_3", 2}});
    const int oneRooms = f->addOwn({{"tb", "dagagu"}, {"room", 1}, {"room_1", 4}});
    const int villa = f->addOwn({{"tb", "villa"}, {"room", 1}, {"room_2", 3}, {"cboname", "한빛빌라"}});
    const int apt = f->addOwn(
        {{"tb", "apt"}, {"room", 3}, {"pyung", 33.5}, {"pyung_use", 25.2}, {"cboname", "래미안 퍼스티지"}});
    const int land = f->addOwn({{"tb", "land"}, {"jimok", "임야"}, {"pyung", 300.0}});

    const auto rooms = [](const char* tb, std::optional<int> from, std::optional<int> to) {
        ListFilter filter = typed(QLatin1String(tb));
        filter.roomsFrom = from;
        filter.roomsTo = to;
        return filter;
    };
    // Rooms count the rooms of the biggest household of a multi-household house.
    EXPECT_EQ(found(rooms("dagagu", 3, {})), QList<int>{bigHouseholds});
    EXPECT_EQ(found(rooms("dagagu", 2, {})), (QList<int>{two, bigHouseholds}));
    EXPECT_EQ(found(rooms("dagagu", {}, 1)), (QList<int>{bigHouseholds, oneRooms}));
    EXPECT_EQ(found(rooms("villa", 2, {})), QList<int>{villa});
    EXPECT_EQ(found(rooms("apt", 3, {})), QList<int>{apt});
    EXPECT_TRUE(found(rooms("apt", 4, {})).isEmpty());

    ListFilter filter;
    filter.areaFrom = 30;
    filter.areaTo = 40;
    EXPECT_EQ(found(filter), QList<int>{apt});
    filter = {};
    filter.usableFrom = 25.2;
    EXPECT_EQ(found(filter), QList<int>{apt});
    filter = {};
    filter.numbers = {two, land, 999};
    EXPECT_EQ(found(filter), (QList<int>{two, land}));

    // The name searches the type's name column: the complex, or the land's category.
    filter = typed(QStringLiteral("apt"));
    filter.name = QStringLiteral("퍼스티");
    EXPECT_EQ(found(filter), QList<int>{apt});
    filter = typed(QStringLiteral("land"));
    filter.name = QStringLiteral("임야");
    EXPECT_EQ(found(filter), QList<int>{land});
}

TEST_F(ListOwnQueryTest, TextFiltersMatchWhatWasTyped) {
    const int percent = f->addOwn({{"ming", "50%계약"},
                                   {"keyword", "급_매"},
                                   {"addr1", "서울특별시"},
                                   {"addr2", "강남구"},
                                   {"addr3", "역삼동"}});
    const int plain = f->addOwn({{"ming", "500계약"},
                                 {"keyword", "급매매"},
                                 {"addr1", "경기도"},
                                 {"addr2", "성남시 분당구"},
                                 {"addr3", "정자동"}});
    ListFilter filter;
    filter.progress = QStringLiteral("50%");
    EXPECT_EQ(found(filter), QList<int>{percent});
    filter.progress = QStringLiteral("계약");
    EXPECT_EQ(found(filter), (QList<int>{percent, plain}));
    filter = {};
    filter.keyword = QStringLiteral("급_");
    EXPECT_EQ(found(filter), QList<int>{percent});
    filter = {};
    filter.addr1 = QStringLiteral("서울");
    filter.addr2 = QStringLiteral("강남");
    EXPECT_EQ(found(filter), QList<int>{percent});
    filter.addr3 = QStringLiteral("정자");
    EXPECT_TRUE(found(filter).isEmpty());
    filter = {};
    filter.addr3 = QStringLiteral("' OR 1=1 --");
    EXPECT_TRUE(found(filter).isEmpty());
}

TEST_F(ListOwnQueryTest, FreeFieldsIncludingEveryPhone) {
    const int home = f->addOwn({{"uhome", "02-123-4567"}, {"addr5", "101동 1502호"}, {"uname", "홍길동"}});
    const int office = f->addOwn({{"uoffice", "031-999-1234"}, {"addr4", "123-4"}, {"mbigo", "급매 남향"}});
    const int mobile =
        f->addOwn({{"uhp", "010-1234-0000"}, {"ubigo", "열쇠 관리실"}, {"maemaepart", "공동중개"}});
    const int fax = f->addOwn({{"ufax", "02-000-1234"}, {"jubsu", "전화접수"}});
    f->addOwn({{"uhp", "010-5555-6666"}});

    ListFilter filter;
    filter.freeField = FreeField::Phone;
    filter.freeValue = QStringLiteral("1234");
    EXPECT_EQ(found(filter), (QList<int>{office, mobile, fax}));
    filter.freeValue = QStringLiteral("4567");
    EXPECT_EQ(found(filter), QList<int>{home});
    const struct {
        FreeField field;
        const char* value;
        int expected;
    } cases[] = {{FreeField::Unit, "1502", home},      {FreeField::Lot, "123-4", office},
                 {FreeField::Remark, "남향", office},  {FreeField::Seller, "길동", home},
                 {FreeField::Other, "관리실", mobile}, {FreeField::BrokerKind, "공동", mobile},
                 {FreeField::Intake, "전화", fax}};
    for (const auto& c : cases) {
        filter.freeField = c.field;
        filter.freeValue = QString::fromUtf8(c.value);
        EXPECT_EQ(found(filter), QList<int>{c.expected}) << c.value;
    }
    // A value without a chosen field is no filter.
    filter.freeField = FreeField::None;
    EXPECT_EQ(found(filter).size(), 5);
}

TEST_F(ListOwnQueryTest, ArchiveTabAndRecentDays) {
    const QDateTime now = f->clock.now();
    const int active = f->addOwn({{"state", 0}});
    const int internet = f->addOwn({{"state", 1}});
    const int clubs = f->addOwn({{"state", 7}});
    const int archived = f->addOwn({{"state", 2}});
    // The 30th day back counts as within 30 days, whatever the hour; the 31st does not.
    const int day30 = f->addOwn(
        {{"showday", QDateTime(now.date().addDays(-30), QTime(0, 0))}, {"writeday", now.addDays(-100)}});
    const int day31 = f->addOwn({{"showday", QDateTime(now.date().addDays(-31), QTime(23, 59, 59))}});

    ListFilter filter;
    EXPECT_EQ(found(filter), (QList<int>{active, internet, clubs, day30, day31}));
    filter.archive = true;
    EXPECT_EQ(found(filter), QList<int>{archived});

    filter = {};
    filter.recentDays = 30;
    EXPECT_EQ(found(filter), (QList<int>{active, internet, clubs, day30}));
    filter.recentBy = AgeDate::Registered;
    EXPECT_EQ(found(filter), (QList<int>{active, internet, clubs, day31}));
    filter.recentDays = 0;
    EXPECT_EQ(found(filter), (QList<int>{active, internet, clubs, day31}));
}

TEST_F(ListOwnQueryTest, ReservedContactsAndTheStaffFilter) {
    const int free =
        f->addOwn({{"uhome", "02-111-2222"}, {"uhp", "010-3333-4444"}, {"uoffice", "02-555-6666"}});
    const int mine = f->addOwn({{"opid", "st1"}, {"uhp", "010-1111-1111"}});
    const int theirs = f->addOwn({{"opid", "st2"}, {"uhp", "010-2222-2222"}});
    const int empty = f->addOwn({{"opid", ""}, {"uhp", "010-0000-0000"}});

    // The office's own account sees every listing, but not the phones reserved by staff.
    ListPage page = search(ListRequest(ListKind::Own, typed(QStringLiteral("apt")), {"table_idx", "asc"}));
    ASSERT_EQ(page.rows.size(), 4);
    EXPECT_EQ(cellOf(page, 0, "연락처"), QStringLiteral("02-111-2222 / 010-3333-4444 / 02-555-6666"));
    EXPECT_EQ(cellOf(page, 1, "연락처"), QStringLiteral("-"));
    EXPECT_EQ(cellOf(page, 2, "연락처"), QStringLiteral("-"));
    EXPECT_EQ(cellOf(page, 3, "연락처"), QStringLiteral(" / 010-0000-0000 / "));

    // A staff member sees the free listings and his own reservations only, with their phones.
    f->loginAs(QStringLiteral("st1"));
    const ListRequest all(ListKind::Own, {}, {"table_idx", "asc"});
    EXPECT_EQ(listed(all), (QList<int>{free, mine, empty})) << "not " << theirs;
    EXPECT_EQ(cellOf(search(all), 1, "연락처"), QStringLiteral(" / 010-1111-1111 / "));
}

TEST_F(ListOwnQueryTest, PagesAreCountedAndCutInTheStore) {
    for (int i = 0; i < 5; ++i)
        f->addOwn({{"money_m", 1000 * (i + 1)}});
    ListRequest request(ListKind::Own, {}, {}, QString());
    QStringList statuses;
    ListQuery query(f->session());
    ListPage page = query.ListSearch(request, [&](const QString& text) { statuses << text; });
    EXPECT_EQ(page.pageSize, 2);
    EXPECT_EQ(page.total, 5);
    EXPECT_EQ(page.pageCount, 3);
    EXPECT_EQ(page.rows.size(), 2);
    EXPECT_EQ(page.countText(), QStringLiteral("검색된 데이타가 총 5 건입니다."));
    EXPECT_EQ(statuses, (QStringList{"데이타 검색중입니다. 잠시만 기다려 주세요.",
                                     "총 5 개의 데이타중 1 개 로딩중입니다.",
                                     "총 5 개의 데이타중 2 개 로딩중입니다."}));

    QSet<int> seen;
    for (int p = 1; p <= 3; ++p) {
        request.page = p;
        page = query.ListSearch(request);
        EXPECT_EQ(page.rows.size(), p < 3 ? 2 : 1);
        for (const ListItem& item : page.rows)
            seen.insert(item.number);
    }
    EXPECT_EQ(seen.size(), 5);
    request.page = 99; // past the end: the last page
    page = query.ListSearch(request);
    EXPECT_EQ(page.page, 3);
    EXPECT_EQ(page.rows.size(), 1);
    request.page = -4;
    EXPECT_EQ(query.ListSearch(request).page, 1);

    for (const char* junk : {"abc", "0", "-3", " "})
        EXPECT_EQ(pageSizeFrom(QString::fromLatin1(junk)), 2) << junk;
    request.pageSizeText = QStringLiteral(" 5 ");
    request.page = 1;
    page = query.ListSearch(request);
    EXPECT_EQ(page.pageCount, 1);
    EXPECT_EQ(page.rows.size(), 5);

    request.filter.numbers = {12345};
    page = query.ListSearch(request);
    EXPECT_TRUE(page.ok);
    EXPECT_EQ(page.total, 0);
    EXPECT_EQ(page.page, 1);
    EXPECT_EQ(page.pageCount, 1);
    EXPECT_TRUE(page.rows.isEmpty());
}

TEST_F(ListOwnQueryTest, HeaderSortsOrderTheStore) {
    const int cheap = f->addOwn({{"money_m", 1000}, {"addr1", "서울"}, {"addr2", "중구"}});
    const int dear = f->addOwn({{"money_m", 90000}, {"addr1", "부산"}, {"addr2", "해운대구"}});
    const int lease = f->addOwn({{"money_m", 0}, {"money_jb", 5000}, {"addr1", "서울"}, {"addr2", "강남구"}});
    const int monthly = f->addOwn({{"money_m", 0}, {"money_b", 500}, {"money_w", 100}, {"addr1", "대전"}});
    const auto order = [&](const SortState& sort) { return listed(ListRequest(ListKind::Own, {}, sort)); };
    EXPECT_EQ(order({}), (QList<int>{monthly, lease, dear, cheap}));
    // Listings without a price go on by their lease amount (none before any), as the store orders nulls.
    EXPECT_EQ(order({"money_m", "asc"}), (QList<int>{monthly, lease, cheap, dear}));
    EXPECT_EQ(order({"money_m", "desc"}), (QList<int>{dear, cheap, lease, monthly}));
    EXPECT_EQ(order({"hapsan", "desc"}), (QList<int>{monthly, lease, dear, cheap}));
    EXPECT_EQ(order({"address", "asc"}), (QList<int>{monthly, dear, lease, cheap}));
}

TEST_F(ListOwnQueryTest, RowsCarryWhatTheActionsNeedAndFormattedCells) {
    const int number = f->addOwn({{"tb", "apt"},
                                  {"ty", "W"},
                                  {"state", 3},
                                  {"hitadd", 1},
                                  {"hitmem", 2},
                                  {"subid", "st1"},
                                  {"imgname2", "apt_2.jpg"},
                                  {"cboname", "래미안"},
                                  {"money_m", 9'876'543'210'123LL},
                                  {"money_b", 1000},
                                  {"money_w", 50},
                                  {"money_ys", 5.0},
                                  {"pyung", 33.0578},
                                  {"floor", "12"},
                                  {"floor_max", 25},
                                  {"addr1", "서울"},
                                  {"addr5", "101동 1502호"}});
    const ListPage page = search(ListRequest(ListKind::Own, typed(QStringLiteral("apt"))));
    ASSERT_EQ(page.rows.size(), 1);
    const ListItem& item = page.rows.first();
    EXPECT_EQ(item.number, number);
    EXPECT_EQ(item.state, 3);
    EXPECT_EQ(item.hitadd, 1);
    EXPECT_EQ(item.hitmem, 2);
    EXPECT_EQ(item.subid, QStringLiteral("st1"));
    EXPECT_EQ(item.imgname2, QStringLiteral("apt_2.jpg"));
    EXPECT_EQ(item.cells.size(), page.columns.size());
    EXPECT_EQ(cellOf(page, 0, "아파트명"), QStringLiteral("래미안"));
    EXPECT_EQ(cellOf(page, 0, "매매가"), QStringLiteral("9,876,543,210,123"));
    EXPECT_EQ(cellOf(page, 0, "합산금"), QStringLiteral("6,000"));
    EXPECT_EQ(cellOf(page, 0, "층수"), QStringLiteral("12 / 25"));
    EXPECT_EQ(cellOf(page, 0, "수정일"), QStringLiteral("26-03-10 14:05"));
}

TEST_F(ListOwnQueryTest, FailuresAreLoggedWithTheRoutineAndTheStatement) {
    f->local().execute(QStringLiteral("DROP TABLE group_mul"));
    ListRequest request(ListKind::Group);
    request.groupIdx = 1;
    ListQuery query(f->session());
    const ListPage page = query.ListSearch(request);
    EXPECT_FALSE(page.ok);
    EXPECT_FALSE(page.error.isEmpty());
    const QStringList lines = f->logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(
        lines.first().contains(QStringLiteral("   off1   MdbGroupQuery => SELECT COUNT(*) FROM maemul A "
                                              "INNER JOIN group_mul B")))
        << lines.first().toStdString();
    EXPECT_TRUE(lines.first().contains(QStringLiteral(" --> ")));
    EXPECT_TRUE(lines.first().contains(page.error + QStringLiteral(" => ")));
}
