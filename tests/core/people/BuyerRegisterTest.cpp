#include "core/people/BuyerRegister.h"
#include "TestOffice.h"
#include "core/people/SamePhone.h"
#include "core/session/WorkNotes.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class BuyerRegisterTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    BuyerRegister buyers() { return BuyerRegister(office->session()); }
    void loginAs(const QString& id) { office->loginAs(id); }

    // A buyer of a 20–30평 apartment for 10,000–20,000 만원, saved by the user logged in.
    int add(const QString& name, const QString& group = {}, bool ticked = false, Buyer b = {}) {
        b.contact.name = name;
        b.contact.groupin = group;
        if (b.tb.isEmpty()) {
            b.tb = "아파트";
            b.ty = "매매";
            b.area = {20, 30};
            b.amount = {10000, 20000};
        }
        const PersonSaveResult saved = buyers().save({b, ticked, false, {}, {}});
        EXPECT_TRUE(saved.saved) << saved.text.toStdString();
        office->clock.set(office->clock.now().addSecs(60));
        return saved.number;
    }
    QStringList names(const BuyerFilter& filter) {
        QStringList list;
        for (const Buyer& b : buyers().list(filter, 100))
            list << b.contact.name;
        return list;
    }
    QStringList found(const BuyerSearch& search) { return names({QString(), search}); }
    int rows(const QString& table) {
        return office->local().scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
    }
    std::unique_ptr<TestOffice> office;
};

BuyerSearch searchOf(const QVariant& areaFrom, const QVariant& areaTo, const QVariant& amountFrom = {},
                     const QVariant& amountTo = {}) {
    BuyerSearch s;
    s.areaFrom = areaFrom;
    s.areaTo = areaTo;
    s.amountFrom = amountFrom;
    s.amountTo = amountTo;
    return s;
}

} // namespace

// A staff user sees the public buyers and his own private ones, in the list, the count, the
// group tabs, a search and a read, and cannot change or delete another's; the main account
// sees them all.
TEST_P(BuyerRegisterTest, AStaffUserNeverSeesAnothersPrivateBuyer) {
    loginAs("st1");
    const int own = add("이실장 손님", "비밀그룹", true);
    loginAs("st2");
    add("박과장 손님", "공개그룹");
    const int others = own;
    EXPECT_EQ(names({"전체", std::nullopt}), QStringList{"박과장 손님"});
    EXPECT_EQ(buyers().count({"전체", std::nullopt}), 1);
    EXPECT_EQ(buyers().groups(), QStringList{"공개그룹"});
    EXPECT_TRUE(found(searchOf(10, 40)).contains("박과장 손님"));
    EXPECT_FALSE(found(searchOf(10, 40)).contains("이실장 손님"));
    EXPECT_TRUE(names({"비밀그룹", std::nullopt}).isEmpty());
    EXPECT_FALSE(buyers().read(others).has_value());
    Buyer changed;
    changed.number = others;
    changed.contact.name = "가로챔";
    EXPECT_THROW(buyers().save({changed, false, false, {}, {}}), StoreError);
    EXPECT_THROW(buyers().remove(others), StoreError);
    EXPECT_THROW(buyers().moveToCustomers(others), StoreError);

    loginAs("st1");
    EXPECT_EQ(names({"전체", std::nullopt}), (QStringList{"박과장 손님", "이실장 손님"}));
    EXPECT_EQ(buyers().read(own)->privateTo, "st1");
    loginAs("off1");
    EXPECT_EQ(buyers().count({"전체", std::nullopt}), 2) << "the main account sees all";
    EXPECT_EQ(buyers().groups(), (QStringList{"공개그룹", "비밀그룹"}));
}

TEST(PhoneDigits, OnlyTheDigitsCount) {
    EXPECT_EQ(phoneDigits("010-1234-5678"), "01012345678");
    EXPECT_EQ(phoneDigits(" 010 1234.5678 "), "01012345678");
    EXPECT_EQ(phoneDigits("없음"), "");
}

