#include "PictureStore.h"

#include "ListingImageName.h"
#include "clsFTP.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace teran {

PictureStore::PictureStore(PictureServer server, QString dataPath, LogSink log)
    : m_server(std::move(server))
    , m_dataPath(std::move(dataPath))
    , m_log(std::move(log))
    , m_downloader(m_stallSeconds * 1000) {}

PictureStore::~PictureStore() = default;

void PictureStore::setTimeouts(int connectSeconds, int stallSeconds) {
    m_connectSeconds = connectSeconds;
    m_stallSeconds = stallSeconds;
    m_downloader.setStallTimeout(stallSeconds * 1000);
    if (m_ftp)
        m_ftp->setTimeouts(connectSeconds, stallSeconds);
}

bool PictureStore::FtpOpen() {
    FtpClose();
    if (isLocal()) {
        m_localOpen = QDir().mkpath(localPath(QStringLiteral("docs/files")));
        return m_localOpen || fail(QStringLiteral("FtpOpen ") + m_server.localFolder,
                                   QStringLiteral("cannot make the picture folder"));
    }
    m_ftp = std::make_unique<clsFTP>();
    m_ftp->setTimeouts(m_connectSeconds, m_stallSeconds);
    m_ftp->setTlsTrust(TlsTrust(m_server.caFile));
    try {
        m_ftp->OpenConnection(m_server.host, m_server.port, m_server.user, m_server.password);
        return true;
    } catch (const FtpError& error) {
        m_ftp.reset();
        fail(QStringLiteral("FtpOpen ") + m_server.host, error.text());
        if (TlsTrust::isRefusal(error.response()))
            m_lastError = error.response();
        return false;
    }
}

void PictureStore::FtpClose() {
    m_ftp.reset();
    m_localOpen = false;
}

bool PictureStore::isOpen() const {
    return m_localOpen || (m_ftp && m_ftp->isConnected());
}

QString PictureStore::localPath(const QString& remotePath) const {
    return QDir(m_server.localFolder).filePath(remotePath);
}

bool PictureStore::localCommand(const QString& label, const QString& mode, const Folders& folders,
                                const QString& name, const QString& target) {
    if (mode == QLatin1String("del")) {
        const QString path = localPath(folders.remote + pictureFolderOf(name) + name);
        return !QFile::exists(path) || QFile::remove(path) ||
               fail(label, QStringLiteral("cannot delete ") + path);
    }
    const QDir folder(localPath(folders.remote + pictureFolderOf(target)));
    if (!QDir().mkpath(folder.path()))
        return fail(label, QStringLiteral("cannot make the folder ") + folder.path());
    const QString source = m_webSized.toSend(folders.local + name);
    const QString path = folder.filePath(target);
    const QString part = path + QStringLiteral(".part");
    // Written beside and renamed, so that a reader never finds half a picture.
    QFile::remove(part);
    if (!QFile::copy(source, part))
        return fail(label, QStringLiteral("cannot copy ") + source);
    QFile::remove(path);
    return QFile::rename(part, path) || fail(label, QStringLiteral("cannot write ") + path);
}

bool PictureStore::FtpCommand(const QString& mode, const QString& table, const QString& name,
                              const QString& remoteName) {
    const QString label = QStringLiteral("FtpCommand ") + mode + QLatin1Char(' ') + name;
    const std::optional<Folders> folders = foldersFor(table);
    if (!folders)
        return fail(label, QStringLiteral("no picture folder for table ") + table);
    const QString target = remoteName.isEmpty() ? name : remoteName;
    if (!isPlainFileName(name) || !isPlainFileName(target))
        return fail(label, QStringLiteral("not a plain file name: ") + target);
    if (!isOpen())
        return fail(label, QStringLiteral("the FTP connection is not open"));
    // An empty file (a copy cut short) is no picture: a copy must not name it.
    if (mode != QLatin1String("del") && QFileInfo(folders->local + name).size() <= 0)
        return fail(label, QStringLiteral("no picture at ") + folders->local + name);
    if (isLocal())
        return localCommand(label, mode, *folders, name, target);
    try {
        if (mode == QLatin1String("del")) {
            deleteFile(folders->remote + pictureFolderOf(name), name);
            return true;
        }
        // Each office's pictures go to its own folder (made when missing).
        const QString remote = folders->remote + pictureFolderOf(target) + target;
        const QString source = m_webSized.toSend(folders->local + name);
        m_ftp->SimpleFtpPutFile(source, remote);
        // Only a picture that arrived whole may be named by a shared copy.
        const std::optional<qint64> arrived = m_ftp->FtpFileSize(remote);
        const qint64 sent = QFileInfo(source).size();
        if (arrived != sent)
            return fail(label, QStringLiteral("the picture arrived with %1 of %2 bytes")
                                   .arg(arrived ? QString::number(*arrived) : QStringLiteral("none"))
                                   .arg(sent));
        return true;
    } catch (const FtpError& error) {
        return fail(label, error.text());
    }
}

