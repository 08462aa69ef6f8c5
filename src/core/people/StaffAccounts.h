#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace teran {

class Session;
class SqlStore;

// One staff account as the staff window lists it.
struct StaffRow {
    int memIdx = 0;
    QString id;
    QString startDay; // "yyyy-MM-dd" or empty
    QString name;
    QString showname;
    QString homtel;
    QString hantel;
    QString fax;
    QString email;
    QString residentNumber; // masked: "880101-1******"
    QString address;
    bool disabled = false; // can no longer log in online (memType "X"); its listings stay
};

// The edit panel's values. Phones are kept whole ("02-555-1234"); the window splits them.
struct StaffForm {
    int memIdx = 0; // 0 for a new account
    QString id;
    QString password; // empty on an edit: the password stays
    QString name;
    QString showname;
    QString residentNumber; // as typed in the mask "______-_______"
    QDate startDay;
    QString addr1, addr2, addr3, addr4, addrKey;
    QString homtel, hantel, fax;
    QString email;
    QString bigo;
};

enum class StaffIdCheck { Empty, NotPlain, Taken, Free };

namespace StaffTexts {
QString searching();                        // "직원 검색중입니다. 잠시만 기다려 주세요."
QString loading(int total, int done);       // "총 n 명의 직원중 m 명을 로딩하는중입니다."
QString found(int total);                   // "검색된 직원수가 총 n 명 입니다."
QString idCheckTitle();                     // "회원가입"
QString idCheckMessage(StaffIdCheck check); // the box of the id check
QString idCheckTakenTitle();                // "아이디사용불가"
QString idUsable();                         // the panel's note after a passed check
QString idUnchecked();                      // the panel's note after the id changed
QString disableTitle();                     // "사용중지"
QString askDisable(const QString& id);      // the question before an account is stopped
} // namespace StaffTexts

struct StaffSave {
    bool saved = false;
    QString message; // the refusal, or "회원정보를 성공적으로 등록하였습니다" / "…수정하였습니다"
    QString title; // the box's title
    int memIdx = 0;
};

// The "______-_______" mask's value without its blanks: valid when it is 13 digits with "-" after
// the sixth and its last digit is the weighted check of the first twelve.
bool isValidResidentNumber(const QString& typed);
// "880101-1******": the birth date and the digit after it; the rest never leaves the office's row.
QString maskedResidentNumber(const QString& first, const QString& second);

// The office's staff accounts ("B" rows of `members` under the office) on the vendor's server, for
// the staff window. On a server with an account per member a staff account is also a MariaDB
// account: the main account makes and edits it through the server's procedure (the id check and
// the save in one step there; a staff account cannot), and its password is set, never read back.
// On the embedded server the row keeps the password as it always did. Throws StoreError.
class StaffAccounts {
public:
    // `loginId`: who works; only the office's main account (its id is the office's) makes and
    // edits staff. Empty: the office's main account.
    StaffAccounts(SqlStore& server, bool accountsPerMember, QString officeId, QString loginId = {});
    // The logged-in office's staff on its session's server.
    explicit StaffAccounts(Session& session);

    QList<StaffRow> list();
    std::optional<StaffForm> read(int memIdx); // its password empty
    StaffIdCheck checkId(const QString& id);
    // The checks of the window in their order, then the save. `idChecked`: the id check passed
    // for this id (needed for a new account only).
    StaffSave save(const StaffForm& form, bool idChecked);
    // A disabled account no longer logs in, online or at this desk; its listings stay. The
    // office's copy of its accounts learns it at once, so that the login can say why.
    void setDisabled(const QString& id, bool disabled);

private:
    int write(const StaffForm& form);

    SqlStore& m_server;
    Session* m_session = nullptr; // whose office database keeps a copy of the accounts
    bool m_accountsPerMember;
    QString m_officeId;
    QString m_loginId;
};

} // namespace teran
