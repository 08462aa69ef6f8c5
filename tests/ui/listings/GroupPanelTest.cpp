#include "OwnListFixture.h"
#include "core/listings/ListingGroupActions.h"
#include "ui/listings/ListingGroupPanel.h"
#include "ui/people/frmWork.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

class GroupPanelTest : public OwnListFixture {
protected:
    void SetUp() override {
        OwnListFixture::SetUp();
        groups = control<QComboBox>(window.get(), "cboGroup");
        search(QStringLiteral("10"));
    }

    void type(const char* field, const QString& text) {
        control<QLineEdit>(window.get(), field)->setText(text);
    }

    // Picks an entry of the chooser with the keyboard, as a user does.
    void choose(const QString& name) {
        const int target = groups->findText(name);
        ASSERT_GE(target, 0) << name.toStdString();
        groups->setFocus();
        while (groups->currentIndex() < target)
            QTest::keyClick(groups, Qt::Key_Down);
        while (groups->currentIndex() > target)
            QTest::keyClick(groups, Qt::Key_Up);
    }

    int memberRows(const QString& name) {
        return office
            ->localValue(
                QStringLiteral("SELECT COUNT(*) FROM group_mul B INNER JOIN group_mem A ON A.g_idx = B.g_idx "
                               "WHERE A.g_name = ?"),
                {name})
            .toInt();
    }

    QComboBox* groups = nullptr;
};

} // namespace

// The panel's buttons reach the group actions, the chooser follows what they made, and choosing
// a group lists exactly its listings until the first entry brings the own list back.
TEST_F(GroupPanelTest, MakingAndFillingAGroupAndChoosingIt) {
    ASSERT_EQ(groups->count(), 1);
    click(window.get(), "cmdGmake");
    EXPECT_EQ(last().text, QStringLiteral("그룹명이 입력되지 않았습니다.\r\n그룹명을 적어주세요."));
    type("txtGname", QStringLiteral("역삼 급매"));
    click(window.get(), "cmdGmake");
    EXPECT_EQ(last().text, QStringLiteral("그룹명[역삼 급매]을 성공적으로 만들었습니다."));
    EXPECT_EQ(groups->itemText(1), QStringLiteral("역삼 급매"));

    click(window.get(), "cmdGroup");
    EXPECT_EQ(last().text,
              QStringLiteral("그룹이동할 내용이 없습니다.\r\n이동할 목록에 '√'표시를 해주시기바랍니다."));
    QList<int> moved = tick({0, 2});
    std::sort(moved.begin(), moved.end());
    choices->groupNames.enqueue(QStringLiteral("관심매물"));
    click(window.get(), "cmdGroup");
    EXPECT_EQ(last().text, QStringLiteral("그룹명[관심매물]으로 이동 하였습니다."));
    EXPECT_GE(groups->findText(QStringLiteral("관심매물")), 1) << "made on the way";
    EXPECT_EQ(memberRows(QStringLiteral("관심매물")), 2);

    choose(QStringLiteral("관심매물"));
    EXPECT_EQ(window->shownKind(), ListKind::Group);
    QList<int> shown = numbers();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, moved);

    choose(QStringLiteral("그룹명선택"));
    EXPECT_EQ(window->shownKind(), ListKind::Own);
    EXPECT_EQ(grid->model()->rowCount(), 10);
}

TEST_F(GroupPanelTest, EditingRemovingFromAndDeletingAGroupLeaveTheListings) {
    const QList<int> moved = tick({1, 3, 5});
    choices->groupNames.enqueue(QStringLiteral("정리"));
    click(window.get(), "cmdGroup");
    click(window.get(), "cmdGedit");
    EXPECT_EQ(last().text, QStringLiteral("그룹을 먼저 선택해 주세요."));
    click(window.get(), "cmdGwork");
    EXPECT_EQ(last().text, QStringLiteral("그룹을 먼저 선택해 주세요."));

    choose(QStringLiteral("정리"));
    ASSERT_EQ(grid->model()->rowCount(), 3);
    type("txtGname", QStringLiteral("정리2"));
    type("txtGbigo", QStringLiteral("대로변"));
    click(window.get(), "cmdGedit");
    EXPECT_EQ(last().text, QStringLiteral("수정이 완료되었습니다."));
    EXPECT_EQ(groups->currentText(), QStringLiteral("정리2"))
        << "still chosen after the chooser was refilled";

    // 그룹작업상황: the group's notes in the note window; they go when the group goes.
    click(window.get(), "cmdGwork");
    auto* notes = office->outlets.last<frmWork>();
    ASSERT_NE(notes, nullptr);
    control<QPlainTextEdit>(notes, "workVw")->setPlainText(QStringLiteral("대로변 묶음 광고"));
    ASSERT_TRUE(notes->cmdSave_Click());
    const QString groupNotes = QStringLiteral("SELECT COUNT(*) FROM mem_work WHERE tb = 'group'");
    EXPECT_EQ(office->localValue(groupNotes).toInt(), 1);

    window->model()->setTicked(0, true);
    const int out = window->model()->item(0)->number;
    office->dialogs.answerNext(DialogAnswer::Yes);
    click(window.get(), "cmdGMdel");
    EXPECT_EQ(last().text, QStringLiteral("그룹매물을 삭제하였습니다."));
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_FALSE(columnTexts(grid, QStringLiteral("번호")).contains(QString::number(out)));

    office->dialogs.answerNext(DialogAnswer::Yes);
    click(window.get(), "cmdGdel");
    EXPECT_EQ(last().text, QStringLiteral("그룹삭제가 완료되었습니다."));
    EXPECT_EQ(groups->count(), 1);
    EXPECT_EQ(window->shownKind(), ListKind::Own);
    EXPECT_EQ(memberRows(QStringLiteral("정리2")), 0);
    EXPECT_EQ(office->localValue(groupNotes).toInt(), 0);
    for (int number : moved)
        EXPECT_EQ(
            office->localValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE table_idx = ?"), {number})
                .toInt(),
            1);
}
