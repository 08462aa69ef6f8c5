#include "ui/people/frmDaily.h"
#include "ui/people/frmDailyIn.h"

#include "PdfText.h"
#include "TestOffice.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTreeWidget>
#include <memory>

using namespace teran;
using namespace teran::test;

namespace {

// The schedule window of a logged-in user; the entry windows it opens are caught, not shown.
class frmDailyTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        window = std::make_unique<frmDaily>(office->session());
    }
    // The entry window opened last.
    frmDailyIn* entry() { return office->outlets.last<frmDailyIn>(); }
    // The text of the page printed last.
    QString lastPrinted() {
        const auto& pages = office->outlets.pages;
        return pages.empty() ? QString() : renderPdf(pages.back()).text.simplified();
    }
    template <typename T = QLineEdit> T* in(const char* name) { return entry()->findChild<T*>(name); }
    QTreeWidget* list(const char* name) { return window->findChild<QTreeWidget*>(name); }
    QDate today() { return office->clock.today(); }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<frmDaily> window;
};

} // namespace

TEST_F(frmDailyTest, AnAppointmentIsEnteredRemindedChangedAndDeleted) {
    window->cmdS_Click();
    ASSERT_NE(entry(), nullptr);
    EXPECT_EQ(entry()->windowTitle(), "스케쥴 - 등록");
    EXPECT_EQ(entry()->action(), "daily");
    EXPECT_EQ(in<QDateEdit>("dayS")->date(), today());
    EXPECT_FALSE(entry()->cmdSaveS_Click());
    EXPECT_EQ(office->dialogs.lastText(), "이름을 입력해주세요");
    EXPECT_EQ(office->dialogs.shown().last().title, "스케쥴관리");

    in<QDateEdit>("dayS")->setDate(today().addDays(2));
    in("txtName")->setText("김매도");
    in("company")->setText("대한상사");
    in("alim")->setText("3");
    ASSERT_TRUE(entry()->cmdSaveS_Click());
    EXPECT_EQ(office->dialogs.lastText(), "저장을 완료하였습니다.");
    EXPECT_EQ(entry()->windowTitle(), "스케쥴 - 수정") << "saved once, the window holds the stored entry";
    ASSERT_EQ(list("lvSauto")->topLevelItemCount(), 1) << "the reminder started yesterday";
    EXPECT_EQ(list("lvSauto")->topLevelItem(0)->text(2), "김매도(대한상사)");
    EXPECT_EQ(list("lvS")->topLevelItemCount(), 0) << "the day list shows today";
    in("jangso")->setText("현장");
    ASSERT_TRUE(entry()->cmdSaveS_Click());
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM mem_daily").toInt(), 1);

    window->chooseDay(today().addDays(2));
    EXPECT_TRUE(window->findChild<QLabel*>("title")->text().endsWith(" 일정표"));
    ASSERT_EQ(list("lvS")->topLevelItemCount(), 1);
    window->openEntry(list("lvS")->topLevelItem(0));
    EXPECT_EQ(entry()->windowTitle(), "스케쥴 - 수정");
    EXPECT_EQ(in("jangso")->text(), "현장");
    EXPECT_EQ(in("alim")->text(), "3");
    window->cmdPrintS_Click();
    const QString printed = lastPrinted();
    EXPECT_TRUE(printed.contains("김매도(대한상사) 현장")) << printed.toStdString();

    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(entry()->cmdDelS_Click());
    office->dialogs.answerNext(DialogAnswer::Yes);
    ASSERT_TRUE(entry()->cmdDelS_Click());
    EXPECT_EQ(office->dialogs.shown().last().text, "정말삭제하시겠습니까 ?");
    EXPECT_EQ(list("lvS")->topLevelItemCount(), 0);
    EXPECT_EQ(list("lvSauto")->topLevelItemCount(), 0);
}

TEST_F(frmDailyTest, TheDiaryTotalsItsLinesByPurposeAndPrintsThem) {
    window->showMoneyPart(true);
    const auto enter = [&](const QString& purpose, const char* amountBox, const QString& amount) {
        window->cmdM_Click();
        EXPECT_EQ(entry()->windowTitle(), "수입/지출 - 등록");
        in<QComboBox>("groupin")->setCurrentText(purpose);
        in(amountBox)->setText(amount);
        ASSERT_TRUE(entry()->cmdSaveM_Click());
        EXPECT_EQ(entry()->action(), "money2");
    };
    enter("수수료", "suip", "1,000");
    enter("경비", "jichul", "300");
    EXPECT_EQ(window->totalsText(), " 수입 [1,000 원]   지출 [300 원]   잔액 [700 원]");

    auto* tabs = window->findChild<QTabBar*>("tabGroup");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "전체");
    EXPECT_EQ(tabs->tabText(1), "경비");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(list("lvM")->topLevelItemCount(), 1);
    EXPECT_EQ(window->totalsText(), " 수입 [0 원]   지출 [300 원]   잔액 [-300 원]");
    tabs->setCurrentIndex(0);
    auto* purposes = window->findChild<QComboBox*>("groupin");
    EXPECT_EQ(purposes->itemText(0), "용도전체");
    purposes->setCurrentText("수수료");
    ASSERT_EQ(list("lvM")->topLevelItemCount(), 1);
    EXPECT_EQ(list("lvM")->topLevelItem(0)->text(1), "1,000");

    window->openEntry(list("lvM")->topLevelItem(0));
    EXPECT_EQ(entry()->windowTitle(), "수입/지출 - 수정");
    EXPECT_EQ(in("suip")->text(), "1,000");
    purposes->setCurrentIndex(0);
    window->cmdPrintM_Click();
    const QString printed = lastPrinted();
    EXPECT_TRUE(printed.contains("수입 [1,000 원] 지출 [300 원] 잔액 [700 원]")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("수수료") || printed.contains("1,000"));
}

// An entry typed but not saved is not dropped by 닫기 or Escape without a question.
TEST_F(frmDailyTest, AnUnsavedEntryIsAskedAboutBeforeItCloses) {
    window->cmdS_Click();
    ASSERT_NE(entry(), nullptr);
    QSignalSpy rejected(entry(), &QDialog::rejected);
    entry()->reject(); // nothing typed: it closes without a word
    EXPECT_EQ(rejected.size(), 1);
    const qsizetype boxes = office->dialogs.shown().size();
    EXPECT_EQ(boxes, 0);

    window->cmdS_Click();
    QSignalSpy again(entry(), &QDialog::rejected);
    in("txtName")->setText("박매수");
    office->dialogs.answerNext(DialogAnswer::Cancel);
    entry()->reject();
    EXPECT_EQ(again.size(), 0) << "staying keeps the entry open";
    EXPECT_TRUE(office->dialogs.lastText().startsWith("저장하지 않은 변경 내용이 있습니다."));
    office->dialogs.answerNext(DialogAnswer::Yes);
    entry()->reject();
    EXPECT_EQ(again.size(), 1);
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM mem_daily WHERE name='박매수'").toInt(), 1)
        << "saved on the way out";
}
