#pragma once

#include "HttpDownloader.h"
#include "WebSizedPictures.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace teran {

class clsFTP;

// Where the vendor keeps the published pictures: an FTP account with a writable "docs/files/" and
// the web folder that serves the same files under webBaseUrl + "files/".
struct PictureServer {
    QString host;
    int port = 21;
    QString user = QStringLiteral("teran");
    QString password;
    // The authority the FTP server's certificate verifies against (teran.ini [server] Ca);
    // empty: the system's authorities.
    QString caFile;
    QString webBaseUrl; // e.g. "http://127.0.0.1:28080/"
    // A folder on this machine that stands in for the picture server (the embedded demo, which
    // has no FTP host): the same "docs/files/" under it, read back by copying. Empty: FTP.
    QString localFolder;
};

// The transfers of listing pictures: put and delete on the picture server by FTP, and reading a
// published picture back over the web into the data folder's "TmpImgDownLoadFile/".
//
// Nothing here talks to the user. Every failure is returned (false or an empty path), kept in
// lastError() and passed to the log sink, so a caller never takes a failed upload for a published
// picture.
class PictureStore {
public:
    using LogSink = std::function<void(const QString&)>;

    PictureStore(PictureServer server, QString dataPath, LogSink log = {});
    ~PictureStore();
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    // connectSeconds bounds reaching a server; stallSeconds bounds waiting on one that went quiet.
    void setTimeouts(int connectSeconds, int stallSeconds);

    // Logs in to the picture server; the connection serves the commands until FtpClose.
    bool FtpOpen();
    // mode "del": delete the remote file name; any other mode ("up"): put the local file name as
    // remoteName (or name), scaled down for the web when it is large (WebSizedPictures), and check
    // that it arrived whole. A file that "del" finds already gone counts as deleted. The picture
    // folder is never listed: it holds every office's pictures.
    bool FtpCommand(const QString& mode, const QString& table, const QString& name,
                    const QString& remoteName = {});
    void FtpClose();
    bool isOpen() const;
    bool isLocal() const { return !m_server.localFolder.isEmpty(); }

    // Downloads webBaseUrl + "files/" + name into TmpImgDir(); the local path, or empty on failure
    // (and then no file of that name is left there).
    QString DownloadPicture(const QString& name);

    QString TmpImgDir() const;
    // The text of the last failure (for FTP: operation, " error code: ", number, " Message: " ...);
    // for a server refused for its TLS, TlsTrust's Korean reason alone (the log has the rest).
    const QString& lastError() const { return m_lastError; }

private:
    struct Folders {
        QString local;
        QString remote;
    };
    std::optional<Folders> foldersFor(const QString& table) const;

    bool localCommand(const QString& label, const QString& mode, const Folders& folders, const QString& name,
                      const QString& target);
    QString localPath(const QString& remotePath) const;
    void deleteFile(const QString& remoteFolder, const QString& name);
    // True only when the listings show that the path is not on the server.
    bool isMissing(const QString& remotePath);
    bool fail(const QString& label, const QString& description);
    QString failedPath(const QString& label, const QString& description);

    PictureServer m_server;
    QString m_dataPath;
    LogSink m_log;
    int m_connectSeconds = 15;
    int m_stallSeconds = 30;
    std::unique_ptr<clsFTP> m_ftp;
    bool m_localOpen = false;
    HttpDownloader m_downloader;
    WebSizedPictures m_webSized;
    QString m_lastError;
};

} // namespace teran
