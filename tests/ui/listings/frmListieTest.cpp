#include "ui/listings/frmListie.h"
#include "GridDriver.h"
#include "TestOffice.h"
#include "core/session/SettingsStore.h"
#include "ui/listings/ListingTableModel.h"
#include "ui/listings/frmDetail.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

class frmListieTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make({GetParam(), Desk::Demo, listsAfternoon()});
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
        window = std::make_unique<frmListie>(office->session());
        window->resize(1200, 800);
        window->show();
        grid = control<QTableView>(window.get(), "lvMy");
    }

    void search(const QString& rows) {
        control<QLineEdit>(window.get(), "txtCount")->setText(rows);
        window->search({});
    }

    // Other offices' listings on the internet, changed within the last 60 days.
    int sharedCount() {
        return office
            ->serverValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id <> 'demo' AND state IN (1, 3) "
                                         "AND showday > ?"),
                          {office->clock.now().addDays(-60)})
            .toInt();
    }

    const ScriptedDialogs::Shown& last() { return office->dialogs.shown().last(); }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<frmListie> window;
    QTableView* grid = nullptr;
};

} // namespace

TEST_P(frmListieTest, SearchShowsTheOtherOfficesListings) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("테란 [공유매물] - 실행중"));
    const int total = sharedCount();
    ASSERT_GT(total, 2);
    search({});
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(control<QLabel>(window.get(), "lblCount")->text(),
              QStringLiteral("검색된 데이타가 총 %1 건입니다.").arg(total));
    search(QStringLiteral("500"));
    EXPECT_EQ(grid->model()->rowCount(), total);
    for (int row = 0; row < total; ++row)
        EXPECT_NE(window->model()->item(row)->officeId, QStringLiteral("demo"));
    EXPECT_TRUE(window->widthsFile().path().endsWith(QStringLiteral("demo_frmListAll_size_ie.ini")));
}

// Many shared rows: the page is shown while they are counted, and the total follows it.
TEST_P(frmListieTest, TheTotalOfManyRowsFollowsThePage) {
    {
        Transaction tx(office->server());
        for (int n = 0; n < 2050; ++n)
            office->addShared(
                {{"state", 1}, {"addr1", "부산광역시"}, {"sortday", office->clock.now().addSecs(-n)}});
        tx.commit();
    }
    QSignalSpy status(window.get(), &ListWindow::statusText);
    control<QLineEdit>(window.get(), "txtCount")->setText(QStringLiteral("30"));
    ListFilter busan;
    busan.addr1 = QStringLiteral("부산");
    window->search(busan);
    auto* count = control<QLabel>(window.get(), "lblCount");
    EXPECT_EQ(grid->model()->rowCount(), 30);
    EXPECT_EQ(count->text(), searchingText());
    EXPECT_EQ(control<QLabel>(window.get(), "lblPage")->text(), QStringLiteral("1 / 2"));
    QTRY_COMPARE(count->text(), foundText(2050));
    EXPECT_EQ(control<QLabel>(window.get(), "lblPage")->text(), QStringLiteral("1 / 69"));
    EXPECT_EQ(status.last().at(0).toString(), foundText(2050));
}

// A click names the row's office and agent, with its pictures through the fetch given (none
// without one, as offline); a double click shows the details drawn by the program.
TEST_P(frmListieTest, ARowClickNamesTheOfficeAndADoubleClickShowsTheDetails) {
    search(QStringLiteral("5"));
    const ListItem* item = window->model()->item(1);
    ASSERT_NE(item, nullptr);
    const QString shop =
        office->serverValue(QStringLiteral("SELECT shopname FROM members WHERE memID = ?"), {item->officeId})
            .toString();
    const QString agent =
        office->serverValue(QStringLiteral("SELECT showname FROM members WHERE memID = ?"), {item->subid})
            .toString();
    ASSERT_FALSE(shop.isEmpty());
    QSignalSpy chosen(window.get(), &ListWindow::rowChosen);
    clickRow(grid, 1);
    ASSERT_EQ(chosen.size(), 1);
    auto info = chosen.first().first().value<RowInfo>();
    EXPECT_EQ(info.number, item->serverIdx);
    EXPECT_TRUE(info.infoText.startsWith(shop + QStringLiteral("\n[") + agent + QStringLiteral("]\n")))
        << info.infoText.toStdString();
    EXPECT_TRUE(info.picture1.isEmpty()); // offline: no pictures fetched
    EXPECT_EQ(window->currentServerRow(), item->serverIdx);

    const ListItem* pictured = window->model()->item(2);
    ASSERT_NE(pictured, nullptr);
    office->server().execute(
        QStringLiteral("UPDATE maemul SET imgname1 = ?, imgname2 = ? WHERE table_idx = ?"),
        {QStringLiteral("shared_1.jpg"), QString(), pictured->serverIdx});
    QStringList asked;
    window->setPictureFetch([&asked](const QString& name) {
        asked << name;
        return QStringLiteral("/cache/") + name;
    });
    clickRow(grid, 2);
    ASSERT_EQ(chosen.size(), 2);
    info = chosen.last().first().value<RowInfo>();
    EXPECT_EQ(info.picture1, QStringLiteral("/cache/shared_1.jpg"));
    EXPECT_TRUE(info.picture2.isEmpty());
    EXPECT_EQ(asked, QStringList{QStringLiteral("shared_1.jpg")});

    doubleClickRow(grid, 0);
    auto* detail = window->findChild<frmDetail*>();
    ASSERT_NE(detail, nullptr);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_EQ(detail->windowTitle(), QStringLiteral("상세정보보기"));
    QHash<QString, QString> values;
    for (int r = 0; r < detail->table()->rowCount(); ++r)
        values.insert(detail->table()->item(r, 0)->text(), detail->table()->item(r, 1)->text());
    EXPECT_EQ(values.value(QStringLiteral("번호")), QString::number(window->model()->item(0)->number));
    EXPECT_TRUE(values.contains(QStringLiteral("종목")));
    EXPECT_TRUE(values.contains(QStringLiteral("시도")));
}

TEST_P(frmListieTest, ALostServerLeavesAnEmptyListAndALogLine) {
    search(QStringLiteral("5"));
    ASSERT_GT(grid->model()->rowCount(), 0);
    office->session().serverStore().close(); // the connection the window reads through
    clickRow(grid, 0);
    const QStringList lines = office->logLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().contains(QStringLiteral("frmListie -> lvMy_Click 회원사 => ")))
        << lines.last().toStdString();

    QSignalSpy status(window.get(), &ListWindow::statusText);
    window->refresh();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().first().toString(), QStringLiteral("데이타를 읽지 못했습니다."));
    doubleClickEmptyGrid(grid);
    EXPECT_EQ(last().text, QStringLiteral("등록된 매물이 없습니다."));
}

INSTANTIATE_TEST_SUITE_P(Backends, frmListieTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
