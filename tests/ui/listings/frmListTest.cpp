#include "ui/listings/frmList.h"
#include "OwnListFixture.h"
#include "core/listings/ActionTexts.h"
#include "core/session/SettingsStore.h"
#include "ui/listings/frmSearchPrint.h"
#include "ui/widgets/ColumnWidths.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

class frmListTest : public OwnListFixture {};

} // namespace

TEST_F(frmListTest, SearchFillsTheGridAndAnEmptyCountPagesByTwo) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("테란 [내매물] - 실행중"));
    const int total = stored(QStringLiteral("state <> 2"));
    ASSERT_GT(total, 10);
    QSignalSpy status(window.get(), &ListWindow::statusText);
    search({});
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(control<QLabel>(window.get(), "lblCount")->text(),
              QStringLiteral("검색된 데이타가 총 %1 건입니다.").arg(total));
    const int pages = (total + 1) / 2;
    EXPECT_EQ(control<QLabel>(window.get(), "lblPage")->text(), QStringLiteral("1 / %1").arg(pages));
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.first().first().toString(),
              QStringLiteral("데이타 검색중입니다. 잠시만 기다려 주세요."));
    EXPECT_EQ(status.last().first().toString(), QStringLiteral("검색된 데이타가 총 %1 건입니다.").arg(total));

    const QList<int> first = numbers();
    click(window.get(), "cmdNext");
    EXPECT_EQ(window->currentPage(), 2);
    EXPECT_EQ(grid->model()->rowCount(), 2);
    for (int number : numbers())
        EXPECT_FALSE(first.contains(number));
    click(window.get(), "cmdLast");
    EXPECT_EQ(window->currentPage(), pages);
    EXPECT_EQ(grid->model()->rowCount(), total % 2 == 0 ? 2 : 1);
    EXPECT_FALSE(control<QWidget>(window.get(), "cmdNext")->isEnabled());
    click(window.get(), "cmdFirst");
    EXPECT_EQ(numbers(), first);

    // a new page size from the box, confirmed with Enter
    auto* count = control<QLineEdit>(window.get(), "txtCount");
    count->setText(QStringLiteral("5"));
    QTest::keyClick(count, Qt::Key_Return);
    EXPECT_EQ(grid->model()->rowCount(), 5);

    // The search run again starts on the first page, unless the page is fixed.
    click(window.get(), "cmdNext");
    window->search({});
    EXPECT_EQ(window->currentPage(), 1);
    click(window.get(), "cmdNext");
    control<QCheckBox>(window.get(), "chkGojung")->setChecked(true);
    window->search({});
    EXPECT_EQ(window->currentPage(), 2);
}

// The same header twice sorts ascending after descending; the archive tab shows only archived
// listings.
TEST_F(frmListTest, HeaderSortsAndTheArchiveTab) {
    search(QStringLiteral("500"));
    ASSERT_TRUE(clickHeader(grid, QStringLiteral("번호")));
    EXPECT_EQ(window->sortState(), (SortState{QStringLiteral("table_idx"), QStringLiteral("desc")}));
    QList<int> shown = numbers();
    ASSERT_GT(shown.size(), 3);
    EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend()));
    ASSERT_TRUE(clickHeader(grid, QStringLiteral("번호")));
    EXPECT_EQ(window->sortState().direction, QStringLiteral("asc"));
    shown = numbers();
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));

    const int archived = stored(QStringLiteral("state = 2"));
    ASSERT_GT(archived, 0);
    EXPECT_FALSE(columnTexts(grid, QStringLiteral("state")).contains(QStringLiteral("2")));
    auto* tabs = control<QTabBar>(window.get(), "tabSS");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_TRUE(window->archiveView());
    EXPECT_EQ(grid->model()->rowCount(), archived);
    for (const QString& state : columnTexts(grid, QStringLiteral("state")))
        EXPECT_EQ(state, QStringLiteral("2"));
}

TEST_F(frmListTest, TickAllAndPrintNeedRows) {
    click(window.get(), "cmdChk");
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(last().text, QStringLiteral("등록된 매물이 없습니다."));

    search(QStringLiteral("6"));
    click(window.get(), "cmdPrint");
    EXPECT_EQ(last().text,
              QStringLiteral("인쇄할 내용이 없습니다.\r\n인쇄할 목록에 '√'표시를 해주시기바랍니다."));
    EXPECT_EQ(window->findChild<frmSearchPrint*>(), nullptr);

    click(window.get(), "cmdChk");
    EXPECT_EQ(model()->tickedRows().size(), 6);
    EXPECT_EQ(window->tickedPicks().size(), 6);
    click(window.get(), "cmdPrint");
    EXPECT_NE(window->findChild<frmSearchPrint*>(), nullptr);
}

