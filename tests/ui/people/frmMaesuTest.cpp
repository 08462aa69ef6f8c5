#include "people/frmMaesu.h"

#include "TestOffice.h"
#include "WidgetControls.h"
#include "people/BuyerRegister.h"
#include "people/CardBook.h"
#include "people/frmWork.h"
#include "session/ColumnWidths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

class frmMaesuTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        open();
    }
    void open() { window = std::make_unique<frmMaesu>(office->session()); }
    QComboBox* box(const char* name) { return control<QComboBox>(*window, name); }
    bool visible(const char* name) { return control<QWidget>(*window, name)->isVisibleTo(window.get()); }
    // A buyer of a 20–30평 apartment for 10,000–20,000 만원, typed and saved.
    bool addBuyer(const QString& name, bool secret = false) {
        window->cmdNew_Click();
        control<QLineEdit>(*window, "txtName")->setText(name);
        box("cboTb")->setCurrentText("아파트");
        box("cboTy")->setCurrentText("매매");
        box("Sp1")->setCurrentText("20");
        box("Sp2")->setCurrentText("30");
        box("Sm1")->setCurrentText("10,000");
        box("Sm2")->setCurrentText("20,000");
        control<QCheckBox>(*window, "opidMaesu")->setChecked(secret);
        return window->cmdSave_Click();
    }
    QStringList names() {
        auto* list = control<QTreeWidget>(*window, "lvMy");
        QStringList shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shown << list->topLevelItem(i)->text(3);
        return shown;
    }
    // Chooses the buyer in the list; his notes as the note list shows them.
    QStringList notesOf(const QString& name) {
        auto* list = control<QTreeWidget>(*window, "lvMy");
        list->setCurrentItem(list->topLevelItem(int(names().indexOf(name))));
        QStringList shown;
        for (int i = 0; i < notes()->topLevelItemCount(); ++i)
            shown << notes()->topLevelItem(i)->text(2);
        return shown;
    }
    QTreeWidget* notes() { return control<QTreeWidget>(*window, "lvWork"); }
    // Writes a new note in the note window opened last and saves it.
    bool writeNote(const QString& text) {
        auto* note = office->outlets.last<frmWork>();
        if (!note || note->currentNote() != 0)
            return false;
        control<QPlainTextEdit>(*note, "workVw")->setPlainText(text);
        return note->cmdSave_Click();
    }
    std::unique_ptr<TestOffice> office;
    std::unique_ptr<frmMaesu> window;
};

} // namespace

// The panel shows the ranges the type and transaction want.
TEST_F(frmMaesuTest, TheRangesFollowTheTypeAndTheTransaction) {
    box("cboTb")->setCurrentText("아파트");
    box("cboTy")->setCurrentText("매매");
    EXPECT_TRUE(visible("picSp"));
    EXPECT_FALSE(visible("picSlp"));
    EXPECT_FALSE(visible("Sm3"));
    EXPECT_EQ(control<QLabel>(*window, "lblSm1")->text(), "매 매 가");
    box("cboTb")->setCurrentText("공장");
    box("cboTy")->setCurrentText("월세");
    EXPECT_FALSE(visible("picSp"));
    EXPECT_TRUE(visible("picSlp"));
    EXPECT_TRUE(visible("Sm3"));
    EXPECT_EQ(control<QLabel>(*window, "lblSm1")->text(), "보증금");
    EXPECT_EQ(control<QLabel>(*window, "lblSm3")->text(), "월세");
    box("cboTb")->setCurrentText("토지");
    EXPECT_EQ(box("Sp1")->itemText(0), "50") << "land starts at 50평";
    EXPECT_EQ(box("Sm1")->itemText(box("Sm1")->count() - 1), "500,000");
}

// A buyer typed and saved is listed with his ranges and found by a search whose bounds hold
// them; the tab "검색" comes once.
TEST_F(frmMaesuTest, ABuyerIsSavedAndFoundByTheBoundsOfASearch) {
    QSignalSpy statuses(window.get(), &PersonWindow::statusChanged);
    ASSERT_TRUE(addBuyer("김매수"));
    QStringList said;
    for (const QList<QVariant>& signal : statuses)
        said << signal.at(0).toString();
    EXPECT_TRUE(said.contains("매수인관리 (총 1 개의 데이타중 1 개 로딩중입니다.)"))
        << said.join('|').toStdString();
    EXPECT_EQ(office->dialogs.lastText(), "등록되었습니다");
    EXPECT_EQ(office->dialogs.shown().last().title, "매수인 등록하기");
    EXPECT_EQ(names(), QStringList{"김매수"});
    auto* list = control<QTreeWidget>(*window, "lvMy");
    const QStringList captions = BuyerRegister::listCaptions();
    EXPECT_EQ(list->topLevelItem(0)->text(int(captions.indexOf("금액"))), "10,000~20,000 / 0~0");
    EXPECT_EQ(list->topLevelItem(0)->text(int(captions.indexOf("평수"))), "20~30 / 0~0");
    EXPECT_EQ(window->statusText(), "매수인관리 (검색결과 1 명)");

    window->cmdSuchmode_Click();
    box("Sp1")->setCurrentText("10");
    box("Sp2")->setCurrentText("40");
    window->cmdSuch_Click();
    EXPECT_EQ(names(), QStringList{"김매수"});
    window->cmdSuchmode_Click();
    box("Sp1")->setCurrentText("25");
    window->cmdSuch_Click();
    EXPECT_TRUE(names().isEmpty());
    auto* tabs = control<QTabBar>(*window, "tabMaesu");
    EXPECT_EQ(tabs->tabText(tabs->count() - 1), "검색");
    EXPECT_EQ(tabs->tabText(tabs->count() - 2), "전체");
    window->cmdSuchoff_Click();
    EXPECT_EQ(names(), QStringList{"김매수"});
}

