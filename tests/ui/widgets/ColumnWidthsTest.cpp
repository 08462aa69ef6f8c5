#include "ui/widgets/ColumnWidths.h"
#include "ScriptedDialogs.h"
#include "core/session/StoreSetup.h"

#include <QFile>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

// A list window's grid: four columns, a few rows, the header's own default width.
class ColumnWidthsTest : public testing::Test {
protected:
    void SetUp() override {
        initDataFolder(folder);
        fill(&model, 3);
        view.setModel(&model);
        view.horizontalHeader()->setDefaultSectionSize(kDefault);
        view.horizontalHeader()->setMinimumSectionSize(5);
        view.resize(800, 400);
    }

    static void fill(QStandardItemModel* m, int rows) {
        m->clear();
        m->setHorizontalHeaderLabels({QStringLiteral("번호"), QStringLiteral("시도"), QStringLiteral("군구"),
                                      QStringLiteral("매매가")});
        for (int r = 0; r < rows; ++r)
            m->appendRow({new QStandardItem(QString::number(r)), new QStandardItem(QStringLiteral("서울")),
                          new QStandardItem(QStringLiteral("강남구")),
                          new QStandardItem(QStringLiteral("50000"))});
    }
    void setWidths(const QList<int>& widths) {
        for (int i = 0; i < widths.size(); ++i)
            view.horizontalHeader()->resizeSection(i, widths.at(i));
    }
    QByteArray contentOf(const LayoutFile& file) {
        QFile f(file.path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static constexpr int kDefault = 100;
    QTemporaryDir dir;
    DataFolder folder{dir.path()};
    QStandardItemModel model;
    QTableView view;
    ScriptedDialogs dialogs;
    LayoutFile kimFile{folder, LayoutKind::OwnListType, QStringLiteral("kim"), QStringLiteral("apt")};
};

} // namespace

// Yes saves the widths of the user's own file; the next fill (columns made anew) gets them back,
// and another user of the machine keeps his own.
TEST_F(ColumnWidthsTest, YesSavesTheCurrentWidthsAndTheNextFillGetsThemBack) {
    const LayoutFile leeFile(folder, LayoutKind::OwnListType, QStringLiteral("lee"), QStringLiteral("apt"));
    ColumnWidths widths(&view);
    setWidths({50, 160, 70, 210});
    dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_EQ(widths.saveOrReset(dialogs, kimFile), WidthsOutcome::Saved);
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown()[0].buttons, DialogButtons::YesNo);
    EXPECT_EQ(contentOf(kimFile), QByteArray("50,160,70,210,"));

    fill(&model, 5);
    EXPECT_EQ(widths.widths(), (QList<int>{kDefault, kDefault, kDefault, kDefault}));
    EXPECT_EQ(widths.apply(leeFile), 0);
    setWidths({150, 160, 170, 180});
    dialogs.answerNext(DialogAnswer::Yes);
    ASSERT_EQ(widths.saveOrReset(dialogs, leeFile), WidthsOutcome::Saved);
    fill(&model, 3);
    EXPECT_EQ(widths.apply(kimFile), 4);
    EXPECT_EQ(widths.widths(), (QList<int>{50, 160, 70, 210}));
}

TEST_F(ColumnWidthsTest, NoResetsTheGridAndRemovesTheFile) {
    ASSERT_TRUE(kimFile.write({50, 160, 70, 210}));
    ColumnWidths widths(&view);
    widths.setDefaultWidths({40, 120}); // the window's own widths of its first two columns
    widths.apply(kimFile);
    setWidths({300, 300, 300, 300});
    dialogs.answerNext(DialogAnswer::No);

    EXPECT_EQ(widths.saveOrReset(dialogs, kimFile), WidthsOutcome::Reset);

    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(widths.widths(), (QList<int>{40, 120, kDefault, kDefault}));
    EXPECT_FALSE(kimFile.exists());

    fill(&model, 2);
    EXPECT_EQ(widths.apply(kimFile), 0);
    EXPECT_EQ(widths.widths(), (QList<int>{kDefault, kDefault, kDefault, kDefault}));
}

// An empty grid says so and leaves the file alone; a file that cannot be written is reported,
// not confirmed.
TEST_F(ColumnWidthsTest, AnEmptyGridOrAnUnwritableFileSavesNothing) {
    ASSERT_TRUE(kimFile.write({11, 22, 33, 44}));
    fill(&model, 0);
    ColumnWidths widths(&view);

    EXPECT_EQ(widths.saveOrReset(dialogs, kimFile), WidthsOutcome::EmptyGrid);

    ASSERT_EQ(dialogs.shown().size(), 1) << "no question on an empty grid";
    EXPECT_EQ(dialogs.shown()[0].text, QStringLiteral("등록된 매물이 없습니다."));
    EXPECT_EQ(contentOf(kimFile), QByteArray("11,22,33,44,"));

    fill(&model, 3);
    QTemporaryDir other;
    QFile blocker(other.filePath(QStringLiteral("rd")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const LayoutFile blocked(DataFolder(other.path()), LayoutKind::Maesu, QStringLiteral("kim"));
    dialogs.clear();
    dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_EQ(widths.saveOrReset(dialogs, blocked), WidthsOutcome::Failed);
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_NE(dialogs.shown()[1].title, QStringLiteral("저장완료"));
    EXPECT_FALSE(dialogs.shown()[1].text.contains(QStringLiteral("저장하였습니다")));
}

TEST_F(ColumnWidthsTest, ATreeViewIsHandledLikeATable) {
    QTreeView tree;
    tree.setModel(&model);
    tree.header()->setStretchLastSection(false);
    tree.header()->setDefaultSectionSize(kDefault);
    for (int i = 0; i < 4; ++i)
        tree.header()->resizeSection(i, kDefault);
    ColumnWidths widths(&tree);
    ASSERT_TRUE(kimFile.write({25, 35, 45, 55}));
    EXPECT_EQ(widths.apply(kimFile), 4);
    EXPECT_EQ(tree.columnWidth(2), 45);

    dialogs.answerNext(DialogAnswer::No);
    EXPECT_EQ(widths.saveOrReset(dialogs, kimFile), WidthsOutcome::Reset);
    EXPECT_EQ(widths.widths(), (QList<int>{kDefault, kDefault, kDefault, kDefault}));
    EXPECT_FALSE(kimFile.exists());
}
