#include "Clubs.h"

#include "core/listings/ListQuery.h"
#include "core/session/Session.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QSqlQuery>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

ClubOutcome refused(const QString& message) {
    return {false, message, 0};
}

// The text a routine of the server signalled (SQLSTATE 45000), without the driver's note.
std::optional<QString> signalled(const StoreError& error) {
    if (error.nativeCode != QLatin1String("1644"))
        return std::nullopt;
    const qsizetype note = error.description().indexOf(QLatin1String(" (QMYSQL"));
    return note < 0 ? error.description() : error.description().left(note);
}

} // namespace

const QList<ClubShareType>& clubShareTypes() {
    static const QList<ClubShareType> types = {
        {QStringLiteral("아파트"), QStringLiteral("apt")},
        {QStringLiteral("빌라/다세대"), QStringLiteral("villa")},
        {QStringLiteral("단독주택"), QStringLiteral("dan")},
        {QStringLiteral("다가구주택"), QStringLiteral("dagagu")},
        {QStringLiteral("원룸/투룸"), QStringLiteral("wonroom")},
        {QStringLiteral("오피스텔"), QStringLiteral("opistel")},
        {QStringLiteral("건물"), QStringLiteral("gunmul")},
        {QStringLiteral("공장"), QStringLiteral("gong")},
        {QStringLiteral("주유소"), QStringLiteral("joouso")},
        {QStringLiteral("분양상가"), QStringLiteral("bgsang")},
        {QStringLiteral("점포/업소"), QStringLiteral("jumpo")},
        {QStringLiteral("물류창고"), QStringLiteral("mulru")},
        {QStringLiteral("토지"), QStringLiteral("land")},
        {QStringLiteral("사무실"), QStringLiteral("office")},
        {QStringLiteral("호텔"), QStringLiteral("hotel")},
        {QStringLiteral("모텔"), QStringLiteral("motel")},
        {QStringLiteral("전원/농가/별장"), QStringLiteral("junwon")},
        {QStringLiteral("여인숙/산장/팬션"), QStringLiteral("sanjang")},
        {QStringLiteral("중개업소"), QStringLiteral("budongsan")},
    };
    return types;
}

QStringList residentialClubTypes() {
    return QStringLiteral("apt,villa,opistel,gunmul,dan,dagagu,hotel,motel,junwon,wonroom,sanjang")
        .split(QLatin1Char(','));
}

QStringList nonResidentialClubTypes() {
    return QStringLiteral("bgsang,gong,mulru,joouso,land").split(QLatin1Char(','));
}

namespace ClubTexts {
QString title() {
    return QStringLiteral("TeranClub");
}
QString noReadRight(const QString& clubName) {
    return QStringLiteral("'%1' 클럽의 ").arg(clubName) + kCrLf + kCrLf +
           QStringLiteral("매물을 읽을 권한이 없습니다.");
}
QString noClubs() {
    return QStringLiteral("가입된 클럽이 없습니다.");
}
QString chooseClub() {
    return QStringLiteral("클럽선택");
}
QString askDelete() {
    return QStringLiteral("정말 삭제하시겠습니까 ?");
}
QString askJoin(const QString& clubName) {
    return QStringLiteral("클럽명 '%1' 에").arg(clubName) + kCrLf + kCrLf +
           QStringLiteral("가입 하시겠습니까 ?");
}
QString askLeave() {
    return QStringLiteral("정말 탈퇴하시겠습니까 ?");
}
QString searchResultTab() {
    return QStringLiteral("   검색결과   ");
}
} // namespace ClubTexts

Clubs::Clubs(SqlStore& server, bool routines, QString loginId)
    : m_server(server)
    , m_routines(routines)
    , m_login(std::move(loginId)) {}

Clubs::Clubs(Session& session)
    : Clubs(session.serverStore(), session.serverTakesMembers(), session.state().LoginId) {}

QList<ClubRow> Clubs::rows(const QString& where, const QVariantList& values) {
    QSqlQuery q =
        m_server.query(QStringLiteral("SELECT COALESCE(M.level, -1), A.table_idx, A.clubname, A.kind FROM "
                                      "teranclub A LEFT JOIN teranclub_mem M ON M.club_idx = A.table_idx "
                                      "AND M.id = ? %1 ORDER BY COALESCE(M.level, -1) DESC, A.table_idx")
                           .arg(where),
                       QVariantList{m_login} + values);
    QList<ClubRow> found;
    while (q.next())
        found << ClubRow{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(),
                         q.value(3).toString()};
    return found;
}

