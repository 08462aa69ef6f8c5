#include "listings/ListingGroups.h"
#include "TestOffice.h"
#include "listings/ListingGroupActions.h"

using namespace teran;
using namespace teran::test;

namespace {

// The groups live in the ListingStore, which is the office's SQLite file on every setup.
class ListingGroupsTest : public testing::Test {
protected:
    void SetUp() override {
        f = TestOffice::make({Backend::Sqlite, Desk::Office, listsAfternoon()});
        ASSERT_TRUE(f);
    }

    ListingGroups groups(const QString& loginId = QStringLiteral("off1")) {
        return ListingGroups(f->local(), loginId);
    }

    int rowsOf(int groupIdx) {
        return f->local()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM group_mul WHERE g_idx = ?"), {groupIdx})
            .toInt();
    }

    std::unique_ptr<TestOffice> f;
};

QDateTime at(int day) {
    return QDateTime(QDate(2026, 3, day), QTime(9, 0));
}

} // namespace

TEST_F(ListingGroupsTest, GroupsAreListedNewestFirstAndOnlyForTheirOwner) {
    ListingGroups mine = groups();
    const int older =
        mine.create({0, QStringLiteral("역삼 아파트"), QStringLiteral("급매"), QStringLiteral("3월"), at(1)});
    const int newer = mine.create({0, QStringLiteral("  상가  "), {}, {}, at(5)});
    groups(QStringLiteral("st1")).create({0, QStringLiteral("남의 그룹"), {}, {}, at(9)});

    const QList<ListingGroup> list = mine.list();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0).idx, newer);
    EXPECT_EQ(list.at(0).name, QStringLiteral("상가")); // kept without the blanks
    EXPECT_EQ(list.at(1).idx, older);
    EXPECT_EQ(list.at(1).remark, QStringLiteral("3월"));
    EXPECT_EQ(list.at(1).day, at(1));
    EXPECT_NE(older, newer);

    EXPECT_TRUE(mine.findByName(QStringLiteral(" 상가")));
    EXPECT_FALSE(mine.findByName(QStringLiteral("남의 그룹")));
    EXPECT_FALSE(groups(QStringLiteral("st1")).find(older));
}

TEST_F(ListingGroupsTest, NamesCompareExactlyOnEveryBackend) {
    ListingGroups mine = groups();
    mine.create({0, QStringLiteral("Villa"), {}, {}, at(1)});
    // names are compared as typed, not by a database collation
    EXPECT_FALSE(mine.findByName(QStringLiteral("villa")));
    EXPECT_TRUE(mine.findByName(QStringLiteral("Villa")));
}

TEST_F(ListingGroupsTest, UpdateChangesOnlyAnExistingGroupOfTheUser) {
    ListingGroups mine = groups();
    const int g = mine.create({0, QStringLiteral("old"), QStringLiteral("t"), QStringLiteral("r"), at(1)});
    EXPECT_TRUE(mine.update({g, QStringLiteral("new"), QStringLiteral("t2"), QStringLiteral("r2"), at(7)}));
    // the same values again: MariaDB reports no changed row, which is no missing group
    EXPECT_TRUE(mine.update({g, QStringLiteral("new"), QStringLiteral("t2"), QStringLiteral("r2"), at(7)}));
    const std::optional<ListingGroup> read = mine.find(g);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, QStringLiteral("new"));
    EXPECT_EQ(read->day, at(7));
    EXPECT_FALSE(groups(QStringLiteral("st1")).update({g, QStringLiteral("theirs"), {}, {}, at(8)}));
    EXPECT_FALSE(mine.update({g + 1000, QStringLiteral("x"), {}, {}, at(8)}));
    EXPECT_EQ(mine.find(g)->name, QStringLiteral("new"));
}
