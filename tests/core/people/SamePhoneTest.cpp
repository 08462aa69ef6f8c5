#include "people/SamePhone.h"
#include "TestOffice.h"
#include "people/BuyerRegister.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class SamePhoneTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    int addBuyer(const QString& name, const QString& mobile, bool ticked) {
        Buyer b;
        b.contact.name = name;
        b.contact.hantel = mobile;
        return BuyerRegister(office->session()).save({b, ticked, false, {}, {}}).number;
    }
    int addCustomer(const QString& name, const QString& mobile) {
        Card c;
        c.contact.name = name;
        c.contact.hantel = mobile;
        return CardBook(office->session(), CardPart::Customer).save(c, {}).number;
    }
    std::optional<PhoneHolder> holder(const QString& mobile, const QString& table = {}, int number = 0) {
        return findPhoneHolder(office->session(), mobile, table, number);
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

TEST(PhoneDigits, OnlyTheDigitsCount) {
    EXPECT_EQ(phoneDigits("010-1234-5678"), "01012345678");
    EXPECT_EQ(phoneDigits(" 010 1234.5678 "), "01012345678");
    EXPECT_EQ(phoneDigits("없음"), "");
}

// The same mobile number, however written, names the person who has it; the row being saved,
// a private buyer of another user and an owner hidden by another user do not count.
TEST_P(SamePhoneTest, ASecondRecordOfTheSameMobileIsNamed) {
    const int customer = addCustomer("홍'길동", "010-1234-5678");
    std::optional<PhoneHolder> found = holder("01012345678");
    ASSERT_TRUE(found);
    EXPECT_EQ(samePhoneQuestion(*found),
              "같은 휴대폰 번호가 고객 '홍'길동'에 있습니다. 계속 저장하시겠습니까 ?");
    EXPECT_FALSE(holder("010 1234 5678", "namecard", customer)) << "its own row is no other record";
    EXPECT_FALSE(holder(""));
    EXPECT_FALSE(holder("010-9999-0000"));

    office->loginAs("st1");
    addBuyer("비밀 손님", "010-2222-3333", true);
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

INSTANTIATE_TEST_SUITE_P(Backends, SamePhoneTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
