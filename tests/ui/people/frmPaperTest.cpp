#include "ui/people/frmPaper.h"
#include "ui/people/frmPaperin.h"
#include "ui/people/frmSms.h"

#include "TestOffice.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTreeWidget>
#include <memory>

using namespace teran;
using namespace teran::test;

namespace {

// The inquiry box of an office on the real vendor server, beside another office "offB".
class frmPaperTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        OfficeDetails& details = office->session().state().AuthConfig;
        details.name = "우리부동산";
        details.phone = "02-111-2222";
        details.email = "we@example.com";
        details.representative = "대표";
        for (const QString& id : {office->officeId(), QString("offB")})
            office->server().execute("INSERT INTO members (companyID, memID) VALUES (?, ?)", {id, id});
    }
    void leave(const QString& to, const QString& from, int listing, const QString& content) {
        InquiryDraft d{to, from, "apt", listing, false, "문의자", "010-3000-0001", "", "매물 문의", content};
        ASSERT_TRUE(InquiryPost(office->server()).send(d));
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

TEST_P(frmPaperTest, AMessageIsReadAnsweredAndDeletedInTheOfficesOwnBox) {
    const int listing = office->addListing();
    leave(office->officeId(), "", listing, "첫줄<br>둘째줄");
    leave(office->officeId(), "offB", listing, "B의 문의");
    leave("offB", office->officeId(), 5, "남의 함");

    frmPaper box(office->session());
    QSignalSpy listingRequests(&box, &frmPaper::listingRequested);
    EXPECT_EQ(box.statusText(), "문의함 - 검색된 데이타가 총 2 건입니다.");
    auto* list = box.findChild<QTreeWidget*>("lvPaper");
    ASSERT_EQ(list->topLevelItemCount(), 2);

    box.select(1); // the web's message, the older one
    ASSERT_NE(box.current(), nullptr);
    EXPECT_TRUE(box.current()->read);
    EXPECT_EQ(box.findChild<QPlainTextEdit*>("txtPaper")->toPlainText(), "첫줄\n둘째줄");
    EXPECT_TRUE(box.findChild<QLabel*>("lblDay")->text().startsWith("받은시간 ["));
    EXPECT_FALSE(box.findChild<QLabel*>("lblDay")->text().endsWith("읽은시간 []"));
    EXPECT_EQ(office->server()
                  .scalar("SELECT readok FROM mem_paper WHERE table_idx=?", {box.current()->number})
                  .toInt(),
              1);
    box.paper_Click();
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("인터넷에서 남긴 문의입니다. 문자나 전화로 답변해 주세요."))
        << "a web message has no member to answer";
    box.maemul_Click();
    ASSERT_EQ(listingRequests.size(), 1);
    EXPECT_EQ(listingRequests.first().first().toInt(), listing);
    box.sms_Click();
    EXPECT_NE(office->outlets.last<frmSms>(), nullptr);

    box.select(0); // from office B: answered back to B
    box.paper_Click();
    auto* answer = office->outlets.last<frmPaperin>();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->findChild<QLineEdit*>("hdnForm")->text(), "paper");
    EXPECT_EQ(answer->findChild<QLineEdit*>("title")->text(),
              QString("매물번호 %1 번에 관련  답변 입니다.").arg(listing));
    EXPECT_EQ(answer->findChild<QLineEdit*>("mname")->text(), "우리부동산");
    EXPECT_FALSE(answer->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "내용을 적어주세요");
    answer->findChild<QPlainTextEdit*>("content")->setPlainText("네, 가능합니다");
    ASSERT_TRUE(answer->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "메세지를 성공적으로 전달하였습니다.");
    EXPECT_EQ(InquiryBox(office->server(), "offB").list().size(), 2);

    const int number = box.current()->number;
    office->dialogs.answerNext(DialogAnswer::Yes);
    ASSERT_TRUE(box.cmdDel_Click());
    EXPECT_EQ(office->dialogs.shown().last().text, "정말 삭제하시겠습니까 ?");
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(office->server().scalar("SELECT COUNT(*) FROM mem_paper WHERE table_idx=?", {number}).toInt(),
              0);
}

INSTANTIATE_TEST_SUITE_P(Backends, frmPaperTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
