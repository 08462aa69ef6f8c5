#include "ListFixture.h"

#include "session/StoreSetup.h"

#include <QFile>

namespace teran::test {

namespace {

class AnsweringProbe final : public InternetProbe {
public:
    bool reachable() override { return true; }
};

ListingRow withDefaults(const ListingRow& defaults, const ListingRow& values) {
    ListingRow row = defaults;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        row.insert(it.key(), it.value());
    return row;
}

} // namespace

std::unique_ptr<ListFixture> ListFixture::make(Backend backend) {
    std::unique_ptr<ListFixture> f(new ListFixture);
    f->m_server = backend == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
    if (!f->m_server)
        return nullptr;
    initDataFolder(DataFolder(f->dir.path()));
    initServerStore(f->m_server->store(), {QStringLiteral("ftp-pw"), 7300});
    TeranConfig config = TeranConfig::demoDefaults(f->dir.path());
    config.serverUrl = f->m_server->url().toString();
    f->m_session =
        std::make_unique<Session>(config, f->clock, f->dialogs, std::make_unique<AnsweringProbe>());
    f->m_session->setProgramEnd([](int) {});
    if (!f->m_session->MdbsqlConnOpen() || !f->m_session->MysqlConnOpen())
        return nullptr;
    SessionState& state = f->m_session->state();
    state.LoginId = QStringLiteral("off1");
    state.OfficeMainId = QStringLiteral("off1");
    state.InternetOk = true;
    state.OnlineMode = QStringLiteral("yes");
    return f;
}

ListFixture::~ListFixture() {
    m_session.reset(); // before the scratch server goes
}

int ListFixture::addOwn(const ListingRow& values) {
    const QDateTime now = clock.now();
    return insertLocal(local(), withDefaults({{"id", "off1"},
                                              {"subid", "off1"},
                                              {"tb", "apt"},
                                              {"ty", "M"},
                                              {"state", 0},
                                              {"writeday", now},
                                              {"showday", now}},
                                             values));
}

int ListFixture::addShared(const ListingRow& values) {
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

void ListFixture::addMember(const QString& id, const QString& showname, const QString& homtel,
                            const QString& hantel) {
    server().execute(
        QStringLiteral("INSERT INTO members(companyID, memID, memType, showname, homtel, hantel) "
                       "VALUES(?,?,?,?,?,?)"),
        {id, id, QStringLiteral("A"), showname, homtel, hantel});
}

int ListFixture::addClub(const QString& chairman, const QString& types) {
    const int club =
        server()
            .insert(QStringLiteral("INSERT INTO teranclub(id, clubname, kind, tb, content) "
                                   "VALUES(?,?,?,?,?)"),
                    {chairman, QStringLiteral("클럽 ") + chairman, QStringLiteral("친목"), types, QString()})
            .toInt();
    joinClub(club, chairman, 3);
    return club;
}

void ListFixture::joinClub(int club, const QString& id, int level) {
    server().execute(
        QStringLiteral("INSERT INTO teranclub_mem(club_idx, id, level, writeday) VALUES(?,?,?,?)"),
        {club, id, level, clock.now()});
}

QStringList ListFixture::logLines() const {
    QFile file(m_session->log().fileFor(clock.today()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace teran::test
