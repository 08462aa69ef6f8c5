#include "ui/people/frmMaesu.h"

#include "PdfText.h"
#include "PeopleWindows.h"
#include "core/people/CardBook.h"
#include "core/session/SettingsStore.h"
#include "ui/people/frmBuyerListings.h"
#include "ui/people/frmMaesuin.h"
#include "ui/people/frmMatch.h"
#include "ui/people/frmWork.h"
#include "ui/widgets/ColumnWidths.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

// The buyer register of the office, and the entry and match windows it opens.
class frmMaesuTest : public PeopleWindowTest {
protected:
    void SetUp() override {
        PeopleWindowTest::SetUp();
        if (office)
            open();
    }
    void open() { window = std::make_unique<frmMaesu>(office->session()); }
    QComboBox* box(const char* name) { return control<QComboBox>(*window, name); }
    bool visible(const char* name) { return control<QWidget>(*window, name)->isVisibleTo(window.get()); }
    bool addBuyer(const QString& name, bool secret = false) { return typeBuyer(*window, name, secret); }
    QTreeWidget* list() { return control<QTreeWidget>(*window, "lvMy"); }
    QStringList names() { return columnOf(list(), 3); }
    QTreeWidget* notes() { return control<QTreeWidget>(*window, "lvWork"); }
    // Chooses the buyer in the list; his notes as the note list shows them.
    QStringList notesShown(const QString& name) {
        list()->setCurrentItem(list()->topLevelItem(int(names().indexOf(name))));
        return columnOf(notes(), 2);
    }
    // Writes a new note in the note window opened last and saves it.
    bool writeNote(const QString& text) {
        auto* note = office->outlets.last<frmWork>();
        if (!note || note->currentNote() != 0)
            return false;
        control<QPlainTextEdit>(*note, "workVw")->setPlainText(text);
        return note->cmdSave_Click();
    }
    int addApartment(double area, qint64 price) {
        return office->addOwn({{"addr1", "서울"}, {"addr3", "역삼동"}, {"pyung", area}, {"money_m", price}});
    }
    std::unique_ptr<frmMaesu> window;
};

class frmMaesuinTest : public frmMaesuTest {};
class BuyerMatchWindowsTest : public frmMaesuTest {};

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
// them; the tab "검색" comes once; a double click opens him in the entry window.
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
    const QStringList captions = BuyerRegister::listCaptions();
    EXPECT_EQ(list()->topLevelItem(0)->text(int(captions.indexOf("금액"))), "10,000~20,000 / 0~0");
    EXPECT_EQ(list()->topLevelItem(0)->text(int(captions.indexOf("평수"))), "20~30 / 0~0");
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
    EXPECT_EQ(tabsOf(control<QTabBar>(*window, "tabMaesu")).last(2), (QStringList{"전체", "검색"}));
    window->cmdSuchoff_Click();
    EXPECT_EQ(names(), QStringList{"김매수"});

    Q_EMIT list()->itemDoubleClicked(list()->topLevelItem(0), 0);
    auto* entry = office->outlets.last<frmMaesuin>();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(control<QLineEdit>(*entry, "txtName")->text(), "김매수");
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
    list()->setCurrentItem(list()->topLevelItem(0));
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

    ASSERT_TRUE(notesShown("김매수").isEmpty());
    control<QPushButton>(*window, "cmdNewNote")->click();
    ASSERT_TRUE(writeNote("첫 상담"));
    EXPECT_EQ(notes()->topLevelItemCount(), 1) << "the saved note shows in the list";
    ASSERT_TRUE(notesShown("이매수").isEmpty());
    QTest::mouseDClick(notes()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(writeNote("전화 문의"));
    QTest::mouseDClick(notes()->viewport(), Qt::LeftButton, {}, QPoint(10, 400));
    ASSERT_TRUE(writeNote("방문 약속"));

    open();
    EXPECT_EQ(notesShown("김매수"), QStringList{"첫 상담"});
    EXPECT_EQ(notesShown("이매수").size(), 2);
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

    QTreeWidget* grid = list();
    ASSERT_EQ(grid->topLevelItemCount(), 2);
    const QStringList captions = BuyerRegister::listCaptions();
    for (const char* contact : {"이메일", "집전화", "핸드폰", "사무실", "팩스"})
        for (const char* wanted : {"종목", "형태", "금액", "평수"})
            EXPECT_LT(captions.indexOf(wanted), captions.indexOf(contact)) << wanted << " " << contact;

    const int widest = ColumnWidths(grid).maximumWidth();
    const QFontMetrics metrics(grid->font());
    for (int c = 0; c < grid->columnCount(); ++c) {
        const int width = grid->header()->sectionSize(c);
        EXPECT_GE(width, grid->header()->fontMetrics().horizontalAdvance(captions.at(c))) << c;
        for (int r = 0; r < grid->topLevelItemCount(); ++r) {
            const QString text = grid->topLevelItem(r)->text(c);
            EXPECT_GE(width, std::min(metrics.horizontalAdvance(text), widest)) << text.toStdString();
        }
    }
    const int remark = int(captions.indexOf("비고"));
    EXPECT_LE(grid->header()->sectionSize(remark), widest);
    EXPECT_LT(widest, grid->viewport()->width() / 2);
}