// The same mobile number, however written, names the person who has it; the row being saved,
// a private buyer of another user and an owner hidden by another user do not count.
TEST_P(BuyerRegisterTest, ASecondRecordOfTheSameMobileIsNamed) {
    Card card;
    card.contact.name = "홍'길동";
    card.contact.hantel = "010-1234-5678";
    const int customer = CardBook(office->session(), CardPart::Customer).save(card, {}).number;
    const auto holder = [&](const QString& mobile, const QString& table = {}, int number = 0) {
        return findPhoneHolder(office->session(), mobile, table, number);
    };
    const std::optional<PhoneHolder> named = holder("01012345678");
    ASSERT_TRUE(named);
    EXPECT_EQ(samePhoneQuestion(*named),
              "같은 휴대폰 번호가 고객 '홍'길동'에 있습니다. 계속 저장하시겠습니까 ?");
    EXPECT_FALSE(holder("010 1234 5678", "namecard", customer)) << "its own row is no other record";
    EXPECT_FALSE(holder(""));
    EXPECT_FALSE(holder("010-9999-0000"));

    office->loginAs("st1");
    Buyer secret;
    secret.contact.hantel = "010-2222-3333";
    add("비밀 손님", {}, true, secret);
    office->loginAs("st2");
    EXPECT_FALSE(holder("01022223333")) << "another user's private buyer stays unseen";
    office->loginAs("st1");
    ASSERT_TRUE(holder("01022223333"));
    EXPECT_EQ(holder("01022223333")->kind, "매수인");

    office->addOwn({{"uname", "김주인"}, {"uhp", "010-4444-5555"}, {"opid", "st1"}});
    EXPECT_EQ(holder("010.4444.5555")->name, "김주인");
    office->loginAs("st2");
    EXPECT_FALSE(holder("01044445555")) << "an owner hidden by another user stays hidden";
}

// The private mark: ticked for a private buyer; its user and the main account may change it;
// a save keeps the owner it had, or makes the saving user the owner.
TEST(BuyerPrivacyMark, TheMarkFollowsWhoMayChangeIt) {
    Buyer b;
    b.privateTo = "st1";
    for (const auto& [login, enabled] : {std::pair{"st1", true}, {"off1", true}, {"st2", false}}) {
        const PrivacyMark mark = privacyMarkOf(b, login, "off1");
        EXPECT_TRUE(mark.ticked);
        EXPECT_EQ(mark.enabled, enabled) << login;
    }
    EXPECT_FALSE(privacyMarkOf(Buyer{}, "st2", "off1").ticked);
    EXPECT_TRUE(privacyMarkOf(Buyer{}, "st2", "off1").enabled);
    EXPECT_EQ(privateOwnerToStore(true, "st1", "off1"), "st1") << "the main account keeps the owner";
    EXPECT_EQ(privateOwnerToStore(true, "", "st2"), "st2");
    EXPECT_EQ(privateOwnerToStore(false, "st1", "st1"), "");
}

// The search of the "검색" tab: every wanted range must lie inside the bounds typed; a bound
// equal to the range's end matches; an empty bound does not restrict.
TEST_P(BuyerRegisterTest, TheSearchFindsBuyersWhoseRangesLieInsideTheBounds) {
    add("김매수"); // 20–30평, 10,000–20,000
    Buyer monthly;
    monthly.tb = "오피스텔";
    monthly.ty = "월세";
    monthly.area = {10, 15};
    monthly.amount = {1000, 2000};
    monthly.rent = {50, 80};
    add("최월세", {}, false, monthly);

    struct Case {
        BuyerSearch search;
        QStringList expected;
    };
    BuyerSearch rentOnly;
    rentOnly.rentFrom = 40;
    rentOnly.rentTo = 80;
    BuyerSearch rentTooLow;
    rentTooLow.rentTo = 79;
    const Case cases[] = {
        {searchOf(10, 40), {"김매수", "최월세"}},
        {searchOf(25, QVariant()), {}},
        {searchOf(20, 30), {"김매수"}},
        {searchOf(QVariant(), 29), {"최월세"}},
        {searchOf(QVariant(), QVariant(), 10000, 20000), {"김매수"}},
        {searchOf(QVariant(), QVariant(), QVariant(), 19999), {"최월세"}},
        {rentOnly, {"최월세"}},
        {rentTooLow, {"김매수"}},
    };
    for (const Case& c : cases) {
        QStringList got = found(c.search);
        got.sort();
        EXPECT_EQ(got, c.expected) << "area " << c.search.areaFrom.toString().toStdString() << "~"
                                   << c.search.areaTo.toString().toStdString();
    }
    BuyerSearch typed;
    typed.fields.tb = "오피스텔";
    typed.fields.contact.name = "월";
    EXPECT_EQ(found(typed), QStringList{"최월세"});
}