QList<ClubRow> Clubs::own() {
    return rows(QStringLiteral("WHERE M.id IS NOT NULL"), {});
}

QList<ClubRow> Clubs::all() {
    return rows(QString(), {});
}

QList<ClubRow> Clubs::search(const ClubSearch& search, QString* refusal) {
    const QString word = search.word.trimmed();
    if (word.isEmpty()) {
        *refusal = QStringLiteral("검색할 단어를 적어주세요.");
        return {};
    }
    QStringList tests;
    QVariantList values;
    const auto test = [&](bool ticked, const char* column) {
        if (!ticked)
            return;
        tests << QStringLiteral("A.%1 LIKE ?").arg(QLatin1String(column)) + SqlStore::likeEscapeSql();
        values << SqlStore::likeContains(word);
    };
    test(search.byName, "clubname");
    test(search.byKind, "kind");
    test(search.byContent, "content");
    if (tests.isEmpty()) {
        *refusal = QStringLiteral("검색할 항목에 체크해 주세요.");
        return {};
    }
    refusal->clear();
    return rows(QStringLiteral("WHERE (%1)").arg(tests.join(QStringLiteral(" OR "))), values);
}

QString ClubLevel::caption(int level) {
    return runsClub(level)        ? QStringLiteral("회장")
           : readsListings(level) ? QStringLiteral("정회원")
                                  : QStringLiteral("준회원");
}

QList<int> Clubs::readable() {
    QList<int> clubs;
    for (const ClubRow& row : own())
        if (ClubLevel::readsListings(row.level))
            clubs << row.clubIdx;
    return clubs;
}

QStringList Clubs::readableMemberIds(const QString& tb, int club) {
    QList<int> clubs = readable();
    if (club > 0)
        clubs = clubs.contains(club) ? QList<int>{club} : QList<int>{};
    return ClubMemberIds(m_server, clubs, tb);
}

std::optional<ClubDetails> Clubs::details(int clubIdx) {
    QSqlQuery q = m_server.query(
        QStringLiteral("SELECT table_idx, id, clubname, kind, tb, content FROM teranclub WHERE table_idx=?"),
        {clubIdx});
    if (!q.next())
        return std::nullopt;
    return ClubDetails{q.value(0).toInt(),
                       q.value(1).toString(),
                       q.value(2).toString(),
                       q.value(3).toString(),
                       q.value(4).toString().split(QLatin1Char(','), Qt::SkipEmptyParts),
                       q.value(5).toString()};
}

QList<ClubMember> Clubs::members(int clubIdx) {
    QSqlQuery q =
        m_server.query(QStringLiteral("SELECT M.id, COALESCE(O.shopname, O.showname, ''), M.level, "
                                      "M.writeday FROM teranclub_mem M LEFT JOIN members O ON O.memID = "
                                      "M.id WHERE M.club_idx=? ORDER BY M.level DESC, M.writeday"),
                       {clubIdx});
    QList<ClubMember> found;
    while (q.next())
        found << ClubMember{q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(),
                            SqlStore::toDateTime(q.value(3))};
    return found;
}

int Clubs::levelOf(int clubIdx, const QString& id) {
    return m_server
        .scalar(QStringLiteral("SELECT level FROM teranclub_mem WHERE club_idx=? AND id=?"), {clubIdx, id},
                -1)
        .toInt();
}

bool Clubs::isChairman(int clubIdx) {
    return m_server
               .scalar(QStringLiteral("SELECT COUNT(*) FROM teranclub WHERE table_idx=? AND id=?"),
                       {clubIdx, m_login}, 0)
               .toInt() > 0;
}

ClubOutcome Clubs::call(const QString& routine, const QVariantList& values, const QString& doneMessage) {
    try {
        m_server.execute(QStringLiteral("CALL %1(%2)").arg(routine, SqlStore::placeholders(values.size())),
                         values);
    } catch (const StoreError& error) {
        if (const std::optional<QString> said = signalled(error))
            return refused(*said);
        throw;
    }
    return {true, doneMessage, m_server.scalar(QStringLiteral("SELECT @teran_result"), {}, 0).toInt()};
}

