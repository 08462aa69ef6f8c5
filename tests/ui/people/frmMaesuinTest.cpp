#include "people/frmMaesuin.h"

#include "TestOffice.h"
#include "WidgetControls.h"
#include "people/BuyerRegister.h"
#include "people/frmMaesu.h"
#include "session/WorkNotes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

class frmMaesuinTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    QStringList notesOf(int buyer, const QString& kind = NoteKind::Buyer) {
        QStringList texts;
        for (const WorkNote& n : WorkNoteBook(office->session()).of(kind, buyer))
            texts << n.work;
        return texts;
    }
    // A buyer for sale stored as the register stores him; his number.
    int storeBuyer(const QString& name, const QString& type) {
        Buyer b;
        b.contact.name = name;
        b.tb = type;
        b.ty = "매매";
        return BuyerRegister(office->session()).save({b, false, false, {}, {}}).number;
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

// A new buyer needs a type and a transaction, and takes the note typed beside him along.
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

// A buyer double-clicked in the register opens in the entry window.
TEST_F(frmMaesuinTest, TheRegisterOpensABuyerInTheEntryWindow) {
    Buyer b;
    b.contact.name = "최두번";
    BuyerRegister(office->session()).save({b, false, false, {}, {}});
    frmMaesu window(office->session());
    auto* list = control<QTreeWidget>(window, "lvMy");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    Q_EMIT list->itemDoubleClicked(list->topLevelItem(0), 0);
    auto* entry = office->outlets.last<frmMaesuin>();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(control<QLineEdit>(*entry, "txtName")->text(), "최두번");
}

// A double click on the empty note list starts a new note, below a note another one rather than
// a change of it; a buyer not stored yet is saved with the note when the note is saved.
TEST_F(frmMaesuinTest, ABuyersFirstNoteStartsFromTheEmptyListOrWithTheBuyer) {
    const int number = storeBuyer("정메모", "아파트");
    frmMaesuin entry(office->session(), number);
    auto* list = control<QTreeWidget>(entry, "lvWork");
    auto* text = control<QPlainTextEdit>(entry, "workVw");
    for (const QString& note : QStringList{"첫 통화", "두 번째 통화"}) {
        list->setCurrentItem(list->topLevelItem(0)); // the first note open, if there is one
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 400));
        EXPECT_EQ(control<QPushButton>(entry, "cmdSave2")->text(), "저장");
        EXPECT_TRUE(text->toPlainText().isEmpty());
        text->setPlainText(note);
        ASSERT_TRUE(entry.cmdSave2_Click());
    }
    EXPECT_EQ(notesOf(number).size(), 2) << "the first note is kept";

    frmMaesuin fresh(office->session(), 0);
    control<QLineEdit>(fresh, "txtName")->setText("신규손님");
    control<QPlainTextEdit>(fresh, "workVw")->setPlainText("신규 손님 메모");
    ASSERT_TRUE(fresh.cmdSave2_Click());
    EXPECT_EQ(office->dialogs.lastText(), "매수인정보등록을 완료하였습니다.");
    EXPECT_EQ(notesOf(fresh.number()), QStringList{"신규 손님 메모"});
}
