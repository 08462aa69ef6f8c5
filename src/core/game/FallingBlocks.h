#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace teran::game {

// The falling-blocks game's rules, without a window or a timer: the window calls step() on its
// timer and the moves on its keys, and draws what the accessors tell.
//
// The board has 10 columns and 25 rows, counted from 1 at the left and 1 at the floor. A piece
// lives in a 5 x 5 box whose cells are numbered column + 5 x row (0..4, row 0 at the top); the
// box stands at board column x and row y of its top-left cell, so box cell (c, r) covers board
// cell (x + c, y - r). A new piece's box starts at x = 4, y = 26, in its first rotation state.

constexpr int kColumns = 10;
constexpr int kRows = 25;
constexpr int kPieces = 7;
constexpr int kStartX = 4;
constexpr int kStartY = 26;
constexpr int kFirstInterval = 275; // ms
constexpr int kLandingPoints = 10;
constexpr int kRowPoints = 150;

enum class Mode { OneLevel, AllLevels }; // "OL", "AL"

// The box cells of a piece (1..7) in a rotation state (1..4), in the table's order.
QList<int> pieceCells(int piece, int state);
// The state a rotation leads to: +1, back to 1 after the piece's last state; the square keeps 1.
int rotatedState(int piece, int state);

// In all-levels mode, the fall interval and the level caption a line count reaches (10, 20, …
// 230 lines); nothing for other counts.
struct Speed {
    int intervalMs = kFirstInterval;
    QString level;
};
std::optional<Speed> speedAt(int lines);

// A piece on the board or waiting: which one, its state and where its box stands.
struct Piece {
    int kind = 1;
    int state = 1;
    int x = kStartX;
    int y = kStartY;

    // The board cells it covers (column, row).
    QList<QPoint> cells() const;
};

class Board {
public:
    Board() { clear(); }
    void clear() { m_cells.fill(0); }
    // 0 for an empty cell or one outside the board, else the piece that filled it.
    int at(int column, int row) const;
    void set(int column, int row, int piece);
    // Every cell inside the side walls and above the floor, and empty where it is on the board;
    // cells above the top row are free.
    bool fits(const QList<QPoint>& cells) const;
    bool rowFull(int row) const;
    // The row taken out; the rows above it move down one and the top row is empty.
    void removeRow(int row);

private:
    std::array<int, std::size_t(kColumns) * kRows> m_cells{};
};

// What a fall step did.
struct StepResult {
    bool landed = false;
    int rowsRemoved = 0;
    bool gameOver = false;
};

class FallingBlocks {
public:
    // The source of pieces: each call gives 1..7 (the program draws them at random, tests from
    // a fixed seed).
    using PieceSource = std::function<int()>;
    explicit FallingBlocks(PieceSource source);

    // False while a game runs: the mode is chosen between games only.
    bool setMode(Mode mode);
    Mode mode() const { return m_mode; }

    void newGame();
    bool running() const { return m_running; }
    // The pause key: stops the fall and starts it again.
    void togglePause();
    bool paused() const { return m_paused; }

    // One step of the fall: down one row, or the landing (points, full rows, speed, next piece).
    StepResult step();
    // The keys: each true when the piece moved; a piece at a wall or against another does not.
    bool moveLeft();
    bool moveRight();
    bool moveDown(); // one row; landing is the fall step's
    bool rotate();

    const Board& board() const { return m_board; }
    const Piece& current() const { return m_current; }
    int nextKind() const { return m_next; }
    int score() const { return m_score; }
    int lines() const { return m_lines; }
    int intervalMs() const { return m_interval; }
    QString level() const { return m_level; }

private:
    bool tryMove(const Piece& moved);
    StepResult land();
    int draw();

    PieceSource m_source;
    Mode m_mode = Mode::OneLevel;
    Board m_board;
    Piece m_current;
    int m_next = 1;
    int m_score = 0;
    int m_lines = 0;
    int m_interval = kFirstInterval;
    QString m_level = QStringLiteral("1");
    bool m_running = false;
    bool m_paused = false;
};

} // namespace teran::game
