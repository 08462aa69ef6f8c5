#pragma once

#include "FtpError.h"
#include "cDirList.h"
#include "core/store/TlsTrust.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

namespace teran {

// An FTP client over libcurl: one connection (passive mode) kept open between calls until
// CloseConnection. Every call either does its whole job or throws FtpError; nothing fails quietly.
//
// Only FTPS (explicit TLS): the client says AUTH TLS before anything else and protects the data
// channel, and the server's certificate and name are verified against the TlsTrust. A server
// without TLS or with a certificate that does not verify is refused before the account name or
// the password is sent; the FtpError's response() then holds TlsTrust's Korean reason.
//
// Remote paths without a leading "/" are taken from the current folder, which starts as the
// login folder; "/docs/files" is taken from the server's root. Names and paths are UTF-8.
// Connect and stall timeouts bound every call, so a dead server ends in an error, not a hang.
class clsFTP : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kDefaultBlockSize = qint64(16) * 1024;

    explicit clsFTP(QObject* parent = nullptr);
    ~clsFTP() override;

    // connectSeconds bounds building the connection; stallSeconds bounds waiting for a reply or for
    // the next byte of a transfer.
    void setTimeouts(int connectSeconds, int stallSeconds);
    // The authorities the server's certificate must verify against (default: the system's).
    void setTlsTrust(TlsTrust trust);
    // Folder listings use MLSD and fall back to LIST when the server lacks it; false asks for LIST.
    void setUseMlsd(bool useMlsd);

    // Logs in; throws when the server cannot be reached or refuses the account.
    void OpenConnection(const QString& host, int port, const QString& user, const QString& password);
    void CloseConnection();
    bool isConnected() const;

    // Puts a local file; missing remote folders are made. An existing remote file is replaced.
    void SimpleFtpPutFile(const QString& localFile, const QString& remoteFile);
    // Gets a remote file. The local file is replaced only when the whole file arrived.
    void SimpleFtpGetFile(const QString& remoteFile, const QString& localFile);
    // The same block by block, emitting progress after each block; the last signal has done == total.
    void FtpPutFileChunked(const QString& localFile, const QString& remoteFile,
                           qint64 blockSize = kDefaultBlockSize);
    void FtpGetFileChunked(const QString& remoteFile, const QString& localFile,
                           qint64 blockSize = kDefaultBlockSize);

    void RenameFTPFile(const QString& from, const QString& to);
    void CreateFTPDirectory(const QString& folder);
    void RemoveFTPDirectory(const QString& folder);
    void DeleteFTPFile(const QString& remoteFile);
    // The size of a remote file (the server's SIZE), or nothing when there is no such file; throws
    // on any other failure. One file is asked for, however large its folder.
    std::optional<qint64> FtpFileSize(const QString& remoteFile);
    // Whether the path is a folder the account can enter.
    bool FtpIsFolder(const QString& path);

    // The current folder as the server names it, e.g. "/docs/files".
    QString FtpGetCurrentDirectory() const;
    // Changes the current folder; throws (and keeps the old one) when the folder does not exist.
    void FtpSetCurrentDirectory(const QString& folder);

    // The entries of a folder (the current folder when empty).
    cDirList FtpFindFirstFile(const QString& folder = {});

Q_SIGNALS:
    // total is -1 while the size of a download is not known.
    void progress(qint64 done, qint64 total);

private:
    struct Impl;

    void putFile(const QString& operation, const QString& localFile, const QString& remoteFile,
                 qint64 blockSize, bool reportProgress);
    void getFile(const QString& operation, const QString& remoteFile, const QString& localFile,
                 qint64 blockSize, bool reportProgress);
    void runCommands(const QString& operation, const QStringList& commands);
    QByteArray listFolder(const QString& operation, const QString& path, const char* command);

    void requireConnection(const QString& operation) const;
    QString resolve(const QString& operation, const QString& path) const;
    // The resolved path of a remote file; throws when it names no file.
    QString remoteFilePath(const QString& operation, const QString& remoteFile) const;
    QByteArray urlFor(const QString& path, bool folder) const;
    void begin(const QByteArray& url);
    void beginDataTransfer(const QByteArray& url);
    void perform(const QString& operation);
    // The refusal of a server whose TLS did not verify, in TlsTrust's words; empty when the
    // failure was something else.
    QString tlsRefusal(int code) const;
    [[noreturn]] void fail(const QString& operation, int code, const QString& response = {}) const;

    std::unique_ptr<Impl> m_impl;
};

} // namespace teran
