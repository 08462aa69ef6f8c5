#include "ui/game/GameTetris.h"
#include "WidgetControls.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace teran;
using namespace teran::test;

// The game window: a new game runs with the mode and option entries locked (a mode chosen then is
// refused with the game's words), the keys move the piece, pause shows its panel with the pause
// key's name, and the ticker names the pause key.
TEST(GameTetrisTest, AGameRunsFromTheMenuWithItsKeysPauseAndLockedModes) {
    QTemporaryDir dir;
    auto* window = new GameTetris(dir.filePath("game"));
    QStringList said;
    QObject::connect(window, &GameTetris::messageShown, [&](const QString& text) { said << text; });
    EXPECT_EQ(window->tickerText(), "Press P to have a break.");
    control<QAction>(window, "mnuGameAll")->trigger();
    EXPECT_EQ(window->game().mode(), game::Mode::AllLevels);
    EXPECT_TRUE(control<QLabel>(window, "lblLevel")->isVisibleTo(window));

    control<QAction>(window, "mnuNewGame")->trigger();
    ASSERT_TRUE(window->game().running());
    EXPECT_FALSE(control<QAction>(window, "mnuCT")->isEnabled());
    control<QAction>(window, "mnuGameOne")->trigger();
    EXPECT_EQ(window->game().mode(), game::Mode::AllLevels);
    ASSERT_FALSE(said.isEmpty());
    EXPECT_EQ(said.last(), GameTetris::modeLockedText());

    const int x = window->game().current().x;
    QTest::keyClick(window, Qt::Key_Left);
    EXPECT_EQ(window->game().current().x, x - 1);
    const int y = window->game().current().y;
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(window->game().current().y, y - 1);

    QTest::keyClick(window, Qt::Key_P);
    EXPECT_TRUE(window->game().paused());
    EXPECT_EQ(control<QLabel>(window, "frPause")->text(), "To continue playing please press : P");
    window->Timer1_Timer();
    EXPECT_EQ(window->game().current().y, y - 1) << "nothing falls while paused";
    QTest::keyClick(window, Qt::Key_P);
    EXPECT_FALSE(window->game().paused());

    // the game runs to its end by the fall alone: the entries are free again
    while (window->game().running())
        window->Timer1_Timer();
    EXPECT_TRUE(control<QAction>(window, "mnuCT")->isEnabled());
    EXPECT_GT(window->game().score(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("game/plylist2.sop"))) << "a first score is kept";
    delete window;
}
