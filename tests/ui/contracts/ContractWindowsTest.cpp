#include "ui/contracts/frmGaeyak.h"
#include "ui/contracts/frmGaeyakMk.h"
#include "ui/contracts/frmGaeyakMul.h"
#include "ui/contracts/frmGaeyakRec.h"
#include "ui/contracts/frmLedger.h"
#include "ui/register/frmInsert.h"

#include "ContractSamples.h"
#include "PdfText.h"
#include "TestOffice.h"
#include "core/contracts/ContractRegister.h"
#include "core/contracts/ContractStore.h"
#include "core/contracts/ListingLedger.h"
#include "ui/register/ListingForm.h"

#include "WidgetControls.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

// The contract windows of an office logged in online, on the real stores.
class ContractWindowsTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        office->session().state().AuthConfig = sampleOffice();
    }

    std::unique_ptr<frmGaeyakMk> contractWindow(ContractRequest request) {
        auto window = std::make_unique<frmGaeyakMk>(office->session(), request);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        return window;
    }

    void set(QWidget& window, const char* name, const QString& text) {
        if (auto* box = control<QLineEdit>(window, QLatin1String(name)))
            box->setText(text);
    }

    // Types an amount as the user does, so that the key checks and the balance run.
    void typeAmount(QWidget& window, const char* name, const QString& digits) {
        auto* box = control<QLineEdit>(window, QLatin1String(name));
        box->setFocus();
        QTest::keyClicks(box, digits);
    }

    QString rawOf(QWidget& window, const char* name) {
        return control<QLineEdit>(window, QLatin1String(name))->property("rawValue").toString();
    }

    int count(const char* table) {
        return office->local()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)))
            .toInt();
    }

    // The k-th window opened from the windows under test.
    template <typename T> T* opened(int k) { return qobject_cast<T*>(office->outlets.window(k)); }
    int openedCount() { return office->outlets.windowCount(); }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// Drafted from a listing, saved, reopened and printed, a contract shows the same amounts and
// words; the second save updates the row the first made.
TEST_P(ContractWindowsTest, AContractDraftedFromAListingIsSavedReopenedAndPrinted) {
    const int listing = office->addListing({{"money_m", 85000},
                                            {"addr1", "서울"},
                                            {"addr2", "강남구"},
                                            {"addr3", "역삼동"},
                                            {"addr4", "831-2"}});
    auto window = contractWindow({false, 0, listing, ContractKind::Sale, "apt"});
    EXPECT_EQ(rawOf(*window, "Mmoney_0"), "85000");
    EXPECT_EQ(control<QLineEdit>(*window, "Mmoney1")->text(), "850,000,000");
    EXPECT_EQ(control<QLineEdit>(*window, "addressM")->text(), "서울 강남구 역삼동 831-2");
    EXPECT_EQ(control<QLineEdit>(*window, "Mshop3")->text(), "테란공인중개사");
    typeAmount(*window, "Mmoney_2", "8500");
    EXPECT_EQ(rawOf(*window, "Mmoney_5"), "76500") << "the balance follows the deposit";
    control<QRadioButton>(*window, "optChange_1")->click();
    set(*window, "Mname1", "홍길동");
    set(*window, "Mjunim1_1", "800101");
    set(*window, "Mjunim1_2", "1000008");
    set(*window, "Mname3", "김철수");
    set(*window, "Maddr3", "경기 성남시 분당구 2");

    ASSERT_TRUE(window->cmdGyakSave_Click());
    EXPECT_EQ(office->dialogs.shown().last().text, "저장되었습니다");
    EXPECT_EQ(office->dialogs.shown().last().title, "계약서 등록");
    const int number = window->contract().number;
    ASSERT_GT(number, 0);
    set(*window, "Mname3", "김영희");
    ASSERT_TRUE(window->cmdGyakSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "수정되었습니다.");
    EXPECT_EQ(count("mem_moo_con"), 1);

    // The listing's contract opens again instead of a new one.
    auto again = contractWindow({false, 0, listing, ContractKind::Sale, "apt"});
    EXPECT_EQ(again->contract().number, number);
    EXPECT_EQ(rawOf(*again, "Mmoney_2"), "8500");
    EXPECT_EQ(control<QLineEdit>(*again, "Mmoney_2")->text(), "8,500") << "in 만원, as typed";
    EXPECT_EQ(control<QLabel>(*again, "Mmoney_2_words")->text(), "팔천오백만원") << "in the notation stored";
    EXPECT_EQ(control<QLineEdit>(*again, "Mname3")->text(), "김영희");
    again->cmdGyakPrint_Click();
    ASSERT_EQ(office->outlets.pages.size(), 1u);
    const QString text = renderPdf(office->outlets.pages.back()).text.simplified();
    for (const char* wanted :
         {"서울 강남구 역삼동 831-2", "금 팔억오천만원정 ( ₩ 850,000,000원정 )",
          "금 팔천오백만원정을 계약시에", "금 칠억육천오백만원정은", "홍길동", "김영희", "800101 - 1000008"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(wanted))) << wanted << "\n" << text.toStdString();
}

