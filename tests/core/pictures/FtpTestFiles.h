#pragma once

#include "TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace teran::test {

// Bytes that an ASCII-mode transfer or a text conversion would change: every byte value, CR LF,
// lone CR and LF, and NULs, repeated to the size asked for.
inline QByteArray binarySample(qsizetype size) {
    QByteArray bytes;
    bytes.reserve(size);
    const QByteArray tricky("\r\n\n\r\0\x1a\xff", 7);
    for (qsizetype i = 0; bytes.size() < size; ++i)
        bytes.append(i % 5 == 0 ? tricky : QByteArray(1, static_cast<char>(i % 256)));
    bytes.truncate(size);
    return bytes;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where a remote path of the FTP account lies on this machine.
inline QString ftpDiskPath(const FtpService& ftp, const QString& remotePath) {
    return QDir(ftp.root).filePath(remotePath);
}

} // namespace teran::test
