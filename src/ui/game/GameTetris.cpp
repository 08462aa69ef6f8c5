#include "GameTetris.h"

#include "GameDialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QRandomGenerator>
#include <QVBoxLayout>
#include <functional>

namespace teran {

// Cells drawn as filled squares that keep their proportion whatever the window's size.
class GameBoardView : public QWidget {
public:
    using CellAt = std::function<int(int column, int row)>; // 0 empty, else the piece
    GameBoardView(int columns, int rows, CellAt cellAt, std::function<QList<QColor>()> colours,
                  QWidget* parent)
        : QWidget(parent)
        , m_columns(columns)
        , m_rows(rows)
        , m_cellAt(std::move(cellAt))
        , m_colours(std::move(colours)) {
        setMinimumSize(columns * 12, rows * 12);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    int cellSize() const { return qMax(4, qMin(width() / m_columns, height() / m_rows)); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QList<QColor> colours = m_colours();
        const int size = cellSize();
        const int left = (width() - size * m_columns) / 2;
        const int top = (height() - size * m_rows) / 2;
        painter.fillRect(left, top, size * m_columns, size * m_rows, colours.first());
        for (int row = 1; row <= m_rows; ++row)
            for (int column = 1; column <= m_columns; ++column) {
                const int piece = m_cellAt(column, row);
                if (piece <= 0)
                    continue;
                const QRect cell(left + (column - 1) * size, top + (m_rows - row) * size, size, size);
                painter.fillRect(cell.adjusted(1, 1, -1, -1), colours.value(piece, Qt::gray));
            }
        painter.setPen(colours.first().lightness() > 128 ? Qt::darkGray : Qt::gray);
        painter.drawRect(left, top, size * m_columns - 1, size * m_rows - 1);
    }

private:
    int m_columns;
    int m_rows;
    CellAt m_cellAt;
    std::function<QList<QColor>()> m_colours;
};

namespace {

// The colour sets of the options menu: background first, then the seven pieces.
const QList<QList<QColor>>& colourSets() {
    static const QList<QList<QColor>> sets{
        {QColor(20, 20, 40), QColor(240, 200, 40), QColor(60, 200, 230), QColor(170, 80, 220),
         QColor(240, 140, 40), QColor(50, 100, 230), QColor(80, 200, 90), QColor(230, 60, 60)},
        {QColor(235, 235, 235), QColor(120, 120, 120), QColor(90, 90, 90), QColor(60, 60, 60),
         QColor(150, 150, 150), QColor(40, 40, 40), QColor(110, 110, 110), QColor(70, 70, 70)},
        {QColor(0, 0, 0), QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255), QColor(255, 255, 0),
         QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 255, 255)},
        {QColor(10, 40, 20), QColor(120, 220, 120), QColor(80, 180, 80), QColor(150, 240, 150),
         QColor(60, 140, 60), QColor(190, 250, 190), QColor(100, 200, 100), QColor(40, 120, 40)},
        {QColor(250, 245, 230), QColor(200, 80, 60), QColor(60, 120, 180), QColor(220, 160, 40),
         QColor(90, 160, 90), QColor(150, 80, 160), QColor(60, 170, 170), QColor(120, 90, 60)},
    };
    return sets;
}

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* made = new QLabel(text, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

} // namespace

GameTetris::GameTetris(const QString& folder, QWidget* parent)
    : QMainWindow(parent)
    , m_files(folder)
    , m_game([] { return int(QRandomGenerator::global()->bounded(game::kPieces)) + 1; })
    , m_keys(m_files.keys())
    , m_colours(m_files.colours()) {
    setObjectName(QStringLiteral("GameTetris"));
    setWindowTitle(QStringLiteral("Falling blocks"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    buildMenus();
    buildPanels();
    connect(&m_fall, &QTimer::timeout, this, &GameTetris::Timer1_Timer);
    connect(&m_ticker, &QTimer::timeout, this, &GameTetris::Timer2_Timer);
    m_ticker.start(3000);
    Timer2_Timer();
    showValues();
    resize(520, 640);
}

QList<QColor> GameTetris::palette() const {
    QList<QColor> colours = colourSets().value(m_colours.set, colourSets().first());
    if (!m_colours.figure.isEmpty())
        for (int piece = 1; piece < colours.size(); ++piece)
            colours[piece] = QColor(m_colours.figure);
    return colours;
}

void GameTetris::buildMenus() {
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Game"));
    const auto add = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* entry = menu->addAction(text);
        entry->setObjectName(QLatin1String(name));
        connect(entry, &QAction::triggered, this, handler);
        return entry;
    };
    add(gameMenu, "mnuNewGame", QStringLiteral("&New game"), [this] {
        mnuNewGame_Click();
    })->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    add(gameMenu, "mnuPause", QStringLiteral("&Pause"), [this] { mnuPause_Click(); });
    add(gameMenu, "mnuHScore", QStringLiteral("&High scores"), [this] {
        GameScores scores(m_files, this);
        scores.exec();
    });
    gameMenu->addSeparator();
    add(gameMenu, "mnuExit", QStringLiteral("E&xit"), [this] {
        close();
    })->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));

