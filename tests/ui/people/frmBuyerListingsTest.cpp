#include "people/frmBuyerListings.h"

#include "PdfText.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "people/BuyerRegister.h"
#include "people/frmMaesu.h"
#include "people/frmMatch.h"
#include "session/SettingsStore.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

class BuyerMatchWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    // An apartment buyer of 20–30평 for 10,000–20,000 만원, as the user types him.
    int typeBuyer(frmMaesu& window, const QString& name) {
        window.cmdNew_Click();
        control<QLineEdit>(window, "txtName")->setText(name);
        control<QComboBox>(window, "cboTb")->setCurrentText("아파트");
        control<QComboBox>(window, "cboTy")->setCurrentText("매매");
        control<QComboBox>(window, "Sp1")->setCurrentText("20");
        control<QComboBox>(window, "Sp2")->setCurrentText("30");
        control<QComboBox>(window, "Sm1")->setCurrentText("10,000");
        control<QComboBox>(window, "Sm2")->setCurrentText("20,000");
        EXPECT_TRUE(window.cmdSave_Click());
        return window.currentNumber();
    }
    int addApartment(double area, qint64 price) {
        return office->addOwn({{"addr1", "서울"}, {"addr3", "역삼동"}, {"pyung", area}, {"money_m", price}});
    }
    static QStringList column(QTreeWidget* grid, int c) {
        QStringList cells;
        for (int i = 0; i < grid->topLevelItemCount(); ++i)
            cells << grid->topLevelItem(i)->text(c);
        return cells;
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

// 맞는 매물 from the buyer register: the listings that fit, a page at a time; the ticked ones
// printed for the buyer are marked sent on paper, a dismissed one leaves the list, and the
// shared list says when the server is not there.
TEST_F(BuyerMatchWindowsTest, TheListingsForABuyerArePagedPrintedAndDismissed) {
    for (int i = 0; i < 21; ++i)
        addApartment(25, 15000 + i * 100);
    addApartment(25, 21000); // 5 % over
    addApartment(25, 40000);
    frmMaesu buyers(office->session());
    ASSERT_GT(typeBuyer(buyers, "김매수"), 0);

    buyers.cmdListings_Click();
    auto* window = office->outlets.last<frmBuyerListings>();
    ASSERT_NE(window, nullptr);
    auto* grid = control<QTreeWidget>(*window, "lvListings");
    EXPECT_EQ(control<QLabel>(*window, "lblPage")->text(), "1 / 2  검색된 데이타가 총 22 건입니다.");
    EXPECT_EQ(grid->topLevelItemCount(), frmBuyerListings::kPageSize);
    EXPECT_EQ(grid->topLevelItem(0)->text(1), "아파트 매매 역삼동 25평 15,000만원")
        << "the middle of the range first";
    control<QPushButton>(*window, "cmdNext")->click();
    EXPECT_EQ(column(grid, 3), (QStringList{"", "가격 5% 초과"}));
    EXPECT_FALSE(control<QPushButton>(*window, "cmdNext")->isEnabled());

    window->tick(0, true);
    window->tick(1, true);
    window->cmdPrint_Click();
    ASSERT_EQ(office->outlets.pages.size(), 1u);
    const RenderedPdf pdf = renderPdf(office->outlets.pages.front());
    EXPECT_TRUE(pdf.text.contains("맞는 매물 - 김매수")) << pdf.text.toStdString();
    EXPECT_TRUE(pdf.text.contains("아파트 매매 10,000~20,000만원 20~30평"));
    EXPECT_TRUE(pdf.text.contains("가격 5% 초과"));
    EXPECT_EQ(column(grid, 4), (QStringList{"12/06 인쇄", "12/06 인쇄"}));

    // 관심없음 asks first, naming how many go; 아니오 keeps them, 예 drops the ticked ones.
    grid->setCurrentItem(grid->topLevelItem(1));
    office->dialogs.answerNext(DialogAnswer::No);
    window->cmdDismiss_Click();
    EXPECT_EQ(office->dialogs.lastText(), dismissQuestion("김매수", 1));
    EXPECT_EQ(office->dialogs.shown().last().buttons, DialogButtons::YesNoDefaultNo);
    EXPECT_EQ(window->shown().total, 22);
    window->tick(0, true);
    window->tick(1, true);
    office->answerYes();
    window->cmdDismiss_Click();
    EXPECT_EQ(office->dialogs.lastText(), dismissQuestion("김매수", 2));
    EXPECT_EQ(control<QLabel>(*window, "lblPage")->text(), "1 / 1  검색된 데이타가 총 20 건입니다.");

    office->session().serverStore().close();
    window->chooseList(ListKind::Shared);
    EXPECT_EQ(control<QComboBox>(*window, "cboSource")->currentText(), "공유매물");
    EXPECT_EQ(control<QLabel>(*window, "lblPage")->text(), "공유매물은 인터넷 접속 중에만 볼 수 있습니다.");
    EXPECT_EQ(grid->topLevelItemCount(), 0);
}

// 맞는 매수인 of a listing: a buyer who does not want it is dismissed and stays away; the
// tolerance the user sets is kept for him and decides the near fits.
TEST_F(BuyerMatchWindowsTest, TheBuyersOfAListingAreDismissedAndTheToleranceIsKept) {
    frmMaesu buyers(office->session());
    typeBuyer(buyers, "김매수");
    typeBuyer(buyers, "이매수");
    const int listing = addApartment(25, 21000); // 5 % over both

    frmMatch match(office->session(), listing);
    auto* list = control<QTreeWidget>(match, "lvMatch");
    EXPECT_EQ(column(list, 0), (QStringList{"이매수", "김매수"}));
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Unchecked) << "a near fit is not ticked";
    list->setCurrentItem(list->topLevelItem(0));
    office->dialogs.answerNext(DialogAnswer::No);
    match.cmdDismiss_Click();
    EXPECT_EQ(office->dialogs.lastText(), dismissQuestion("이매수", 1));
    EXPECT_EQ(column(list, 0), (QStringList{"이매수", "김매수"})) << "아니오 keeps the buyer";
    office->answerYes();
    match.cmdDismiss_Click();
    EXPECT_EQ(column(list, 0), QStringList{"김매수"});
    EXPECT_EQ(frmMatch(office->session(), listing).fitCount(), 1) << "dismissed for good";

    match.setTolerance(3);
    EXPECT_EQ(match.fitCount(), 0);
    EXPECT_EQ(SettingsStore::ofUser(office->session()).matchTolerance(), 3);
    frmMatch again(office->session(), listing);
    EXPECT_EQ(control<QSpinBox>(again, "txtTolerance")->value(), 3);
}
