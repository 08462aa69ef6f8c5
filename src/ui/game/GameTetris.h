#pragma once

#include "core/game/FallingBlocks.h"
#include "core/game/GameFiles.h"

#include <QColor>
#include <QMainWindow>
#include <QTimer>

class QAction;
class QLabel;

namespace teran {

class GameBoardView;

// 블록쌓기 게임: the board of 10 x 25 cells, the next piece, score, lines and level, the ticker,
// the menus of the game, its modes and its options. The rules are game::FallingBlocks'; the
// keys, colours and high scores are kept in the user's own data folder.
class GameTetris : public QMainWindow {
    Q_OBJECT
public:
    explicit GameTetris(const QString& folder, QWidget* parent = nullptr);

    game::FallingBlocks& game() { return m_game; }
    // The routines behind the menus and timers.
    void mnuNewGame_Click();
    void mnuPause_Click();
    void chooseMode(game::Mode mode);
    void Timer1_Timer();
    void Timer2_Timer();
    QString tickerText() const { return m_tickerText; }
    // The game's own message window (GameError).
    static QString modeLockedText() {
        return QStringLiteral(
            "You can change this option when you are playing.You can only change it when game is "
            "over.Thanks!");
    }

Q_SIGNALS:
    // A message the game shows; tests read it instead of a window.
    void messageShown(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildPanels();
    void showValues();
    void gameOver();
    void say(const QString& text);
    void chooseColours(int set);
    void saveColours();
    QList<QColor> palette() const;

    game::GameFiles m_files;
    game::FallingBlocks m_game;
    game::GameKeys m_keys;
    QTimer m_fall;
    QTimer m_ticker;
    int m_tick = 0;
    QString m_tickerText;
    game::GameColours m_colours;
    GameBoardView* m_board = nullptr;
    GameBoardView* m_preview = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_lines = nullptr;
    QLabel* m_level = nullptr;
    QLabel* m_levelCaption = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_pause = nullptr;
    QLabel* m_prompt = nullptr;
    QList<QAction*> m_betweenGames; // the mode and option entries
    QAction* m_one = nullptr;
    QAction* m_all = nullptr;
};

} // namespace teran