// A new buyer needs a type and a transaction, and takes the note typed beside him along; one not
// stored yet is saved with the note when the note is saved.
TEST_F(frmMaesuinTest, ANewBuyerNeedsAKindAndTakesHisFirstNote) {
    frmMaesuin entry(office->session(), 0);
    control<QLineEdit>(entry, "txtName")->setText("김매수");
    control<QComboBox>(entry, "cboTb")->setCurrentIndex(-1);
    EXPECT_FALSE(entry.cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "종목을 선택해주세요.");
    control<QComboBox>(entry, "cboTb")->setCurrentText("아파트");
    control<QComboBox>(entry, "cboTy")->setCurrentIndex(-1);
    EXPECT_FALSE(entry.cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "형태를 선택해주세요.");
    control<QComboBox>(entry, "cboTy")->setCurrentText("전세");
    control<QPlainTextEdit>(entry, "workVw")->setPlainText("첫 방문");
    ASSERT_TRUE(entry.cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "매수인정보등록을 완료하였습니다.");
    EXPECT_EQ(notesOf(entry.number()), QStringList{"첫 방문"});
    EXPECT_EQ(control<QTreeWidget>(entry, "lvWork")->topLevelItemCount(), 1);

    ASSERT_TRUE(entry.cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "매수인정보가 수정되었습니다.");
    EXPECT_EQ(notesOf(entry.number()).size(), 1) << "a change takes no note along";

    frmMaesuin fresh(office->session(), 0);
    control<QLineEdit>(fresh, "txtName")->setText("신규손님");
    control<QPlainTextEdit>(fresh, "workVw")->setPlainText("신규 손님 메모");
    ASSERT_TRUE(fresh.cmdSave2_Click());
    EXPECT_EQ(office->dialogs.lastText(), "매수인정보등록을 완료하였습니다.");
    EXPECT_EQ(notesOf(fresh.number()), QStringList{"신규 손님 메모"});
}

