#include "ui/people/frmCard.h"

#include "PdfText.h"
#include "PeopleWindows.h"
#include "ui/people/frmWork.h"

#include <QPlainTextEdit>

using namespace teran;
using namespace teran::test;

namespace {

// The customer list of the office.
class frmCardTest : public PeopleWindowTest {
protected:
    void SetUp() override {
        PeopleWindowTest::SetUp();
        if (!office)
            return;
        window = std::make_unique<frmCard>(office->session(), CardPart::Customer);
        window->reload();
    }
    void type(const char* name, const QString& text) { control<QLineEdit>(*window, name)->setText(text); }
    // Types a person into the panel as a new one and saves.
    bool addPerson(const QString& name, const QString& group, const QString& mobile = {},
                   const QString& note = {}) {
        window->cmdNew_Click();
        type("txtName", name);
        type("hantel", mobile);
        control<QComboBox>(*window, "groupin")->setCurrentText(group);
        control<QPlainTextEdit>(*window, "work")->setPlainText(note);
        return window->cmdSave_Click();
    }
    QTreeWidget* list() { return control<QTreeWidget>(*window, "lvMy"); }
    QStringList names() { return columnOf(list(), 3); }
    QStringList tabs() { return tabsOf(control<QTabBar>(*window, "tabNamecard")); }
    std::unique_ptr<frmCard> window;
};

} // namespace

// A person typed into the panel is saved with the note typed, shows in the list and under the
// group's tab; the note window adds a second note, and the status names the count.
TEST_F(frmCardTest, APersonIsSavedWithNotesAndShownUnderTheGroup) {
    EXPECT_EQ(window->objectName(), "frmCustomer");
    control<QPlainTextEdit>(*window, "work")->setPlainText(" ");
    window->cmdNew_Click();
    EXPECT_FALSE(window->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "이름을 입력해주세요.");
    EXPECT_EQ(office->dialogs.shown().last().title, "고객등록");

    ASSERT_TRUE(addPerson("O'Neil 김", "VIP", "010-1111-2222", "첫 상담\n전세 원함"));
    EXPECT_EQ(office->dialogs.lastText(), "등록되었습니다");
    EXPECT_EQ(office->dialogs.shown().last().title, "고객 등록하기");
    EXPECT_EQ(tabs(), (QStringList{"전체", "VIP"}));
    EXPECT_EQ(names(), QStringList{"O'Neil 김"});
    EXPECT_EQ(window->statusText(), "고객관리 (검색결과 1 명)");
    auto* notes = control<QTreeWidget>(*window, "lvWork");
    ASSERT_EQ(notes->topLevelItemCount(), 1);
    EXPECT_EQ(notes->topLevelItem(0)->text(2), "첫 상담 전세 원함") << "one line in the list";

    window->openNote(0);
    auto* note = office->outlets.last<frmWork>();
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->cmdSave_Click());
    EXPECT_EQ(office->dialogs.lastText(), "내용을 입력하세요.");
    control<QPlainTextEdit>(*note, "workVw")->setPlainText("두 번째 메모");
    ASSERT_TRUE(note->cmdSave_Click());
    EXPECT_EQ(notes->topLevelItemCount(), 2) << "the window's note list follows";

    office->dialogs.answerNext(DialogAnswer::No);
    ASSERT_FALSE(addPerson("동명이인", "", "01011112222")) << "the same mobile, and the user said No";
    EXPECT_EQ(office->dialogs.lastText(),
              "같은 휴대폰 번호가 고객 'O'Neil 김'에 있습니다. 계속 저장하시겠습니까 ?");
    EXPECT_EQ(names(), QStringList{"O'Neil 김"});
}

// The search mode: the tab "검색" appears once with what matches; another tab ends the search.
TEST_F(frmCardTest, TheSearchModeShowsItsTabOnceAndEndsOnAnotherTab) {
    ASSERT_TRUE(addPerson("김철수", "VIP"));
    ASSERT_TRUE(addPerson("박영희", "일반"));
    window->cmdSuchmode_Click();
    type("txtName", "철");
    window->cmdSuch_Click();
    window->cmdSuch_Click();
    EXPECT_EQ(tabs(), (QStringList{"전체", "VIP", "일반", "검색"}));
    EXPECT_EQ(names(), QStringList{"김철수"});
    control<QTabBar>(*window, "tabNamecard")->setCurrentIndex(2);
    EXPECT_EQ(office->dialogs.lastText(), "검색모드를 종료합니다.");
    EXPECT_EQ(tabs(), (QStringList{"전체", "VIP", "일반"}));
    EXPECT_EQ(names(), QStringList{"박영희"}) << "the tab clicked is loaded";
}

// Printing takes the ticked rows only; deleting asks and takes the person's notes along.
TEST_F(frmCardTest, TickedRowsArePrintedAndADeleteAsksFirst) {
    EXPECT_FALSE(window->cmdDel_Click());
    EXPECT_EQ(office->dialogs.lastText(), "삭제할 데이타가 없습니다.");
    ASSERT_TRUE(addPerson("김철수", "VIP", {}, "메모"));
    ASSERT_TRUE(addPerson("박영희", "일반"));
    window->cmdPrint_Click();
    EXPECT_EQ(office->dialogs.lastText(),
              "인쇄할 내용이 없습니다.\r\n\r\n인쇄할 목록에 '√'표시를 해주시기바랍니다.");
    list()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    window->cmdPrint_Click();
    ASSERT_EQ(office->outlets.pages.size(), 1u);
    const QString printed = renderPdf(office->outlets.pages.back()).text;
    EXPECT_TRUE(printed.contains("김철수"));
    EXPECT_FALSE(printed.contains("박영희"));

    list()->setCurrentItem(list()->topLevelItem(1));
    const int number = window->currentNumber();
    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(window->cmdDel_Click());
    EXPECT_EQ(office->dialogs.lastText(), "김철수 님을 삭제하시겠습니까 ?");
    office->answerYes();
    ASSERT_TRUE(window->cmdDel_Click());
    EXPECT_EQ(names(), QStringList{"박영희"});
    EXPECT_TRUE(notesOf(number, NoteKind::Customer).isEmpty());
}
