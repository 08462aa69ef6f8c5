#include "OfficeFixture.h"

#include "session/StoreSchemas.h"
#include "session/StoreSetup.h"

namespace teran::test {

namespace {

// The internet as the fixture says it is.
class FixtureProbe final : public InternetProbe {
public:
    explicit FixtureProbe(const bool& answers)
        : m_answers(answers) {}
    bool reachable() override { return m_answers; }

private:
    const bool& m_answers;
};

} // namespace

std::unique_ptr<OfficeFixture> OfficeFixture::make(Backend backend) {
    std::unique_ptr<OfficeFixture> office(new OfficeFixture);
    office->m_server = backend == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
    if (!office->m_server)
        return nullptr;
    initDataFolder(DataFolder(office->dir.path()));
    // The gateway of the loopback services when it runs, else the demo's port.
    const std::optional<SmsService> sms = smsService();
    initServerStore(office->server(), {QStringLiteral("ftp-pw"), sms ? int(sms->port) : 7300});
    office->config = TeranConfig::demoDefaults(office->dir.path());
    office->config.serverUrl = office->m_server->url().toString();
    office->config.probeUrl = probeServiceUrl().isEmpty() ? closedPortUrl() : probeServiceUrl();
    // The loopback web server of the tests, wherever services.sh put it; without it a host where
    // nothing answers, so that the web pages are still offered.
    office->config.webBaseUrl = webServiceUrl().isEmpty()
                                    ? closedPortUrl().section(QLatin1Char('/'), 0, 2) + QLatin1Char('/')
                                    : webServiceUrl();
    // On the MariaDB backend the office database lives on MariaDB too, as an office of several
    // desks keeps it: every test of the office then runs the ListingStore's SQL on both backends.
    if (backend == Backend::MariaDb) {
        office->m_listing = ScratchStore::mariaDb();
        if (!office->m_listing)
            return nullptr;
        upgradeListingStore(office->m_listing->store());
        office->config.listingUrl = office->m_listing->url().toString();
    }
    office->addMember(QStringLiteral("off1"), QStringLiteral("off1"), QStringLiteral("A"),
                      QStringLiteral("pw1"), QStringLiteral("김대표"));
    office->addMember(QStringLiteral("off1"), QStringLiteral("st1"), QStringLiteral("B"),
                      QStringLiteral("pw2"), QStringLiteral("이실장"));
    office->addMember(QStringLiteral("off1"), QStringLiteral("st2"), QStringLiteral("B"),
                      QStringLiteral("pw3"), QStringLiteral("박과장"));
    office->server().execute(
        QStringLiteral("UPDATE members SET shopname=?, homepage=?, homtel=?, hantel=?, shopnum=?, "
                       "addr1=?, addr2=?, addr3=?, addr4=?, email=? WHERE companyID=?"),
        {QStringLiteral("테란공인중개사"), QStringLiteral("http://teran.example"),
         QStringLiteral("02-555-1234"), QStringLiteral("010-1234-5678"), QStringLiteral("11680-2026-00001"),
         QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"), QString(),
         QStringLiteral("off1@teran.example"), QStringLiteral("off1")});
    return office;
}

void OfficeFixture::addMember(const QString& company, const QString& id, const QString& type,
                              const QString& password, const QString& name) {
    server().execute(
        QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name) VALUES(?,?,?,?,?)"),
        {company, id, type, password, name});
}

std::unique_ptr<Session> OfficeFixture::session() {
    auto made = std::make_unique<Session>(config, clock, dialogs, probe());
    made->setProgramEnd([this](int code) { endedWith = code; });
    made->setOutlets(&outlets);
    return made;
}

std::unique_ptr<InternetProbe> OfficeFixture::probe() const {
    return std::make_unique<FixtureProbe>(internetAnswers);
}

StoreUrl OfficeFixture::listingUrl() const {
    return m_listing ? m_listing->url() : StoreUrl::sqliteFile(DataFolder(dir.path()).listingStoreFile());
}

void OfficeFixture::goOffline() {
    internetAnswers = false;
    config.probeUrl = closedPortUrl();
}

QVariant OfficeFixture::serverValue(const QString& sql, const QVariantList& values) {
    return server().scalar(sql, values);
}

QVariant OfficeFixture::localValue(const QString& sql, const QVariantList& values) {
    if (!m_local) {
        m_local = std::make_unique<SqlStore>(uniqueName(QStringLiteral("office-local")));
        m_local->open(listingUrl());
    }
    return m_local->scalar(sql, values);
}

} // namespace teran::test
