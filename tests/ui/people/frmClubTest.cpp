#include "ui/people/frmClub.h"

#include "PeopleWindows.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

QStringList memberLevels(const frmClub& window) {
    QStringList shown;
    const auto* members = window.findChild<QTreeWidget*>("lvMember");
    for (int i = 0; i < members->topLevelItemCount(); ++i)
        shown << members->topLevelItem(i)->text(0) + QLatin1Char(' ') + members->topLevelItem(i)->text(2);
    return shown;
}

bool memberButtonsEnabled(const frmClub& window) {
    const QStringList names = {"cmdRaise", "cmdLower", "cmdRemove"};
    int enabled = 0;
    for (const QString& name : names)
        enabled += window.findChild<QPushButton*>(name)->isEnabled() ? 1 : 0;
    EXPECT_TRUE(enabled == 0 || enabled == names.size()) << "the chairman's buttons go together";
    return enabled == names.size();
}

class frmClubTest : public PeopleWindowTest {};

// The office "off1" chairs a club that its staff member st1 has joined as an associate.
class frmClubOfTwoTest : public PeopleWindowTest {
protected:
    void SetUp() override {
        PeopleWindowTest::SetUp();
        if (!office)
            return;
        club = office->addClub(QStringLiteral("off1"), QStringLiteral("apt"));
        office->joinClub(club, QStringLiteral("st1"), 1);
    }
    int club = 0;
};

} // namespace

// The office "off1" on the embedded server makes a club; its staff member st1, working as a
// member of its own, joins it and is raised by the chairman.
TEST_F(frmClubTest, AClubIsMadeJoinedAndItsListingsOpenOnceTheChairmanAccepts) {
    frmClub window(office->session());
    QSignalSpy listings(&window, &frmClub::listingsRequested);
    auto* clubs = window.findChild<QTreeWidget*>("lvClub");
    EXPECT_EQ(clubs->topLevelItemCount(), 0);

    window.findChild<QLineEdit*>("txtclub")->setText(QStringLiteral("서초모임"));
    window.findChild<QPushButton*>("cmdMkSave")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("모임형태를 적어주세요."));
    window.findChild<QLineEdit*>("txtkind")->setText(QStringLiteral("친목"));
    window.findChild<QPushButton*>("cmdJu")->click();
    EXPECT_TRUE(window.findChild<QCheckBox*>("chkTB(0)")->isChecked());
    EXPECT_FALSE(window.findChild<QCheckBox*>("chkTB(7)")->isChecked()) << "공장 is not residential";
    window.findChild<QPushButton*>("cmdMkSave")->click();
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("클럽명 '서초모임' 가\r\n 성공적으로 만들어졌습니다."));
    ASSERT_EQ(clubs->topLevelItemCount(), 1);
    EXPECT_EQ(clubs->topLevelItem(0)->text(0), QStringLiteral("3"));
    window.select(0);
    EXPECT_TRUE(window.popupMenu()->findChild<QAction*>("clubedit")->isVisible());
    const int club = window.currentClub();

    office->loginAs(QStringLiteral("st1"));
    window.showTab(frmClub::AllTab);
    window.select(0);
    QAction* inout = window.popupMenu()->findChild<QAction*>("clubinout");
    EXPECT_EQ(inout->text(), QStringLiteral("클럽 가입하기"));
    EXPECT_TRUE(inout->isEnabled());
    EXPECT_FALSE(window.popupMenu()->findChild<QAction*>("clubedit")->isVisible());
    office->answerYes();
    window.clubinout_Click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("준회원으로 가입 되었습니다."));
    ASSERT_EQ(clubs->topLevelItemCount(), 1);
    EXPECT_EQ(clubs->topLevelItem(0)->text(0), QStringLiteral("1"));
    window.select(0);
    window.clubmaemul_Click();
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("'서초모임' 클럽의 \r\n\r\n매물을 읽을 권한이 없습니다."));
    EXPECT_EQ(listings.count(), 0);
    auto* choice = window.findChild<QComboBox*>("cboClub");
    EXPECT_EQ(choice->count(), 1) << "an associate's club is not offered for reading";
    EXPECT_EQ(choice->itemText(0), QStringLiteral("클럽선택"));
    window.showTab(frmClub::OwnTab); // no row chosen: the combo decides
    window.clubmaemul_Click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("가입된 클럽이 없습니다."));
    EXPECT_EQ(listings.count(), 0);

    office->loginAs(QStringLiteral("off1"));
    window.showTab(frmClub::OwnTab);
    window.select(0);
    ASSERT_EQ(window.currentClub(), club);
    window.clubmem_Click();
    auto* members = window.findChild<QTreeWidget*>("lvMember");
    ASSERT_EQ(members->topLevelItemCount(), 2);
    members->setCurrentItem(members->topLevelItem(1));
    EXPECT_EQ(members->currentItem()->text(0), QStringLiteral("st1"));
    window.setMemberLevel(2);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("'st1' 님이 정회원이 되었습니다."));

    office->loginAs(QStringLiteral("st1"));
    window.showTab(frmClub::OwnTab);
    window.select(0);
    window.clubmaemul_Click();
    ASSERT_EQ(listings.count(), 1);
    EXPECT_EQ(listings.at(0).at(0).toInt(), club);
    ASSERT_EQ(choice->count(), 2);
    EXPECT_EQ(choice->itemText(1), QStringLiteral("서초모임"));
    window.cboClub_Click(0); // "클럽선택": every readable club
    window.cboClub_Click(1);
    ASSERT_EQ(listings.count(), 3);
    EXPECT_EQ(listings.at(1).at(0).toInt(), 0);
    EXPECT_EQ(listings.at(2).at(0).toInt(), club);
}

