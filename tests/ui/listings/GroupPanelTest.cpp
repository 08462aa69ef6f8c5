#include "GridDriver.h"
#include "ListWindowOffice.h"
#include "listings/ListingGroupPanel.h"
#include "listings/ListingTableModel.h"
#include "listings/frmList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class GroupPanelTest : public testing::Test {
protected:
    void SetUp() override {
        office = ListWindowOffice::make();
        ASSERT_TRUE(office);
        window = std::make_unique<frmList>(office->session());
        auto scripted = std::make_unique<ScriptedChoices>();
        choices = scripted.get();
        window->setChoices(std::move(scripted));
        window->resize(1200, 800);
        window->show();
        grid = control<QTableView>(window.get(), "lvMy");
        groups = control<QComboBox>(window.get(), "cboGroup");
        control<QLineEdit>(window.get(), "txtCount")->setText(QStringLiteral("10"));
        window->search({});
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

    QList<int> tick(const QList<int>& rows) {
        QList<int> numbers;
        for (int row : rows) {
            window->model()->setTicked(row, true);
            numbers << window->model()->item(row)->number;
        }
        return numbers;
    }

    int memberRows(const QString& name) {
        return office
            ->localValue(
                QStringLiteral("SELECT COUNT(*) FROM group_mul B INNER JOIN group_mem A ON A.g_idx = B.g_idx "
                               "WHERE A.g_name = ?"),
                {name})
            .toInt();
    }

    const ScriptedDialogs::Shown& last() { return office->dialogs.shown().last(); }

    std::unique_ptr<ListWindowOffice> office;
    std::unique_ptr<frmList> window;
    ScriptedChoices* choices = nullptr;
    QTableView* grid = nullptr;
    QComboBox* groups = nullptr;
};

} // namespace

TEST_F(GroupPanelTest, MakingAGroupChecksItsName) {
    EXPECT_EQ(groups->count(), 1);
    EXPECT_EQ(groups->itemText(0), QStringLiteral("그룹명선택"));

    click(window.get(), "cmdGmake");
    EXPECT_EQ(last().text, QStringLiteral("그룹명이 입력되지 않았습니다.") + kCrLf +
                               QStringLiteral("그룹명을 적어주세요."));
    EXPECT_EQ(last().title, QStringLiteral("그룹만들기"));

    type("txtGname", QStringLiteral("역삼 급매"));
    type("txtGtitle", QStringLiteral("이번 주 안내"));
    click(window.get(), "cmdGmake");
    EXPECT_EQ(last().text, QStringLiteral("그룹명[역삼 급매]을 성공적으로 만들었습니다."));
    EXPECT_EQ(groups->count(), 2);
    EXPECT_EQ(groups->itemText(1), QStringLiteral("역삼 급매"));

    click(window.get(), "cmdGmake");
    EXPECT_EQ(last().text, QStringLiteral("[역삼 급매]의 그룹명이 이미 존재합니다.") + kCrLf +
                               QStringLiteral("그룹명을 바꿔서 입력하세요."));
    EXPECT_EQ(groups->count(), 2);
}

TEST_F(GroupPanelTest, TickedListingsMoveIntoAGroupOnce) {
    click(window.get(), "cmdGroup");
    EXPECT_EQ(last().text, QStringLiteral("그룹이동할 내용이 없습니다.") + kCrLf +
                               QStringLiteral("이동할 목록에 '√'표시를 해주시기바랍니다."));
    EXPECT_EQ(last().title, QStringLiteral("그룹이동"));

    const QList<int> moved = tick({0, 2});
    choices->groupNames.enqueue(QStringLiteral("관심매물"));
    click(window.get(), "cmdGroup");
    EXPECT_EQ(last().text, QStringLiteral("그룹명[관심매물]으로 이동 하였습니다."));
    EXPECT_EQ(memberRows(QStringLiteral("관심매물")), 2);
    EXPECT_EQ(groups->findText(QStringLiteral("관심매물")), 1); // made on the way

    choices->groupNames.enqueue(QStringLiteral("관심매물"));
    click(window.get(), "cmdGroup");
    EXPECT_EQ(choices->groupsOffered, QStringList{QStringLiteral("관심매물")});
    EXPECT_EQ(memberRows(QStringLiteral("관심매물")), 2);

    // choosing the group lists exactly its listings
    choose(QStringLiteral("관심매물"));
    EXPECT_EQ(window->shownKind(), ListKind::Group);
    EXPECT_GT(window->groupShown(), 0);
    QList<int> shown;
    for (const QString& text : columnTexts(grid, QStringLiteral("번호")))
        shown << text.toInt();
    std::sort(shown.begin(), shown.end());
    QList<int> expected = moved;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);

    choose(QStringLiteral("그룹명선택"));
    EXPECT_EQ(window->shownKind(), ListKind::Own);
    EXPECT_EQ(grid->model()->rowCount(), 10);
}

