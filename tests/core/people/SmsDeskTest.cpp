#include "core/people/SmsDesk.h"
#include "core/people/SmsRecord.h"

#include "TestOffice.h"

using namespace teran;
using namespace teran::test;

// What stops a send, in the order the window checks it; the cash first.
TEST(SmsDeskTest, ChecksBeforeSendingAndTheGroupRule) {
    SmsRequest r{false, "010-1234-5678", {}, "02-555-1234", "안내", 30};
    EXPECT_EQ(checkSms(r), std::nullopt);
    r.balance = 29;
    EXPECT_TRUE(checkSms(r)->cash);
    r.balance = 30;
    r.group = true;
    r.list = {"01011112222", "01033334444"};
    EXPECT_TRUE(checkSms(r)->cash) << "a group costs 30 won a number";
    r.balance = 60;
    EXPECT_EQ(checkSms(r), std::nullopt);
    r.text = "  ";
    EXPECT_EQ(checkSms(r)->field, "sendMsg");
    r.text = "안녕 😀";
    EXPECT_TRUE(checkSms(r)->text.contains("😀")) << "an emoji is refused before anything is sent";
    r.text = "안내";
    r.list.clear();
    EXPECT_EQ(checkSms(r)->text, "그룹화된 전화번호가 없습니다.");
    r.group = false;
    r.receiver = "010-123-456";
    EXPECT_EQ(checkSms(r)->text, "보내는분 전화번호가 잘못되었습니다.");
    r.receiver = "0101234567";
    r.callback = "02-555-123";
    EXPECT_EQ(checkSms(r)->text, "회신 전화번호가 잘못되었습니다.");
    EXPECT_EQ(checkSms(r)->title, "문자메세지보내기");

    EXPECT_EQ(groupNumber({}, "010-123-4567"), "0101234567") << "ten digits once the dashes go";
    EXPECT_EQ(groupNumber({}, "010-123-456"), std::nullopt);
    EXPECT_EQ(groupNumber({"0101234567"}, "010-1234-567"), std::nullopt) << "twice";
    EXPECT_EQ(groupNumber({}, "010-1234-56a7"), std::nullopt);
    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << QStringLiteral("이%1").arg(i);
    EXPECT_TRUE(
        refusedPeopleText(eleven).endsWith("오류회원[이1,이2,이3,이4,이5,이6,이7,이8,이9,이10,\r\n이11]"));
    EXPECT_EQ(SmsTexts::done(25, 23),
              "25 건의 메세지중 23 건을 완료하였습니다.\r\n\r\n사용한 캐쉬금액은 690 원 입니다.");
}

// The recipients of each source, the name bound as typed, sellers hidden by another user left out.
TEST(SmsDeskTest, RecipientsComeFromEachSourceByName) {
    std::unique_ptr<TestOffice> office = TestOffice::make(Backend::Sqlite, Desk::UniqueOffice);
    TERAN_REQUIRE_SERVICE(office != nullptr, "the vendor server");
    SqlStore& local = office->local();
    local.execute("INSERT INTO maedoin (uname, uhp, addr1, opid) VALUES (?,?,?,?)",
                  {"홍길동", "010-1111-2222", "서울", ""});
    local.execute("INSERT INTO maedoin (uname, uhp, opid) VALUES (?,?,?)",
                  {"홍비밀", "010-3333-4444", "st2"});
    local.execute("INSERT INTO maesuin (name, hantel) VALUES (?,?)", {"O'Brien 100%", "010-5555-6666"});
    local.execute("INSERT INTO namecard (part, name, hantel) VALUES (?,?,?)",
                  {"namecard", "김명함", "010-7777-8888"});
    local.execute("INSERT INTO namecard (part, name, hantel) VALUES (?,?,?)",
                  {"customer", "김고객", "010-9999-0000"});
    EXPECT_EQ(smsRecipients(local, SmsSource::Sellers, "st1", "홍").size(), 1);
    EXPECT_EQ(smsRecipients(local, SmsSource::Sellers, "st2", "").size(), 2);
    EXPECT_EQ(smsRecipients(local, SmsSource::Sellers, "st1", "").first().address, "서울");
    EXPECT_EQ(smsRecipients(local, SmsSource::Buyers, "st1", "'Brien 100%").size(), 1);
    EXPECT_EQ(smsRecipients(local, SmsSource::Buyers, "st1", "0%'--").size(), 0);
    EXPECT_EQ(smsRecipients(local, SmsSource::Cards, "st1", "").first().name, "김명함");
    EXPECT_EQ(smsRecipients(local, SmsSource::Customers, "st1", "김").first().mobile, "010-9999-0000");
}

TEST(SmsDeskTest, EverySampleCanBeSentWithoutACut) {
    for (const QString& sample : SmsTexts::samples()) {
        EXPECT_LE(smsByteLength(sample), 80) << sample.toStdString();
        EXPECT_EQ(smsTextProblem(sample), std::nullopt) << sample.toStdString();
    }
}