ClubOutcome Clubs::save(const ClubDetails& club) {
    if (club.name.trimmed().isEmpty())
        return refused(QStringLiteral("클럽명을 적어주세요."));
    if (club.kind.trimmed().isEmpty())
        return refused(QStringLiteral("모임형태를 적어주세요."));
    if (club.types.isEmpty())
        return refused(QStringLiteral("공유하고자 하는 종목을 선택하여 주세요."));
    const bool isNew = club.clubIdx == 0;
    const QString done = isNew ? QStringLiteral("클럽명 '%1' 가").arg(club.name) + kCrLf +
                                     QStringLiteral(" 성공적으로 만들어졌습니다.")
                               : QStringLiteral("클럽명 '%1' 를").arg(club.name) + kCrLf +
                                     QStringLiteral(" 수정완료 하였습니다.");
    const QString types = club.types.join(QLatin1Char(','));
    if (m_routines)
        return call(QStringLiteral("club_save"), {club.clubIdx, club.name, club.kind, types, club.content},
                    done);
    if (!isNew && !isChairman(club.clubIdx))
        return refused(QStringLiteral("클럽회장만 할 수 있습니다."));
    const int number = m_server.transact([&] {
        if (!isNew) {
            m_server.execute(
                QStringLiteral("UPDATE teranclub SET clubname=?, kind=?, tb=?, content=? WHERE table_idx=?"),
                {club.name, club.kind, types, club.content, club.clubIdx});
            return club.clubIdx;
        }
        const int made = m_server
                             .insert(QStringLiteral("INSERT INTO teranclub(id, clubname, kind, tb, content) "
                                                    "VALUES(?, ?, ?, ?, ?)"),
                                     {m_login, club.name, club.kind, types, club.content})
                             .toInt();
        m_server.execute(
            QStringLiteral("INSERT INTO teranclub_mem(club_idx, id, level, writeday) VALUES(?, ?, 3, %1)")
                .arg(m_server.nowSql()),
            {made, m_login});
        return made;
    });
    return {true, done, number};
}

ClubOutcome Clubs::remove(int clubIdx) {
    const int memberships =
        m_server.scalar(QStringLiteral("SELECT COUNT(*) FROM teranclub_mem WHERE club_idx=?"), {clubIdx}, 0)
            .toInt();
    if (memberships >= 2)
        return refused(
            QStringLiteral("가입되어있는 회원(%1명)이 남아있어 삭제할 수가 없습니다.").arg(memberships - 1) +
            kCrLf + kCrLf + QStringLiteral("클럽을 삭제하시려면 회원을 모두 탈퇴시킨후 삭제하십시요."));
    const QString done = QStringLiteral("삭제 되었습니다.");
    if (m_routines)
        return call(QStringLiteral("club_delete"), {clubIdx}, done);
    if (!isChairman(clubIdx))
        return refused(QStringLiteral("클럽회장만 할 수 있습니다."));
    m_server.transact([&] {
        m_server.execute(QStringLiteral("DELETE FROM teranclub WHERE table_idx=?"), {clubIdx});
        m_server.execute(QStringLiteral("DELETE FROM teranclub_mem WHERE club_idx=?"), {clubIdx});
    });
    return {true, done, clubIdx};
}

ClubOutcome Clubs::join(int clubIdx) {
    if (levelOf(clubIdx, m_login) >= 0)
        return refused(QStringLiteral("이미 가입된 클럽입니다."));
    const QString done = QStringLiteral("준회원으로 가입 되었습니다.");
    if (m_routines)
        return call(QStringLiteral("club_join"), {clubIdx}, done);
    m_server.execute(
        QStringLiteral("INSERT INTO teranclub_mem(club_idx, id, level, writeday) VALUES(?, ?, 1, %1)")
            .arg(m_server.nowSql()),
        {clubIdx, m_login});
    return {true, done, clubIdx};
}

ClubOutcome Clubs::leave(int clubIdx) {
    if (isChairman(clubIdx))
        return refused(QStringLiteral("클럽회장은 탈퇴할 수 없습니다. 회장을 넘기거나 클럽을 삭제하세요."));
    const QString done = QStringLiteral("탈퇴 되었습니다.");
    if (m_routines)
        return call(QStringLiteral("club_leave"), {clubIdx}, done);
    m_server.execute(QStringLiteral("DELETE FROM teranclub_mem WHERE club_idx=? AND id=?"),
                     {clubIdx, m_login});
    return {true, done, clubIdx};
}