TEST_F(GroupPanelTest, ChoosingAGroupShowsItsDetailsAndEditsThem) {
    type("txtGname", QStringLiteral("상가"));
    type("txtGtitle", QStringLiteral("상가 모음"));
    type("txtGbigo", QStringLiteral("대로변"));
    click(window.get(), "cmdGmake");
    type("txtGname", QString());
    type("txtGtitle", QString());

    click(window.get(), "cmdGedit");
    EXPECT_EQ(last().title, QStringLiteral("그룹수정")); // no group chosen yet

    choose(QStringLiteral("상가"));
    EXPECT_EQ(control<QLineEdit>(window.get(), "txtGtitle")->text(), QStringLiteral("상가 모음"));
    EXPECT_EQ(control<QLineEdit>(window.get(), "txtGbigo")->text(), QStringLiteral("대로변"));
    EXPECT_EQ(grid->model()->rowCount(), 0);

    type("txtGname", QStringLiteral("상가2"));
    click(window.get(), "cmdGedit");
    EXPECT_EQ(last().text, QStringLiteral("수정이 완료되었습니다."));
    EXPECT_EQ(last().title, QStringLiteral("그룹수정"));
    EXPECT_EQ(groups->currentText(),
              QStringLiteral("상가2")); // still chosen after the chooser was filled again
    EXPECT_EQ(window->shownKind(), ListKind::Group);
}

TEST_F(GroupPanelTest, RemovingFromAndDeletingAGroupLeaveTheListings) {
    const QList<int> moved = tick({1, 3, 5});
    choices->groupNames.enqueue(QStringLiteral("정리"));
    click(window.get(), "cmdGroup");
    choose(QStringLiteral("정리"));
    ASSERT_EQ(grid->model()->rowCount(), 3);

    click(window.get(), "cmdGMdel");
    EXPECT_EQ(last().text, QStringLiteral("삭제할 매물이 없습니다.") + kCrLf +
                               QStringLiteral("그룹에서 삭제할 매물에 '√'표시를 해주시기바랍니다."));
    window->model()->setTicked(0, true);
    const int out = window->model()->item(0)->number;
    office->dialogs.answerNext(DialogAnswer::Yes);
    click(window.get(), "cmdGMdel");
    EXPECT_EQ(last().text, QStringLiteral("그룹매물을 삭제하였습니다."));
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_FALSE(columnTexts(grid, QStringLiteral("번호")).contains(QString::number(out)));

    office->dialogs.answerNext(DialogAnswer::Yes);
    click(window.get(), "cmdGdel");
    const auto& shown = office->dialogs.shown();
    EXPECT_EQ(shown.at(shown.size() - 2).title, QStringLiteral("그룹삭제"));
    EXPECT_EQ(last().text, QStringLiteral("그룹삭제가 완료되었습니다."));
    EXPECT_EQ(groups->count(), 1);
    EXPECT_EQ(window->shownKind(), ListKind::Own);
    EXPECT_EQ(memberRows(QStringLiteral("정리")), 0);
    for (int number : moved)
        EXPECT_EQ(
            office->localValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE table_idx = ?"), {number})
                .toInt(),
            1);
}
