#pragma once

#include "FallingBlocks.h"

#include <QList>
#include <QString>

namespace teran::game {

// One row of a high-score list.
struct ScoreEntry {
    QString name;
    int score = 0;
    bool operator==(const ScoreEntry&) const = default;
};

// A high-score list of one mode: the best ten, best first. The file holds one row a line, the
// score, a TAB and the name; a damaged line is skipped, never fatal.
namespace highScores {
constexpr int kKept = 10;
QList<ScoreEntry> parse(const QString& text);
QString format(const QList<ScoreEntry>& list);
// A score earns a place when the list has room or it beats the lowest row.
bool qualifies(const QList<ScoreEntry>& list, int score);
QList<ScoreEntry> withEntry(QList<ScoreEntry> list, const ScoreEntry& entry);
} // namespace highScores

// The keys of the game as key codes of the settings file (37 left, 39 right, 40 down, 38 up
// for rotate, 80 the letter P for pause, by default).
struct GameKeys {
    int left = 37;
    int right = 39;
    int down = 40;
    int rotate = 38;
    int pause = 80;

    // "left=37" … one a line; a missing or damaged line keeps its default.
    static GameKeys parse(const QString& text);
    QString format() const;
    // The key of an action by its number: 0 left, 1 right, 2 down, 3 rotate, 4 pause.
    static constexpr int kActions = 5;
    int& of(int action);
    // One key for two actions is refused.
    bool oneKeyForTwoActions() const;
    bool operator==(const GameKeys&) const = default;
};

// The file's key code of a key the window received (Qt's key number), 0 for a key it cannot
// keep; and the name shown for a code ("P", "Left").
int keyCodeOf(int qtKey);
QString keyName(int code);

// The colours chosen: the colour set of the options menu and, when picked, one colour for every
// figure ("FCOL=" in color.ini).
struct GameColours {
    int set = 0;
    QString figure; // "#rrggbb", empty for the set's own colours

    static GameColours parse(const QString& text);
    QString format() const;
    bool operator==(const GameColours&) const = default;
};

// The game's files in the user's own data folder: key.ini, color.ini, plylist1.sop (one level)
// and plylist2.sop (all levels). Missing files read as the defaults and empty lists.
class GameFiles {
public:
    explicit GameFiles(QString folder);

    GameKeys keys() const;
    bool saveKeys(const GameKeys& keys) const; // false when the file cannot be written
    GameColours colours() const;
    bool saveColours(const GameColours& colours) const;
    QList<ScoreEntry> scores(Mode mode) const;
    bool saveScores(Mode mode, const QList<ScoreEntry>& list) const;

    // What a failed save says (the game goes on with what it holds).
    static QString saveFailedText() {
        return QStringLiteral("I can't save changes! Please check your disk.");
    }

private:
    QString read(const QString& name) const;
    bool write(const QString& name, const QString& text) const;
    static QString scoreFile(Mode mode);

    QString m_folder;
};

} // namespace teran::game
