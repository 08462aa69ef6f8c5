#include "core/listing/ListingCounts.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/session/StoreSchemas.h"

using namespace teran;
using namespace teran::test;

namespace {

class ListingCountsTest : public testing::Test {
protected:
    void SetUp() override {
        scratch = ScratchStore::sqlite();
        upgradeListingStore(store());
    }
    SqlStore& store() { return scratch->store(); }

    // What counting the rows says, the slow way the counts stand in for.
    qint64 counted(const QString& office, const QString& tb, bool archive, const QString& staff) {
        QString sql =
            QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ? AND ") +
            (archive ? QStringLiteral("state = 2") : QStringLiteral("(state <> 2 OR state IS NULL)"));
        QVariantList values{office};
        if (!tb.isEmpty()) {
            sql += QStringLiteral(" AND tb = ?");
            values << tb;
        }
        if (!staff.isEmpty()) {
            sql += QStringLiteral(" AND (opid IS NULL OR opid = '' OR opid = ?)");
            values << staff;
        }
        return store().scalar(sql, values).toLongLong();
    }

    // The kept counts agree with the rows for every office, type and tab.
    void expectCountsAgree() {
        const ListingCounts counts(store());
        ASSERT_TRUE(counts.kept());
        for (const QString& office : {QStringLiteral("off1"), QStringLiteral("off2")})
            for (const QString& tb : {QString(), QStringLiteral("apt"), QStringLiteral("land")})
                for (bool archive : {false, true})
                    for (const QString& staff : {QString(), QStringLiteral("st1")})
                        EXPECT_EQ(counts.count(office, tb, archive, staff),
                                  counted(office, tb, archive, staff))
                            << office.toStdString() << " " << tb.toStdString() << " " << archive << " "
                            << staff.toStdString();
    }

    std::unique_ptr<ScratchStore> scratch;
};

TEST_F(ListingCountsTest, CountsFollowEveryInsertChangeAndDeleteAndARolledBackTransaction) {
    QList<ListingRow> rows;
    for (int n = 0; n < 30; ++n)
        rows.append(
            {{"id", n % 3 ? "off1" : "off2"}, {"tb", n % 2 ? "apt" : "land"}, {"state", n % 5 == 0 ? 2 : 0}});
    insertLocalBulk(store(), rows);
    store().execute(QStringLiteral("INSERT INTO maemul(id, tb) VALUES('off1', 'apt')")); // state left null
    expectCountsAgree();

    store().execute(QStringLiteral("UPDATE maemul SET state = 2 WHERE table_idx IN (2, 3, 4)"));
    store().execute(QStringLiteral("UPDATE maemul SET tb = 'land' WHERE table_idx = 7"));
    store().execute(QStringLiteral("UPDATE maemul SET id = 'off2', state = NULL WHERE table_idx = 8"));
    store().execute(QStringLiteral("UPDATE maemul SET opid = 'st1' WHERE table_idx IN (10, 11)"));
    store().execute(QStringLiteral("UPDATE maemul SET opid = NULL WHERE table_idx = 12"));
    store().execute(QStringLiteral("UPDATE maemul SET cboname = 'x'")); // not a key: nothing moves
    store().execute(QStringLiteral("DELETE FROM maemul WHERE table_idx IN (1, 9, 31)"));
    expectCountsAgree();

    try {
        store().transact([&] {
            store().execute(QStringLiteral("DELETE FROM maemul WHERE id = 'off1'"));
            throw StoreError(QStringLiteral("given up"), QStringLiteral("test"));
        });
    } catch (const StoreError&) {
    }
    expectCountsAgree();
    EXPECT_GT(*ListingCounts(store()).count(QStringLiteral("off1"), {}, false), 0);
}

// A file of an earlier version gains counts of the rows it already holds; a file whose
// triggers were removed by another tool is not trusted and is counted the slow way.
TEST_F(ListingCountsTest, AnOlderFileIsCountedOnceAndAFileWithoutTriggersIsNotTrusted) {
    store().execute(QStringLiteral("DROP TRIGGER tr_maemul_counts_insert"));
    EXPECT_FALSE(ListingCounts(store()).kept());
    EXPECT_EQ(ListingCounts(store()).count(QStringLiteral("off1"), {}, false), std::nullopt);

    insertLocalBulk(store(),
                    {{{"id", "off1"}, {"tb", "apt"}}, {{"id", "off1"}, {"tb", "apt"}, {"state", 2}}});
    store().execute(QStringLiteral("DELETE FROM teran_schema WHERE version >= 4"));
    EXPECT_EQ(upgradeListingStore(store()),
              10); // counts, move-in date, contracts, matches, lease dates, sorts, texts, outbox x2, scope
    expectCountsAgree();
    EXPECT_EQ(ListingCounts(store()).count(QStringLiteral("off1"), QStringLiteral("apt"), false), 1);
}

} // namespace