// A contract or a receipt typed into is not closed without a question; a draft nobody typed
// into, or a receipt shown as it came, closes.
TEST_P(ContractWindowsTest, TypedChangesAreAskedAboutBeforeAContractOrAReceiptCloses) {
    const int listing = office->addListing({{"money_m", 85000}, {"addr1", "서울"}, {"addr2", "강남구"}});
    auto untouched = contractWindow({false, 0, listing, ContractKind::Sale, "apt"});
    EXPECT_TRUE(untouched->close());
    EXPECT_TRUE(office->dialogs.shown().isEmpty());

    auto window = contractWindow({false, 0, listing, ContractKind::Sale, "apt"});
    set(*window, "Mname3", "김철수");
    office->dialogs.answerNext(DialogAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(office->dialogs.lastText().startsWith("저장하지 않은 변경 내용이 있습니다."));
    EXPECT_EQ(count("mem_moo_con"), 0);
    office->dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(count("mem_moo_con"), 1) << "saved on the way out";

    const qsizetype asked = office->dialogs.shown().size();
    frmGaeyakRec blank(office->session());
    blank.show();
    EXPECT_TRUE(blank.close());
    EXPECT_EQ(office->dialogs.shown().size(), asked) << "a receipt as it came closes unasked";

    frmGaeyakRec receipt(office->session());
    receipt.setAttribute(Qt::WA_DeleteOnClose, false);
    receipt.show();
    set(receipt, "txtName", "김영수");
    office->dialogs.answerNext(DialogAnswer::Cancel);
    EXPECT_FALSE(receipt.close());
    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_TRUE(receipt.close());
    EXPECT_EQ(count("mem_moo_rec"), 0) << "discarded, not saved";
}

TEST_P(ContractWindowsTest, AContractNeedsItsLocationAndAskBeforeKeepingAnOddResidentNumber) {
    auto window = contractWindow({false, 0, 0, ContractKind::Jeonse, "apt"});
    EXPECT_TRUE(control<QWidget>(*window, "picGaeyakJ")->isVisible());
    EXPECT_FALSE(control<QWidget>(*window, "picGaeyakM")->isVisible());
    EXPECT_EQ(control<QLabel>(*window, "Jlbltitle")->text(), "부동산 전세계약서");
    EXPECT_FALSE(window->cmdGyakSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "소재를 입력해 주세요.");
    window->cmdMul_Click();
    EXPECT_EQ(office->dialogs.lastText(), "확인서를 보시려면 소재지를 먼저 적으셔야합니다.");
    EXPECT_EQ(openedCount(), 0);

    set(*window, "Jadr4", "역삼동 123");
    set(*window, "Jjunim2_1", "900101");
    set(*window, "Jjunim2_2", "5123456"); // a number issued since 2020 need not follow the old rule
    EXPECT_FALSE(window->cmdGyakSave_Click()) << "answered No";
    EXPECT_TRUE(office->dialogs.lastText().contains("900101-5******"));
    EXPECT_EQ(office->dialogs.shown().last().title, "주민등록번호 확인");
    EXPECT_EQ(count("mem_moo_con"), 0);
    office->answerYes();
    EXPECT_TRUE(window->cmdGyakSave_Click());
    EXPECT_EQ(
        ContractStore(office->local(), office->clock).load(window->contract().number)->buyer.residentNumber,
        "9001015123456");
}

// A second receipt of the same type for the same contract asks first; No stores nothing. A
// receipt attests a sum paid: none of 0 won (an empty amount of the contract) is stored or
// printed.
TEST_P(ContractWindowsTest, ReceiptsAskBeforeASecondOfTheSameTypeAndNoneIsForNothing) {
    Contract k = sampleContract(ContractKind::Sale);
    k.money[sale::Interim2] = 0;
    ContractStore(office->local(), office->clock).save(k);
    auto window = contractWindow({true, k.number, 0, ContractKind::Sale, "apt"});
    control<QPushButton>(*window, "cmdRecG")->click();
    ASSERT_EQ(openedCount(), 1);
    auto* receipt = opened<frmGaeyakRec>(0);
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(control<QLineEdit>(*receipt, "txtSn")->text(), "1");
    EXPECT_EQ(control<QLineEdit>(*receipt, "txtMoney2")->text(), "120,000,000");
    ASSERT_TRUE(receipt->cmdSave_Click());
    EXPECT_EQ(office->dialogs.shown().last().title, "영수증");

    control<QPushButton>(*window, "cmdRecG")->click();
    auto* second = opened<frmGaeyakRec>(1);
    EXPECT_FALSE(second->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(),
              "계약금 에 대한 영수증이 존재합니다.\r\n\r\n 그래도 등록하시겠습니까 ? ");
    EXPECT_EQ(count("mem_moo_rec"), 1);
    office->answerYes();
    EXPECT_TRUE(second->cmdSave_Click());
    EXPECT_EQ(count("mem_moo_rec"), 2);
    control<QPushButton>(*window, "cmdRecO")->click();
    EXPECT_TRUE(opened<frmGaeyakRec>(2)->cmdSave_Click()) << "the balance's receipt asks nothing";

    control<QPushButton>(*window, "cmdRecJ2")->click();
    auto* nothing = opened<frmGaeyakRec>(3);
    ASSERT_NE(nothing, nullptr);
    EXPECT_FALSE(nothing->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(),
              "영수한 금액(원)을 입력해 주세요. 0 원의 영수증은 발행할 수 없습니다.");
    nothing->cmdPrint_Click();
    EXPECT_TRUE(office->outlets.pages.empty());
    set(*nothing, "txtMoney2", "abc");
    EXPECT_FALSE(nothing->cmdSave_Click()) << "what is no number is no amount";
    EXPECT_EQ(count("mem_moo_rec"), 3);
    set(*nothing, "txtMoney2", "1,000,000");
    EXPECT_TRUE(nothing->cmdSave_Click());
    EXPECT_EQ(office->localValue("SELECT COUNT(*) FROM mem_moo_rec WHERE money2 = 1000000").toInt(), 1);
}

TEST_P(ContractWindowsTest, TheRegisterOpensAndDeletesWhatIsChecked) {
    ContractStore contracts(office->local(), office->clock);
    for (int i = 0; i < 3; ++i) {
        Contract k = sampleContract(ContractKind::Sale);
        k.seller.name = QStringLiteral("매도인%1").arg(i);
        contracts.save(k);
        office->clock.set(office->clock.now().addSecs(60));
    }
    frmGaeyak reg(office->session());
    QTreeWidget* list = reg.list();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "매도인2(010-1111-2222)") << "newest first";
    reg.cmdDel_Click();
    EXPECT_EQ(office->dialogs.lastText(), "선택된 항목이 없습니다.");
    reg.lvGaeyak_DblClick(list->topLevelItem(1));
    ASSERT_EQ(openedCount(), 1);
    EXPECT_EQ(opened<frmGaeyakMk>(0)->contract().seller.name, "매도인1");

    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    office->answerYes();
    reg.cmdDel_Click();
    EXPECT_EQ(office->dialogs.lastText(), "삭제되었습니다.");
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(count("mem_moo_con"), 2);
    reg.selectTab(registerTab::Receipts);
    reg.cmdDel_Click();
    EXPECT_EQ(office->dialogs.lastText(), "선택된 매물이 없습니다.");
}

