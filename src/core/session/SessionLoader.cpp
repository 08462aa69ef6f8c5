#include "SessionLoader.h"

#include "core/listing/ListingRepository.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/store/PasswordHash.h"

namespace teran {

namespace {

const QString kLabel = QStringLiteral("로그인 => ");

// The account columns the office database keeps of each account of the office.
const QStringList kMirroredColumns = {
    QStringLiteral("companyID"), QStringLiteral("memID"),  QStringLiteral("memType"),
    QStringLiteral("memPWD"),    QStringLiteral("name"),   QStringLiteral("shopname"),
    QStringLiteral("showname"),  QStringLiteral("jumin1"), QStringLiteral("jumin2"),
    QStringLiteral("email"),     QStringLiteral("addr1"),  QStringLiteral("addr2"),
    QStringLiteral("addr3"),     QStringLiteral("addr4"),  QStringLiteral("homtel"),
    QStringLiteral("hantel"),    QStringLiteral("fax"),    QStringLiteral("shopnum"),
    QStringLiteral("homepage")};

QString text(const QSqlQuery& q, const char* column) {
    return q.value(QLatin1String(column)).toString();
}

} // namespace

SessionLoader::SessionLoader(Session& session)
    : m_session(session) {}

QString SessionLoader::foreignDatabaseTitle() {
    return QStringLiteral("사용할수 없는 데이터베이스입니다.");
}

QString SessionLoader::foreignDatabaseText(const QString& userName) {
    return userName + QStringLiteral("님과 데이터베이스의 사용자와 같지않습니다.") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("그래서 해당 데이터베이스에 접근할수가 없습니다.") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("자세한 문의사항은 본사로 문의하시기 바랍니다.");
}

LoadOutcome SessionLoader::load() {
    SessionState& state = m_session.state();
    try {
        state.Staff = {{state.OfficeMainId, QString()}};
        if (!ownsListingStore()) {
            SqlStore& names = state.isOnline() ? m_session.serverStore() : m_session.listingStore();
            m_session.dialogs().critical(foreignDatabaseText(userName(names)), foreignDatabaseTitle());
            m_session.endProgram(1);
            return LoadOutcome::ForeignDatabase;
        }
        // The login asked the server already: an offline session is one the server did not answer.
        if (state.isOnline() && m_session.serverOpen())
            followServer();
        else
            loadDetails(m_session.listingStore());
        loadSettings();
    } catch (const StoreError& error) {
        m_session.WriteLog(DailyLog::errorMessage(kLabel, error.description(), error.source()));
        m_session.showStoreError(error, error.source().startsWith(QLatin1String("server"))
                                            ? StoreKind::Server
                                            : StoreKind::Listing);
        return LoadOutcome::Failed;
    }
    return LoadOutcome::Loaded;
}

void SessionLoader::goOnline() {
    m_session.state().OnlineMode = QStringLiteral("yes");
    followServer();
}

void SessionLoader::followServer() {
    mirrorAccounts();
    keepNumbersAbove(m_session.listingStore(),
                     highestServerNumber(m_session.serverStore(), m_session.state().OfficeMainId));
    loadDetails(m_session.serverStore());
}

void SessionLoader::loadDetails(SqlStore& store) {
    loadOfficeDetails(store);
    loadStaff(store);
}

bool SessionLoader::ownsListingStore() {
    // Rows without an owner are this office's too; only another office's id makes it foreign.
    // The lowest and highest owner are two steps on the index of id, however many rows there are.
    SqlStore& store = m_session.listingStore();
    const QString lowest =
        store.scalar(QStringLiteral("SELECT MIN(id) FROM maemul WHERE id > ''")).toString();
    if (lowest.isEmpty())
        return true;
    const QString highest = store.scalar(QStringLiteral("SELECT MAX(id) FROM maemul")).toString();
    // MariaDB's collation compares ids without regard to case, as its `<>` would.
    const Qt::CaseSensitivity cs =
        store.backend() == SqlBackend::MariaDb ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString office = m_session.state().OfficeMainId;
    return lowest.compare(office, cs) == 0 && highest.compare(office, cs) == 0;
}

QString SessionLoader::userName(SqlStore& store) const {
    return store.scalar(QStringLiteral("SELECT name FROM members WHERE memID=?"), {m_session.state().LoginId})
        .toString();
}

// The office keeps a hash of a password only, and derives one (about 170 ms) only for the account
// that logged in, whose password the server has just taken: when the stored hash no longer fits
// it. Another account keeps the hash its own last login here left; one that never logged in here
// keeps none and needs the server to log in.
QString SessionLoader::passwordToKeep(const QString& memId, const QString& stored,
                                      const QString& serverPassword) const {
    const SessionState& state = m_session.state();
    if (memId.compare(state.LoginId, Qt::CaseInsensitive) != 0 || state.LoginPassword != serverPassword)
        return PasswordHash::isHash(stored) ? stored : QString();
    return PasswordHash::isHash(stored) && PasswordHash::matches(stored, serverPassword)
               ? stored
               : PasswordHash::make(serverPassword);
}

void SessionLoader::mirrorAccounts() {
    SqlStore& server = m_session.serverStore();
    SqlStore& local = m_session.listingStore();
    const QString office = m_session.state().OfficeMainId;
    QSqlQuery accounts =
        server.query(QStringLiteral("SELECT %1 FROM members WHERE companyID=? ORDER BY memType")
                         .arg(kMirroredColumns.join(QLatin1Char(','))),
                     {office});
    QList<QVariantList> rows;
    while (accounts.next()) {
        QVariantList row;
        for (int i = 0; i < kMirroredColumns.size(); ++i)
            row << accounts.value(i);
        rows << row;
    }
    if (rows.isEmpty())
        return; // never empty the office's accounts on a server that answered nothing

    QStringList sets;
    for (const QString& column : kMirroredColumns)
        sets << column + QStringLiteral("=?");
    const int passwordAt = int(kMirroredColumns.indexOf(QStringLiteral("memPWD")));
    Transaction tx(local);
    QStringList kept;
    for (QVariantList& row : rows) {
        const QString memId = row.at(1).toString();
        kept << memId;
        const QVariant storedValue =
            local.scalar(QStringLiteral("SELECT memPWD FROM members WHERE memID=?"), {memId});
        // A server with an account per member keeps no password: it took the typed one when it let
        // the member connect.
        const QString serverPassword =
            m_session.serverTakesMembers() ? m_session.state().LoginPassword : row.at(passwordAt).toString();
        row[passwordAt] = passwordToKeep(memId, storedValue.toString(), serverPassword);
        QVariantList values = row;
        values << memId;
        // Whether the row is there is asked, not read off the rows updated: MariaDB counts only
        // rows whose values changed, and an unchanged account would be inserted twice.
        if (storedValue.isValid())
            local.execute(
                QStringLiteral("UPDATE members SET %1 WHERE memID=?").arg(sets.join(QLatin1Char(','))),
                values);
        else
            local.execute(QStringLiteral("INSERT INTO members(%1) VALUES(%2)")
                              .arg(kMirroredColumns.join(QLatin1Char(',')),
                                   SqlStore::placeholders(kMirroredColumns.size())),
                          row);
    }
    QVariantList removeValues{office};
    for (const QString& id : kept)
        removeValues << id;
    local.execute(QStringLiteral("DELETE FROM members WHERE companyID=? AND memID NOT IN (%1)")
                      .arg(SqlStore::placeholders(kept.size())),
                  removeValues);
    tx.commit();
}

void SessionLoader::loadOfficeDetails(SqlStore& store) {
    QSqlQuery row =
        store.query(QStringLiteral("SELECT shopname, homepage, homtel, hantel, shopnum, addr1, addr2, "
                                   "addr3, addr4, email, name FROM members WHERE memID=?"),
                    {m_session.state().LoginId});
    OfficeDetails details;
    if (row.next()) {
        details.name = text(row, "shopname");
        details.homepage = text(row, "homepage");
        details.phone = text(row, "homtel");
        details.mobile = text(row, "hantel");
        details.registration = text(row, "shopnum");
        details.address =
            QStringList{text(row, "addr1"), text(row, "addr2"), text(row, "addr3"), text(row, "addr4")}.join(
                QLatin1Char(' '));
        details.email = text(row, "email");
        details.representative = text(row, "name");
    }
    m_session.state().AuthConfig = details;
}

void SessionLoader::loadStaff(SqlStore& store) {
    SessionState& state = m_session.state();
    const QString officeName =
        store.scalar(QStringLiteral("SELECT name FROM members WHERE memID=?"), {state.OfficeMainId})
            .toString();
    state.Staff = {{state.OfficeMainId, officeName}};
    QSqlQuery others = store.query(
        QStringLiteral("SELECT memID, name FROM members WHERE companyID=? AND memID <> ? ORDER BY memID"),
        {state.OfficeMainId, state.OfficeMainId});
    while (others.next())
        state.Staff.append({others.value(0).toString(), others.value(1).toString()});
}

void SessionLoader::loadSettings() {
    SettingsStore settings(m_session.listingStore(), m_session.state().LoginId);
    settings.ensureLoginDefaults();
    m_session.state().FontSizeSet = settings.fontSize();
}

} // namespace teran