ClubOutcome Clubs::changeChair(int clubIdx, const QString& newChairman) {
    const QString id = newChairman.trimmed();
    if (id.isEmpty() || id == m_login || levelOf(clubIdx, id) < 0)
        return refused(QStringLiteral("'%1' 님은 클럽에 등록된 회원이 아닙니다.").arg(id) + kCrLf +
                       QStringLiteral("클럽에 등록되어있는 회원에 한하여 변경이 가능합니다. "));
    const QString done = QStringLiteral("클럽회장님이 변경되었습니다.");
    if (m_routines)
        return call(QStringLiteral("club_change_chair"), {clubIdx, id}, done);
    if (!isChairman(clubIdx))
        return refused(QStringLiteral("클럽회장만 할 수 있습니다."));
    // One transaction: a club never has two chairmen or none.
    m_server.transact([&] {
        m_server.execute(QStringLiteral("UPDATE teranclub SET id=? WHERE table_idx=?"), {id, clubIdx});
        m_server.execute(QStringLiteral("UPDATE teranclub_mem SET level=2 WHERE id=? AND club_idx=?"),
                         {m_login, clubIdx});
        m_server.execute(QStringLiteral("UPDATE teranclub_mem SET level=3 WHERE id=? AND club_idx=?"),
                         {id, clubIdx});
    });
    return {true, done, clubIdx};
}

ClubOutcome Clubs::setLevel(int clubIdx, const QString& memberId, int level) {
    if (level != ClubLevel::Associate && level != ClubLevel::Full)
        return refused(QStringLiteral("회원 등급은 준회원(1)이나 정회원(2)입니다."));
    const QString done = level == ClubLevel::Full
                             ? QStringLiteral("'%1' 님이 정회원이 되었습니다.").arg(memberId)
                             : QStringLiteral("'%1' 님이 준회원이 되었습니다.").arg(memberId);
    if (m_routines)
        return call(QStringLiteral("club_set_level"), {clubIdx, memberId, level}, done);
    if (!isChairman(clubIdx) || memberId == m_login)
        return refused(QStringLiteral("클럽회장만 할 수 있습니다."));
    m_server.execute(QStringLiteral("UPDATE teranclub_mem SET level=? WHERE club_idx=? AND id=?"),
                     {level, clubIdx, memberId});
    return {true, done, clubIdx};
}

ClubOutcome Clubs::removeMember(int clubIdx, const QString& memberId) {
    const QString done = QStringLiteral("'%1' 님을 클럽에서 내보냈습니다.").arg(memberId);
    if (m_routines)
        return call(QStringLiteral("club_remove"), {clubIdx, memberId}, done);
    if (!isChairman(clubIdx) || memberId == m_login)
        return refused(QStringLiteral("클럽회장만 할 수 있습니다."));
    m_server.execute(QStringLiteral("DELETE FROM teranclub_mem WHERE club_idx=? AND id=?"),
                     {clubIdx, memberId});
    return {true, done, clubIdx};
}

ClubOutcome Clubs::sendToChairman(int clubIdx, const QString& title, const QString& body) {
    if (title.trimmed().isEmpty())
        return refused(QStringLiteral("제목을 적어주세요."));
    if (body.trimmed().isEmpty())
        return refused(QStringLiteral("전달할 내용을 적어주세요."));
    const QString chairman =
        m_server.scalar(QStringLiteral("SELECT id FROM teranclub WHERE table_idx=?"), {clubIdx}).toString();
    if (chairman.isEmpty())
        return refused(QStringLiteral("클럽이 없습니다."));
    QString content = body;
    content.replace(QLatin1String("\r\n"), QLatin1String("<br>"))
        .replace(QLatin1Char('\n'), QLatin1String("<br>"));
    // The server writes the sender itself where each member is an account.
    m_server.execute(
        QStringLiteral("INSERT INTO teranclub_paper(id, toid, title, content, writeday) VALUES(?, ?, ?, "
                       "?, %1)")
            .arg(m_server.nowSql()),
        {m_login, chairman, title, content});
    return {true, QStringLiteral("쪽지보내기를 완료하였습니다."), clubIdx};
}

} // namespace teran
