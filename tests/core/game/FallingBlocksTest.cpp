#include "core/game/FallingBlocks.h"
#include "core/game/GameFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace teran::game;

namespace {

// Pieces in a fixed order, over and over.
FallingBlocks::PieceSource sequence(QList<int> pieces) {
    auto at = std::make_shared<int>(0);
    return [pieces, at] { return pieces.at((*at)++ % pieces.size()); };
}

// The same pieces on every run: a small linear congruential generator from a seed.
FallingBlocks::PieceSource seeded(quint32 seed) {
    auto state = std::make_shared<quint32>(seed);
    return [state] {
        *state = *state * 1664525u + 1013904223u;
        return int((*state >> 16) % 7) + 1;
    };
}

void fillRow(FallingBlocks& game, int row, int except) {
    auto& board = const_cast<Board&>(game.board());
    for (int column = 1; column <= kColumns; ++column)
        if (column != except)
            board.set(column, row, 3);
}

void dropToTheFloor(FallingBlocks& game) {
    while (!game.step().landed) {
    }
}

// A player that puts each piece where it leaves the board lowest with the fewest holes, as a
// person would: every state and column is tried on a copy of the board.
struct Placement {
    int state = 1;
    int x = kStartX;
};

// The usual weights of such players: height, holes and unevenness cost, removed rows earn.
int costOf(const Board& board, int rowsRemoved) {
    int height = 0, holes = 0, bumps = 0, previous = -1;
    for (int column = 1; column <= kColumns; ++column) {
        int top = 0;
        for (int row = kRows; row >= 1 && top == 0; --row)
            if (board.at(column, row) != 0)
                top = row;
        for (int row = 1; row < top; ++row)
            if (board.at(column, row) == 0)
                ++holes;
        height += top;
        if (previous >= 0)
            bumps += std::abs(top - previous);
        previous = top;
    }
    return 51 * height + 36 * holes + 18 * bumps - 76 * rowsRemoved;
}

Placement bestPlacement(const FallingBlocks& game) {
    Placement best;
    int bestCost = INT_MAX;
    for (int state = 1; state <= 4; ++state) {
        if (pieceCells(game.current().kind, state).isEmpty())
            break;
        for (int x = -2; x <= kColumns; ++x) {
            Piece piece{game.current().kind, state, x, kStartY};
            if (!game.board().fits(piece.cells()))
                continue;
            while (true) {
                Piece lower = piece;
                --lower.y;
                if (!game.board().fits(lower.cells()))
                    break;
                piece = lower;
            }
            Board after = game.board();
            for (const QPoint& cell : piece.cells())
                after.set(cell.x(), cell.y(), piece.kind);
            int removed = 0;
            for (int row = 1; row <= kRows;)
                if (after.rowFull(row)) {
                    after.removeRow(row);
                    ++removed;
                } else {
                    ++row;
                }
            const int cost = costOf(after, removed);
            if (cost < bestCost) {
                bestCost = cost;
                best = {state, x};
            }
        }
    }
    return best;
}

// Plays until `pieces` have landed or the game ends; the number landed.
int play(FallingBlocks& game, int pieces) {
    int landed = 0;
    while (game.running() && landed < pieces) {
        const Placement target = bestPlacement(game);
        while (game.current().state != target.state && game.rotate()) {
        }
        while (game.current().x > target.x && game.moveLeft()) {
        }
        while (game.current().x < target.x && game.moveRight()) {
        }
        dropToTheFloor(game);
        ++landed;
    }
    return landed;
}

} // namespace

// The rotation table: the bar alternates between lying and standing, the square never turns,
// the four-state pieces come back to their first state after four turns.
TEST(FallingBlocksTest, PiecesTurnAsTheTableSays) {
    EXPECT_EQ(rotatedState(2, 1), 2);
    EXPECT_EQ(rotatedState(2, 2), 1);
    EXPECT_EQ(rotatedState(6, 2), 1);
    EXPECT_EQ(rotatedState(1, 1), 1);
    EXPECT_EQ(rotatedState(3, 4), 1);

    FallingBlocks bars(sequence({2}));
    bars.newGame();
    const QList<QPoint> lying = bars.current().cells();
    ASSERT_TRUE(bars.rotate());
    EXPECT_EQ(bars.current().cells().first().x(), bars.current().cells().last().x()) << "standing";
    ASSERT_TRUE(bars.rotate());
    EXPECT_EQ(bars.current().cells(), lying);

    FallingBlocks squares(sequence({1}));
    squares.newGame();
    const Piece before = squares.current();
    EXPECT_FALSE(squares.rotate());
    EXPECT_EQ(squares.current().cells(), before.cells());
}

