#pragma once

#include "cDirList.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

namespace teran {

// Reads the folder listings that FTP servers send. MLSD (RFC 3659) is exact and preferred; servers
// without it answer LIST in the "ls -l" form of Unix servers or the DOS form of Windows servers.
// Listing texts are UTF-8. Times are taken as UTC, as the servers send them.
class FtpListParser {
public:
    // One line; nullopt for the folder itself, its parent and lines that name no entry.
    static std::optional<cDirItem> parseMlsdLine(const QString& line);
    // nowUtc places dates that a Unix listing gives without a year (the last six months).
    static std::optional<cDirItem> parseListLine(const QString& line, const QDateTime& nowUtc);

    static cDirList parseMlsd(const QByteArray& text);
    static cDirList parseList(const QByteArray& text, const QDateTime& nowUtc);

private:
    static std::optional<cDirItem> parseUnixLine(const QString& line, const QDateTime& nowUtc);
    static std::optional<cDirItem> parseDosLine(const QString& line);
};

} // namespace teran