    QMenu* modeMenu = menuBar()->addMenu(QStringLiteral("&Mode"));
    auto* modes = new QActionGroup(this);
    m_one = add(modeMenu, "mnuGameOne", QStringLiteral("One level (OL)"),
                [this] { chooseMode(game::Mode::OneLevel); });
    m_all = add(modeMenu, "mnuGameAll", QStringLiteral("All levels (AL)"),
                [this] { chooseMode(game::Mode::AllLevels); });
    for (QAction* entry : {m_one, m_all}) {
        entry->setCheckable(true);
        modes->addAction(entry);
    }
    m_one->setChecked(true);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_betweenGames << add(options, "mnuCT", QStringLiteral("&Controls..."), [this] {
        GameControl controls(m_keys, this);
        if (controls.exec() != QDialog::Accepted)
            return;
        m_keys = controls.keys();
        if (!m_files.saveKeys(m_keys))
            say(game::GameFiles::saveFailedText());
    });
    QMenu* colours = options->addMenu(QStringLiteral("C&olours"));
    colours->setObjectName(QStringLiteral("mnuCO"));
    const char* const setNames[] = {"mnuc1", "mnuC2", "mnuc123", "mnuc1234", "mnuc987"};
    const char* const setTexts[] = {"Night", "Grey", "Bright", "Green", "Paper"};
    auto* sets = new QActionGroup(this);
    for (int i = 0; i < 5; ++i) {
        QAction* entry =
            add(colours, setNames[i], QLatin1String(setTexts[i]), [this, i] { chooseColours(i); });
        entry->setCheckable(true);
        entry->setChecked(i == m_colours.set);
        sets->addAction(entry);
        m_betweenGames << entry;
    }
    m_betweenGames << add(options, "mnuFCO", QStringLiteral("&Figure colour..."), [this] {
        const QColor chosen =
            QColorDialog::getColor(palette().value(1), this, QStringLiteral("Figure colour"));
        if (!chosen.isValid())
            return;
        m_colours.figure = chosen.name();
        saveColours();
    });
}

