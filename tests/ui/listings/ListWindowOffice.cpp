#include "ListWindowOffice.h"

#include "session/StoreSetup.h"

#include <QFile>

namespace teran::test {

namespace {

class AnsweringProbe final : public InternetProbe {
public:
    bool reachable() override { return true; }
};

} // namespace

std::unique_ptr<ListWindowOffice> ListWindowOffice::make(Backend backend) {
    std::unique_ptr<ListWindowOffice> office(new ListWindowOffice);
    office->m_server = backend == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
    if (!office->m_server)
        return nullptr;
    initDataFolder(DataFolder(office->dir.path()));
    initServerStore(office->m_server->store(), {QStringLiteral("ftp-pw"), 7300});
    TeranConfig config = TeranConfig::demoDefaults(office->dir.path());
    config.serverUrl = office->m_server->url().toString();
    office->m_session =
        std::make_unique<Session>(config, office->clock, office->dialogs, std::make_unique<AnsweringProbe>());
    office->m_session->setProgramEnd([](int) {});
    office->m_session->setOutlets(&office->outlets);
    if (!office->m_session->MdbsqlConnOpen() || !office->m_session->MysqlConnOpen())
        return nullptr;
    office->seeded = seedDemo(office->local(), office->server(), office->clock);
    SessionState& state = office->m_session->state();
    state.LoginId = demoOfficeId();
    state.OfficeMainId = demoOfficeId();
    state.OnlineMode = QStringLiteral("yes");
    state.InternetOk = false; // no picture downloads from the demo's web address
    state.Staff = {{QStringLiteral("demo"), QStringLiteral("김영호")},
                   {QStringLiteral("staff1"), QStringLiteral("이지은")},
                   {QStringLiteral("staff2"), QStringLiteral("박준호")}};
    return office;
}

ListWindowOffice::~ListWindowOffice() {
    outlets.clear();
    m_session.reset(); // before the scratch server goes
}

QVariant ListWindowOffice::localValue(const QString& sql, const QVariantList& values) {
    return local().scalar(sql, values);
}

QVariant ListWindowOffice::serverValue(const QString& sql, const QVariantList& values) {
    return server().scalar(sql, values);
}

QStringList ListWindowOffice::logLines() const {
    QFile file(m_session->log().fileFor(clock.today()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

std::optional<StaffMember> ScriptedChoices::staff(QWidget*, const QList<StaffMember>& staff) {
    staffOffered = staff;
    if (staffIds.isEmpty())
        return std::nullopt;
    const QString id = staffIds.dequeue();
    for (const StaffMember& member : staff)
        if (member.id == id)
            return member;
    return std::nullopt;
}

std::optional<QString> ScriptedChoices::groupName(QWidget*, const QStringList& names) {
    groupsOffered = names;
    if (groupNames.isEmpty())
        return std::nullopt;
    return groupNames.dequeue();
}

} // namespace teran::test
