#include "OfficeSetup.h"

#include "core/session/DataFolder.h"
#include "core/session/TeranConfig.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include "core/store/TlsTrust.h"
#include <QDir>
#include <QFile>

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace teran {

StoreUrl configuredServerUrl(const TeranConfig& config) {
    StoreUrl url = TlsTrust::trusting(StoreUrl::parse(config.serverUrl), config.serverCa);
    if (url.backend == SqlBackend::MariaDb) {
        if (!config.serverUser.isEmpty() && url.user.isEmpty())
            url.user = config.serverUser;
        if (!config.serverPassword.isEmpty() && url.password.isEmpty())
            url.password = config.serverPassword;
    }
    return url;
}

namespace {

void writeProbePage(const TeranConfig& config, const DataFolder& folder) {
    const QUrl probe(config.probeUrl);
    const QString page = folder.path(QStringLiteral("server/probe.html"));
    if (!probe.isLocalFile() || QDir::cleanPath(probe.toLocalFile()) != QDir::cleanPath(page))
        return;
    QDir().mkpath(folder.path(QStringLiteral("server")));
    QFile file(page);
    if (!file.open(QIODevice::WriteOnly) || file.write("<html><body>ok</body></html>\n") < 0)
        throw StoreError(QStringLiteral("cannot write the probe page ") + page,
                         QStringLiteral("prepareOffice"));
}

} // namespace

OfficePreparation prepareOffice(const TeranConfig& config, const ServerTextValues& texts, bool demo) {
    const DataFolder folder(config.dataPath);
    initDataFolder(folder);
    OfficePreparation made;
    {
        SqlStore listing(QStringLiteral("prepare-office-listing"));
        listing.open(StoreUrl::sqliteFile(folder.listingStoreFile()));
        ReferenceFillOptions options;
        if (demo)
            options = {.leaveOutLastPostRows = 50, .leaveOutLastSubwayLines = 1};
        made.listing = fillEmptyReferenceTables(listing, options);
    }
    writeProbePage(config, folder);
    // The vendor prepares a server with an account per member (`init-server`); an office has no
    // account to do it with, and needs none.
    made.serverIsTheVendors = config.serverTakesMembers();
    if (!made.serverIsTheVendors)
        made.server = prepareServer(config, texts);
    return made;
}

ReferenceFillReport prepareServer(const TeranConfig& config, const ServerTextValues& texts) {
    const StoreUrl serverUrl = configuredServerUrl(config);
    if (serverUrl.backend == SqlBackend::Sqlite)
        QDir().mkpath(QFileInfo(serverUrl.path).absolutePath());
    SqlStore server(QStringLiteral("prepare-office-server"));
    server.open(serverUrl);
    initServerStore(server, texts);
    return fillEmptyReferenceTables(server);
}

QString newOfficeProblem(const NewOffice& office) {
    static const QRegularExpression plainId(QStringLiteral("^[A-Za-z0-9_]{3,20}$"));
    if (office.shopname.trimmed().isEmpty())
        return QStringLiteral("사무소 이름을 입력하세요.");
    if (office.name.trimmed().isEmpty())
        return QStringLiteral("대표자 이름을 입력하세요.");
    if (!plainId.match(office.id).hasMatch())
        return QStringLiteral("아이디는 영문, 숫자, _ 로 3자에서 20자까지 입력하세요.");
    if (office.password.size() < 4)
        return QStringLiteral("비밀번호는 4자 이상 입력하세요.");
    return {};
}

QStringList addressColumns(const QString& address) {
    QStringList words = address.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList columns;
    for (int i = 0; i < 3; ++i)
        columns << (words.isEmpty() ? QString() : words.takeFirst());
    columns << words.join(QLatin1Char(' '));
    return columns;
}

void addOffice(SqlStore& server, const NewOffice& office) {
    if (server.scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {office.id}, 0).toInt() >
        0)
        throw StoreError(QStringLiteral("the id is taken: ") + office.id, QStringLiteral("addOffice"));
    const QStringList address = addressColumns(office.address);
    server.execute(QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name, shopname, "
                                  "showname, homtel, hantel, addr1, addr2, addr3, addr4, shopnum, writeday) "
                                  "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,") +
                       server.nowSql() + QStringLiteral(")"),
                   {office.id, office.id, QStringLiteral("A"), office.password, office.name.trimmed(),
                    office.shopname.trimmed(), office.shopname.trimmed(), office.phone.trimmed(),
                    office.mobile.trimmed(), address.at(0), address.at(1), address.at(2), address.at(3),
                    office.registration.trimmed()});
}

} // namespace teran

namespace teran {

namespace {

OfficeChoice refused(const QString& problem) {
    OfficeChoice choice;
    choice.problem = problem;
    return choice;
}

OfficeChoice saved(const TeranConfig& config, const QString& configFile) {
    if (!config.save(configFile))
        return refused(QStringLiteral("설정파일을 저장할 수 없습니다: ") + configFile);
    return {true, config, QString()};
}

} // namespace

OfficeChoice useExistingOffice(const QString& folder, const QString& configFile) {
    if (folder.isEmpty())
        return refused(QString());
    const TeranConfig config = TeranConfig::demoDefaults(folder);
    if (!DataFolder(config.dataPath).hasListingStore())
        return refused(QStringLiteral("선택한 폴더에 사무실 자료(rd/terandb.db)가 없습니다.\r\n\r\n"
                                      "사무실 자료 폴더를 다시 선택하세요.") +
                       QStringLiteral("\r\n(") + folder + QLatin1Char(')'));
    return saved(config, configFile);
}

OfficeChoice makeNewOffice(const QString& folder, const NewOffice& office, const QString& configFile) {
    if (folder.isEmpty())
        return refused(QString());
    const QString problem = newOfficeProblem(office);
    if (!problem.isEmpty())
        return refused(problem);
    const TeranConfig config = TeranConfig::demoDefaults(folder);
    if (DataFolder(config.dataPath).hasListingStore())
        return refused(QStringLiteral("선택한 폴더에는 이미 사무실 자료가 있습니다.\r\n\r\n"
                                      "기존 사무실을 쓰시려면 '기존 사무실 자료 폴더 선택'을 누르세요."));
    try {
        prepareOffice(config, {}, false);
        SqlStore server(QStringLiteral("new-office-server"));
        server.open(configuredServerUrl(config));
        addOffice(server, office);
    } catch (const StoreError& error) {
        return refused(QStringLiteral("새 사무실을 만들지 못했습니다.\r\n\r\n(") + error.description() +
                       QLatin1Char(')'));
    }
    return saved(config, configFile);
}

} // namespace teran

namespace teran {

bool needsFirstStart(const QString& configFile, const QString& dataPathOverride) {
    return !QFile::exists(configFile) && dataPathOverride.isEmpty() &&
           !DataFolder(TeranConfig::defaultDemoFolder()).hasListingStore();
}

} // namespace teran
