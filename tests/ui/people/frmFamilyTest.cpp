#include "ui/people/frmFamily.h"

#include "PeopleWindows.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

QLineEdit* field(QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QLatin1String(name));
}

void click(QWidget& window, const char* name) {
    window.findChild<QPushButton*>(QLatin1String(name))->click();
}

class frmFamilyTest : public PeopleWindowTest {};

} // namespace

// The office "off1" at its desk on the embedded server, with its staff st1 and st2.
TEST_F(frmFamilyTest, TheMainAccountChecksAnIdThenSavesAndEditsAStaffAccount) {
    frmFamily window(office->session());
    auto* list = window.findChild<QTreeWidget*>("lvFamily");
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(window.statusText(), QStringLiteral("검색된 직원수가 총 2 명 입니다."));

    QTest::keyClicks(field(window, "memID"), "new-one");
    click(window, "IDck");
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("사용할수없는 아이디입니다.\r\n공백문자나 특수문자가있는지 확인해보세요."));
    field(window, "memID")->clear();
    QTest::keyClicks(field(window, "memID"), "st1");
    click(window, "IDck");
    EXPECT_EQ(office->dialogs.shown().last().title, QStringLiteral("아이디사용불가"));
    field(window, "memID")->clear();
    QTest::keyClicks(field(window, "memID"), "newone");
    click(window, "IDck");
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("사용가능한 아이디 입니다."));
    EXPECT_EQ(window.findChild<QLabel*>("lblIdCheck")->text(), QStringLiteral("사용가능한아이디 입니다."));

    // A change of the id asks for the check again.
    QTest::keyClicks(field(window, "memID"), "2");
    EXPECT_EQ(window.findChild<QLabel*>("lblIdCheck")->text(),
              QStringLiteral("아이디가 등록되어있는지 확인하세요."));
    click(window, "cmdMember");
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("아이디 등록검사를 해주셔야합니다."));
    click(window, "IDck");

    QTest::keyClicks(field(window, "memPWD"), "secret1");
    field(window, "memName")->setText(QStringLiteral("최민수"));
    QTest::keyClicks(field(window, "jumin"), "8801011234568");
    EXPECT_EQ(field(window, "jumin")->text(), QStringLiteral("880101-1234568"));
    QTest::keyClicks(field(window, "startday"), "20260302");
    field(window, "addr1")->setText(QStringLiteral("서울"));
    QTest::keyClicks(field(window, "han1"), "010");
    QTest::keyClicks(field(window, "han2"), "2222");
    QTest::keyClicks(field(window, "han3"), "3333");
    click(window, "cmdMember");
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("회원정보를 성공적으로 등록하였습니다"));
    EXPECT_EQ(office->dialogs.shown().last().title, QStringLiteral("등록완료"));
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(office->serverValue("SELECT hantel FROM members WHERE memID='newone2'").toString(),
              QStringLiteral("010-2222-3333"));

    // The new row is listed first; clicking it opens it for an edit that keeps its id.
    QTreeWidgetItem* first = list->topLevelItem(0);
    EXPECT_EQ(first->text(2), QStringLiteral("최민수"));
    EXPECT_EQ(first->text(8), QStringLiteral("880101-1******"));
    window.select(first->data(0, Qt::UserRole).toInt());
    EXPECT_EQ(window.findChild<QPushButton*>("cmdMember")->text(), QStringLiteral("수   정"));
    EXPECT_TRUE(field(window, "memPWD")->text().isEmpty()) << "a password is never shown";
    EXPECT_EQ(field(window, "han2")->text(), QStringLiteral("2222"));
    field(window, "memName")->setText(QStringLiteral("최민수 과장"));
    click(window, "cmdMember");
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("회원정보를 성공적으로 수정하였습니다"));
    EXPECT_EQ(
        office->serverValue("SELECT name || '/' || memPWD FROM members WHERE memID='newone2'").toString(),
        QStringLiteral("최민수 과장/secret1"));
}

// Stopping an account keeps its person out at once, so it is asked first; starting it again is
// not. A staff login may look at the staff but save none.
TEST_F(frmFamilyTest, StoppingAnAccountAsksFirstAndStartingItAgainDoesNotAndStaffSaveNone) {
    frmFamily window(office->session());
    auto* list = window.findChild<QTreeWidget*>("lvFamily");
    const auto typeOf = [&](const QString& id) {
        return office->serverValue(QStringLiteral("SELECT memType FROM members WHERE memID=?"), {id})
            .toString();
    };
    ASSERT_EQ(list->topLevelItemCount(), 2);
    window.select(0);
    const QString id = field(window, "memID")->text();
    ASSERT_FALSE(id.isEmpty());

    office->dialogs.answerNext(DialogAnswer::No);
    click(window, "cmdDisable");
    const ScriptedDialogs::Shown asked = office->dialogs.shown().last();
    EXPECT_EQ(asked.text,
              QStringLiteral("'%1' 계정의 사용을 중지합니다.\r\n중지된 계정으로는 로그인할 수 없습니다. "
                             "실행하시겠습니까 ?")
                  .arg(id));
    EXPECT_EQ(asked.title, QStringLiteral("사용중지"));
    EXPECT_EQ(typeOf(id), QStringLiteral("B")) << "answered No";

    office->answerYes();
    click(window, "cmdDisable");
    EXPECT_EQ(typeOf(id), QStringLiteral("X"));
    EXPECT_EQ(
        office->localValue(QStringLiteral("SELECT memType FROM members WHERE memID=?"), {id}).toString(),
        QStringLiteral("X"))
        << "the desk's copy knows it at once";
    EXPECT_EQ(list->topLevelItem(0)->text(10), QStringLiteral("사용중지"));

    window.select(0);
    const int before = office->dialogs.shown().size();
    click(window, "cmdDisable"); // 사용재개
    EXPECT_EQ(office->dialogs.shown().size(), before);
    EXPECT_EQ(typeOf(id), QStringLiteral("B"));

    office->loginAs(QStringLiteral("st1"));
    frmFamily asStaff(office->session());
    asStaff.select(0);
    click(asStaff, "cmdMember");
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("직원 계정은 사무소 대표 계정만 등록하고 고칠 수 있습니다."));
}
