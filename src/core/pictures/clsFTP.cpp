#include "clsFTP.h"

#include "FtpListParser.h"
#include "FtpTlsProbe.h"

#include <QFile>
#include <QSaveFile>
#include <curl/curl.h>
#include <exception>
#include <mutex>

namespace teran {

namespace {

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString curlMessage(int code) {
    return QString::fromUtf8(curl_easy_strerror(static_cast<CURLcode>(code)));
}

// What libcurl's callbacks of one put or get work on.
struct Transfer {
    Transfer(clsFTP* ftp, CURL* handle, QIODevice* io, qint64 block, bool progress)
        : owner(ftp)
        , curl(handle)
        , device(io)
        , blockSize(std::max<qint64>(1, block))
        , reportProgress(progress) {}

    clsFTP* owner = nullptr;
    CURL* curl = nullptr;
    QIODevice* device = nullptr; // the source of a put, the target of a get
    qint64 blockSize = clsFTP::kDefaultBlockSize;
    qint64 done = 0;
    qint64 total = -1;
    bool reportProgress = false;
    qint64 reportedDone = -1;
    qint64 reportedTotal = -1;
    bool localFailed = false;
    // An exception of a progress slot may not unwind through libcurl; it is thrown again afterwards.
    std::exception_ptr slotError;

    // The last report, when the blocks did not end on the final figures.
    void reportRest() {
        if (reportProgress && (reportedDone != done || reportedTotal != total))
            Q_EMIT owner->progress(done, total);
    }

    bool report() {
        if (!reportProgress)
            return true;
        try {
            reportedDone = done;
            reportedTotal = total;
            Q_EMIT owner->progress(done, total);
            return true;
        } catch (...) {
            slotError = std::current_exception();
            return false;
        }
    }
};

size_t readBlock(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const qint64 wanted = std::min<qint64>(static_cast<qint64>(size * count), transfer->blockSize);
    const qint64 got = transfer->device->read(data, wanted);
    if (got < 0) {
        transfer->localFailed = true;
        return CURL_READFUNC_ABORT;
    }
    transfer->done += got;
    if (got > 0 && !transfer->report())
        return CURL_READFUNC_ABORT;
    return static_cast<size_t>(got);
}

size_t writeBlocks(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->total < 0) {
        curl_off_t known = -1;
        if (curl_easy_getinfo(transfer->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &known) == CURLE_OK &&
            known >= 0)
            transfer->total = known;
    }
    const qint64 length = static_cast<qint64>(size) * static_cast<qint64>(count);
    for (qint64 offset = 0; offset < length; offset += transfer->blockSize) {
        const qint64 block = std::min(transfer->blockSize, length - offset);
        if (transfer->device->write(data + offset, block) != block) {
            transfer->localFailed = true;
            return 0;
        }
        transfer->done += block;
        if (!transfer->report())
            return 0;
    }
    return static_cast<size_t>(length);
}

size_t collectText(char* data, size_t size, size_t count, void* user) {
    static_cast<QByteArray*>(user)->append(data,
                                           static_cast<qsizetype>(size) * static_cast<qsizetype>(count));
    return size * count;
}

// What a request without a body of its own receives: libcurl writes the size it learnt by SIZE as
// a "Content-Length" line, which would otherwise end up on the program's standard output.
size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

// libcurl hands every reply line of an FTP server to the header callback; the last one explains a
// refused request.
size_t keepReply(char* data, size_t size, size_t count, void* user) {
    *static_cast<QByteArray*>(user) = QByteArray(data, static_cast<qsizetype>(size * count)).trimmed();
    return size * count;
}

// The FTP commands of one request; libcurl reads the list until the request is done.
class CommandList {
public:
    explicit CommandList(const QStringList& commands) {
        for (const QString& command : commands)
            m_list = curl_slist_append(m_list, command.toUtf8().constData());
    }
    ~CommandList() { curl_slist_free_all(m_list); }
    CommandList(const CommandList&) = delete;
    CommandList& operator=(const CommandList&) = delete;
    curl_slist* get() const { return m_list; }

private:
    curl_slist* m_list = nullptr;
};

// "a/./b/../c" -> "a/c"; a leading "/" is kept, and ".." never climbs above the root.
QString normalisePath(const QString& path) {
    const bool absolute = path.startsWith(QLatin1Char('/'));
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..") && !parts.isEmpty() && parts.last() != QLatin1String("..")) {
            parts.removeLast();
            continue;
        }
        if (part == QLatin1String("..") && absolute)
            continue;
        parts.append(part);
    }
    return (absolute ? QStringLiteral("/") : QString()) + parts.join(QLatin1Char('/'));
}

