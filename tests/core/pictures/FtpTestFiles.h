#pragma once

#include "TestCertificates.h"
#include "TestServices.h"
#include "core/pictures/FtpError.h"
#include "core/pictures/PictureStore.h"
#include "core/pictures/clsFTP.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

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

// The FtpError a step ends in; none when it succeeds.
template <typename Step> std::optional<FtpError> ftpFailure(Step step) {
    try {
        step();
        return std::nullopt;
    } catch (const FtpError& error) {
        return error;
    }
}

// Logs `ftp` in to a loopback FTP server, trusting the authority that signed its certificate.
inline void openTrusting(clsFTP& ftp, const QString& host, int port, const QString& user,
                         const QString& password, const QString& caFile = servicesCaFile()) {
    ftp.setTimeouts(5, 10);
    ftp.setTlsTrust(TlsTrust(caFile));
    ftp.OpenConnection(host, port, user, password);
}

// The picture server of an FTP account on this machine, trusting the authority of its certificate.
inline PictureServer pictureServer(const QString& host, int port, const QString& user,
                                   const QString& password, const QString& caFile = servicesCaFile()) {
    PictureServer server;
    server.host = host;
    server.port = port;
    server.user = user;
    server.password = password;
    server.caFile = caFile;
    return server;
}

} // namespace teran::test