// The inline note editor writes, changes and deletes the buyer's notes; the move keeps the
// buyer and gives the customer the note typed under a line.
TEST_F(frmMaesuinTest, NotesAreEditedInlineAndTheMoveKeepsTheBuyer) {
    const int number = storeBuyer("박고객", "빌라/다세대");
    frmMaesuin entry(office->session(), number);
    EXPECT_EQ(control<QLineEdit>(entry, "txtName")->text(), "박고객");
    entry.cmdNew2_Click();
    EXPECT_FALSE(entry.cmdSave2_Click());
    EXPECT_EQ(office->dialogs.lastText(), "내용을 입력하세요.");
    control<QPlainTextEdit>(entry, "workVw")->setPlainText("전화 상담");
    ASSERT_TRUE(entry.cmdSave2_Click());
    control<QPlainTextEdit>(entry, "workVw")->setPlainText("전화 상담 후 방문 약속");
    ASSERT_TRUE(entry.cmdSave2_Click());
    EXPECT_EQ(notesOf(number), QStringList{"전화 상담 후 방문 약속"});

    office->answerYes();
    ASSERT_TRUE(entry.cmdMove_Click());
    EXPECT_EQ(office->dialogs.lastText(), "저장을 완료하였습니다.");
    EXPECT_TRUE(BuyerRegister(office->session()).read(number).has_value());
    const QList<Card> customers =
        CardBook(office->session(), CardPart::Customer).list({"전체", std::nullopt}, 5);
    ASSERT_EQ(customers.size(), 1);
    const QStringList moved = notesOf(customers.first().number, NoteKind::Customer);
    ASSERT_EQ(moved.size(), 2);
    EXPECT_TRUE(moved.contains(BuyerRegister::movedNote(office->clock.today()) + QString(40, '-') +
                               "\r\n전화 상담 후 방문 약속"));

    office->answerYes();
    EXPECT_TRUE(entry.cmddel2_Click());
    EXPECT_TRUE(notesOf(number).isEmpty());
}

// A double click on the empty note list starts a new note, below a note another one rather than
// a change of it.
TEST_F(frmMaesuinTest, ABuyersNextNoteStartsFromTheEmptyList) {
    const int number = storeBuyer("정메모", "아파트");
    frmMaesuin entry(office->session(), number);
    auto* noteList = control<QTreeWidget>(entry, "lvWork");
    auto* text = control<QPlainTextEdit>(entry, "workVw");
    for (const QString& note : QStringList{"첫 통화", "두 번째 통화"}) {
        noteList->setCurrentItem(noteList->topLevelItem(0)); // the first note open, if there is one
        QTest::mouseDClick(noteList->viewport(), Qt::LeftButton, {}, QPoint(10, 400));
        EXPECT_EQ(control<QPushButton>(entry, "cmdSave2")->text(), "저장");
        EXPECT_TRUE(text->toPlainText().isEmpty());
        text->setPlainText(note);
        ASSERT_TRUE(entry.cmdSave2_Click());
    }
    EXPECT_EQ(notesOf(number).size(), 2) << "the first note is kept";
}