QString lastPart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Servers that lack MLSD say so with "command unknown", "bad arguments" or "not implemented".
bool isUnknownCommand(int replyCode) {
    return replyCode == 500 || replyCode == 501 || replyCode == 502;
}

// The failures of libcurl that may come from the server's TLS: none offered, a handshake that
// failed, a certificate that did not verify.
bool isTlsFailure(CURLcode code) {
    switch (code) {
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        return true;
    default:
        return false;
    }
}

} // namespace

struct clsFTP::Impl {
    CURL* curl = nullptr;
    QString host;
    int port = 21;
    QByteArray user;
    QByteArray password;
    QString entryPath = QStringLiteral("/");
    QString cwd; // relative to the login folder, or from the root with a leading "/"
    long connectSeconds = 15;
    long stallSeconds = 30;
    bool useMlsd = true;
    TlsTrust trust;
    QByteArray caFile;
    QByteArray lastReply;
    CommandList noop{{QStringLiteral("NOOP")}};
};

clsFTP::clsFTP(QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>()) {}

clsFTP::~clsFTP() {
    CloseConnection();
}

void clsFTP::setTimeouts(int connectSeconds, int stallSeconds) {
    m_impl->connectSeconds = std::max(1, connectSeconds);
    m_impl->stallSeconds = std::max(1, stallSeconds);
}

void clsFTP::setTlsTrust(TlsTrust trust) {
    m_impl->trust = std::move(trust);
    m_impl->caFile = m_impl->trust.caFile().toLocal8Bit();
}

void clsFTP::setUseMlsd(bool useMlsd) {
    m_impl->useMlsd = useMlsd;
}

void clsFTP::OpenConnection(const QString& host, int port, const QString& user, const QString& password) {
    const QString operation = QStringLiteral("OpenConnection");
    CloseConnection();
    if (host.isEmpty() || port <= 0 || port > 65535)
        fail(operation, CURLE_URL_MALFORMAT, QStringLiteral("no host or port"));
    initCurlOnce();
    m_impl->curl = curl_easy_init();
    if (m_impl->curl == nullptr)
        fail(operation, CURLE_FAILED_INIT);
    m_impl->host = host;
    m_impl->port = port;
    m_impl->user = user.toUtf8();
    m_impl->password = password.toUtf8();
    m_impl->cwd.clear();
    try {
        const QString trustProblem = m_impl->trust.problem();
        if (!trustProblem.isEmpty())
            fail(operation, CURLE_SSL_CACERT_BADFILE, trustProblem);
        begin(urlFor(QString(), true));
        curl_easy_setopt(m_impl->curl, CURLOPT_NOBODY, 1L);
        const CURLcode code = curl_easy_perform(m_impl->curl);
        if (code != CURLE_OK)
            fail(operation, code, tlsRefusal(code));
    } catch (const FtpError&) {
        CloseConnection();
        throw;
    }
    char* entry = nullptr;
    curl_easy_getinfo(m_impl->curl, CURLINFO_FTP_ENTRY_PATH, &entry);
    m_impl->entryPath = entry != nullptr ? QString::fromUtf8(entry) : QStringLiteral("/");
}

void clsFTP::CloseConnection() {
    if (m_impl->curl == nullptr)
        return;
    curl_easy_cleanup(m_impl->curl); // says QUIT and closes the connection
    m_impl->curl = nullptr;
}

bool clsFTP::isConnected() const {
    return m_impl->curl != nullptr;
}

void clsFTP::SimpleFtpPutFile(const QString& localFile, const QString& remoteFile) {
    putFile(QStringLiteral("SimpleFtpPutFile"), localFile, remoteFile, kDefaultBlockSize, false);
}

void clsFTP::SimpleFtpGetFile(const QString& remoteFile, const QString& localFile) {
    getFile(QStringLiteral("SimpleFtpGetFile"), remoteFile, localFile, kDefaultBlockSize, false);
}

