#include "GameFiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace teran::game {

namespace highScores {

QList<ScoreEntry> parse(const QString& text) {
    QList<ScoreEntry> list;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString row = line.trimmed();
        const qsizetype tab = row.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int score = row.left(tab).toInt(&ok);
        const QString name = row.mid(tab + 1).trimmed();
        if (!ok || score < 0 || name.isEmpty())
            continue;
        list << ScoreEntry{name, score};
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    return list.mid(0, kKept);
}

QString format(const QList<ScoreEntry>& list) {
    QString text;
    for (const ScoreEntry& entry : list)
        text += QStringLiteral("%1\t%2\n").arg(entry.score).arg(entry.name.simplified());
    return text;
}

bool qualifies(const QList<ScoreEntry>& list, int score) {
    if (score <= 0)
        return false;
    return list.size() < kKept || score > list.last().score;
}

QList<ScoreEntry> withEntry(QList<ScoreEntry> list, const ScoreEntry& entry) {
    const auto at = std::find_if(list.begin(), list.end(),
                                 [&](const ScoreEntry& row) { return entry.score > row.score; });
    list.insert(at, entry);
    return list.mid(0, kKept);
}

} // namespace highScores

namespace {

const char* const kKeyNames[] = {"left", "right", "down", "rotate", "pause"};

// Qt's numbers of the keys with their own codes in the file.
constexpr int kQtLeft = 0x01000012, kQtUp = 0x01000013, kQtRight = 0x01000014, kQtDown = 0x01000015;
constexpr int kQtSpace = 0x20, kQtReturn = 0x01000004, kQtShift = 0x01000020, kQtControl = 0x01000021;

} // namespace

int& GameKeys::of(int action) {
    int* fields[] = {&left, &right, &down, &rotate, &pause};
    return *fields[qBound(0, action, kActions - 1)];
}

GameKeys GameKeys::parse(const QString& text) {
    GameKeys keys;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString name = line.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        bool ok = false;
        const int code = line.section(QLatin1Char('='), 1).trimmed().toInt(&ok);
        if (!ok || code <= 0 || code > 255)
            continue;
        for (int i = 0; i < kActions; ++i)
            if (name == QLatin1String(kKeyNames[i]))
                keys.of(i) = code;
    }
    return keys;
}

QString GameKeys::format() const {
    GameKeys copy = *this;
    QString text;
    for (int i = 0; i < kActions; ++i)
        text += QStringLiteral("%1=%2\r\n").arg(QLatin1String(kKeyNames[i])).arg(copy.of(i));
    return text;
}

bool GameKeys::oneKeyForTwoActions() const {
    const QList<int> codes{left, right, down, rotate, pause};
    for (int i = 0; i < codes.size(); ++i)
        if (codes.indexOf(codes[i]) != i)
            return true;
    return false;
}

int keyCodeOf(int qtKey) {
    switch (qtKey) {
    case kQtLeft:
        return 37;
    case kQtUp:
        return 38;
    case kQtRight:
        return 39;
    case kQtDown:
        return 40;
    case kQtSpace:
        return 32;
    case kQtReturn:
        return 13;
    case kQtShift:
        return 16;
    case kQtControl:
        return 17;
    default:
        break;
    }
    // letters and digits keep their codes (Qt's are the upper-case letters' and the digits')
    if ((qtKey >= 'A' && qtKey <= 'Z') || (qtKey >= '0' && qtKey <= '9'))
        return qtKey;
    return 0;
}

QString keyName(int code) {
    switch (code) {
    case 37:
        return QStringLiteral("Left");
    case 38:
        return QStringLiteral("Up");
    case 39:
        return QStringLiteral("Right");
    case 40:
        return QStringLiteral("Down");
    case 32:
        return QStringLiteral("Space");
    case 13:
        return QStringLiteral("Enter");
    case 16:
        return QStringLiteral("Shift");
    case 17:
        return QStringLiteral("Ctrl");
    default:
        break;
    }
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return QString(QChar(code));
    return QString::number(code);
}

GameColours GameColours::parse(const QString& text) {
    GameColours colours;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString name = line.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        bool ok = false;
        if (name == QLatin1String("SET")) {
            const int set = value.toInt(&ok);
            if (ok && set >= 0 && set < 16)
                colours.set = set;
        } else if (name == QLatin1String("FCOL") && value.size() == 7 && value.startsWith(QLatin1Char('#'))) {
            value.mid(1).toUInt(&ok, 16);
            if (ok)
                colours.figure = value.toLower();
        }
    }
    return colours;
}

QString GameColours::format() const {
    return QStringLiteral("SET=%1\r\nFCOL=%2\r\n").arg(set).arg(figure);
}

GameFiles::GameFiles(QString folder)
    : m_folder(std::move(folder)) {}

QString GameFiles::read(const QString& name) const {
    QFile file(QDir(m_folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool GameFiles::write(const QString& name, const QString& text) const {
    if (!QDir().mkpath(m_folder))
        return false;
    QSaveFile file(QDir(m_folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

QString GameFiles::scoreFile(Mode mode) {
    return mode == Mode::OneLevel ? QStringLiteral("plylist1.sop") : QStringLiteral("plylist2.sop");
}

GameKeys GameFiles::keys() const {
    return GameKeys::parse(read(QStringLiteral("key.ini")));
}

bool GameFiles::saveKeys(const GameKeys& keys) const {
    return write(QStringLiteral("key.ini"), keys.format());
}

GameColours GameFiles::colours() const {
    return GameColours::parse(read(QStringLiteral("color.ini")));
}

bool GameFiles::saveColours(const GameColours& colours) const {
    return write(QStringLiteral("color.ini"), colours.format());
}

QList<ScoreEntry> GameFiles::scores(Mode mode) const {
    return highScores::parse(read(scoreFile(mode)));
}

bool GameFiles::saveScores(Mode mode, const QList<ScoreEntry>& list) const {
    return write(scoreFile(mode), highScores::format(list));
}

} // namespace teran::game