// Saving: a name is needed (the entry window also wants a type and a transaction); empty ranges
// store 0; a type of one area drops the building range; the first note goes with a new buyer.
TEST_P(BuyerRegisterTest, SavingStoresTheRangesTheTypeWants) {
    Buyer b;
    PersonSaveResult refused = buyers().save({b, false, true, {}, {}});
    EXPECT_EQ(refused.text, "매수인을 입력해주세요.");
    EXPECT_EQ(refused.title, "매수인등록");
    b.contact.name = "O'Hara 홍";
    EXPECT_EQ(buyers().save({b, false, true, {}, {}}).text, "종목을 선택해주세요.");
    b.tb = "아파트";
    EXPECT_EQ(buyers().save({b, false, true, {}, {}}).text, "형태를 선택해주세요.");
    EXPECT_EQ(rows("maesuin"), 0);

    b.ty = "매매";
    b.building = {100, 200}; // an apartment has no building range
    b.addre1 = "서울";
    b.addre2 = "시/군/구";
    const PersonSaveResult created = buyers().save({b, false, true, "첫 상담 'O'", QDate(2026, 12, 5)});
    ASSERT_TRUE(created.saved);
    EXPECT_EQ(created.text, "매수인정보등록을 완료하였습니다.");
    const Buyer stored = *buyers().read(created.number);
    EXPECT_EQ(stored.contact.name, "O'Hara 홍");
    EXPECT_EQ(stored.area.from + stored.area.to + stored.building.from + stored.building.to, 0.0);
    EXPECT_EQ(stored.amount.to + stored.rent.to, 0);
    EXPECT_EQ(stored.addre1 + "|" + stored.addre2, "서울|");
    EXPECT_EQ(stored.registeredBy, "off1");
    const QList<WorkNote> notes = WorkNoteBook(office->session()).of(NoteKind::Buyer, created.number);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes.first().work, "첫 상담 'O'");
    EXPECT_EQ(notes.first().writeday.date(), QDate(2026, 12, 5));

    Buyer land = stored;
    land.tb = "공장";
    land.area = {300, 500};
    land.building = {100, 200};
    const PersonSaveResult changed = buyers().save({land, false, false, {}, {}});
    EXPECT_EQ(changed.text, "수정되었습니다");
    EXPECT_EQ(changed.title, "매수인 수정하기");
    EXPECT_EQ(buyers().read(created.number)->building.to, 200.0) << "a factory keeps its building range";
    EXPECT_EQ(buyers().read(created.number)->registeredBy, "off1") << "set on insert only";
}

// Moving a buyer to the customers copies him with his notes and a note of the move, in one
// transaction: a failure at any step leaves both tables as they were; the delete after it
// takes the buyer and his notes together, or neither.
TEST_P(BuyerRegisterTest, MovingToTheCustomersIsAllOrNothing) {
    const int buyer = add("홍'길동");
    WorkNoteBook notes(office->session());
    notes.add({NoteKind::Buyer, buyer, "off1", QDate(2026, 12, 1), "복사될 메모", QString(), {}, {}});
    notes.add(
        {NoteKind::Buyer, buyer, "off1", QDate(2026, 12, 2), "비밀 메모", QStringLiteral("off1"), {}, {}});
    EXPECT_FALSE(buyers().customerNamed("홍'길동"));

    SqlStore& local = office->local();
    const QStringList triggers{
        refuseInsert(local, "namecard", "part", "customer", "injected"),
        refuseInsert(local, "mem_work", "tb", "customer", "injected"),
        refuseInsert(local, "mem_work", "work", "복사될 메모", "injected"),
    };
    for (int step = 0; step < triggers.size(); ++step) {
        EXPECT_THROW(buyers().moveToCustomers(buyer), StoreError) << "step " << step;
        EXPECT_EQ(rows("namecard"), 0) << "step " << step;
        EXPECT_EQ(rows("mem_work"), 2) << "step " << step;
        local.execute(QStringLiteral("DROP TRIGGER ") + triggers.at(step));
    }
    const int customer = buyers().moveToCustomers(buyer);
    EXPECT_TRUE(buyers().customerNamed("홍'길동"));
    const std::optional<Card> moved = CardBook(office->session(), CardPart::Customer).read(customer);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->contact.groupin, "매수인");
    QStringList texts;
    for (const WorkNote& n : notes.of(NoteKind::Customer, customer))
        texts << n.work;
    EXPECT_EQ(texts, (QStringList{"2026-12-06 일에 매수인목록에서 고객관리목록으로 이동함. \r\n\r\n",
                                  "비밀 메모", "복사될 메모"}));
    EXPECT_TRUE(buyers().read(buyer).has_value()) << "the buyer stays until the user deletes him";

    const QString refuse = refuseDelete(local, "mem_work", "tb", "maesuin", "injected");
    EXPECT_THROW(buyers().remove(buyer), StoreError);
    EXPECT_TRUE(buyers().read(buyer).has_value());
    EXPECT_EQ(notes.of(NoteKind::Buyer, buyer).size(), 2);
    local.execute(QStringLiteral("DROP TRIGGER ") + refuse);
    buyers().remove(buyer);
    EXPECT_FALSE(buyers().read(buyer).has_value());
    EXPECT_TRUE(notes.of(NoteKind::Buyer, buyer).isEmpty());
    EXPECT_EQ(notes.of(NoteKind::Customer, customer).size(), 3) << "the customer's notes stay";
}

INSTANTIATE_TEST_SUITE_P(Backends, BuyerRegisterTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
