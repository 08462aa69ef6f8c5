#include "ListsOffice.h"
#include "core/listing/ListingSortKeys.h"
#include "core/listing/PropertyTypes.h"

#include <QRegularExpression>
#include <QSqlRecord>

using namespace teran;
using namespace teran::test;

namespace {

struct Statement {
    QString sql;
    QVariantList values;
};

// What the database says it will do for a statement, one line per step; the steps that read
// all of maemul are marked "FULL". A page may walk an index in its order: it stops at the page's
// end.
QStringList planOf(SqlStore& store, const Statement& st) {
    QStringList steps;
    if (store.backend() == SqlBackend::Sqlite) {
        static const QRegularExpression scan(QStringLiteral("^SCAN (maemul|A)\\b"));
        static const QRegularExpression walk(QStringLiteral("^SCAN (maemul|A) USING INDEX "));
        const bool page = st.sql.contains(QLatin1String(" LIMIT "));
        QSqlQuery q = store.query(QStringLiteral("EXPLAIN QUERY PLAN ") + st.sql, st.values);
        while (q.next()) {
            const QString detail = q.value(3).toString();
            const bool full = scan.match(detail).hasMatch() && !(page && walk.match(detail).hasMatch());
            steps << (full ? QStringLiteral("FULL ") : QString()) + detail;
        }
        return steps;
    }
    QSqlQuery q = store.query(QStringLiteral("EXPLAIN ") + st.sql, st.values);
    while (q.next()) {
        const QSqlRecord r = q.record();
        const QString table = q.value(r.indexOf(QStringLiteral("table"))).toString();
        const QString type = q.value(r.indexOf(QStringLiteral("type"))).toString();
        const bool full =
            (table == QLatin1String("maemul") || table == QLatin1String("A")) && type == QLatin1String("ALL");
        steps << (full ? QStringLiteral("FULL ") : QString()) + table + QLatin1Char(' ') + type +
                     QLatin1Char(' ') + q.value(r.indexOf(QStringLiteral("key"))).toString();
    }
    return steps;
}

// The office's rows and a server of other offices, spread over every type, two staff, four
// months of dates and both tabs, enough for MariaDB's planner to see a real table.
class ListPlanData {
protected:
    void prepare(Backend backend) {
        f = TestOffice::make({backend, Desk::Office, listsAfternoon()});
        TERAN_REQUIRE_SERVICE(f, "MariaDB");
        QList<ListingRow> own;
        const QList<PropertyType>& types = propertyTypes();
        for (int n = 0; n < 600; ++n)
            own.append({{"id", "off1"},
                        {"subid", n % 2 ? "st1" : "st2"},
                        {"tb", types.at(n % types.size()).code},
                        {"state", n % 10 == 0 ? 2 : 0},
                        {"cboname", QStringLiteral("단지%1").arg(n % 40)},
                        {"ming", n % 3 ? "진행중" : "보류"},
                        {"money_m", n * 1000},
                        {"opid", n % 6 == 0 ? "st2" : ""},
                        {"showday", f->clock.now().addDays(-n % 120)}});
        insertLocalBulk(f->local(), own);
        Transaction tx(f->server());
        for (int n = 0; n < 1500; ++n)
            f->addShared({{"id", QStringLiteral("office%1").arg(n % 30)},
                          {"subid", QStringLiteral("office%1").arg(n % 30)},
                          {"tb", types.at(n % types.size()).code},
                          {"state", n % 10 == 9 ? 7 : (n % 2 ? 1 : 3)},
                          {"showday", f->clock.now().addDays(-n % 120)},
                          {"sortday", f->clock.now().addDays(-n % 90)}});
        tx.commit();
        if (backend == Backend::MariaDb)
            f->server().execute(QStringLiteral("ANALYZE TABLE maemul"));
    }

