#include "core/people/Inquiry.h"

#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/session/StoreSchemas.h"

using namespace teran;
using namespace teran::test;

namespace {

// Two offices, A (members "offA", "staffA") and B ("offB"), sharing one vendor server.
class InquiryTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        scratch = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(scratch != nullptr, "MariaDB");
        upgradeServerStore(server());
        for (const auto& [company, member] :
             {std::pair{"offA", "offA"}, {"offA", "staffA"}, {"offB", "offB"}})
            server().execute("INSERT INTO members (companyID, memID) VALUES (?, ?)", {company, member});
    }
    SqlStore& server() { return scratch->store(); }
    // A message to staffA about A's listing 12, written by office B.
    InquiryDraft toStaffA() {
        InquiryDraft d;
        d.addressee = "staffA";
        d.from = "offB";
        d.tb = "apt";
        d.listing = 12;
        d.name = "O'Brien 부동산";
        d.tel = "02-555-1234";
        d.email = "b@example.com";
        d.title = inquirySubject(12, false);
        d.content = "첫줄<br>둘째줄 '따옴표', \"quote\"; DROP TABLE mem_paper; --";
        return d;
    }
    std::unique_ptr<ScratchStore> scratch;
};

} // namespace

// A message reaches the office of its addressee with every value as typed, and that office alone
// reads, marks and deletes it; the answer goes back to the office that wrote.
TEST_P(InquiryTest, AMessageReachesItsAddresseesOfficeOnlyAndIsAnswered) {
    InquiryPost post(server());
    ASSERT_TRUE(post.send(toStaffA()));
    const QList<Inquiry> box = InquiryBox(server(), "offA").list();
    ASSERT_EQ(box.size(), 1);
    const Inquiry& m = box.first();
    EXPECT_EQ(m.addressee, "staffA");
    EXPECT_EQ(m.name, "O'Brien 부동산");
    EXPECT_EQ(m.title, "매물번호 12 번에 관련  문의 입니다.");
    EXPECT_EQ(inquiryBody(m.content), "첫줄\n둘째줄 '따옴표', \"quote\"; DROP TABLE mem_paper; --");
    EXPECT_FALSE(m.read);
    EXPECT_TRUE(m.receivedAt.isValid());
    EXPECT_EQ(m.listing, 12);

    InquiryDraft nobody = toStaffA();
    nobody.addressee = "ghost";
    EXPECT_FALSE(post.send(nobody)) << "a message to no member is refused, not lost";
    EXPECT_EQ(server().scalar("SELECT COUNT(*) FROM mem_paper").toInt(), 1);

    // No office can read, mark or delete another office's messages.
    const int number = server().scalar("SELECT table_idx FROM mem_paper").toInt();
    InquiryBox a(server(), "offA");
    InquiryBox b(server(), "offB");

    EXPECT_TRUE(b.list().isEmpty());
    EXPECT_EQ(b.markRead(number), std::nullopt);
    EXPECT_FALSE(b.remove(number));
    EXPECT_EQ(server().scalar("SELECT readok FROM mem_paper WHERE table_idx=?", {number}).toInt(), 0);
    EXPECT_TRUE(server().scalar("SELECT readday FROM mem_paper WHERE table_idx=?", {number}).isNull());

    const std::optional<QDateTime> firstRead = a.markRead(number);
    ASSERT_TRUE(firstRead.has_value() && firstRead->isValid());
    // Reading it again later keeps the time of the first reading.
    server().execute("UPDATE mem_paper SET readday=? WHERE table_idx=?",
                     {server().toStored(QDateTime(QDate(2026, 1, 2), QTime(15, 4, 5))), number});
    EXPECT_EQ(a.markRead(number), QDateTime(QDate(2026, 1, 2), QTime(15, 4, 5)));
    EXPECT_TRUE(a.list().first().read);
    EXPECT_TRUE(a.remove(number));
    EXPECT_TRUE(a.list().isEmpty());

    // The answer goes back to the office that wrote, naming the listing in its subject only.
    const std::optional<InquiryDraft> answer = InquiryPost::answerTo(m);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->addressee, "offB");
    EXPECT_EQ(answer->title, "매물번호 12 번에 관련  답변 입니다.");
    InquiryDraft reply = *answer;
    reply.from = "staffA";
    reply.name = "A부동산";
    reply.tel = "02-111-2222";
    reply.content = "네";
    ASSERT_TRUE(post.send(reply));
    const QList<Inquiry> boxB = InquiryBox(server(), "offB").list();
    ASSERT_EQ(boxB.size(), 1);
    EXPECT_EQ(boxB.first().listing, 0) << "A's number means nothing in B's listings";
    Inquiry fromWeb = m;
    fromWeb.from.clear();
    EXPECT_EQ(InquiryPost::answerTo(fromWeb), std::nullopt);
}