// A private buyer stays with the user who marked him (and the main account); the move to the
// customers copies him and, when the user says so, leaves the buyers.
TEST_F(frmMaesuTest, APrivateBuyerIsHiddenAndAMoveCopiesTheBuyer) {
    office->loginAs("st1");
    open();
    ASSERT_TRUE(addBuyer("비밀 손님", true));
    office->loginAs("st2");
    open();
    EXPECT_TRUE(names().isEmpty());
    office->loginAs("off1");
    open();
    ASSERT_EQ(names(), QStringList{"비밀 손님"});
    control<QTreeWidget>(*window, "lvMy")
        ->setCurrentItem(control<QTreeWidget>(*window, "lvMy")->topLevelItem(0));
    EXPECT_TRUE(control<QCheckBox>(*window, "opidMaesu")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*window, "opidMaesu")->isEnabled());

    office->dialogs.answerNext(DialogAnswer::Yes); // save to the customers
    office->dialogs.answerNext(DialogAnswer::Yes); // and leave the buyers
    ASSERT_TRUE(window->cmdMove_Click());
    EXPECT_EQ(office->dialogs.lastText(),
              "고객관리 목록으로 이동하였습니다.\r\n\r\n매수인 목록에서 삭제하시겠습니까?");
    EXPECT_TRUE(names().isEmpty());
    CardBook customers(office->session(), CardPart::Customer);
    const QList<Card> moved = customers.list({"전체", std::nullopt}, 10);
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.first().contact.name, "비밀 손님");
    EXPECT_EQ(moved.first().contact.groupin, "매수인");
}

// A buyer without notes gets his first one from 새 메모 or from a double click on the empty
// note list (below a note, a second one); the notes come back when the window opens again.
TEST_F(frmMaesuTest, ABuyersFirstNoteStartsFromTheButtonOrTheEmptyList) {
    ASSERT_TRUE(addBuyer("김매수"));
    ASSERT_TRUE(addBuyer("이매수"));
    window->cmdNew_Click();
    control<QPushButton>(*window, "cmdNewNote")->click();
    EXPECT_EQ(office->dialogs.lastText(), "메모를 남길 사람을 목록에서 고르거나 먼저 저장해 주세요.");
    EXPECT_EQ(office->outlets.last<frmWork>(), nullptr) << "no buyer, no note window";

    ASSERT_TRUE(notesOf("김매수").isEmpty());
    control<QPushButton>(*window, "cmdNewNote")->click();
    ASSERT_TRUE(writeNote("첫 상담"));
    EXPECT_EQ(notes()->topLevelItemCount(), 1) << "the saved note shows in the list";
    ASSERT_TRUE(notesOf("이매수").isEmpty());
    QTest::mouseDClick(notes()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(writeNote("전화 문의"));
    QTest::mouseDClick(notes()->viewport(), Qt::LeftButton, {}, QPoint(10, 400));
    ASSERT_TRUE(writeNote("방문 약속"));

    open();
    EXPECT_EQ(notesOf("김매수"), QStringList{"첫 상담"});
    EXPECT_EQ(notesOf("이매수").size(), 2);
}

// At the width of a laptop screen the list shows every cell whole, the wanted type, area and
// price before the contact columns that are often empty; a long remark is held to a bound.
TEST_F(frmMaesuTest, AtALaptopsWidthTheListShowsWhatTheBuyerWantsWhole) {
    window->resize(1366, 768);
    window->show();
    ASSERT_TRUE(addBuyer("김매수"));
    window->cmdNew_Click();
    control<QLineEdit>(*window, "txtName")->setText("이원룸");
    box("cboTb")->setCurrentText("점포/업소/상가");
    box("cboTy")->setCurrentText("월세");
    box("Sm1")->setCurrentText("1,000");
    box("Sm2")->setCurrentText("3,000");
    box("Sm3")->setCurrentText("50");
    box("Sm4")->setCurrentText("120");
    control<QLineEdit>(*window, "bigo")->setText(QString(120, QChar(u'가')));
    ASSERT_TRUE(window->cmdSave_Click());

    auto* list = control<QTreeWidget>(*window, "lvMy");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const QStringList captions = BuyerRegister::listCaptions();
    for (const char* contact : {"이메일", "집전화", "핸드폰", "사무실", "팩스"})
        for (const char* wanted : {"종목", "형태", "금액", "평수"})
            EXPECT_LT(captions.indexOf(wanted), captions.indexOf(contact)) << wanted << " " << contact;

    const int widest = ColumnWidths(list).maximumWidth();
    const QFontMetrics metrics(list->font());
    for (int c = 0; c < list->columnCount(); ++c) {
        const int width = list->header()->sectionSize(c);
        EXPECT_GE(width, list->header()->fontMetrics().horizontalAdvance(captions.at(c))) << c;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            const QString text = list->topLevelItem(r)->text(c);
            EXPECT_GE(width, std::min(metrics.horizontalAdvance(text), widest)) << text.toStdString();
        }
    }
    const int remark = int(captions.indexOf("비고"));
    EXPECT_LE(list->header()->sectionSize(remark), widest);
    EXPECT_LT(widest, list->viewport()->width() / 2);
}
