#include "core/listing/SharedListCounts.h"
#include "TestOffice.h"

#include <QRandomGenerator>

using namespace teran;
using namespace teran::test;

namespace {

// The day counts of the shared listings against a count of the rows, as offices publish,
// refresh, withdraw and delete on either backend of the ServerStore.
class SharedListCountsTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        f = TestOffice::make({GetParam(), Desk::Office, listsAfternoon()});
        TERAN_REQUIRE_SERVICE(f != nullptr, "MariaDB");
        ASSERT_TRUE(SharedListCounts(f->server()).kept());
    }

    qint64 counted(const QString& office, const QString& tb, const QDateTime& after) {
        QString sql =
            QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id <> ? AND state IN (1, 3) AND showday > ?");
        QVariantList values{office, after};
        if (!tb.isEmpty()) {
            sql += QStringLiteral(" AND tb = ?");
            values << tb;
        }
        return f->serverValue(sql, values).toLongLong();
    }

    void expectCountsAgree() {
        const SharedListCounts counts(f->server());
        for (const QString& office : {QStringLiteral("off1"), QStringLiteral("office2")})
            for (const QString& tb : {QString(), QStringLiteral("apt"), QStringLiteral("land")})
                for (int daysBack : {60, 10, 1}) {
                    // a cut-off in the middle of a day, as the list's window has
                    const QDateTime after = f->clock.now().addDays(-daysBack);
                    EXPECT_EQ(counts.count(office, tb, {1, 3}, after), counted(office, tb, after))
                        << office.toStdString() << " " << tb.toStdString() << " " << daysBack;
                }
    }

    std::unique_ptr<TestOffice> f;
    QRandomGenerator random{7};
};

TEST_P(SharedListCountsTest, TheDayCountsAgreeWithTheRowsThroughEveryChange) {
    const QStringList types = {QStringLiteral("apt"), QStringLiteral("land"), QStringLiteral("villa")};
    Transaction tx(f->server());
    for (int n = 0; n < 300; ++n) {
        ListingRow row{{"id", QStringLiteral("office%1").arg(n % 4)},
                       {"tb", types.at(n % 3)},
                       {"state", QList<int>{0, 1, 3, 7}.at(n % 4)},
                       {"showday", f->clock.now().addSecs(-qint64(random.bounded(90 * 86400)))}};
        if (n % 50 == 0)
            row.insert(QStringLiteral("showday"), QVariant()); // a row without a date
        f->addShared(row);
    }
    tx.commit();
    expectCountsAgree();

    // refreshed, withdrawn to the clubs, moved to another type, deleted
    f->server().execute(QStringLiteral("UPDATE maemul SET showday = ? WHERE sub_idx % 7 = 0"),
                        {f->clock.now()});
    f->server().execute(QStringLiteral("UPDATE maemul SET state = 7 WHERE sub_idx % 11 = 0"));
    f->server().execute(QStringLiteral("UPDATE maemul SET tb = 'land' WHERE sub_idx % 13 = 0"));
    f->server().execute(QStringLiteral("DELETE FROM maemul WHERE sub_idx % 5 = 0"));
    expectCountsAgree();

    // counted again from the rows, as an older server is upgraded
    f->server().execute(QStringLiteral("DROP TRIGGER tr_maemul_days_delete"));
    EXPECT_FALSE(SharedListCounts(f->server()).kept());
    EXPECT_EQ(SharedListCounts(f->server()).count(QStringLiteral("off1"), {}, {1, 3}, f->clock.now()),
              std::nullopt);
    SharedListCounts(f->server()).install();
    expectCountsAgree();
}

INSTANTIATE_TEST_SUITE_P(Backends, SharedListCountsTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

} // namespace