// A vendor server not yet upgraded keeps no writer: the box still works, nothing can be answered.
TEST_P(InquiryTest, AServerWithoutTheWriterColumnStillTakesAndShowsMessages) {
    server().execute("ALTER TABLE mem_paper DROP COLUMN fromid");
    ASSERT_TRUE(InquiryPost(server()).send(toStaffA()));
    const QList<Inquiry> box = InquiryBox(server(), "offA").list();
    ASSERT_EQ(box.size(), 1);
    EXPECT_EQ(box.first().name, "O'Brien 부동산");
    EXPECT_EQ(InquiryPost::answerTo(box.first()), std::nullopt);
}

TEST_P(InquiryTest, AQuestionAboutASharedListingGoesToTheAgentAboutTheOwnersNumber) {
    ListingRow row{{"id", "offA"}, {"subid", "staffA"}, {"sub_idx", 77}, {"tb", "officetel"}, {"ty", "M"}};
    insertServer(server(), row);
    const int serverRow = server().scalar("SELECT table_idx FROM maemul WHERE sub_idx=77").toInt();
    const std::optional<InquiryDraft> d = InquiryPost(server()).aboutSharedListing(serverRow);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->addressee, "staffA");
    EXPECT_EQ(d->listing, 77);
    EXPECT_EQ(d->tb, "officetel");
    EXPECT_EQ(d->title, "매물번호 77 번에 관련  문의 입니다.");
    EXPECT_EQ(InquiryPost(server()).aboutSharedListing(serverRow + 1000), std::nullopt);
}

TEST(InquiryTextTest, ChecksTimesAndBreaks) {
    InquiryDraft d;
    const QStringList expected = {"이름을 적어주세요", "연락처를 적어주세요", "제목을 적어주세요",
                                  "내용을 적어주세요", ""};
    QString* fields[] = {&d.name, &d.tel, &d.title, &d.content};
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(inquiryProblem(d), expected[i]) << i;
        if (i < 4)
            *fields[i] = "x";
    }
    EXPECT_EQ(inquiryTime(QDateTime(QDate(2026, 12, 8), QTime(0, 5, 9))), "2026-12-8 오전 12:05:09");
    EXPECT_EQ(inquiryTime(QDateTime(QDate(2026, 1, 2), QTime(12, 0, 0))), "2026-1-2 오후 12:00:00");
    EXPECT_EQ(inquiryTime(QDateTime(QDate(2026, 1, 2), QTime(23, 59, 1))), "2026-1-2 오후 11:59:01");
    Inquiry unread;
    unread.receivedAt = QDateTime(QDate(2026, 3, 4), QTime(9, 0));
    EXPECT_EQ(inquiryTimes(unread), "받은시간 [2026-3-4 오전 09:00:00] 읽은시간 []");
    EXPECT_EQ(inquiryBody("a<BR>b<br/>c<br />d"), "a\nb\nc\nd");
}

INSTANTIATE_TEST_SUITE_P(Backends, InquiryTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