void clsFTP::FtpPutFileChunked(const QString& localFile, const QString& remoteFile, qint64 blockSize) {
    putFile(QStringLiteral("FtpPutFileChunked"), localFile, remoteFile, blockSize, true);
}

void clsFTP::FtpGetFileChunked(const QString& remoteFile, const QString& localFile, qint64 blockSize) {
    getFile(QStringLiteral("FtpGetFileChunked"), remoteFile, localFile, blockSize, true);
}

void clsFTP::RenameFTPFile(const QString& from, const QString& to) {
    const QString operation = QStringLiteral("RenameFTPFile");
    requireConnection(operation);
    runCommands(operation, {QStringLiteral("RNFR ") + resolve(operation, from),
                            QStringLiteral("RNTO ") + resolve(operation, to)});
}

void clsFTP::CreateFTPDirectory(const QString& folder) {
    const QString operation = QStringLiteral("CreateFTPDirectory");
    requireConnection(operation);
    runCommands(operation, {QStringLiteral("MKD ") + resolve(operation, folder)});
}

void clsFTP::RemoveFTPDirectory(const QString& folder) {
    const QString operation = QStringLiteral("RemoveFTPDirectory");
    requireConnection(operation);
    runCommands(operation, {QStringLiteral("RMD ") + resolve(operation, folder)});
}

void clsFTP::DeleteFTPFile(const QString& remoteFile) {
    const QString operation = QStringLiteral("DeleteFTPFile");
    requireConnection(operation);
    runCommands(operation, {QStringLiteral("DELE ") + resolve(operation, remoteFile)});
}

std::optional<qint64> clsFTP::FtpFileSize(const QString& remoteFile) {
    const QString operation = QStringLiteral("FtpFileSize");
    const QString path = remoteFilePath(operation, remoteFile);
    begin(urlFor(path, false));
    curl_easy_setopt(m_impl->curl, CURLOPT_NOBODY, 1L);
    const CURLcode code = curl_easy_perform(m_impl->curl);
    // libcurl reads a 550 to SIZE as "not found"; a folder of the path that cannot be entered is a
    // failure (CURLE_REMOTE_ACCESS_DENIED), which the caller tells apart.
    if (code == CURLE_REMOTE_FILE_NOT_FOUND)
        return std::nullopt;
    if (code != CURLE_OK)
        fail(operation, code);
    curl_off_t size = -1;
    curl_easy_getinfo(m_impl->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    if (size < 0)
        fail(operation, CURLE_FTP_COULDNT_RETR_FILE, QStringLiteral("the server tells no size"));
    return qint64(size);
}

bool clsFTP::FtpIsFolder(const QString& path) {
    const QString operation = QStringLiteral("FtpIsFolder");
    requireConnection(operation);
    begin(urlFor(resolve(operation, path), true));
    curl_easy_setopt(m_impl->curl, CURLOPT_NOBODY, 1L);
    const bool entered = curl_easy_perform(m_impl->curl) == CURLE_OK;
    // Back to the login folder: a server that follows its sessions' folders with its own (as
    // pyftpdlib does) would otherwise stand in a folder that may be removed under it.
    begin(urlFor(QString(), true));
    curl_easy_setopt(m_impl->curl, CURLOPT_NOBODY, 1L);
    curl_easy_perform(m_impl->curl);
    return entered;
}

QString clsFTP::FtpGetCurrentDirectory() const {
    requireConnection(QStringLiteral("FtpGetCurrentDirectory"));
    if (m_impl->cwd.startsWith(QLatin1Char('/')))
        return m_impl->cwd;
    if (m_impl->cwd.isEmpty())
        return m_impl->entryPath;
    return normalisePath(m_impl->entryPath + QLatin1Char('/') + m_impl->cwd);
}

void clsFTP::FtpSetCurrentDirectory(const QString& folder) {
    const QString operation = QStringLiteral("FtpSetCurrentDirectory");
    requireConnection(operation);
    const QString path = resolve(operation, folder);
    // libcurl changes into the folder of the address: that proves the folder exists.
    begin(urlFor(path, true));
    curl_easy_setopt(m_impl->curl, CURLOPT_NOBODY, 1L);
    perform(operation);
    m_impl->cwd = path;
}

cDirList clsFTP::FtpFindFirstFile(const QString& folder) {
    const QString operation = QStringLiteral("FtpFindFirstFile");
    requireConnection(operation);
    const QString path = resolve(operation, folder);
    if (m_impl->useMlsd) {
        try {
            return FtpListParser::parseMlsd(listFolder(operation, path, "MLSD"));
        } catch (const FtpError& error) {
            if (!isUnknownCommand(error.replyCode()))
                throw;
            m_impl->useMlsd = false;
        }
    }
    return FtpListParser::parseList(listFolder(operation, path, nullptr), QDateTime::currentDateTimeUtc());
}

void clsFTP::putFile(const QString& operation, const QString& localFile, const QString& remoteFile,
                     qint64 blockSize, bool reportProgress) {
    const QString path = remoteFilePath(operation, remoteFile);
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly))
        fail(operation, CURLE_READ_ERROR, localFile + QStringLiteral(": ") + file.errorString());

    Transfer transfer(this, m_impl->curl, &file, blockSize, reportProgress);
    transfer.total = file.size();

    beginDataTransfer(urlFor(path, false));
    curl_easy_setopt(m_impl->curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_impl->curl, CURLOPT_READFUNCTION, readBlock);
    curl_easy_setopt(m_impl->curl, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(m_impl->curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(transfer.total));
    curl_easy_setopt(m_impl->curl, CURLOPT_FTP_CREATE_MISSING_DIRS,
                     static_cast<long>(CURLFTP_CREATE_DIR_RETRY));

    const CURLcode code = curl_easy_perform(m_impl->curl);
    if (transfer.slotError)
        std::rethrow_exception(transfer.slotError);
    if (code != CURLE_OK)
        fail(operation, code,
             transfer.localFailed ? localFile + QStringLiteral(": ") + file.errorString() : QString());
    transfer.reportRest();
}