    // Runs `work` and keeps every read of maemul it made on `store`.
    template <typename Work> QList<Statement> readsOf(SqlStore& store, Work work) {
        QList<Statement> seen;
        store.setStatementObserver([&](const QString& sql, const QVariantList& values) {
            const QString head = sql.trimmed().left(6).toUpper();
            if ((head.startsWith(QLatin1String("SELECT")) || head.startsWith(QLatin1String("WITH"))) &&
                sql.contains(QLatin1String("maemul")))
                seen.append({sql, values});
        });
        work();
        store.setStatementObserver({});
        return seen;
    }

    void expectNoFullRead(SqlStore& store, const QList<Statement>& reads) {
        ASSERT_FALSE(reads.isEmpty());
        for (const Statement& st : reads) {
            const QStringList plan = planOf(store, st);
            EXPECT_FALSE(plan.join(QLatin1Char('\n')).contains(QLatin1String("FULL")))
                << st.sql.toStdString() << "\n"
                << plan.join(QLatin1Char('\n')).toStdString();
        }
    }

    ListPage search(ListKind kind, const ListFilter& filter, const SortState& sort = {}) {
        ListRequest request(kind, filter, sort, QStringLiteral("50"));
        if (kind == ListKind::Club)
            request.clubIds = {QStringLiteral("office3"), QStringLiteral("office4")};
        const ListPage page = ListQuery(f->session()).ListSearch(request);
        EXPECT_TRUE(page.ok) << page.error.toStdString();
        return page;
    }