void GameTetris::buildPanels() {
    auto* centre = new QWidget(this);
    auto* grid = new QGridLayout(centre);
    m_board = new GameBoardView(
        game::kColumns, game::kRows,
        [this](int column, int row) {
            for (const QPoint& cell : m_game.current().cells())
                if (m_game.running() && cell.x() == column && cell.y() == row)
                    return m_game.current().kind;
            return m_game.board().at(column, row);
        },
        [this] { return palette(); }, centre);
    m_board->setObjectName(QStringLiteral("board"));
    m_preview = new GameBoardView(
        5, 5,
        [this](int column, int row) {
            if (!m_game.running())
                return 0;
            for (int cell : game::pieceCells(m_game.nextKind(), 1))
                if (cell % 5 + 1 == column && 5 - cell / 5 == row)
                    return m_game.nextKind();
            return 0;
        },
        [this] { return palette(); }, centre);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFixedSize(100, 100);

    auto* side = new QVBoxLayout;
    side->addWidget(label(centre, "Label2", QStringLiteral("Next")));
    side->addWidget(m_preview);
    side->addWidget(label(centre, "Label4", QStringLiteral("Score")));
    m_score = label(centre, "Label3");
    side->addWidget(m_score);
    side->addWidget(label(centre, "Label5", QStringLiteral("Lines")));
    m_lines = label(centre, "lblLines");
    side->addWidget(m_lines);
    m_levelCaption = label(centre, "Label1", QStringLiteral("Level"));
    side->addWidget(m_levelCaption);
    m_level = label(centre, "lblLevel");
    side->addWidget(m_level);
    side->addStretch();
    QFont big = m_score->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    for (QLabel* value : {m_score, m_lines, m_level})
        value->setFont(big);

    m_pause = label(centre, "frPause");
    m_pause->setAlignment(Qt::AlignCenter);
    m_pause->hide();
    m_prompt = label(centre, "lblPres", QStringLiteral("Press Ctrl+N for a new game"));
    m_prompt->setAlignment(Qt::AlignCenter);
    m_note = label(centre, "lblNote");
    m_note->setAlignment(Qt::AlignCenter);

    grid->addWidget(m_board, 0, 0);
    grid->addLayout(side, 0, 1);
    grid->addWidget(m_pause, 1, 0, 1, 2);
    grid->addWidget(m_prompt, 2, 0, 1, 2);
    grid->addWidget(m_note, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    setCentralWidget(centre);
}

void GameTetris::showValues() {
    m_score->setText(QString::number(m_game.score()));
    m_lines->setText(QString::number(m_game.lines()));
    m_level->setText(m_game.level());
    const bool levels = m_game.mode() == game::Mode::AllLevels;
    m_level->setVisible(levels);
    m_levelCaption->setVisible(levels);
    m_board->update();
    m_preview->update();
}

void GameTetris::say(const QString& text) {
    Q_EMIT messageShown(text);
    if (isVisible())
        QMessageBox::information(this, QStringLiteral("Error"), text);
}

void GameTetris::mnuNewGame_Click() {
    m_game.newGame();
    m_pause->hide();
    m_prompt->hide();
    for (QAction* entry : std::as_const(m_betweenGames))
        entry->setEnabled(false);
    showValues();
    m_fall.start(m_game.intervalMs());
    setFocus();
}

void GameTetris::mnuPause_Click() {
    if (!m_game.running())
        return;
    m_game.togglePause();
    if (m_game.paused()) {
        m_fall.stop();
        m_pause->setText(QStringLiteral("To continue playing please press : ") + game::keyName(m_keys.pause));
        m_pause->show();
    } else {
        m_pause->hide();
        m_fall.start(m_game.intervalMs());
    }
}

void GameTetris::chooseMode(game::Mode mode) {
    if (!m_game.setMode(mode)) {
        (m_game.mode() == game::Mode::OneLevel ? m_one : m_all)->setChecked(true);
        say(modeLockedText());
        return;
    }
    showValues();
}

void GameTetris::chooseColours(int set) {
    m_colours.set = qBound(0, set, int(colourSets().size()) - 1);
    m_colours.figure.clear();
    saveColours();
}

void GameTetris::saveColours() {
    if (!m_files.saveColours(m_colours))
        say(game::GameFiles::saveFailedText());
    m_board->update();
    m_preview->update();
}

void GameTetris::Timer1_Timer() {
    const game::StepResult result = m_game.step();
    if (result.landed) {
        m_fall.setInterval(m_game.intervalMs());
        if (result.gameOver) {
            gameOver();
            return;
        }
    }
    showValues();
}

void GameTetris::gameOver() {
    m_fall.stop();
    showValues();
    const game::Mode mode = m_game.mode();
    const QList<game::ScoreEntry> list = m_files.scores(mode);
    if (game::highScores::qualifies(list, m_game.score())) {
        Gamemer name(m_game.score(), this);
        if (!isVisible() || name.exec() == QDialog::Accepted) {
            const QList<game::ScoreEntry> updated =
                game::highScores::withEntry(list, {name.name(), m_game.score()});
            if (!m_files.saveScores(mode, updated))
                say(game::GameFiles::saveFailedText());
        }
    }
    for (QAction* entry : std::as_const(m_betweenGames))
        entry->setEnabled(true);
    m_prompt->show();
    m_board->update();
}

void GameTetris::Timer2_Timer() {
    const QList<game::ScoreEntry> one = m_files.scores(game::Mode::OneLevel);
    const QList<game::ScoreEntry> all = m_files.scores(game::Mode::AllLevels);
    const QString pause = game::keyName(m_keys.pause);
    const QStringList texts{
        QStringLiteral("Press ") + pause + QStringLiteral(" to have a break."),
        QStringLiteral("Best OL Score : ") + QString::number(one.isEmpty() ? 0 : one.first().score),
        QStringLiteral("Best AL Score : ") + QString::number(all.isEmpty() ? 0 : all.first().score),
        QStringLiteral("You have ") + QString::number(m_game.lines()) + QStringLiteral(" lines."),
        QStringLiteral("You have more then ") + QString::number(m_game.score()) + QStringLiteral(" points."),
        (one.isEmpty() ? QStringLiteral("Nobody") : one.first().name) + QStringLiteral(" is best in OL."),
        QStringLiteral("Ctrl+N - for New Game"),
        QStringLiteral("Ctrl+X - to Exit"),
    };
    m_tickerText = texts.at(m_tick++ % texts.size());
    m_note->setText(m_tickerText);
}

void GameTetris::keyPressEvent(QKeyEvent* event) {
    const int code = game::keyCodeOf(event->key());
    if (code == 0 || !m_game.running()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (code == m_keys.pause) {
        mnuPause_Click();
    } else if (code == m_keys.left) {
        m_game.moveLeft();
    } else if (code == m_keys.right) {
        m_game.moveRight();
    } else if (code == m_keys.down) {
        m_game.moveDown(); // one row a press; a held key repeats
    } else if (code == m_keys.rotate) {
        m_game.rotate();
    } else {
        QMainWindow::keyPressEvent(event);
        return;
    }
    showValues();
}

} // namespace teran
