#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class Session;
class SqlStore;

// A member's level in a club, as teranclub_mem keeps it.
namespace ClubLevel {
constexpr int None = -1;     // not a member
constexpr int Associate = 1; // 준회원: joined, waits for the chairman
constexpr int Full = 2;      // 정회원
constexpr int Chairman = 3;  // 회장
// A full member and the chairman read the club's listings.
constexpr bool readsListings(int level) {
    return level >= Full;
}
constexpr bool isMember(int level) {
    return level >= Associate;
}
constexpr bool runsClub(int level) {
    return level >= Chairman;
}
QString caption(int level); // 회장, 정회원 or 준회원
} // namespace ClubLevel

// A row of the club lists: the user's ClubLevel in the club, the club's number, name and
// gathering type.
struct ClubRow {
    int level = ClubLevel::None;
    int clubIdx = 0;
    QString name;
    QString kind;
};

struct ClubSearch {
    QString word;
    bool byName = true;
    bool byKind = false;
    bool byContent = false;
};

struct ClubDetails {
    int clubIdx = 0;
    QString chairman;
    QString name;
    QString kind;
    QStringList types; // property-type codes the club shares
    QString content;
};

struct ClubMember {
    QString id;
    QString office; // the office's name as it shows it
    int level = ClubLevel::Associate;
    QDateTime joined;
};

// What a club action did, in the window's words (title "TeranClub").
struct ClubOutcome {
    bool done = false;
    QString message;
    int clubIdx = 0;
};

// The 19 property types a club can share, as its check boxes caption them, with their codes.
struct ClubShareType {
    QString caption;
    QString code;
};
const QList<ClubShareType>& clubShareTypes();
QStringList residentialClubTypes();    // the "주 거 용" group
QStringList nonResidentialClubTypes(); // the "비주거용" group

namespace ClubTexts {
QString title(); // "TeranClub"
QString noReadRight(const QString& clubName);
QString noClubs();    // "가입된 클럽이 없습니다."
QString chooseClub(); // "클럽선택": every club whose listings the user reads
QString askDelete();  // "정말 삭제하시겠습니까 ?"
QString askJoin(const QString& clubName);
QString askLeave();        // "정말 탈퇴하시겠습니까 ?"
QString searchResultTab(); // "   검색결과   "
} // namespace ClubTexts

// The clubs of the vendor's server for the club window: the lists, the search, a club's details
// and members, and every change. On a server with an account per member each change goes through
// the server's routine, which checks the caller again; on the embedded server the same checks run
// here. Numbers come from the insert. Throws StoreError on a lost server.
class Clubs {
public:
    Clubs(SqlStore& server, bool routines, QString loginId);
    explicit Clubs(Session& session);

    QList<ClubRow> own();
    QList<ClubRow> all();
    // Empty word or no ticked option: the refusal's text, no rows.
    QList<ClubRow> search(const ClubSearch& search, QString* refusal);
    // The clubs whose listings the user may read (level 2 or more).
    QList<int> readable();
    // ClubIds: the member ids of the offices in the readable clubs (or in `club` alone when it is
    // readable), only of clubs that share the type unless it is "all". Empty: nothing to read.
    QStringList readableMemberIds(const QString& tb, int club = 0);
    std::optional<ClubDetails> details(int clubIdx);
    QList<ClubMember> members(int clubIdx);

    ClubOutcome save(const ClubDetails& club); // clubIdx 0: a new club, its maker the chairman
    ClubOutcome remove(int clubIdx);
    ClubOutcome join(int clubIdx);
    ClubOutcome leave(int clubIdx);
    ClubOutcome changeChair(int clubIdx, const QString& newChairman);
    ClubOutcome setLevel(int clubIdx, const QString& memberId, int level);
    ClubOutcome removeMember(int clubIdx, const QString& memberId);
    ClubOutcome sendToChairman(int clubIdx, const QString& title, const QString& body);

private:
    QList<ClubRow> rows(const QString& where, const QVariantList& values);
    int levelOf(int clubIdx, const QString& id);
    bool isChairman(int clubIdx);
    ClubOutcome call(const QString& routine, const QVariantList& values, const QString& doneMessage);

    SqlStore& m_server;
    bool m_routines;
    QString m_login;
};

} // namespace teran
