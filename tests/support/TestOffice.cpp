#include "TestOffice.h"
#include "TestCertificates.h"
#include "core/pictures/ListingImageName.h"

#include "core/session/StoreSchemas.h"
#include "core/session/StoreSetup.h"

#include <QDir>
#include <QFile>

namespace teran::test {

namespace {

// The internet as the office says it is.
class OfficeProbe final : public InternetProbe {
public:
    explicit OfficeProbe(const bool& answers)
        : m_answers(answers) {}
    bool reachable() override { return m_answers; }

private:
    const bool& m_answers;
};

ListingRow withDefaults(const ListingRow& defaults, const ListingRow& values) {
    ListingRow row = defaults;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        row.insert(it.key(), it.value());
    return row;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

std::unique_ptr<TestOffice> TestOffice::make(const OfficeSetup& setup) {
    std::unique_ptr<TestOffice> office(new TestOffice(setup.now));
    if (!office->prepareServers(setup) || !office->seat(setup.desk))
        return nullptr;
    return office;
}

bool TestOffice::prepareServers(const OfficeSetup& setup) {
    const Backend backend = setup.backend;
    m_server = backend == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
    if (!m_server)
        return false;
    initDataFolder(DataFolder(dir.path()));
    // The gateway of the loopback services when it runs, else the demo's port.
    const std::optional<SmsService> sms = smsService();
    initServerStore(server(), {QStringLiteral("ftp-pw"), sms ? int(sms->port) : 7300});
    config = TeranConfig::demoDefaults(dir.path());
    StoreUrl serverUrl = m_server->url();
    if (setup.serverThroughRelay && backend == Backend::MariaDb) {
        m_relay = std::make_unique<TcpRelay>(serverUrl.host, quint16(serverUrl.port));
        if (!m_relay->open())
            return false;
        serverUrl.port = m_relay->port();
    }
    config.serverUrl = serverUrl.toString();
    // The desk trusts the loopback servers' authority, as an office's teran.ini names the vendor's.
    config.serverCa = servicesCaFile();
    config.probeUrl = probeServiceUrl().isEmpty() ? closedPortUrl() : probeServiceUrl();
    // The loopback web server of the tests, wherever services.sh put it; without it a host where
    // nothing answers, so that the web pages are still offered.
    config.webBaseUrl = webServiceUrl().isEmpty()
                            ? closedPortUrl().section(QLatin1Char('/'), 0, 2) + QLatin1Char('/')
                            : webServiceUrl();
    if (backend == Backend::MariaDb) {
        m_listing = ScratchStore::mariaDb();
        if (!m_listing)
            return false;
        upgradeListingStore(m_listing->store());
        config.listingUrl = m_listing->url().toString();
    }
    addMember(QStringLiteral("off1"), QStringLiteral("off1"), QStringLiteral("A"), QStringLiteral("pw1"),
              QStringLiteral("김대표"));
    addMember(QStringLiteral("off1"), QStringLiteral("st1"), QStringLiteral("B"), QStringLiteral("pw2"),
              QStringLiteral("이실장"));
    addMember(QStringLiteral("off1"), QStringLiteral("st2"), QStringLiteral("B"), QStringLiteral("pw3"),
              QStringLiteral("박과장"));
    server().execute(
        QStringLiteral("UPDATE members SET shopname=?, homepage=?, homtel=?, hantel=?, shopnum=?, "
                       "addr1=?, addr2=?, addr3=?, addr4=?, email=? WHERE companyID=?"),
        {QStringLiteral("테란공인중개사"), QStringLiteral("http://teran.example"),
         QStringLiteral("02-555-1234"), QStringLiteral("010-1234-5678"), QStringLiteral("11680-2026-00001"),
         QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"), QString(),
         QStringLiteral("off1@teran.example"), QStringLiteral("off1")});
    return true;
}

// Logs the desk in as the setup asks, with both stores open.
bool TestOffice::seat(Desk desk) {
    if (desk == Desk::Nobody)
        return true;
    m_officeId = QStringLiteral("off1");
    if (desk == Desk::Demo)
        m_officeId = demoOfficeId();
    if (desk == Desk::UniqueOffice) {
        m_ftp = ftpService();
        if (m_ftp) {
            config.ftpHost = m_ftp->host;
            config.ftpPort = m_ftp->port;
            config.ftpUser = m_ftp->user;
            config.serverCa = servicesCaFile();
        }
        // The letter ends the id, so that no number after it can make another test's picture name.
        m_officeId = uniqueName(QStringLiteral("of")) + QStringLiteral("x");
        // Its own account at the loopback gateway, which charges as the vendor's does; the cash
        // there is plenty, the tests count the office's own.
        if (const std::optional<SmsService> sms = smsService()) {
            const SmsAccount account = sms->accountFor(m_officeId, 1'000'000);
            config.smsUser = account.user;
            config.smsPassword = account.password;
        }
    }
    m_session = newSession();
    if (!m_session->MdbsqlConnOpen())
        return false;
    if (desk == Desk::UniqueOffice)
        m_session->InternetCheck(); // the login's check, which also reads the picture password
    else
        m_session->MysqlConnOpen();
    // The vendor server must be there: a test that goes on without it would test nothing.
    if (!m_session->serverOpen())
        return false;
    SessionState& state = m_session->state();
    state.LoginId = m_officeId;
    state.OfficeMainId = m_officeId;
    state.OnlineMode = QStringLiteral("yes");
    state.InternetOk = desk != Desk::Demo; // the demo's web address has no pictures to download
    state.FtpPassword = m_ftp ? m_ftp->password : QString();
    if (desk == Desk::Demo) {
        seeded = seedDemo(local(), server(), clock);
        state.Staff = {{QStringLiteral("demo"), QStringLiteral("김영호")},
                       {QStringLiteral("staff1"), QStringLiteral("이지은")},
                       {QStringLiteral("staff2"), QStringLiteral("박준호")}};
    }
    return true;
}

TestOffice::~TestOffice() {
    outlets.clear(); // the windows kept there, before their session goes
    m_session.reset();
    if (!m_ftp)
        return;
    QDir remote(QDir(m_ftp->root).filePath(QStringLiteral("docs/files")));
    for (const QString& name : remote.entryList({m_officeId + QLatin1Char('*')}, QDir::Files))
        remote.remove(name);
    QDir(remote.filePath(m_officeId)).removeRecursively();
}

std::unique_ptr<Session> TestOffice::newSession() {
    auto made = std::make_unique<Session>(config, clock, dialogs, probe());
    made->setProgramEnd([this](int code) { endedWith = code; });
    made->setOutlets(&outlets);
    return made;
}

std::unique_ptr<InternetProbe> TestOffice::probe() const {
    return std::make_unique<OfficeProbe>(internetAnswers);
}

StoreUrl TestOffice::listingUrl() const {
    return m_listing ? m_listing->url() : StoreUrl::sqliteFile(DataFolder(dir.path()).listingStoreFile());
}

void TestOffice::goOffline() {
    internetAnswers = false;
    config.probeUrl = closedPortUrl();
}

QVariant TestOffice::serverValue(const QString& sql, const QVariantList& values) {
    return server().scalar(sql, values);
}

QVariant TestOffice::localValue(const QString& sql, const QVariantList& values) {
    if (!m_local) {
        m_local = std::make_unique<SqlStore>(uniqueName(QStringLiteral("office-local")));
        m_local->open(listingUrl());
    }
    return m_local->scalar(sql, values);
}

void TestOffice::addMember(const QString& company, const QString& id, const QString& type,
                           const QString& password, const QString& name) {
    server().execute(
        QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name) VALUES(?,?,?,?,?)"),
        {company, id, type, password, name});
}

void TestOffice::addOtherOffice(const QString& id, const QString& showname, const QString& homtel,
                                const QString& hantel) {
    server().execute(
        QStringLiteral("INSERT INTO members(companyID, memID, memType, showname, homtel, hantel) "
                       "VALUES(?,?,?,?,?,?)"),
        {id, id, QStringLiteral("A"), showname, homtel, hantel});
}

int TestOffice::addClub(const QString& chairman, const QString& types) {
    const int club =
        server()
            .insert(QStringLiteral("INSERT INTO teranclub(id, clubname, kind, tb, content) "
                                   "VALUES(?,?,?,?,?)"),
                    {chairman, QStringLiteral("클럽 ") + chairman, QStringLiteral("친목"), types, QString()})
            .toInt();
    joinClub(club, chairman, 3);
    return club;
}

void TestOffice::joinClub(int club, const QString& id, int level) {
    server().execute(
        QStringLiteral("INSERT INTO teranclub_mem(club_idx, id, level, writeday) VALUES(?,?,?,?)"),
        {club, id, level, clock.now()});
}

QStringList TestOffice::logLines() const {
    QFile file(
        DailyLog(DataFolder(config.dataPath).root(), clock, [] { return QString(); }).fileFor(clock.today()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

ListingActions TestOffice::actions() {
    ListingActions made(*m_session);
    made.setProgress([this](const QString& text) { progressTexts << text; });
    return made;
}

QList<ListingPick> TestOffice::picks(const QList<int>& numbers) {
    QList<ListingPick> list;
    for (int number : numbers)
        list << ListingPick{number, QStringLiteral("매물%1").arg(number)};
    return list;
}

int TestOffice::addOwn(const ListingRow& values) {
    const QDateTime now = clock.now();
    return insertLocal(local(), withDefaults({{"id", m_officeId},
                                              {"subid", m_officeId},
                                              {"tb", "apt"},
                                              {"ty", "M"},
                                              {"state", 0},
                                              {"writeday", now},
                                              {"showday", now}},
                                             values));
}

int TestOffice::addListing(const ListingRow& values) {
    return addOwn(withDefaults({{"cboname", "래미안"},
                                {"addr1", "서울"},
                                {"money_m", 85000},
                                {"uname", "홍길동"},
                                {"uhp", "010-1111-2222"},
                                {"showday", QDateTime(QDate(2026, 11, 1), QTime(9, 0))},
                                {"writeday", QDateTime(QDate(2026, 10, 1), QTime(9, 0))},
                                {"hitadd", 2},
                                {"hitmem", 1}},
                               values));
}

int TestOffice::addPublished(int state, const ListingRow& values) {
    ListingRow withState = values;
    withState.insert(QStringLiteral("state"), state);
    const int number = addListing(withState);
    insertServer(server(), {{"id", m_officeId},
                            {"sub_idx", number},
                            {"tb", withState.value("tb", "apt")},
                            {"ty", "M"},
                            {"subid", withState.value("subid", m_officeId)},
                            {"state", state},
                            {"imgname1", withState.value("imgname1")},
                            {"imgname2", withState.value("imgname2")},
                            {"showday", QDateTime(QDate(2026, 11, 2), QTime(9, 0))},
                            {"hitadd", 2},
                            {"hitmem", 1}});
    return number;
}

int TestOffice::addShared(const ListingRow& values) {
    const QDateTime now = clock.now();
    const int subIdx = values.contains(QStringLiteral("sub_idx"))
                           ? values.value(QStringLiteral("sub_idx")).toInt()
                           : m_nextSubIdx++;
    insertServer(server(), withDefaults({{"id", "other"},
                                         {"subid", "other"},
                                         {"sub_idx", subIdx},
                                         {"tb", "apt"},
                                         {"ty", "M"},
                                         {"state", 1},
                                         {"writeday", now},
                                         {"showday", now},
                                         {"sortday", now}},
                                        values));
    return subIdx;
}

int TestOffice::localState(int number) {
    return local()
        .scalar(QStringLiteral("SELECT state FROM maemul WHERE table_idx = ?"), {number}, -1)
        .toInt();
}

std::optional<int> TestOffice::serverState(int number) {
    const QVariant state = server().scalar(
        QStringLiteral("SELECT state FROM maemul WHERE id = ? AND sub_idx = ?"), {m_officeId, number});
    return state.isValid() ? std::optional<int>(state.toInt()) : std::nullopt;
}

int TestOffice::serverCount(const QString& officeId) {
    return server().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ?"), {officeId}, 0).toInt();
}

QVariant TestOffice::serverColumn(int number, const QString& column) {
    return server().scalar(QStringLiteral("SELECT `%1` FROM maemul WHERE id = ? AND sub_idx = ?").arg(column),
                           {m_officeId, number});
}

QString TestOffice::localPicture(const QString& name) const {
    return QDir(DataFolder(config.dataPath).files()).filePath(name);
}

QString TestOffice::remotePicture(const QString& name) const {
    if (!m_ftp)
        return QString(); // no FTP server, no remote picture
    return QDir(m_ftp->root).filePath(QStringLiteral("docs/files/") + pictureFolderOf(name) + name);
}

bool TestOffice::writeLocalPicture(const QString& name) {
    return writeFile(localPicture(name), name.toUtf8());
}

bool TestOffice::writeRemotePicture(const QString& name) {
    return writeFile(remotePicture(name), "stale " + name.toUtf8());
}

QString pictureName(const QString& officeId, int number, int slotSuffix, const QString& extension) {
    return ListingImageName(officeId, number, QStringLiteral("_%1").arg(slotSuffix),
                            QStringLiteral("x.") + extension);
}

} // namespace teran::test
