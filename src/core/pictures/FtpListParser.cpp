#include "FtpListParser.h"

#include <QRegularExpression>
#include <QStringList>

namespace teran {

namespace {

bool isDotEntry(const QString& name) {
    return name == QLatin1String(".") || name == QLatin1String("..");
}

QStringList linesOf(const QByteArray& text) {
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

int monthNumber(const QString& name) {
    static const QStringList months = {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"),
                                       QStringLiteral("apr"), QStringLiteral("may"), QStringLiteral("jun"),
                                       QStringLiteral("jul"), QStringLiteral("aug"), QStringLiteral("sep"),
                                       QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    return int(months.indexOf(name.toLower())) + 1; // 0 when unknown
}

// "20240131235959" or "20240131235959.123", always UTC.
QDateTime parseMlsdTime(const QString& value) {
    const QDate date = QDate::fromString(value.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(value.mid(8, 6), QStringLiteral("HHmmss"));
    return date.isValid() && time.isValid() ? QDateTime(date, time, Qt::UTC) : QDateTime();
}

// A Unix listing gives "Dec 06 10:24" for the last six months and "Dec 06  2023" before.
QDateTime parseUnixTime(int month, int day, const QString& yearOrTime, const QDateTime& nowUtc) {
    if (yearOrTime.contains(QLatin1Char(':'))) {
        const QTime time = QTime::fromString(yearOrTime, QStringLiteral("H:mm"));
        const QDate thisYear(nowUtc.date().year(), month, day);
        if (!time.isValid())
            return {};
        // A date "in the future" (or a 29 February that this year lacks) lies in the year before.
        if (thisYear.isValid() && QDateTime(thisYear, time, Qt::UTC) <= nowUtc.addDays(1))
            return QDateTime(thisYear, time, Qt::UTC);
        const QDate lastYear(nowUtc.date().year() - 1, month, day);
        return lastYear.isValid() ? QDateTime(lastYear, time, Qt::UTC) : QDateTime();
    }
    const QDate date(yearOrTime.toInt(), month, day);
    return date.isValid() ? QDateTime(date, QTime(0, 0), Qt::UTC) : QDateTime();
}

} // namespace

std::optional<cDirItem> FtpListParser::parseMlsdLine(const QString& line) {
    // "type=file;size=5;modify=20241206102400; name": the name follows the first blank.
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (blank <= 0 || blank + 1 >= line.size())
        return std::nullopt;
    cDirItem entry;
    entry.name = line.mid(blank + 1);
    bool typed = false;
    for (const QString& fact : line.left(blank).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = fact.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = fact.left(equals).toLower();
        const QString value = fact.mid(equals + 1);
        if (key == QLatin1String("type")) {
            const QString type = value.toLower();
            if (type == QLatin1String("cdir") || type == QLatin1String("pdir"))
                return std::nullopt;
            entry.isFolder = type == QLatin1String("dir");
            typed = true;
        } else if (key == QLatin1String("size") || key == QLatin1String("sizd")) {
            entry.size = value.toLongLong();
        } else if (key == QLatin1String("modify")) {
            entry.modified = parseMlsdTime(value);
        }
    }
    if (!typed || isDotEntry(entry.name))
        return std::nullopt;
    return entry;
}

std::optional<cDirItem> FtpListParser::parseUnixLine(const QString& line, const QDateTime& nowUtc) {
    // "drwxr-xr-x   2 owner group  4096 Dec 06 10:24 name"; some servers leave out the group.
    static const QRegularExpression unixLine(
        QStringLiteral(R"(^([-dlbcps])[-rwxsStT]{9}[.+@]?\s+\d+\s+(?:\S+\s+){1,2}?(\d+)\s+([A-Za-z]{3})\s+)"
                       R"((\d{1,2})\s+(\d{1,2}:\d{2}|\d{4})\s(.+)$)"));
    const QRegularExpressionMatch match = unixLine.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    const int month = monthNumber(match.captured(3));
    if (month == 0)
        return std::nullopt;
    cDirItem entry;
    entry.isFolder = match.captured(1) == QLatin1String("d");
    entry.size = match.captured(2).toLongLong();
    entry.modified = parseUnixTime(month, match.captured(4).toInt(), match.captured(5), nowUtc);
    entry.name = match.captured(6);
    if (match.captured(1) == QLatin1String("l")) {
        const qsizetype arrow = entry.name.indexOf(QLatin1String(" -> "));
        if (arrow > 0)
            entry.name.truncate(arrow);
    }
    if (isDotEntry(entry.name))
        return std::nullopt;
    return entry;
}

std::optional<cDirItem> FtpListParser::parseDosLine(const QString& line) {
    // "12-06-24  10:24AM       <DIR>          photos" or "12-06-24  10:24AM   1234 a.jpg"
    static const QRegularExpression dosLine(QStringLiteral(
        R"(^(\d{2})-(\d{2})-(\d{2}|\d{4})\s+(\d{1,2}):(\d{2})\s*([AaPp][Mm])?\s+(<DIR>|\d+)\s+(.+)$)"));
    const QRegularExpressionMatch match = dosLine.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    int year = match.captured(3).toInt();
    if (match.captured(3).size() == 2)
        year += year < 70 ? 2000 : 1900;
    int hour = match.captured(4).toInt() % 12;
    if (match.captured(6).isEmpty())
        hour = match.captured(4).toInt();
    else if (match.captured(6).toUpper() == QLatin1String("PM"))
        hour += 12;
    cDirItem entry;
    entry.name = match.captured(8);
    entry.isFolder = match.captured(7) == QLatin1String("<DIR>");
    entry.size = entry.isFolder ? 0 : match.captured(7).toLongLong();
    const QDate date(year, match.captured(1).toInt(), match.captured(2).toInt());
    const QTime time(hour, match.captured(5).toInt());
    if (date.isValid() && time.isValid())
        entry.modified = QDateTime(date, time, Qt::UTC);
    if (isDotEntry(entry.name))
        return std::nullopt;
    return entry;
}

std::optional<cDirItem> FtpListParser::parseListLine(const QString& line, const QDateTime& nowUtc) {
    if (auto entry = parseUnixLine(line, nowUtc))
        return entry;
    return parseDosLine(line);
}

cDirList FtpListParser::parseMlsd(const QByteArray& text) {
    cDirList list;
    for (const QString& line : linesOf(text)) {
        if (auto entry = parseMlsdLine(line))
            list.add(*entry);
    }
    return list;
}

cDirList FtpListParser::parseList(const QByteArray& text, const QDateTime& nowUtc) {
    cDirList list;
    for (const QString& line : linesOf(text)) {
        if (auto entry = parseListLine(line, nowUtc))
            list.add(*entry);
    }
    return list;
}

} // namespace teran
