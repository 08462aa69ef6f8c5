#include "people/ListingsForBuyer.h"
#include "TestOffice.h"
#include "people/BuyerRegister.h"
#include "people/SmsRecord.h"
#include "session/SettingsStore.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class ListingsForBuyerTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    // 25–35평, 100,000–130,000 만원, an apartment in 서울 강남구.
    Buyer addBuyer(const QString& name = "김매수") {
        Buyer b;
        b.contact.name = name;
        b.contact.hantel = "010-5555-1234";
        b.tb = "아파트";
        b.ty = "매매";
        b.addre1 = "서울";
        b.addre2 = "강남구";
        b.area = {25, 35};
        b.amount = {100000, 130000};
        BuyerRegister buyers(office->session());
        return *buyers.read(buyers.save({b, false, false, {}, {}}).number);
    }
    static ListingRow apartment(double area, qint64 price, const QString& district = "강남구") {
        return {
            {"addr1", "서울"}, {"addr2", district}, {"addr3", "역삼동"}, {"pyung", area}, {"money_m", price}};
    }
    ListingFitPage page(const Buyer& b, ListKind list = ListKind::Own, int number = 1, int size = 10) {
        return ListingsForBuyer(office->session()).page(b, list, number, size);
    }
    // The numbers of a page, "n" for an exact fit, "n: reasons" for a near one.
    static QStringList shown(const ListingFitPage& p) {
        QStringList rows;
        for (const ListingFit& f : p.rows)
            rows << (f.exact ? QString::number(f.listing.key.number)
                             : QString::number(f.listing.key.number) + ": " + f.reasons.join(", "));
        return rows;
    }
    static QString n(int number) { return QString::number(number); }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// The own listings that fit: exact ones best first (the price nearest the middle), then the near
// ones with their reason; the archive, other types, transactions and districts, and what lies
// beyond the tolerance are left out; pages are cut from the ranked list and clamped.
TEST_P(ListingsForBuyerTest, OwnListingsAreRankedWithReasonsAndPaged) {
    const Buyer buyer = addBuyer();
    const int middle = office->addOwn(apartment(30, 115000));
    const int edge = office->addOwn(apartment(25, 100000));
    const int near = office->addOwn(apartment(30, 140000));
    office->addOwn(apartment(30, 150000));           // 15 % over
    office->addOwn(apartment(30, 115000, "서초구")); // another district
    ListingRow lease = apartment(30, 0);
    lease.insert("ty", "J");
    lease.insert("money_jb", 115000);
    office->addOwn(lease);
    ListingRow villa = apartment(30, 115000);
    villa.insert("tb", "villa");
    office->addOwn(villa);
    ListingRow archived = apartment(30, 115000);
    archived.insert("state", 2);
    office->addOwn(archived);

    const ListingFitPage all = page(buyer);
    EXPECT_EQ(all.total, 3);
    EXPECT_EQ(shown(all), (QStringList{n(middle), n(edge), n(near) + ": 가격 8% 초과"}));
    EXPECT_EQ(all.rows.first().summary, "아파트 매매 역삼동 30평 115,000만원");

    const ListingFitPage second = page(buyer, ListKind::Own, 2, 2);
    EXPECT_EQ(second.pageCount, 2);
    EXPECT_EQ(shown(second), QStringList{n(near) + ": 가격 8% 초과"});
    EXPECT_EQ(page(buyer, ListKind::Own, 9, 2).page, 2) << "a page beyond the last shows the last";

    EXPECT_EQ(ListingsForBuyer(office->session()).page(buyer, ListKind::Own, 1, 10, 0.0).total, 2)
        << "no tolerance, no near fits";
    Buyer other = buyer;
    other.tb = "기타";
    EXPECT_EQ(page(other).total, 0) << "a type no listing has";
}

// Listings private to a staff user are offered to him and the main account only; the buyer's
// region named down to the town holds listings of that town only; quotes and Hangul are values.
TEST_P(ListingsForBuyerTest, PrivateListingsAndTheRegionHoldInTheQuery) {
    Buyer buyer = addBuyer("O'Brien 김");
    ListingRow mine = apartment(30, 115000);
    mine.insert("opid", "st1");
    const int privateOne = office->addOwn(mine);
    const int open = office->addOwn(apartment(30, 120000));

    EXPECT_EQ(shown(page(buyer)), (QStringList{n(privateOne), n(open)}));
    office->loginAs("st2");
    EXPECT_EQ(shown(page(buyer)), QStringList{n(open)});
    office->loginAs("st1");
    EXPECT_EQ(shown(page(buyer)), (QStringList{n(privateOne), n(open)}));

    office->loginAs(office->officeId());
    buyer.addre3 = "삼성동";
    EXPECT_EQ(page(buyer).total, 0);
    buyer.addre3 = "역삼동'--";
    EXPECT_EQ(page(buyer).total, 0);
    buyer.addre3 = "역삼동";
    EXPECT_EQ(page(buyer).total, 2);
}

