#include "ui/listings/ListingTableModel.h"
#include "TestOffice.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFont>
#include <QSignalSpy>

using namespace teran;
using namespace teran::test;

namespace {

class ListingTableModelTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make({Backend::Sqlite, Desk::Demo, listsAfternoon()});
        ASSERT_TRUE(office);
    }

    ListPage search(ListKind kind, const QString& tb = {}, const QString& rows = QStringLiteral("8")) {
        ListFilter filter;
        filter.tb = tb;
        const ListPage page = ListQuery(office->session()).ListSearch(ListRequest(kind, filter, {}, rows));
        EXPECT_TRUE(page.ok) << page.error.toStdString();
        return page;
    }

    int columnOf(const ListingTableModel& model, const QString& caption) {
        for (int c = 0; c < model.columnCount(); ++c)
            if (model.caption(c) == caption)
                return c;
        return -1;
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

TEST_F(ListingTableModelTest, PassesTheModelTesterThroughPagesAndTicks) {
    ListingTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setPage(search(ListKind::Own));
    ASSERT_EQ(model.rowCount(), 8);
    model.tickAll();
    model.setTicked(3, false);
    model.setPage(search(ListKind::Shared, QStringLiteral("apt")));
    model.setPage(search(ListKind::Own, QStringLiteral("land"), QStringLiteral("500")));
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    model.tickAll(); // nothing to tick, nothing breaks
}

TEST_F(ListingTableModelTest, ShowsCellsCaptionsAlignmentAndHidesHelperColumns) {
    ListingTableModel model;
    const ListPage page = search(ListKind::Own);
    model.setPage(page);
    ASSERT_EQ(model.columnCount(), page.columns.size());
    for (int c = 0; c < model.columnCount(); ++c) {
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), page.columns.at(c).caption);
        EXPECT_EQ(model.isHiddenColumn(c), page.columns.at(c).hidden);
        const int align = model.data(model.index(0, c), Qt::TextAlignmentRole).toInt();
        EXPECT_EQ(bool(align & Qt::AlignRight), isRightAlignedCaption(page.columns.at(c).caption))
            << page.columns.at(c).caption.toStdString();
        EXPECT_EQ(model.data(model.index(2, c)).toString(), page.rows.at(2).cells.at(c));
    }
    // state, hitadd and hitmem stay in the model for the layout files, but are not shown
    EXPECT_TRUE(model.isHiddenColumn(columnOf(model, QStringLiteral("state"))));
    EXPECT_TRUE(model.isHiddenColumn(columnOf(model, QStringLiteral("hitmem"))));
    // the tick boxes sit in the first column shown (the number), not in the hidden state column
    EXPECT_EQ(model.checkColumn(), columnOf(model, QStringLiteral("번호")));
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::CheckStateRole).isValid());
    EXPECT_EQ(model.data(model.index(0, model.checkColumn()), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(model.flags(model.index(0, model.checkColumn())) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
}

TEST_F(ListingTableModelTest, TicksGiveThePicksOfTheActions) {
    ListingTableModel model;
    model.setPage(search(ListKind::Own));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const int check = model.checkColumn();
    EXPECT_FALSE(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(model.setData(model.index(1, check), QStringLiteral("x"), Qt::EditRole));
    EXPECT_TRUE(model.setData(model.index(1, check), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(4, check), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(model.tickedRows(), (QList<int>{1, 4}));

    const QList<ListingPick> picks = model.tickedPicks();
    ASSERT_EQ(picks.size(), 2);
    EXPECT_EQ(picks.at(0).number, model.item(1)->number);
    EXPECT_EQ(picks.at(1).number, model.item(4)->number);
    // the label names the type as the grid shows it
    const QString type = model.data(model.index(1, columnOf(model, QStringLiteral("종목")))).toString();
    EXPECT_TRUE(picks.at(0).label.startsWith(type + QLatin1Char(' '))) << picks.at(0).label.toStdString();

    model.tickAll();
    EXPECT_EQ(model.tickedRows().size(), model.rowCount());
    model.setPage(search(ListKind::Own)); // a new page starts unticked
    EXPECT_TRUE(model.tickedRows().isEmpty());

    // A shared row's pick carries the server's row number.
    model.setPage(search(ListKind::Shared));
    ASSERT_GT(model.rowCount(), 0);
    model.setTicked(0, true);
    const ListItem* item = model.item(0);
    ASSERT_NE(item, nullptr);
    EXPECT_GT(item->serverIdx, 0);
    EXPECT_EQ(model.tickedPicks().value(0).number, item->serverIdx);
    EXPECT_EQ(
        office
            ->serverValue(QStringLiteral("SELECT sub_idx FROM maemul WHERE table_idx = ?"), {item->serverIdx})
            .toInt(),
        item->number);
}

TEST_F(ListingTableModelTest, AgedRowsAreDrawnInTheSetColourAndBold) {
    ListPage page = search(ListKind::Own);
    ASSERT_GE(page.rows.size(), 2);
    page.rows[0].mark = RowMark{0x0000FFu, true}; // red as the settings keep it: r + g*256 + b*65536
    page.rows[1].mark = RowMark{0xFF0000u, false};
    for (int row = 2; row < page.rows.size(); ++row)
        page.rows[row].mark.reset();
    ListingTableModel model;
    model.setPage(page);
    EXPECT_EQ(model.data(model.index(0, 1), Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_TRUE(model.data(model.index(0, 1), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model.data(model.index(1, 1), Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_FALSE(model.data(model.index(1, 1), Qt::FontRole).isValid());
    if (page.rows.size() > 2) {
        EXPECT_FALSE(model.data(model.index(2, 1), Qt::ForegroundRole).isValid());
        EXPECT_FALSE(model.data(model.index(2, 1), Qt::FontRole).isValid());
    }
}