// A piece at a wall or against another piece neither moves nor turns into it.
TEST(FallingBlocksTest, APieceAtAWallOrOnAnotherDoesNotMoveOrTurnIntoIt) {
    FallingBlocks game(sequence({2}));
    game.newGame();
    while (game.moveLeft()) {
    }
    EXPECT_EQ(game.current().cells().first().x(), 1);
    EXPECT_FALSE(game.moveLeft());
    while (game.moveRight()) {
    }
    EXPECT_EQ(game.current().cells().last().x(), kColumns);

    // standing bar beside a filled column: no move into it
    FallingBlocks walled(sequence({2}));
    walled.newGame();
    ASSERT_TRUE(walled.rotate());
    const int column = walled.current().cells().first().x();
    auto& board = const_cast<Board&>(walled.board());
    for (int row = 1; row <= kRows; ++row)
        board.set(column - 1, row, 5);
    EXPECT_FALSE(walled.moveLeft());
    // lying down again would cross the filled column
    EXPECT_FALSE(walled.rotate());
    EXPECT_EQ(walled.current().state, 2);
}

// Landing gives 10; two rows removed at once give 300 more and 2 lines; the rows above move down.
TEST(FallingBlocksTest, TwoRowsAtOnceAddThreeHundredAndTenWithTheLanding) {
    FallingBlocks game(sequence({2, 1}));
    game.newGame();
    ASSERT_TRUE(game.rotate()); // a standing bar fills 4 rows of one column
    fillRow(game, 1, 10);
    fillRow(game, 2, 10);
    const_cast<Board&>(game.board()).set(3, 3, 6); // above the rows that go
    while (game.moveRight()) {
    }
    dropToTheFloor(game);
    EXPECT_EQ(game.score(), 310);
    EXPECT_EQ(game.lines(), 2);
    EXPECT_EQ(game.board().at(3, 1), 6) << "the row above moved down two";
    EXPECT_EQ(game.board().at(10, 1), 2) << "the rest of the bar";
    EXPECT_EQ(game.board().at(10, 2), 2);
    EXPECT_EQ(game.board().at(10, 3), 0);
}

// All-levels mode speeds up at every tenth line: 275 ms and level 2 at 10 lines, 10 ms and level
// 24 at 230; one-level mode stays at 275 ms. The mode cannot change while a game runs.
TEST(FallingBlocksTest, TheLevelsFollowTheLinesAndTheModeWaitsForTheGameToEnd) {
    EXPECT_EQ(speedAt(10)->intervalMs, 275);
    EXPECT_EQ(speedAt(10)->level, "2");
    EXPECT_EQ(speedAt(230)->intervalMs, 10);
    EXPECT_EQ(speedAt(230)->level, "24");
    EXPECT_EQ(speedAt(140)->intervalMs, 85);
    EXPECT_FALSE(speedAt(15));
    EXPECT_FALSE(speedAt(240));

    FallingBlocks game(sequence({2}));
    ASSERT_TRUE(game.setMode(Mode::AllLevels));
    game.newGame();
    EXPECT_FALSE(game.setMode(Mode::OneLevel));
    EXPECT_EQ(game.mode(), Mode::AllLevels);
    // 20 lines, two at a time, with a standing bar in the last column each time
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(game.rotate());
        fillRow(game, 1, 10);
        fillRow(game, 2, 10);
        while (game.moveRight()) {
        }
        dropToTheFloor(game);
        // the bar's two cells left above are taken away again
        const_cast<Board&>(game.board()).set(10, 1, 0);
        const_cast<Board&>(game.board()).set(10, 2, 0);
    }
    EXPECT_EQ(game.lines(), 20);
    EXPECT_EQ(game.intervalMs(), 260);
    EXPECT_EQ(game.level(), "3");
}