    std::unique_ptr<TestOffice> f;
};

// The office's own lists live in its SQLite file.
class OwnListPlanTest : public ListPlanData, public testing::Test {
protected:
    void SetUp() override { prepare(Backend::Sqlite); }
};

class SharedListPlanTest : public ListPlanData, public testing::TestWithParam<Backend> {
protected:
    void SetUp() override { prepare(GetParam()); }
};

TEST_F(OwnListPlanTest, TheOwnListsAndTheirChoiceBoxesReadThroughIndexesAndCountNothing) {
    const QList<Statement> reads = readsOf(f->local(), [&] {
        search(ListKind::Own, typed(QStringLiteral("all")));
        search(ListKind::Own, typed(QStringLiteral("apt")));
        ListFilter archive = typed(QStringLiteral("villa"));
        archive.archive = true;
        search(ListKind::Own, archive);
        ListFilter named = typed(QStringLiteral("apt"));
        named.name = QStringLiteral("단지1");
        search(ListKind::Own, named);
        search(ListKind::Own, typed(QStringLiteral("apt")),
               {QStringLiteral("money_m"), QStringLiteral("asc")});
        f->loginAs(QStringLiteral("st1"));
        search(ListKind::Own, typed(QStringLiteral("all")));
        f->loginAs(QStringLiteral("off1"));
        for (const QString& tb : {QStringLiteral("all"), QStringLiteral("apt"), QStringLiteral("land"),
                                  QStringLiteral("budongsan"), QStringLiteral("mulru")})
            distinctNames(f->local(), tb);
        distinctProgressValues(f->local());
    });
    expectNoFullRead(f->local(), reads);

    // The plain own list counts nothing: its total comes from the kept counts and still agrees
    // with the rows, whichever tab and type.
    const QList<Statement> plain = readsOf(f->local(), [&] {
        const ListPage all = search(ListKind::Own, typed(QStringLiteral("all")));
        EXPECT_EQ(all.total, 540);
        ListFilter archive = typed(QStringLiteral("all"));
        archive.archive = true;
        EXPECT_EQ(search(ListKind::Own, archive).total, 60);
        f->loginAs(QStringLiteral("st1"));
        EXPECT_EQ(search(ListKind::Own, typed(QStringLiteral("all"))).total, 460)
            << "st2's reservations are left out";
        f->loginAs(QStringLiteral("off1"));
    });
    for (const Statement& st : plain)
        EXPECT_FALSE(st.sql.contains(QLatin1String("COUNT("))) << st.sql.toStdString();
}

TEST_P(SharedListPlanTest, TheSharedAndClubListsReadThroughIndexes) {
    SqlStore& server = f->session().serverStore(); // the connection the lists read through
    const QList<Statement> reads = readsOf(server, [&] {
        search(ListKind::Shared, typed(QStringLiteral("all")));
        search(ListKind::Shared, typed(QStringLiteral("apt")));
        search(ListKind::Shared, typed(QStringLiteral("apt")),
               {QStringLiteral("address"), QStringLiteral("asc")});
        search(ListKind::Club, typed(QStringLiteral("all")));
        search(ListKind::Club, typed(QStringLiteral("apt")));
    });
    expectNoFullRead(server, reads);
}

// An office with more apartments than the lists sort in memory: the apartments' list and the
// list of all types are read in the order of any column a header sorts by, one page at a time.
class OwnSortPlanTest : public ListPlanData, public testing::Test {
protected:
    void SetUp() override {
        f = TestOffice::make({Backend::Sqlite, Desk::Office, listsAfternoon()});
        QList<ListingRow> rows;
        const QList<PropertyType>& types = propertyTypes();
        for (int n = 0; n < 2600; ++n)
            rows.append({{"id", "off1"},
                         {"tb", n < 2400 ? QStringLiteral("apt") : types.at(n % types.size()).code},
                         {"state", n % 10 == 0 ? 2 : 0},
                         {"money_m", (n * 7919) % 5000 * 10},
                         {"money_w", n % 4 ? QVariant(n % 90) : QVariant()},
                         {"addr3", QStringLiteral("동%1").arg(n % 13)},
                         {"showday", f->clock.now().addSecs(-n * 600)}});
        insertLocalBulk(f->local(), rows);
    }
};

TEST_F(OwnSortPlanTest, EverySortColumnReadsThePageOfTheSortedTypeWithoutSortingIt) {
    for (const QString& tb : {QStringLiteral("all"), QStringLiteral("apt")})
        for (const QString& tag : ownListSortTags())
            for (const QString& direction : {QStringLiteral("asc"), QStringLiteral("desc")}) {
                const QList<Statement> reads = readsOf(f->local(), [&] {
                    search(ListKind::Own, typed(tb), {tag, direction});
                });
                for (const Statement& st : reads) {
                    const QString plan = planOf(f->local(), st).join(QLatin1Char('\n'));
                    EXPECT_FALSE(plan.contains(QLatin1String("FULL")) ||
                                 plan.contains(QLatin1String("TEMP B-TREE FOR ORDER BY")))
                        << tb.toStdString() << " by " << tag.toStdString() << " " << direction.toStdString()
                        << "\n"
                        << st.sql.toStdString() << "\n"
                        << plan.toStdString();
                }
            }

    // The page read through the sort's index is the page a sort of every row gives, ties broken
    // by the number, in both directions.
    for (const SortState& sort : {SortState{QStringLiteral("money_m"), QStringLiteral("asc")},
                                  SortState{QStringLiteral("hapsan"), QStringLiteral("desc")},
                                  SortState{QStringLiteral("address"), QStringLiteral("asc")}}) {
        ListRequest request(ListKind::Own, typed(QStringLiteral("apt")), sort, QStringLiteral("40"));
        request.page = 3;
        const ListPage page = ListQuery(f->session()).ListSearch(request);
        ASSERT_TRUE(page.ok) << page.error.toStdString();
        QList<int> expected;
        QSqlQuery q =
            f->local().query(QStringLiteral("SELECT table_idx FROM maemul NOT INDEXED WHERE tb = 'apt' "
                                            "AND state <> 2") +
                             orderBySql(ListKind::Own, sort) + QStringLiteral(" LIMIT 40 OFFSET 80"));
        while (q.next())
            expected << q.value(0).toInt();
        QList<int> shown;
        for (const ListItem& item : page.rows)
            shown << item.number;
        EXPECT_EQ(shown, expected) << sort.tag.toStdString();
        EXPECT_EQ(expected.size(), 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, SharedListPlanTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

} // namespace