TEST_F(frmListTest, ARowClickShowsPicturesOwnerAndLatestWork) {
    search(QStringLiteral("10"));
    const int number = model()->item(2)->number;
    office->local().execute(QStringLiteral("UPDATE maemul SET uname = ?, uhome = ?, uhp = ?, opid = NULL, "
                                           "imgname1 = ?, imgname2 = NULL WHERE table_idx = ?"),
                            {QStringLiteral("최주인"), QStringLiteral("02-1"), QStringLiteral("010-2"),
                             QStringLiteral("p1.jpg"), number});
    office->local().execute(
        QStringLiteral("INSERT INTO mem_work(id, tb, tidx, addr, writeday, work) VALUES(?,?,?,?,?,?)"),
        {QStringLiteral("demo"), QStringLiteral("maemul"), number, QString(),
         QDateTime(QDate(2026, 3, 9), QTime(9, 0)), QStringLiteral("현장 확인")});
    QFile picture(QDir(office->session().dataFolder().files()).filePath(QStringLiteral("p1.jpg")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("jpg");
    picture.close();

    QSignalSpy chosen(window.get(), &ListWindow::rowChosen);
    clickRow(grid, 2);
    ASSERT_EQ(chosen.size(), 1);
    const auto info = chosen.first().first().value<RowInfo>();
    EXPECT_EQ(info.number, number);
    EXPECT_EQ(info.infoText, QStringLiteral("최주인 [집]02-1 [핸]010-2\n2026-03-09 현장 확인"));
    EXPECT_TRUE(info.picture1.endsWith(QStringLiteral("p1.jpg")));
    EXPECT_TRUE(info.picture2.isEmpty());
    EXPECT_EQ(window->currentNumber(), number) << "the clicked row is the one the row actions take";

    // A double click asks for the registration window.
    QSignalSpy edit(window.get(), &frmList::editRequested);
    doubleClickRow(grid, 4);
    ASSERT_EQ(edit.size(), 1);
    EXPECT_EQ(edit.first().first().toInt(), model()->item(4)->number);
    EXPECT_EQ(window->currentNumber(), model()->item(4)->number);
}

TEST_F(frmListTest, PageSizeAndFixedPageAreKeptPerUser) {
    typeAndLeave(control<QLineEdit>(window.get(), "txtCount"), QStringLiteral("7"));
    control<QCheckBox>(window.get(), "chkGojung")->click();
    SettingsStore demo(office->local(), QStringLiteral("demo"));
    EXPECT_EQ(demo.listPageSize(), 7);
    EXPECT_TRUE(demo.listFixedPage());
    EXPECT_FALSE(demo.sharedListFixedPage());

    open(); // the window opened again reads them back
    EXPECT_EQ(control<QLineEdit>(window.get(), "txtCount")->text(), QStringLiteral("7"));
    EXPECT_TRUE(control<QCheckBox>(window.get(), "chkGojung")->isChecked());

    typeAndLeave(control<QLineEdit>(window.get(), "txtCount"), QString());
    EXPECT_EQ(demo.listPageSize(), std::nullopt);

    // another user keeps his own
    office->session().state().LoginId = QStringLiteral("staff1");
    open();
    EXPECT_EQ(control<QLineEdit>(window.get(), "txtCount")->text(), QStringLiteral("30")) << "never set";
    EXPECT_FALSE(control<QCheckBox>(window.get(), "chkGojung")->isChecked());
}

// The row actions (수정, 문의하기, 인쇄) take the row the user clicked, or the one ticked row; a row
// that merely has the keyboard's focus is nobody's choice.
TEST_F(frmListTest, TheRowActionsTakeTheClickedRowOrTheOnlyTickedOne) {
    search(QStringLiteral("6"));
    const QList<int> shown = numbers();
    ASSERT_GE(shown.size(), 3);
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 2));
    grid->clearSelection();
    EXPECT_EQ(window->currentNumber(), 0) << "the focus alone chooses nothing";

    model()->setTicked(2, true);
    ASSERT_EQ(model()->tickedRows(), QList<int>{2});
    EXPECT_EQ(window->currentNumber(), shown.at(2)) << "one tick is a choice";
    model()->setTicked(1, true);
    EXPECT_EQ(window->currentNumber(), 0) << "two ticks are a batch, not a row";

    clickRow(grid, 1);
    EXPECT_EQ(window->currentNumber(), shown.at(1)) << "a click chooses the row";
}