void PictureStore::deleteFile(const QString& remoteFolder, const QString& name) {
    try {
        m_ftp->DeleteFTPFile(remoteFolder + name);
    } catch (const FtpError& error) {
        // A picture whose upload once failed is not there to delete; that is the state wanted.
        if (!isMissing(remoteFolder + name))
            throw error;
    }
}

bool PictureStore::isMissing(const QString& remotePath) {
    try {
        // No file of that name; a folder of that name is something the server refused to delete.
        return !m_ftp->FtpFileSize(remotePath).has_value() && !m_ftp->FtpIsFolder(remotePath);
    } catch (const FtpError&) {
        // A folder of the path could not be entered: missing, or refused.
    }
    // Walked down from the login folder, so that a missing folder is told apart from a refused one.
    // Only the folders are listed, never the picture folder itself.
    try {
        QString folder;
        QStringList parts = remotePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        parts.removeLast();
        for (const QString& part : std::as_const(parts)) {
            if (m_ftp->FtpFindFirstFile(folder).find(part) == nullptr)
                return true;
            folder += part + QLatin1Char('/');
        }
    } catch (const FtpError&) {
        // Not even the folders can be read: nothing is known to be missing.
    }
    return false;
}

QString PictureStore::DownloadPicture(const QString& name) {
    const QString label = QStringLiteral("DownloadPicture ") + name;
    if (!isPlainFileName(name))
        return failedPath(label, QStringLiteral("not a plain file name"));
    if (!isLocal() && m_server.webBaseUrl.isEmpty())
        return failedPath(label, QStringLiteral("no web address of the picture server"));
    if (!QDir().mkpath(TmpImgDir()))
        return failedPath(label, QStringLiteral("cannot make the folder ") + TmpImgDir());
    if (isLocal()) {
        const QString source = localPath(QStringLiteral("docs/files/") + pictureFolderOf(name) + name);
        const QString copy = QDir(TmpImgDir()).filePath(name);
        QFile::remove(copy);
        if (!QFile::copy(source, copy))
            return failedPath(label, QStringLiteral("no such picture: ") + source);
        return copy;
    }

    QString base = m_server.webBaseUrl;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const QUrl url(base + QStringLiteral("files/") + pictureFolderOf(name) +
                       QString::fromLatin1(QUrl::toPercentEncoding(name)),
                   QUrl::StrictMode);
    const QString target = QDir(TmpImgDir()).filePath(name);
    QString error;
    if (!m_downloader.downloadToFile(url, target, &error))
        return failedPath(label, error);
    return target;
}

QString PictureStore::TmpImgDir() const {
    return QDir(m_dataPath).filePath(QStringLiteral("TmpImgDownLoadFile"));
}

std::optional<PictureStore::Folders> PictureStore::foldersFor(const QString& table) const {
    if (table == QLatin1String("maemul"))
        return Folders{QDir(m_dataPath).filePath(QStringLiteral("files")) + QLatin1Char('/'),
                       QStringLiteral("docs/files/")};
    return std::nullopt;
}

bool PictureStore::fail(const QString& label, const QString& description) {
    m_lastError = description;
    if (m_log)
        m_log(label + QStringLiteral(" --> ") + description + QStringLiteral(" => PictureStore"));
    return false;
}

QString PictureStore::failedPath(const QString& label, const QString& description) {
    fail(label, description);
    return {};
}

} // namespace teran
