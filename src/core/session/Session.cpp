#include "Session.h"
#include "core/session/StoreErrorText.h"
#include "core/store/TlsTrust.h"

#include "core/session/NetworkShare.h"
#include "core/session/OfficeFile.h"

#include "core/session/StoreSchemas.h"
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cstdlib>

namespace teran {

namespace {

std::atomic<int> g_sessionSerial{0};

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString serverRefusedTitle() {
    return QStringLiteral("서버 연결오류");
}

QString serverAddressText(const QString& address) {
    return QStringLiteral("설정파일(teran.ini)의 본사 서버 주소가 올바르지 않습니다.") + kCrLf + kCrLf +
           QStringLiteral("[server] Url: ") + address + kCrLf + kCrLf +
           QStringLiteral("주소를 고친 후 다시 실행해 주시기 바랍니다.");
}

QString serverRefusedText(const QString& description) {
    return QStringLiteral("인터넷은 연결되어 있으나 본사 서버에 접속할 수 없습니다.") + kCrLf + kCrLf +
           QStringLiteral("잠시 후 다시 실행해 주시고, 계속 접속되지 않으면 본사로 문의하시기 바랍니다.") +
           kCrLf + kCrLf + QStringLiteral("(") + description + QStringLiteral(")");
}

Session::Session(TeranConfig config, const Clock& clock, Dialogs& dialogs,
                 std::unique_ptr<InternetProbe> probe)
    : m_config(std::move(config))
    , m_dataFolder(m_config.dataPath)
    , m_clock(clock)
    , m_dialogs(dialogs)
    , m_probe(std::move(probe))
    , m_log(m_dataFolder.root(), clock, [this] { return m_state.LoginId; })
    , m_programEnd([](int code) { std::exit(code); })
    , m_serial(g_sessionSerial.fetch_add(1)) {
    if (!m_probe)
        m_probe = std::make_unique<HttpProbe>(m_config.probeUrl, m_config.probeTimeoutMs);
    for (const QString& warning : m_config.warnings)
        WriteLog(warning);
}

Session::~Session() {
    DbConnClose();
}

void Session::endProgram(int code) {
    m_endRequested = true;
    m_programEnd(code);
}

StoreUrl Session::serverUrl() const {
    StoreUrl url = TlsTrust::trusting(StoreUrl::parse(m_config.serverUrl), m_config.serverCa);
    if (!m_config.serverUser.isEmpty() && url.backend == SqlBackend::MariaDb)
        url.user = m_config.serverUser;
    if (!m_config.serverPassword.isEmpty())
        url.password = m_config.serverPassword;
    if (serverTakesMembers()) {
        url.user = m_serverLoginId;
        url.password = m_serverLoginPassword;
    }
    // The embedded demo server is a file that teran-admin made; never make an empty one.
    url.mustExist = true;
    return url;
}

bool Session::serverTakesMembers() const {
    return m_config.serverTakesMembers();
}

QString Session::ownMemberTable() const {
    return serverTakesMembers() ? QStringLiteral("my_member") : QStringLiteral("members");
}

void Session::setServerLogin(const QString& id, const QString& password) {
    if (!serverTakesMembers() || (id == m_serverLoginId && password == m_serverLoginPassword))
        return;
    // A connection of another member is not this login's.
    if (m_server)
        m_server->close();
    m_serverLoginId = id;
    m_serverLoginPassword = password;
}

SqlStore& Session::listingStore() {
    if (!m_listing)
        CreateDbObjects();
    return *m_listing;
}

SqlStore& Session::serverStore() {
    if (!m_server)
        CreateDbObjects();
    return *m_server;
}

StoreLimits Session::storeLimits() const {
    StoreLimits limits;
    limits.connectSeconds = m_config.connectSeconds;
    limits.stallSeconds = m_config.stallSeconds;
    return limits;
}

void Session::CreateDbObjects() {
    if (!m_listing) {
        m_listing = std::make_unique<SqlStore>(QStringLiteral("listing-%1").arg(m_serial));
        m_listing->setLimits(storeLimits());
    }
    if (!m_server) {
        m_server = std::make_unique<SqlStore>(QStringLiteral("server-%1").arg(m_serial));
        m_server->setLimits(storeLimits());
        m_server->watchAnswers(m_health, true);
        m_server->setConnectionListener([this](bool working) {
            WriteLog(working ? QStringLiteral("서버 연결 => 다시 연결되었습니다")
                             : QStringLiteral("서버 연결 => 연결이 끊어졌습니다"));
            Q_EMIT serverConnectionChanged(working);
        });
    }
}

StoreUrl Session::listingUrl() const {
    return listingUrlOf(m_config);
}

StoreUrl Session::listingUrlOf(const TeranConfig& config) {
    if (config.listingUrl.isEmpty()) {
        StoreUrl url = StoreUrl::sqliteFile(DataFolder(config.dataPath).listingStoreFile());
        url.mustExist = true;
        return url;
    }
    StoreUrl url = StoreUrl::parse(config.listingUrl);
    if (!config.listingUser.isEmpty())
        url.user = config.listingUser;
    if (!config.listingPassword.isEmpty())
        url.password = config.listingPassword;
    return url;
}

bool Session::MdbsqlConnOpen() {
    CreateDbObjects();
    const QString label = QStringLiteral("mdb 연결오류 MdbsqlConnOpen => ");
    try {
        const StoreUrl url = listingUrl();
        bool newOffice = false;
        if (url.backend == SqlBackend::Sqlite && !checkOfficeFile(url.path, newOffice))
            return false;
        m_listing->open(url);
        if (url.backend == SqlBackend::Sqlite && !newOffice && !acceptOfficeTables(url.path))
            return false;
        if (url.backend == SqlBackend::Sqlite)
            noteNetworkShare(url.path);
        upgradeListingStore(*m_listing);
    } catch (const StoreError& error) {
        m_listing->close();
        WriteLog(DailyLog::errorMessage(label, error.description(), error.source()));
        showStoreError(error, StoreKind::Listing);
        return false;
    }
    Q_EMIT storeOpened(StoreKind::Listing);
    return true;
}

bool Session::reopenReplacedOffice() {
    if (!m_listing || !m_listing->isOpen() || m_listing->inTransaction() || !m_listing->fileReplaced())
        return false;
    m_listing->close();
    WriteLog(QStringLiteral("MdbsqlConnOpen => 다른 자리에서 사무실 자료를 복구하여 다시 엽니다."));
    if (MdbsqlConnOpen())
        m_dialogs.inform(
            QStringLiteral("다른 자리에서 사무실 자료를 복구하였습니다.\r\n\r\n복구된 자료를 다시 "
                           "열었습니다. 열려 있던 창은 닫고 다시 열어 주십시요."),
            QStringLiteral("데이터 복구"));
    return true;
}

// An office file that is there but holds no office is never taken for a new office silently:
// its numbering would start again at 1 beside the server copies of the old listings.
bool Session::checkOfficeFile(const QString& path, bool& newOffice) {
    const OfficeFileState state = inspectOfficeFile(path);
    if (state == OfficeFileState::Sound)
        return true;
    WriteLog(QStringLiteral("mdb 연결오류 MdbsqlConnOpen => ") + officeFileLogText(state, path));
    if (state == OfficeFileState::Empty)
        return newOffice = confirmNewOffice(path);
    m_dialogs.message(officeFileText(state, path), officeFileTitle(), DialogIcon::Critical,
                      DialogButtons::Ok);
    return false;
}

bool Session::acceptOfficeTables(const QString& path) {
    if (m_listing->hasTable(QStringLiteral("maemul")))
        return true;
    if (m_listing->database().tables().isEmpty()) {
        if (confirmNewOffice(path))
            return true;
    } else {
        WriteLog(QStringLiteral("mdb 연결오류 MdbsqlConnOpen => ") +
                 officeFileLogText(OfficeFileState::NotOffice, path));
        m_dialogs.message(officeFileText(OfficeFileState::NotOffice, path), officeFileTitle(),
                          DialogIcon::Critical, DialogButtons::Ok);
    }
    m_listing->close();
    return false;
}

// Said once per user and file: the markers live beside Login.ini in the user's own folder.
void Session::noteNetworkShare(const QString& path) {
    if (isOnNetworkShare(path))
        noteOnce(path, QStringLiteral("network-share-noted"), networkShareTitle(), networkShareText(path));
    else if (isInCloudFolder(path))
        noteOnce(path, QStringLiteral("cloud-folder-noted"), cloudFolderTitle(), cloudFolderText(path));
}

void Session::noteOnce(const QString& path, const QString& markerName, const QString& title,
                       const QString& text) {
    WriteLog(QStringLiteral("mdb MdbsqlConnOpen => ") + title + QStringLiteral(": ") + path);
    QFile marker(QFileInfo(TeranConfig::defaultFile()).absolutePath() + QLatin1Char('/') + markerName);
    if (marker.open(QIODevice::ReadOnly) && QString::fromUtf8(marker.readAll()).split(u'\n').contains(path))
        return;
    marker.close();
    m_dialogs.message(text, title, DialogIcon::Information, DialogButtons::Ok);
    if (marker.open(QIODevice::Append))
        marker.write((path + QLatin1Char('\n')).toUtf8());
}

bool Session::confirmNewOffice(const QString& path) {
    return m_dialogs.askYesNoCarefully(officeFileText(OfficeFileState::Empty, path), officeFileTitle());
}

void Session::showStoreError(const StoreError& error, StoreKind kind) {
    const StoreErrorText text = describeStoreError(error, kind == StoreKind::Server, m_log.lastFolder());
    m_dialogs.message(text.text, text.title, DialogIcon::Critical, DialogButtons::Ok);
}

bool Session::MysqlConnOpen() {
    std::optional<StoreError> failure;
    if (openServerQuietly(&failure))
        return true;
    // Before the login, or refused for the member's account: the login says what it means.
    if (!failure || m_serverRefusedLogin)
        return false;
    // A session that works offline already goes on offline; its status bar offers to connect
    // again when the server answers.
    if (m_state.OnlineMode == QLatin1String("offline"))
        return false;
    // An address that cannot be read is the settings' fault, not the connection's.
    m_dialogs.critical(failure && failure->source() == QLatin1String("StoreUrl")
                           ? serverAddressText(m_config.serverUrl)
                           : serverRefusedText(failure ? failure->description() : QString()),
                       serverRefusedTitle());
    endProgram(1);
    return false;
}

bool Session::openServerQuietly(std::optional<StoreError>* failure) {
    CreateDbObjects();
    if (m_server->isOpen())
        return true;
    m_serverRefusedLogin = false;
    // Such a server is reached only as a member: before the login there is nobody to be.
    if (serverTakesMembers() && m_serverLoginId.isEmpty())
        return false;
    try {
        m_server->open(serverUrl());
        m_serverRefusal.clear();
    } catch (const StoreError& error) {
        m_server->close();
        m_serverRefusedLogin = serverTakesMembers() && SqlStore::isRefusedAccount(error);
        m_serverRefusal = classifyStoreError(error) == StoreFault::Refused ? error.description() : QString();
        WriteLog(DailyLog::errorMessage(QStringLiteral("서버 연결오류 MysqlConnOpen => "),
                                        error.description(), error.source()));
        if (failure)
            *failure = error;
        return false;
    }
    Q_EMIT storeOpened(StoreKind::Server);
    return true;
}

bool Session::serverReachable() {
    // A server that leaves the courier's step unanswered would hold the window just as long.
    if (m_health->waiting())
        return false;
    if (m_state.InternetOk && serverOpen())
        return true;
    // Not during a transaction of the server's: a new connection would not be inside it.
    if (!m_state.InternetOk || !m_state.isOnline() || !m_server || m_server->inTransaction())
        return false;
    return openServerQuietly();
}

bool Session::reachServer() {
    if (!m_probe->reachable()) {
        m_state.InternetOk = false;
        return false;
    }
    m_state.InternetOk = true;
    if (!openServerQuietly())
        return false;
    reportToServer();
    return true;
}

void Session::checkServer() {
    if (!m_server || !m_state.InternetOk || m_server->inTransaction())
        return;
    if (!m_server->isOpen() && !m_server->exists())
        return; // never opened: the login decides whether to go online
    try {
        m_server->scalar(QStringLiteral("SELECT 1"));
    } catch (const StoreError&) {
        // The store has noted the loss and told the listener; the next action tries again.
    }
}

void Session::DbConnClose() {
    if (m_listing)
        m_listing->close();
    if (m_server)
        m_server->close();
}

void Session::ensureOpen() {
    if (!hasStores())
        CreateDbObjects();
    const bool beforeMemberLogin = serverTakesMembers() && m_serverLoginId.isEmpty();
    if (!m_server->isOpen() && m_state.InternetOk && !beforeMemberLogin && !MysqlConnOpen() && m_endRequested)
        return; // the program is ending
    if (!m_listing->isOpen())
        MdbsqlConnOpen();
}

void Session::InternetCheck() {
    if (!m_probe->reachable()) {
        m_state.InternetOk = false;
        return;
    }
    m_state.InternetOk = true;
    CreateDbObjects();
    if (!m_server->isOpen() && !MysqlConnOpen())
        return;
    reportToServer();
}

void Session::reportToServer() {
    try {
        const qint64 localListings =
            listingOpen()
                ? m_listing->scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"), {}, 0).toLongLong()
                : 0;
        if (localListings > 0) {
            m_server->execute(QStringLiteral("UPDATE %1 SET nowdata=?, lastDay=%2 WHERE memid=?")
                                  .arg(ownMemberTable(), m_server->nowSql()),
                              {localListings, m_state.LoginId});
        }
        // A server with an account per member keeps no FTP password: the member logs in itself.
        if (!serverTakesMembers())
            m_state.FtpPassword =
                m_server
                    ->scalar(QStringLiteral("SELECT content FROM mem_msg WHERE table_idx=?"), {8}, QString())
                    .toString();
    } catch (const StoreError& error) {
        logError(QStringLiteral("InternetCheck => "), error);
    }
}

} // namespace teran
