#include "core/listings/ListingChoices.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/listings/ListQuery.h"
#include "core/session/StoreSchemas.h"

using namespace teran;
using namespace teran::test;

namespace {

int readsOfMaemul(SqlStore& store, const std::function<void()>& work) {
    int reads = 0;
    store.setStatementObserver([&](const QString& sql, const QVariantList&) {
        reads += sql.contains(QLatin1String("FROM maemul")) ? 1 : 0;
    });
    work();
    store.setStatementObserver({});
    return reads;
}

} // namespace

// The boxes are read once and kept; a listing saved here or by another desk on the same file
// shows up the next time they are asked, sorted among the others.
TEST(ListingChoicesTest, ValuesAreKeptUntilThisOrAnotherDeskWritesTheFile) {
    auto scratch = ScratchStore::sqlite();
    SqlStore& store = scratch->store();
    upgradeListingStore(store);
    insertLocalBulk(store, {{{"tb", "apt"}, {"cboname", "자이"}, {"ming", "진행중"}},
                            {{"tb", "apt"}, {"cboname", "래미안"}},
                            {{"tb", "apt"}, {"cboname", ""}},
                            {{"tb", "villa"}, {"cboname", "그린빌"}},
                            {{"tb", "land"}, {"jimok", "전"}}});
    ListingChoices choices(store);
    EXPECT_EQ(choices.names(QStringLiteral("apt")), QStringList({"래미안", "자이"}));
    EXPECT_EQ(choices.names(QStringLiteral("all")), QStringList({"그린빌", "래미안", "자이"}));
    EXPECT_EQ(choices.names(QStringLiteral("land")), QStringList({"전"}));
    EXPECT_EQ(choices.progressValues(), QStringList({"진행중"}));
    EXPECT_EQ(readsOfMaemul(store,
                            [&] {
                                choices.names(QStringLiteral("apt"));
                                choices.progressValues();
                            }),
              0);

    insertLocal(store, {{"tb", "apt"}, {"cboname", "아이파크"}});
    EXPECT_FALSE(choices.current());
    EXPECT_EQ(choices.names(QStringLiteral("apt")), QStringList({"래미안", "아이파크", "자이"}));

    SqlStore otherDesk(QStringLiteral("choices-other-desk"));
    otherDesk.open(scratch->url());
    otherDesk.execute(QStringLiteral("UPDATE maemul SET ming = '보류' WHERE cboname = '래미안'"));
    EXPECT_EQ(choices.progressValues(), QStringList({"보류", "진행중"}));
}

// A new office has no listings to take its progress states from; it starts with the usual ones
// and its own states follow them, each once.
TEST(ListingChoicesTest, TheProgressBoxOffersTheUsualStatesThenTheOfficesOwn) {
    auto scratch = ScratchStore::sqlite();
    SqlStore& store = scratch->store();
    upgradeListingStore(store);
    const QStringList usual = progressStates();
    ASSERT_EQ(usual, QStringList({"진행중", "완료", "보류"}));
    EXPECT_EQ(progressChoices(store), usual);

    insertLocalBulk(store, {{{"tb", "apt"}, {"ming", "보류"}},
                            {{"tb", "villa"}, {"ming", "중도금"}},
                            {{"tb", "land"}, {"ming", "계약협의"}},
                            {{"tb", "apt"}, {"ming", "계약협의"}},
                            {{"tb", "apt"}, {"ming", ""}}});
    EXPECT_EQ(progressChoices(store), QStringList({"진행중", "완료", "보류", "계약협의", "중도금"}));
}