// 맞는 매물 from the buyer register: the listings that fit, a page at a time; the ticked ones
// printed for the buyer are marked sent on paper, a dismissed one leaves the list, and the
// shared list says when the server is not there.
TEST_F(BuyerMatchWindowsTest, TheListingsForABuyerArePagedPrintedAndDismissed) {
    for (int i = 0; i < 21; ++i)
        addApartment(25, 15000 + i * 100);
    addApartment(25, 21000); // 5 % over
    addApartment(25, 40000);
    ASSERT_TRUE(addBuyer("김매수"));

    window->cmdListings_Click();
    auto* found = office->outlets.last<frmBuyerListings>();
    ASSERT_NE(found, nullptr);
    auto* grid = control<QTreeWidget>(*found, "lvListings");
    EXPECT_EQ(control<QLabel>(*found, "lblPage")->text(), "1 / 2  검색된 데이타가 총 22 건입니다.");
    EXPECT_EQ(grid->topLevelItemCount(), frmBuyerListings::kPageSize);
    EXPECT_EQ(grid->topLevelItem(0)->text(1), "아파트 매매 역삼동 25평 15,000만원")
        << "the middle of the range first";
    control<QPushButton>(*found, "cmdNext")->click();
    EXPECT_EQ(columnOf(grid, 3), (QStringList{"", "가격 5% 초과"}));
    EXPECT_FALSE(control<QPushButton>(*found, "cmdNext")->isEnabled());

    found->tick(0, true);
    found->tick(1, true);
    found->cmdPrint_Click();
    ASSERT_EQ(office->outlets.pages.size(), 1u);
    const RenderedPdf pdf = renderPdf(office->outlets.pages.front());
    EXPECT_TRUE(pdf.text.contains("맞는 매물 - 김매수")) << pdf.text.toStdString();
    EXPECT_TRUE(pdf.text.contains("아파트 매매 10,000~20,000만원 20~30평"));
    EXPECT_TRUE(pdf.text.contains("가격 5% 초과"));
    EXPECT_EQ(columnOf(grid, 4), (QStringList{"12/06 인쇄", "12/06 인쇄"}));

    // 관심없음 asks first, naming how many go; 아니오 keeps them, 예 drops the ticked ones.
    grid->setCurrentItem(grid->topLevelItem(1));
    office->dialogs.answerNext(DialogAnswer::No);
    found->cmdDismiss_Click();
    EXPECT_EQ(office->dialogs.lastText(), dismissQuestion("김매수", 1));
    EXPECT_EQ(office->dialogs.shown().last().buttons, DialogButtons::YesNoDefaultNo);
    EXPECT_EQ(found->shown().total, 22);
    found->tick(0, true);
    found->tick(1, true);
    office->answerYes();
    found->cmdDismiss_Click();
    EXPECT_EQ(office->dialogs.lastText(), dismissQuestion("김매수", 2));
    EXPECT_EQ(control<QLabel>(*found, "lblPage")->text(), "1 / 1  검색된 데이타가 총 20 건입니다.");

    office->session().serverStore().close();
    found->chooseList(ListKind::Shared);
    EXPECT_EQ(control<QComboBox>(*found, "cboSource")->currentText(), "공유매물");
    EXPECT_EQ(control<QLabel>(*found, "lblPage")->text(), "공유매물은 인터넷 접속 중에만 볼 수 있습니다.");
    EXPECT_EQ(grid->topLevelItemCount(), 0);
}

// 맞는 매수인 of a listing: a buyer who does not want it is dismissed and stays away; the
// tolerance the user sets is kept for him and decides the near fits.
TEST_F(BuyerMatchWindowsTest, TheBuyersOfAListingAreDismissedAndTheToleranceIsKept) {
    ASSERT_TRUE(addBuyer("김매수"));
    ASSERT_TRUE(addBuyer("이매수"));
    const int listing = addApartment(25, 21000); // 5 % over both

    frmMatch match(office->session(), listing);
    auto* fits = control<QTreeWidget>(match, "lvMatch");
    EXPECT_EQ(columnOf(fits, 0), (QStringList{"이매수", "김매수"}));
    EXPECT_EQ(fits->topLevelItem(0)->checkState(0), Qt::Unchecked) << "a near fit is not ticked";
    fits->setCurrentItem(fits->topLevelItem(0));
    office->dialogs.answerNext(DialogAnswer::No);
    match.cmdDismiss_Click();
    EXPECT_EQ(office->dialogs.lastText(), dismissQuestion("이매수", 1));
    EXPECT_EQ(columnOf(fits, 0), (QStringList{"이매수", "김매수"})) << "아니오 keeps the buyer";
    office->answerYes();
    match.cmdDismiss_Click();
    EXPECT_EQ(columnOf(fits, 0), QStringList{"김매수"});
    EXPECT_EQ(frmMatch(office->session(), listing).fitCount(), 1) << "dismissed for good";

    match.setTolerance(3);
    EXPECT_EQ(match.fitCount(), 0);
    EXPECT_EQ(SettingsStore::ofUser(office->session()).matchTolerance(), 3);
    frmMatch again(office->session(), listing);
    EXPECT_EQ(control<QSpinBox>(again, "txtTolerance")->value(), 3);
}