// Clicking a club shows its members at once, and only its chairman may change them; with the
// club chosen the entries of the club menu act on it.
TEST_F(frmClubOfTwoTest, ClickingAClubShowsItsMembersAndTheMenuActsOnIt) {
    frmClub window(office->session());
    QSignalSpy listings(&window, &frmClub::listingsRequested);
    window.show();
    auto* clubs = window.findChild<QTreeWidget*>("lvClub");
    ASSERT_EQ(clubs->topLevelItemCount(), 1);
    EXPECT_TRUE(memberLevels(window).isEmpty()) << "no club chosen yet";
    EXPECT_FALSE(memberButtonsEnabled(window));

    QTest::mouseClick(clubs->viewport(), Qt::LeftButton, {},
                      clubs->visualItemRect(clubs->topLevelItem(0)).center());
    EXPECT_EQ(window.currentClub(), club);
    EXPECT_EQ(memberLevels(window), (QStringList{"off1 회장", "st1 준회원"}));
    ASSERT_TRUE(memberButtonsEnabled(window));
    auto* members = window.findChild<QTreeWidget*>("lvMember");
    members->setCurrentItem(members->topLevelItem(1));
    window.findChild<QPushButton*>("cmdRaise")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("'st1' 님이 정회원이 되었습니다."));
    EXPECT_EQ(memberLevels(window), (QStringList{"off1 회장", "st1 정회원"}))
        << "shown again after the change";

    window.openEntry(QStringLiteral("clubedit"));
    EXPECT_EQ(window.findChild<QLineEdit*>("txtclub")->text(), QStringLiteral("클럽 off1"));
    EXPECT_EQ(window.findChild<QPushButton*>("cmdMkSave")->text(), QStringLiteral("수정하기"));
    window.openEntry(QStringLiteral("clubmaemul"));
    ASSERT_EQ(listings.count(), 1);
    EXPECT_EQ(listings.at(0).at(0).toInt(), club);
    office->dialogs.answerNext(DialogAnswer::Yes);
    window.openEntry(QStringLiteral("clubdel"));
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("가입되어있는 회원(1명)이 남아있어 삭제할 수가 없습니다.\r\n\r\n"
                             "클럽을 삭제하시려면 회원을 모두 탈퇴시킨후 삭제하십시요."));

    office->loginAs(QStringLiteral("st1"));
    window.showTab(frmClub::OwnTab);
    EXPECT_TRUE(memberLevels(window).isEmpty()) << "a new list chooses no club";
    clubs->setCurrentItem(clubs->topLevelItem(0)); // as the arrow keys do
    EXPECT_EQ(memberLevels(window), (QStringList{"off1 회장", "st1 정회원"}));
    EXPECT_FALSE(memberButtonsEnabled(window)) << "a member sees the others but changes no one";

    office->loginAs(QStringLiteral("st2"));
    window.showTab(frmClub::AllTab);
    clubs->setCurrentItem(clubs->topLevelItem(0));
    EXPECT_EQ(window.currentClub(), club);
    EXPECT_TRUE(memberLevels(window).isEmpty()) << "who is in a club is for its members";

    office->loginAs(QStringLiteral("st1"));
    window.showTab(frmClub::OwnTab);
    window.select(0);
    office->answerYes();
    window.openEntry(QStringLiteral("clubinout"));
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("탈퇴 되었습니다."));
    EXPECT_EQ(clubs->topLevelItemCount(), 0);
}

// Each entry of the club menu, with no club chosen before, opens the window on what it names.
TEST_F(frmClubOfTwoTest, EachClubMenuEntryOpensTheWindowOnWhatItNames) {
    struct Case {
        const char* entry;
        const char* focused; // the control the user goes on with
        int tab;
        bool clubChosen;
        bool panelShowsClub; // picClubMk holds the chosen club
        bool panelReadOnly;
    };
    const Case cases[] = {
        {"clubinfo", "txtclub", frmClub::OwnTab, true, true, true},
        {"clubedit", "txtclub", frmClub::OwnTab, false, false, false}, // nothing chosen: a new club
        {"clubmem", "lvMember", frmClub::OwnTab, true, false, false},
        {"cluboner", "onerid", frmClub::OwnTab, true, false, false},
        {"clubpaper", "pTitle", frmClub::OwnTab, true, false, false},
        {"clubdel", "lvClub", frmClub::OwnTab, false, false, false}, // the club is chosen by hand
        {"clubinout", "lvClub", frmClub::AllTab, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        frmClub window(office->session());
        const int asked = office->dialogs.shown().size();
        window.openEntry(QLatin1String(c.entry));
        EXPECT_EQ(office->dialogs.shown().size(), asked) << "nothing is asked before a choice";
        ASSERT_NE(window.focusWidget(), nullptr);
        EXPECT_EQ(window.focusWidget()->objectName(), QLatin1String(c.focused));
        EXPECT_EQ(window.findChild<QTabBar*>("tabClub")->currentIndex(), c.tab);
        EXPECT_EQ(window.currentClub(), c.clubChosen ? club : 0);
        EXPECT_EQ(memberLevels(window).size(), c.clubChosen ? 2 : 0);
        auto* name = window.findChild<QLineEdit*>("txtclub");
        EXPECT_EQ(name->text(), c.panelShowsClub ? QStringLiteral("클럽 off1") : QString());
        EXPECT_EQ(name->isReadOnly(), c.panelReadOnly);
    }
}