void clsFTP::getFile(const QString& operation, const QString& remoteFile, const QString& localFile,
                     qint64 blockSize, bool reportProgress) {
    const QString path = remoteFilePath(operation, remoteFile);
    // Written beside the target and renamed over it at the end: a broken transfer leaves the old file.
    QSaveFile file(localFile);
    if (!file.open(QIODevice::WriteOnly))
        fail(operation, CURLE_WRITE_ERROR, localFile + QStringLiteral(": ") + file.errorString());

    Transfer transfer(this, m_impl->curl, &file, blockSize, reportProgress);

    beginDataTransfer(urlFor(path, false));
    curl_easy_setopt(m_impl->curl, CURLOPT_WRITEFUNCTION, writeBlocks);
    curl_easy_setopt(m_impl->curl, CURLOPT_WRITEDATA, &transfer);

    const CURLcode code = curl_easy_perform(m_impl->curl);
    if (transfer.slotError)
        std::rethrow_exception(transfer.slotError);
    if (code != CURLE_OK)
        fail(operation, code,
             transfer.localFailed ? localFile + QStringLiteral(": ") + file.errorString() : QString());
    if (!file.commit())
        fail(operation, CURLE_WRITE_ERROR, localFile + QStringLiteral(": ") + file.errorString());
    if (transfer.total < 0)
        transfer.total = transfer.done;
    transfer.reportRest();
}

QString clsFTP::remoteFilePath(const QString& operation, const QString& remoteFile) const {
    requireConnection(operation);
    const QString path = resolve(operation, remoteFile);
    if (lastPart(path).isEmpty())
        fail(operation, CURLE_URL_MALFORMAT, QStringLiteral("no remote file name"));
    return path;
}

void clsFTP::runCommands(const QString& operation, const QStringList& commands) {
    const CommandList list(commands);
    // Sent after libcurl has gone back to the login folder, where the paths of the commands start: on
    // a reused connection the commands before that step would run in the previous request's folder.
    begin(urlFor(QString(), true));
    curl_easy_setopt(m_impl->curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_impl->curl, CURLOPT_POSTQUOTE, list.get());
    perform(operation);
}

QByteArray clsFTP::listFolder(const QString& operation, const QString& path, const char* command) {
    QByteArray text;
    beginDataTransfer(urlFor(path, true));
    if (command != nullptr)
        curl_easy_setopt(m_impl->curl, CURLOPT_CUSTOMREQUEST, command);
    curl_easy_setopt(m_impl->curl, CURLOPT_WRITEFUNCTION, collectText);
    curl_easy_setopt(m_impl->curl, CURLOPT_WRITEDATA, &text);
    perform(operation);
    return text;
}