// Pause stops the fall and the keys; the same key goes on.
TEST(FallingBlocksTest, PauseStopsTheFallUntilPressedAgain) {
    FallingBlocks game(sequence({3}));
    game.newGame();
    const Piece at = game.current();
    game.togglePause();
    EXPECT_FALSE(game.step().landed);
    EXPECT_FALSE(game.moveLeft());
    EXPECT_EQ(game.current().cells(), at.cells());
    game.togglePause();
    game.step();
    EXPECT_EQ(game.current().y, at.y - 1);
}

// A game ends when a new piece has no room; a deterministic game of 1,000 pieces from a fixed seed
// ends with the same score on every run.
TEST(FallingBlocksTest, AThousandPiecesFromAFixedSeedScoreTheSameEveryTime) {
    FallingBlocks first(seeded(20261210));
    first.newGame();
    ASSERT_EQ(play(first, 1000), 1000) << "the player survives a thousand pieces";
    FallingBlocks second(seeded(20261210));
    second.newGame();
    play(second, 1000);
    EXPECT_EQ(first.score(), second.score());
    EXPECT_EQ(first.lines(), second.lines());
    EXPECT_EQ(first.score(), 1000 * kLandingPoints + first.lines() * kRowPoints);
    EXPECT_GT(first.lines(), 300);

    // bars standing in one column fill the board to the top: the game ends
    FallingBlocks stacked(sequence({2}));
    stacked.newGame();
    int landed = 0;
    while (stacked.running() && landed < 100) {
        stacked.rotate();
        dropToTheFloor(stacked);
        ++landed;
    }
    EXPECT_FALSE(stacked.running());
    EXPECT_LT(landed, 10);
    EXPECT_FALSE(stacked.step().landed) << "nothing falls after the end";
}

// The files: keys with their defaults, one key for two actions refused, high scores kept best
// first and ten at most; a damaged score line is skipped; a folder that cannot be written says so.
TEST(GameFilesTest, KeysAndScoresRoundTripAndDamageIsSkipped) {
    QTemporaryDir dir;
    const GameFiles files(dir.filePath("game"));
    EXPECT_EQ(files.keys(), GameKeys{});
    GameKeys keys;
    keys.pause = 'S';
    ASSERT_TRUE(files.saveKeys(keys));
    EXPECT_EQ(files.keys(), keys);
    keys.rotate = keys.left;
    EXPECT_TRUE(keys.oneKeyForTwoActions());
    EXPECT_FALSE(GameKeys{}.oneKeyForTwoActions());
    EXPECT_EQ(GameKeys::parse("left=x\nright=68\n").right, 68);
    EXPECT_EQ(GameKeys::parse("left=x\nright=68\n").left, 37);
    EXPECT_EQ(keyName(80), "P");
    EXPECT_EQ(keyCodeOf(0x01000012), 37);
    EXPECT_EQ(files.colours(), GameColours{});
    ASSERT_TRUE(files.saveColours({3, "#12ab9f"}));
    EXPECT_EQ(files.colours(), (GameColours{3, "#12ab9f"}));
    EXPECT_EQ(GameColours::parse("SET=x\nFCOL=red\n"), GameColours{});

    QList<ScoreEntry> list;
    for (int i = 1; i <= 12; ++i)
        if (highScores::qualifies(list, i * 100))
            list = highScores::withEntry(list, {QStringLiteral("p%1").arg(i), i * 100});
    ASSERT_EQ(list.size(), highScores::kKept);
    EXPECT_EQ(list.first().score, 1200);
    EXPECT_FALSE(highScores::qualifies(list, 300));
    EXPECT_TRUE(highScores::qualifies(list, 301));
    ASSERT_TRUE(files.saveScores(Mode::AllLevels, list));
    EXPECT_EQ(files.scores(Mode::AllLevels), list);
    EXPECT_TRUE(files.scores(Mode::OneLevel).isEmpty());

    QFile damaged(QDir(dir.filePath("game")).filePath("plylist1.sop"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("500\tKim\n\x01\x02garbage\nabc\tLee\n700\tPark\n\t\n");
    damaged.close();
    EXPECT_EQ(files.scores(Mode::OneLevel), (QList<ScoreEntry>{{"Park", 700}, {"Kim", 500}}));

    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(GameFiles(dir.filePath("file/game")).saveKeys(keys));
}
