#include "core/people/CardBook.h"
#include "TestOffice.h"
#include "core/session/WorkNotes.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class CardBookTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    int add(CardBook& book, const QString& name, const QString& group = {}, const QString& company = {}) {
        Card card;
        card.company = company;
        card.contact.name = name;
        card.contact.groupin = group;
        card.contact.hantel = "010-1234-5678";
        const PersonSaveResult saved = book.save(card, CardBook::notePlaceholder());
        EXPECT_TRUE(saved.saved) << saved.text.toStdString();
        office->clock.set(office->clock.now().addSecs(60)); // the next one is newer
        return saved.number;
    }
    static QStringList names(const QList<Card>& cards) {
        QStringList list;
        for (const Card& c : cards)
            list << c.contact.name;
        return list;
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

// The card book and the customer list keep their own rows, groups and notes in one table.
TEST_P(CardBookTest, CardsAndCustomersAreToldApartByTheirPart) {
    CardBook cards(office->session(), CardPart::Namecard);
    CardBook customers(office->session(), CardPart::Customer);
    const int card = add(cards, "홍길동", "거래처");
    const int customer = add(customers, "홍길동", "VIP");
    add(customers, "김철수", "VIP");
    EXPECT_NE(card, customer);
    EXPECT_EQ(cards.groups(), QStringList{"거래처"});
    EXPECT_EQ(customers.groups(), QStringList{"VIP"});
    EXPECT_EQ(names(customers.list({"전체", std::nullopt}, 50)), (QStringList{"김철수", "홍길동"}))
        << "newest first";
    EXPECT_EQ(cards.count({"전체", std::nullopt}), 1);
    EXPECT_FALSE(cards.read(customer).has_value()) << "a customer is no card";

    WorkNoteBook notes(office->session());
    notes.add({NoteKind::Card, card, "off1", QDate(2026, 12, 1), "명함 메모", {}, {}, {}});
    notes.add({NoteKind::Customer, card, "off1", QDate(2026, 12, 1), "같은 번호의 고객 메모", {}, {}, {}});
    cards.remove(card);
    EXPECT_FALSE(cards.read(card).has_value());
    EXPECT_TRUE(notes.of(NoteKind::Card, card).isEmpty());
    EXPECT_EQ(notes.of(NoteKind::Customer, card).size(), 1) << "only the card's own notes go with it";
    EXPECT_TRUE(customers.read(customer).has_value());
}

// Saving: a name is needed; a new row says so with the window's title and gets the number the
// store gave it; the note box's text becomes a note unless it is the placeholder.
TEST_P(CardBookTest, SavingNeedsANameAndKeepsTheNoteTyped) {
    CardBook customers(office->session(), CardPart::Customer);
    Card card;
    card.contact.name = "  ";
    PersonSaveResult refused = customers.save(card, "메모");
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.text, "이름을 입력해주세요.");
    EXPECT_EQ(refused.title, "고객등록");
    EXPECT_EQ(customers.count({"전체", std::nullopt}), 0);
    EXPECT_EQ(CardBook(office->session(), CardPart::Namecard).save(card, {}).title, "명함집등록");

    card.contact = {"",      "O'Brien 김", "o'b@example.com", "02-1'2",   "010-9", "사무'실",
                    "팩'스", "지역",       "시/군/구",        "읍/면/동", "지번"};
    card.company = "다'윗 상사";
    const PersonSaveResult created = customers.save(card, "첫 상담\r\n'전세' 원함");
    ASSERT_TRUE(created.saved);
    EXPECT_TRUE(created.created);
    EXPECT_EQ(created.text, "등록되었습니다");
    EXPECT_EQ(created.title, "고객 등록하기");
    const std::optional<Card> stored = customers.read(created.number);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->company, "다'윗 상사");
    EXPECT_EQ(stored->contact.name, "O'Brien 김");
    EXPECT_EQ(stored->contact.office, "사무'실");
    EXPECT_EQ(stored->contact.addr1 + stored->contact.addr4, "")
        << "the combos' placeholders are stored empty";
    const QList<WorkNote> notes = WorkNoteBook(office->session()).of(NoteKind::Customer, created.number);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes.first().work, "첫 상담\r\n'전세' 원함");

    card.number = created.number;
    card.contact.fax = "02-000";
    const PersonSaveResult changed = customers.save(card, CardBook::notePlaceholder());
    EXPECT_EQ(changed.text, "수정되었습니다.");
    EXPECT_EQ(changed.title, "수정완료");
    EXPECT_EQ(changed.number, created.number);
    EXPECT_EQ(customers.read(created.number)->contact.fax, "02-000");
    EXPECT_EQ(WorkNoteBook(office->session()).of(NoteKind::Customer, created.number).size(), 1)
        << "the placeholder is no note";
    EXPECT_TRUE(customers.save(card, {}).saved) << "saved again unchanged";
    card.number = 9999;
    EXPECT_THROW(customers.save(card, {}), StoreError) << "a row deleted meanwhile";
}

// The search of the "검색" tab: the group and address combos equal, the other fields contain
// what was typed, and wildcards and quotes are matched as typed.
TEST_P(CardBookTest, TheSearchMatchesWhatWasTyped) {
    CardBook cards(office->session(), CardPart::Namecard);
    add(cards, "김100%", "거래처", "O'Neil 부동산");
    add(cards, "김1000", "거래처", "한빛");
    add(cards, "박_영", "은행", "O'Neil 은행");
    Card search;
    search.contact.name = "100%";
    EXPECT_EQ(names(cards.list({"", search}, 50)), QStringList{"김100%"});
    search = {};
    search.contact.name = "_";
    EXPECT_EQ(names(cards.list({"", search}, 50)), QStringList{"박_영"});
    search = {};
    search.company = "O'Neil";
    EXPECT_EQ(cards.count({"", search}), 2);
    search.contact.groupin = "거래처";
    EXPECT_EQ(names(cards.list({"", search}, 50)), QStringList{"김100%"});
    search = {};
    search.contact.addr1 = "지역";
    EXPECT_EQ(cards.count({"", search}), 3) << "a placeholder does not restrict";
    EXPECT_EQ(names(cards.list({"은행", std::nullopt}, 50)), QStringList{"박_영"});
    EXPECT_EQ(names(cards.list({"전체", std::nullopt}, 1, 1)), QStringList{"김1000"}) << "paged";
}

INSTANTIATE_TEST_SUITE_P(Backends, CardBookTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