// Shared listings of other offices within the 60-day window fit too, known by office and
// number; the office's own copies are not offered twice; offline the list says so.
TEST_P(ListingsForBuyerTest, SharedListingsOfOtherOfficesFitWhileOnline) {
    const Buyer buyer = addBuyer();
    ListingRow shared = apartment(30, 118000);
    shared.insert("id", "other");
    const int theirs = office->addShared(shared);
    ListingRow old = apartment(30, 118000);
    old.insert("showday", office->clock.now().addDays(-61));
    office->addShared(old);
    ListingRow ours = apartment(30, 118000);
    ours.insert("id", office->officeId());
    office->addShared(ours);
    ListingRow nearOne = apartment(36, 118000);
    const int near = office->addShared(nearOne);

    const ListingFitPage p = page(buyer, ListKind::Shared);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(shown(p), (QStringList{n(theirs), n(near) + ": 면적 3% 초과"}));
    EXPECT_EQ(p.rows.first().listing.key.office, "other");
    EXPECT_GT(p.rows.first().serverIdx, 0);

    office->session().serverStore().close();
    const ListingFitPage offline = page(buyer, ListKind::Shared);
    EXPECT_FALSE(offline.ok);
    EXPECT_TRUE(offline.rows.isEmpty());
    EXPECT_EQ(page(buyer).total, 0) << "the own list needs no server";
}

// What was sent is marked with when and how, and shows as new once the price changed; what the
// buyer dismissed is left out in both directions; the buyer's removal takes his history along.
TEST_P(ListingsForBuyerTest, TheHistoryMarksSentPairsAndHidesDismissedOnes) {
    const Buyer buyer = addBuyer();
    addBuyer("박두번");
    const int sent = office->addOwn(apartment(30, 115000));
    const int dismissed = office->addOwn(apartment(30, 120000));
    const auto fitOf = [&](int number) {
        for (const ListingFit& f : page(buyer).rows)
            if (f.listing.key.number == number)
                return std::optional<ListingFit>(f);
        return std::optional<ListingFit>();
    };
    MatchHistory history(office->session());
    history.markSent(pairsWith({buyer.number}, fitOf(sent)->listing), SentBy::Sms);
    history.dismiss(pairsWith({buyer.number}, fitOf(dismissed)->listing));

    ASSERT_TRUE(fitOf(sent));
    EXPECT_EQ(fitOf(sent)->history.mark, MatchMark::Sent);
    EXPECT_EQ(fitOf(sent)->history.sentText(), "12/06 문자");
    EXPECT_FALSE(fitOf(dismissed)) << "dismissed";
    const std::optional<MatchTarget> dismissedListing = ownMatchTarget(office->session(), dismissed);
    ASSERT_TRUE(dismissedListing);
    QStringList buyersOfDismissed;
    for (const BuyerFit& f : buyersForListing(office->session(), dismissedListing->listing))
        buyersOfDismissed << f.name;
    EXPECT_EQ(buyersOfDismissed, QStringList{"박두번"}) << "the other buyer still sees it";

    office->local().execute("UPDATE maemul SET money_m = 112000 WHERE table_idx = ?", {sent});
    EXPECT_EQ(fitOf(sent)->history.mark, MatchMark::New) << "a new price makes the pair new";
    history.markSent(pairsWith({buyer.number}, fitOf(sent)->listing), SentBy::Print);
    EXPECT_EQ(fitOf(sent)->history.sentText(), "12/06 인쇄");

    BuyerRegister(office->session()).remove(buyer.number);
    EXPECT_EQ(
        office->localValue("SELECT COUNT(*) FROM maesuin_match WHERE buyer = ?", {buyer.number}).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingsForBuyerTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// A message holds whole summaries only, as many as 80 bytes take, in the order ticked.
TEST(ListingsMessage, HoldsWholeSummariesWithinOneMessage) {
    const QString a = "아파트 매매 래미안 32평 87,000만원";  // 36 bytes
    const QString b = "아파트 매매 역삼동 30평 115,000만원"; // 37 bytes
    const QString c = "빌라 전세 삼성동 20평 30,000만원";    // 32 bytes
    const ListingsMessage m = messageOfListings({a, b, c});
    EXPECT_EQ(m.text, a + " / " + b);
    EXPECT_EQ(m.included, (QList<int>{0, 1}));
    EXPECT_LE(smsByteLength(m.text), kSmsTextBytes);
    EXPECT_EQ(messageOfListings({a, QString(), c}).included, (QList<int>{0, 2}));
}

TEST(MatchEntry, ASentPairIsNewAgainAtAnotherPriceAndADismissedOneStays) {
    MatchEntry sent{MatchMark::Sent, "문자", QDateTime(QDate(2026, 12, 1), QTime(9, 0)), 1000, 50};
    EXPECT_EQ(sent.markAt(1000, 50), MatchMark::Sent);
    EXPECT_EQ(sent.markAt(990, 50), MatchMark::New);
    EXPECT_EQ(sent.markAt(1000, 55), MatchMark::New);
    const MatchEntry dismissed{MatchMark::Dismissed, {}, {}, 1000, 0};
    EXPECT_EQ(dismissed.markAt(500, 0), MatchMark::Dismissed);
    EXPECT_EQ(dismissed.sentText(), "");
}

// The demo office's buyers each want what one of its listings offers: 맞는 매물 shows it first.
TEST(DemoBuyers, EachFindsAListingOfTheDemoOffice) {
    const auto office = TestOffice::make({Backend::Sqlite, Desk::Demo});
    TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    const QList<Buyer> buyers = BuyerRegister(office->session()).list({"전체", {}}, 100);
    ASSERT_GT(office->seeded.buyers, 0);
    EXPECT_EQ(buyers.size(), office->seeded.buyers);
    for (const Buyer& b : buyers) {
        const ListingFitPage page = ListingsForBuyer(office->session()).page(b, ListKind::Own, 1, 5);
        ASSERT_GE(page.total, 1) << b.contact.name.toStdString();
        EXPECT_TRUE(page.rows.first().exact) << b.contact.name.toStdString();
    }
}
