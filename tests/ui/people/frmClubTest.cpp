#include "people/frmClub.h"

#include "TestOffice.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

// The office "off1" on the embedded server makes a club; its staff member st1, working as a
// member of its own, joins it and is raised by the chairman.
TEST(frmClubTest, AClubIsMadeJoinedAndItsListingsOpenOnceTheChairmanAccepts) {
    auto office = TestOffice::make(Backend::Sqlite, Desk::Office);
    TERAN_REQUIRE_SERVICE(office != nullptr, "the test office");
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