namespace {

// The width a cell's text takes in the grid's font, bold where its row is drawn bold.
int textWidth(const QTableView* grid, const QModelIndex& index) {
    QFont font = grid->font();
    if (const QVariant bold = index.data(Qt::FontRole); bold.isValid())
        font = bold.value<QFont>().resolve(font);
    return QFontMetrics(font).horizontalAdvance(index.data().toString());
}

} // namespace

// At the width of a laptop screen each column of the own list is as wide as its widest text on
// the page (caption included), up to a bound that keeps a long remark from pushing the others
// off; a width the user saved for a column still wins over the fitted one.
TEST_F(frmListTest, AtALaptopsWidthEveryCellIsShownWholeAndSavedWidthsWin) {
    window->resize(1366, 768);
    office->addOwn({{"tb", "wonroom"},
                    {"ty", "W"},
                    {"addr1", "경기"},
                    {"addr2", "용인시 기흥구"},
                    {"addr3", "보정동"},
                    {"pyung", 34.5},
                    {"pyung_use", 25.75},
                    {"money_b", 1000},
                    {"money_w", 55},
                    {"mbigo", QString(150, QChar(u'비'))}});
    office->addOwn(
        {{"tb", "villa"}, {"ty", "B"}, {"addr2", "수원시 영통구"}, {"floor", "B1"}, {"floor_max", 15}});
    search(QStringLiteral("40"));
    ASSERT_GT(grid->model()->rowCount(), 2);
    QHeaderView* header = grid->horizontalHeader();
    const int widest = ColumnWidths(grid).maximumWidth();
    ASSERT_LT(widest, grid->viewport()->width() / 2);
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (grid->isColumnHidden(c))
            continue;
        const QString caption = model()->caption(c);
        EXPECT_GE(header->sectionSize(c), header->fontMetrics().horizontalAdvance(caption))
            << caption.toStdString();
        EXPECT_LE(header->sectionSize(c), std::max(widest, header->sectionSizeHint(c)))
            << caption.toStdString();
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            const QModelIndex index = grid->model()->index(r, c);
            EXPECT_GE(header->sectionSize(c), std::min(textWidth(grid, index), widest))
                << caption.toStdString() << ": " << index.data().toString().toStdString();
        }
    }
    EXPECT_TRUE(columnTexts(grid, QStringLiteral("종목")).contains(QStringLiteral("원/투/쓰리룸")));

    // A width the user saved for 군구 wins; 비고, which the file has no width for, is fitted.
    const int district = columnOf(grid, QStringLiteral("군구"));
    const int remark = columnOf(grid, QStringLiteral("비고"));
    const int fittedRemark = header->sectionSize(remark);
    QList<int> saved = ColumnWidths(grid).widths().mid(0, district + 1);
    saved[district] = 321;
    ASSERT_TRUE(window->widthsFile().write(saved));
    search(QStringLiteral("40"));
    EXPECT_EQ(header->sectionSize(district), 321);
    EXPECT_EQ(header->sectionSize(remark), fittedRemark);
}

// The own list tells where each listing is shared, in the column next to its number.
TEST_F(frmListTest, TheSharingColumnTellsWhereEachListingIsShared) {
    const QList<std::pair<int, QString>> states{{0, QString()},
                                                {1, QStringLiteral("온라인")},
                                                {7, QStringLiteral("클럽")},
                                                {3, QStringLiteral("온라인+클럽")}};
    QHash<int, QString> expected;
    for (const auto& [state, text] : states)
        expected.insert(office->addOwn({{"state", state}, {"addr2", "분당구"}}), text);
    search(QStringLiteral("500"));
    const QStringList numbers = columnTexts(grid, QStringLiteral("번호"));
    const QStringList shared = columnTexts(grid, sharingCaption());
    ASSERT_EQ(shared.size(), numbers.size());
    int checked = 0;
    for (int r = 0; r < numbers.size(); ++r)
        if (expected.contains(numbers.at(r).toInt())) {
            EXPECT_EQ(shared.at(r), expected.value(numbers.at(r).toInt())) << numbers.at(r).toStdString();
            ++checked;
        }
    EXPECT_EQ(checked, int(expected.size()));
    QHeaderView* header = grid->horizontalHeader();
    EXPECT_EQ(header->visualIndex(columnOf(grid, sharingCaption())),
              header->visualIndex(columnOf(grid, QStringLiteral("번호"))) + 1);
}
