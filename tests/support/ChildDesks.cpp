#include "ChildDesks.h"

#include "core/session/StoreSetup.h"
#include "core/store/SqlStore.h"

#include <QCoreApplication>

namespace teran::test {

namespace {

const QString kDataVariable = QStringLiteral("TERAN_DESK_DATA");
const QString kServerVariable = QStringLiteral("TERAN_DESK_SERVER");

bool isPublished(const ListingRow& row) {
    const int state = row.value(QStringLiteral("state")).toInt();
    return state == 1 || state == 3 || state == 7;
}

} // namespace

std::unique_ptr<ChildDeskOffice> ChildDeskOffice::make() {
    std::unique_ptr<ChildDeskOffice> office(new ChildDeskOffice);
    office->m_server = ScratchStore::mariaDb();
    if (!office->m_server)
        return nullptr;
    office->m_dataPath = office->m_data.path();
    initDataFolder(DataFolder(office->m_dataPath));
    initServerStore(office->server(), {QStringLiteral("ftp-pw"), 7300});
    return office;
}

QList<int> ChildDeskOffice::insert(const QList<ListingRow>& rows) {
    SqlStore local(uniqueName(QStringLiteral("desks")));
    local.open(StoreUrl::sqliteFile(DataFolder(m_dataPath).listingStoreFile()));
    const QList<int> numbers = insertLocalBulk(local, rows);
    Transaction tx(server());
    for (int i = 0; i < rows.size(); ++i) {
        if (!isPublished(rows.at(i)))
            continue;
        ListingRow copy = rows.at(i);
        copy.insert(QStringLiteral("sub_idx"), numbers.at(i));
        insertServer(server(), copy);
    }
    tx.commit();
    return numbers;
}

QProcessEnvironment ChildDeskOffice::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kDataVariable, m_dataPath);
    environment.insert(kServerVariable, m_server->url().toString());
    return environment;
}

std::unique_ptr<QProcess> ChildDeskOffice::start(const char* deskCase,
                                                 const QProcessEnvironment& environment) {
    auto desk = std::make_unique<QProcess>();
    desk->setProcessEnvironment(environment);
    desk->start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + QLatin1String(deskCase),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    return desk;
}

bool isChildDesk() {
    return qEnvironmentVariableIsSet("TERAN_DESK_DATA");
}

std::unique_ptr<Session> openChildDesk(const QString& office, const Clock& clock, Dialogs& dialogs,
                                       const QString& dataPath, const QString& serverUrl) {
    TeranConfig config =
        TeranConfig::demoDefaults(dataPath.isEmpty() ? qEnvironmentVariable("TERAN_DESK_DATA") : dataPath);
    config.serverUrl = serverUrl.isEmpty() ? qEnvironmentVariable("TERAN_DESK_SERVER") : serverUrl;
    config.probeUrl = probeServiceUrl();
    auto session = std::make_unique<Session>(config, clock, dialogs);
    session->setProgramEnd([](int) {});
    if (!session->MdbsqlConnOpen())
        return nullptr;
    session->InternetCheck();
    session->state().LoginId = session->state().OfficeMainId = office;
    session->state().OnlineMode = QStringLiteral("yes");
    return session;
}

} // namespace teran::test