// The registration window's tenant and loan buttons: refused before the listing is stored,
// then the totals of the table go into the listing's amounts.
TEST_P(ContractWindowsTest, TenantTotalsGoIntoTheRegistrationWindow) {
    auto fresh = std::make_unique<frmInsert>(office->session(), RegistrationRequest{});
    fresh->openLedger(LedgerKind::Tenants);
    EXPECT_EQ(office->dialogs.lastText(), "임차인현황을 등록하시려면 매물을 먼저 저장하셔야 합니다.");
    EXPECT_EQ(office->dialogs.shown().last().title, "임차인현황");

    const int listing = office->addListing({{"tb", "building"}, {"money_m", 300000}});
    frmInsert window(office->session(), RegistrationRequest{EditMode::Edit, listing});
    office->outlets.onWindow = [](QObject* opened) {
        auto* ledger = qobject_cast<frmLedger*>(opened);
        ASSERT_NE(ledger, nullptr);
        const QList<QStringList> rows{{"1", "편의점", "5000", "250", "30"},
                                      {"2", "학원", "3,000", "150", "0"}};
        for (const QStringList& row : rows) {
            ledger->cmdAdd_Click();
            for (int c = 0; c < row.size(); ++c)
                ledger->grid()->setItem(ledger->grid()->rowCount() - 1, c, new QTableWidgetItem(row[c]));
        }
        EXPECT_EQ(control<QLabel>(*ledger, "lblimcha")->text(),
                  "보증금 합계: 8,000만원, 월세 합계: 400만원, 관리비 합계: 30만원");
        ledger->cmdjuk_Click();
        ledger->close();
    };
    window.openLedger(LedgerKind::Tenants);
    EXPECT_EQ(window.form().text("money_mb"), "8,000");
    EXPECT_EQ(window.form().text("money_mw"), "400");
    const LedgerTable stored =
        ListingLedgerStore(office->local(), office->clock).load(LedgerKind::Tenants, listing);
    EXPECT_EQ(stored.rows.size(), 2) << "closing saves the table";
}

