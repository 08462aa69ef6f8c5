#include "FallingBlocks.h"

namespace teran::game {

namespace {

// The rotation states of the seven pieces as box cell numbers.
const QList<QList<QList<int>>>& pieceTable() {
    static const QList<QList<QList<int>>> table{
        {{12, 13, 17, 18}},                                                 // 1 square
        {{11, 12, 13, 14}, {7, 12, 17, 22}},                                // 2 bar
        {{7, 8, 13, 18}, {9, 14, 13, 12}, {18, 17, 12, 7}, {12, 7, 8, 9}},  // 3
        {{8, 7, 12, 17}, {7, 8, 9, 14}, {8, 13, 18, 17}, {7, 12, 13, 14}},  // 4
        {{8, 13, 18, 12}, {8, 12, 13, 14}, {7, 12, 17, 13}, {7, 8, 9, 13}}, // 5
        {{7, 12, 13, 18}, {12, 13, 8, 9}},                                  // 6
        {{8, 13, 12, 17}, {7, 8, 13, 14}},                                  // 7
    };
    return table;
}

bool validKind(int piece) {
    return piece >= 1 && piece <= kPieces;
}

} // namespace

QList<int> pieceCells(int piece, int state) {
    if (!validKind(piece))
        return {};
    const QList<QList<int>>& states = pieceTable().at(piece - 1);
    if (state < 1 || state > states.size())
        return {};
    return states.at(state - 1);
}

int rotatedState(int piece, int state) {
    if (!validKind(piece))
        return 1;
    const int states = int(pieceTable().at(piece - 1).size());
    return state >= states ? 1 : state + 1;
}

std::optional<Speed> speedAt(int lines) {
    static const int intervals[] = {275, 260, 245, 230, 215, 200, 185, 170, 155, 140, 125, 110,
                                    95,  85,  75,  65,  60,  55,  50,  40,  30,  20,  10};
    if (lines < 10 || lines % 10 != 0 || lines / 10 > int(std::size(intervals)))
        return std::nullopt;
    const int step = lines / 10;
    return Speed{intervals[step - 1], QString::number(step + 1)};
}

QList<QPoint> Piece::cells() const {
    QList<QPoint> covered;
    for (int cell : pieceCells(kind, state))
        covered << QPoint(x + cell % 5, y - cell / 5);
    return covered;
}

int Board::at(int column, int row) const {
    if (column < 1 || column > kColumns || row < 1 || row > kRows)
        return 0;
    return m_cells[std::size_t((row - 1) * kColumns + column - 1)];
}

void Board::set(int column, int row, int piece) {
    if (column >= 1 && column <= kColumns && row >= 1 && row <= kRows)
        m_cells[std::size_t((row - 1) * kColumns + column - 1)] = piece;
}

bool Board::fits(const QList<QPoint>& cells) const {
    for (const QPoint& cell : cells) {
        if (cell.x() < 1 || cell.x() > kColumns || cell.y() < 1)
            return false;
        if (cell.y() <= kRows && at(cell.x(), cell.y()) != 0)
            return false;
    }
    return true;
}

bool Board::rowFull(int row) const {
    for (int column = 1; column <= kColumns; ++column)
        if (at(column, row) == 0)
            return false;
    return true;
}

void Board::removeRow(int row) {
    for (int r = row; r < kRows; ++r)
        for (int column = 1; column <= kColumns; ++column)
            set(column, r, at(column, r + 1));
    for (int column = 1; column <= kColumns; ++column)
        set(column, kRows, 0);
}

FallingBlocks::FallingBlocks(PieceSource source)
    : m_source(std::move(source)) {}

int FallingBlocks::draw() {
    const int piece = m_source ? m_source() : 1;
    return validKind(piece) ? piece : 1;
}

bool FallingBlocks::setMode(Mode mode) {
    if (m_running)
        return false;
    m_mode = mode;
    return true;
}

void FallingBlocks::newGame() {
    m_board.clear();
    m_score = 0;
    m_lines = 0;
    m_interval = kFirstInterval;
    m_level = QStringLiteral("1");
    m_current = Piece{draw()};
    m_next = draw();
    m_running = true;
    m_paused = false;
}

void FallingBlocks::togglePause() {
    if (m_running)
        m_paused = !m_paused;
}

bool FallingBlocks::tryMove(const Piece& moved) {
    if (!m_running || m_paused || !m_board.fits(moved.cells()))
        return false;
    m_current = moved;
    return true;
}

bool FallingBlocks::moveLeft() {
    Piece moved = m_current;
    --moved.x;
    return tryMove(moved);
}

bool FallingBlocks::moveRight() {
    Piece moved = m_current;
    ++moved.x;
    return tryMove(moved);
}

bool FallingBlocks::moveDown() {
    Piece moved = m_current;
    --moved.y;
    return tryMove(moved);
}

bool FallingBlocks::rotate() {
    Piece turned = m_current;
    turned.state = rotatedState(turned.kind, turned.state);
    if (turned.state == m_current.state)
        return false; // the square
    return tryMove(turned);
}

StepResult FallingBlocks::step() {
    if (!m_running || m_paused)
        return {};
    if (moveDown())
        return {};
    return land();
}

// The piece's cells go into the board; a piece that stops partly above the top row has no room
// left: the game is over. Full rows are taken out from the bottom up, the same row tested again
// after the rows above moved down.
StepResult FallingBlocks::land() {
    StepResult result;
    result.landed = true;
    bool above = false;
    for (const QPoint& cell : m_current.cells()) {
        if (cell.y() > kRows)
            above = true;
        m_board.set(cell.x(), cell.y(), m_current.kind);
    }
    m_score += kLandingPoints;
    for (int row = 1; row <= kRows;) {
        if (!m_board.rowFull(row)) {
            ++row;
            continue;
        }
        m_board.removeRow(row);
        ++result.rowsRemoved;
        m_score += kRowPoints;
        ++m_lines;
        if (m_mode == Mode::AllLevels)
            if (const std::optional<Speed> speed = speedAt(m_lines)) {
                m_interval = speed->intervalMs;
                m_level = speed->level;
            }
    }
    m_current = Piece{m_next};
    m_next = draw();
    if (above || !m_board.fits(m_current.cells())) {
        m_running = false;
        result.gameOver = true;
    }
    return result;
}

} // namespace teran::game