void clsFTP::requireConnection(const QString& operation) const {
    if (m_impl->curl == nullptr)
        fail(operation, CURLE_FAILED_INIT, QStringLiteral("not connected"));
}

QString clsFTP::resolve(const QString& operation, const QString& path) const {
    // A line break would end the FTP command and start another one of the caller's choosing.
    if (path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n')) || path.contains(QChar(0)))
        fail(operation, CURLE_URL_MALFORMAT, QStringLiteral("line break in path"));
    if (path.startsWith(QLatin1Char('/')))
        return normalisePath(path);
    if (m_impl->cwd.isEmpty())
        return normalisePath(path);
    return normalisePath(m_impl->cwd + QLatin1Char('/') + path);
}

QByteArray clsFTP::urlFor(const QString& path, bool folder) const {
    const QString host = m_impl->host.contains(QLatin1Char(':')) && !m_impl->host.startsWith(QLatin1Char('['))
                             ? QLatin1Char('[') + m_impl->host + QLatin1Char(']')
                             : m_impl->host;
    QByteArray url = "ftp://" + host.toUtf8() + ':' + QByteArray::number(m_impl->port) + '/';
    const bool fromRoot = path.startsWith(QLatin1Char('/'));
    if (fromRoot)
        url += "%2F";
    QByteArrayList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QByteArray bytes = part.toUtf8();
        char* escaped = curl_easy_escape(m_impl->curl, bytes.constData(), static_cast<int>(bytes.size()));
        parts.append(QByteArray(escaped));
        curl_free(escaped);
    }
    url += parts.join('/');
    if (folder && !parts.isEmpty())
        url += '/';
    return url;
}

void clsFTP::begin(const QByteArray& url) {
    CURL* curl = m_impl->curl;
    curl_easy_reset(curl); // keeps the open connection
    m_impl->lastReply.clear();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    // TLS before USER and PASS, and on every data channel; no way back to clear text.
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    // The configured authority alone, as TlsTrust trusts it: not the system's folder beside it.
    if (!m_impl->caFile.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_CAINFO, m_impl->caFile.constData());
        curl_easy_setopt(curl, CURLOPT_CAPATH, nullptr);
    }
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_impl->user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_impl->password.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, m_impl->connectSeconds);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, m_impl->stallSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_impl->stallSeconds);
    curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, keepReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &m_impl->lastReply);
}

void clsFTP::beginDataTransfer(const QByteArray& url) {
    begin(url);
    // When a reused connection is already in the request's folder, libcurl (7.88) opens with EPSV and
    // then waits a whole second before it connects the data channel. A NOOP first avoids that stall.
    curl_easy_setopt(m_impl->curl, CURLOPT_QUOTE, m_impl->noop.get());
}

void clsFTP::perform(const QString& operation) {
    const CURLcode code = curl_easy_perform(m_impl->curl);
    if (code != CURLE_OK)
        fail(operation, code);
}

QString clsFTP::tlsRefusal(int code) const {
    if (!isTlsFailure(static_cast<CURLcode>(code)))
        return {};
    const int waitMs = static_cast<int>(std::min(m_impl->connectSeconds, m_impl->stallSeconds)) * 1000;
    const QString refusal = ftpTlsRefusal(m_impl->host, m_impl->port, m_impl->trust, waitMs);
    // The second look found nothing wrong: the handshake failed for a reason of the moment.
    return refusal.isEmpty()
               ? TlsTrust::refusalText({}, QStringLiteral("%1:%2").arg(m_impl->host).arg(m_impl->port))
               : refusal;
}

void clsFTP::fail(const QString& operation, int code, const QString& response) const {
    QString detail = response;
    // The server's own reply explains a refusal best; replies below 400 explain nothing.
    const QByteArray& reply = m_impl->lastReply;
    if (detail.isEmpty() && (reply.startsWith('4') || reply.startsWith('5')))
        detail = QString::fromUtf8(reply);
    throw FtpError(operation, code, curlMessage(code), detail);
}

} // namespace teran