TEST_P(ContractWindowsTest, TheConfirmationFormOfAContractIsSavedToBothStores) {
    Contract k = sampleContract(ContractKind::Sale);
    auto window = contractWindow({false, 0, 0, ContractKind::Sale, "apt"});
    window->showDraft(k);
    window->cmdMul_Click();
    ASSERT_EQ(openedCount(), 1);
    auto* form = opened<frmGaeyakMul>(0);
    EXPECT_EQ(control<QLineEdit>(*form, "Text11_8")->text(), "홍길동");
    EXPECT_EQ(control<QLineEdit>(*form, "Text11_6")->text(), "880101 - 1234567");
    control<QLineEdit>(*form, "Text1_0")->setText("100");
    control<QRadioButton>(*form, "Option2_1")->click();
    EXPECT_FALSE(form->cmdSave_Click()) << "the question answered No";
    EXPECT_EQ(office->dialogs.shown().last().title, "중개대상물확인 설명서 저장");
    office->answerYes();
    ASSERT_TRUE(form->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "저장되었습니다.");
    EXPECT_EQ(count("mem_moo_mul"), 1);
    EXPECT_EQ(office->server()
                  .scalar("SELECT text1_0 FROM mem_moo_mul WHERE `ID`=?", {office->officeId()})
                  .toString(),
              "100");
    const std::optional<ConfirmationForm> stored =
        ConfirmationFormStore(office->session()).load(form->current().number);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->box("Text11_12"), "김철수");
    EXPECT_EQ(stored->options, form->current().options);
}

INSTANTIATE_TEST_SUITE_P(Backends, ContractWindowsTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
