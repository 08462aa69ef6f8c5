#include "StaffAccounts.h"
#include "core/session/SessionLoader.h"

#include "core/session/Session.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace teran {

namespace {

const QString kColumns =
    QStringLiteral("memID, memPWD, name, showname, homtel, hantel, fax, email, jumin1, jumin2, "
                   "addr1, addr2, addr3, addr4, bigo, startday, addrKey");

QString joinedAddress(const QSqlQuery& q, int first) {
    QStringList parts;
    for (int i = first; i < first + 4; ++i)
        parts << q.value(i).toString();
    return parts.join(QLatin1Char(' '));
}

} // namespace

bool isValidResidentNumber(const QString& typed) {
    QString value = typed;
    value.remove(QLatin1Char('_')).remove(QLatin1Char(' '));
    if (value.size() != 14 || value.at(6) != QLatin1Char('-'))
        return false;
    const QString digits = value.left(6) + value.mid(7);
    static const QRegularExpression thirteen(QStringLiteral("^[0-9]{13}$"));
    if (!thirteen.match(digits).hasMatch())
        return false;
    static const int weights[12] = {2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5};
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits.at(i).digitValue() * weights[i];
    int check = 11 - sum % 11;
    if (check > 9)
        check %= 10;
    return check == digits.at(12).digitValue();
}

QString maskedResidentNumber(const QString& first, const QString& second) {
    if (first.isEmpty() && second.isEmpty())
        return {};
    return first + QLatin1Char('-') + second.left(1) + QString(qMax<qsizetype>(second.size() - 1, 0), u'*');
}

namespace StaffTexts {
QString searching() {
    return QStringLiteral("직원 검색중입니다. 잠시만 기다려 주세요.");
}
QString loading(int total, int done) {
    return QStringLiteral("총 %1 명의 직원중 %2 명을 로딩하는중입니다.").arg(total).arg(done);
}
QString found(int total) {
    return QStringLiteral("검색된 직원수가 총 %1 명 입니다.").arg(total);
}
QString idCheckTitle() {
    return QStringLiteral("회원가입");
}
QString idCheckTakenTitle() {
    return QStringLiteral("아이디사용불가");
}
QString idCheckMessage(StaffIdCheck check) {
    switch (check) {
    case StaffIdCheck::Empty:
        return QStringLiteral("아이디를 입력해주세요.");
    case StaffIdCheck::NotPlain:
        return QStringLiteral("사용할수없는 아이디입니다.\r\n공백문자나 특수문자가있는지 확인해보세요.");
    case StaffIdCheck::Taken:
        return QStringLiteral("이미등록된 아이디 입니다.\r\n 아이디를 다시 등록해주세요.");
    case StaffIdCheck::Free:
        break;
    }
    return QStringLiteral("사용가능한 아이디 입니다.");
}
QString idUsable() {
    return QStringLiteral("사용가능한아이디 입니다.");
}
QString idUnchecked() {
    return QStringLiteral("아이디가 등록되어있는지 확인하세요.");
}
QString disableTitle() {
    return QStringLiteral("사용중지");
}
QString askDisable(const QString& id) {
    return QStringLiteral("'%1' 계정의 사용을 중지합니다.\r\n중지된 계정으로는 로그인할 수 없습니다. "
                          "실행하시겠습니까 ?")
        .arg(id);
}
} // namespace StaffTexts

StaffAccounts::StaffAccounts(Session& session)
    : StaffAccounts(session.serverStore(), session.serverTakesMembers(), session.state().OfficeMainId,
                    session.state().LoginId) {
    m_session = &session;
}

StaffAccounts::StaffAccounts(SqlStore& server, bool accountsPerMember, QString officeId, QString loginId)
    : m_server(server)
    , m_accountsPerMember(accountsPerMember)
    , m_officeId(std::move(officeId))
    , m_loginId(loginId.isEmpty() ? m_officeId : std::move(loginId)) {}

QList<StaffRow> StaffAccounts::list() {
    QSqlQuery q = m_server.query(
        QStringLiteral(
            "SELECT mem_idx, memID, startday, name, showname, homtel, hantel, fax, email, jumin1, jumin2, "
            "addr1, addr2, addr3, addr4, memType FROM members WHERE companyID=? AND memType IN ('B','X') "
            "ORDER "
            "BY writeday "
            "DESC, mem_idx DESC"),
        {m_officeId});
    QList<StaffRow> rows;
    while (q.next()) {
        StaffRow row;
        row.memIdx = q.value(0).toInt();
        row.id = q.value(1).toString();
        const QDateTime start = SqlStore::toDateTime(q.value(2));
        row.startDay = start.isValid() ? start.date().toString(QStringLiteral("yyyy-MM-dd")) : QString();
        row.name = q.value(3).toString();
        row.showname = q.value(4).toString();
        row.homtel = q.value(5).toString();
        row.hantel = q.value(6).toString();
        row.fax = q.value(7).toString();
        row.email = q.value(8).toString();
        row.residentNumber = maskedResidentNumber(q.value(9).toString(), q.value(10).toString());
        row.address = joinedAddress(q, 11);
        row.disabled = q.value(15).toString() == QLatin1String("X");
        rows << row;
    }
    return rows;
}

std::optional<StaffForm> StaffAccounts::read(int memIdx) {
    QSqlQuery q = m_server.query(
        QStringLiteral("SELECT %1 FROM members WHERE mem_idx=? AND companyID=? AND memType IN ('B','X')")
            .arg(kColumns),
        {memIdx, m_officeId});
    if (!q.next())
        return std::nullopt;
    StaffForm form;
    form.memIdx = memIdx;
    form.id = q.value(0).toString();
    form.name = q.value(2).toString();
    form.showname = q.value(3).toString();
    form.homtel = q.value(4).toString();
    form.hantel = q.value(5).toString();
    form.fax = q.value(6).toString();
    form.email = q.value(7).toString();
    const QString first = q.value(8).toString();
    const QString second = q.value(9).toString();
    form.residentNumber = first.isEmpty() && second.isEmpty() ? QString() : first + QLatin1Char('-') + second;
    form.addr1 = q.value(10).toString();
    form.addr2 = q.value(11).toString();
    form.addr3 = q.value(12).toString();
    form.addr4 = q.value(13).toString();
    form.bigo = q.value(14).toString();
    form.startDay = SqlStore::toDateTime(q.value(15)).date();
    form.addrKey = q.value(16).toString();
    return form;
}

StaffIdCheck StaffAccounts::checkId(const QString& id) {
    if (id.isEmpty())
        return StaffIdCheck::Empty;
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]+$"));
    if (!plain.match(id).hasMatch())
        return StaffIdCheck::NotPlain;
    return m_server.scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {id}, 0).toInt() > 0
               ? StaffIdCheck::Taken
               : StaffIdCheck::Free;
}

StaffSave StaffAccounts::save(const StaffForm& form, bool idChecked) {
    const bool isNew = form.memIdx == 0;
    const auto refused = [](const QString& message) {
        return StaffSave{false, message, QStringLiteral("회원가입"), 0};
    };
    if (m_loginId.compare(m_officeId, Qt::CaseInsensitive) != 0)
        return refused(QStringLiteral("직원 계정은 사무소 대표 계정만 등록하고 고칠 수 있습니다."));
    if (isNew && !idChecked)
        return refused(QStringLiteral("아이디 등록검사를 해주셔야합니다."));
    if (isNew && form.password.isEmpty())
        return refused(QStringLiteral("비밀번호를 해주셔야합니다."));
    if (form.name.trimmed().isEmpty())
        return refused(QStringLiteral("이름을 정확하게 입력 해주셔야합니다."));
    if (!isValidResidentNumber(form.residentNumber))
        return refused(QStringLiteral("주민번호는 정확하게 입력해 주셔야합니다."));
    if ((form.addr1 + form.addr2 + form.addr3 + form.addr4).trimmed().isEmpty())
        return refused(QStringLiteral("주소를 입력해주세요."));
    const int memIdx = write(form);
    return isNew ? StaffSave{true, QStringLiteral("회원정보를 성공적으로 등록하였습니다"),
                             QStringLiteral("등록완료"), memIdx}
                 : StaffSave{true, QStringLiteral("회원정보를 성공적으로 수정하였습니다"),
                             QStringLiteral("수정완료"), memIdx};
}

int StaffAccounts::write(const StaffForm& form) {
    QString digits = form.residentNumber;
    digits.remove(QLatin1Char('_')).remove(QLatin1Char(' '));
    const QString first = digits.section(QLatin1Char('-'), 0, 0);
    const QString second = digits.section(QLatin1Char('-'), 1);
    const QVariant start = form.startDay.isValid() ? QVariant(form.startDay.startOfDay()) : QVariant();
    const QVariantList details{form.name.trimmed(), form.showname, first,      second,     form.email,
                               form.addr1,          form.addr2,    form.addr3, form.addr4, form.addrKey,
                               form.homtel,         form.hantel,   form.fax,   form.bigo,  start};
    if (m_accountsPerMember) {
        // The server checks the caller, the id and makes the account in one step.
        m_server.execute(
            QStringLiteral("CALL staff_save(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            QVariantList{form.memIdx, form.id, form.password} + details);
        return m_server.scalar(QStringLiteral("SELECT @teran_result"), {}, form.memIdx).toInt();
    }
    const QString sets =
        QStringLiteral("name=?, showname=?, jumin1=?, jumin2=?, email=?, addr1=?, addr2=?, addr3=?, "
                       "addr4=?, addrKey=?, homtel=?, hantel=?, fax=?, bigo=?, startday=?");
    return m_server.transact([&] {
        if (form.memIdx == 0) {
            if (m_server.scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {form.id}, 0)
                    .toInt() > 0)
                throw StoreError(QStringLiteral("이미등록된 아이디 입니다."),
                                 QStringLiteral("StaffAccounts"));
            return m_server
                .insert(QStringLiteral(
                            "INSERT INTO members(companyID, memID, memType, memPWD, name, showname, "
                            "jumin1, jumin2, email, addr1, addr2, addr3, addr4, addrKey, homtel, hantel, "
                            "fax, bigo, startday, writeday) VALUES(?, ?, 'B', ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                            "?, ?, ?, ?, ?, ?, ?, %1)")
                            .arg(m_server.nowSql()),
                        QVariantList{m_officeId, form.id, form.password} + details)
                .toInt();
        }
        QVariantList values = details;
        QString update = sets;
        if (!form.password.isEmpty()) {
            update += QStringLiteral(", memPWD=?");
            values << form.password;
        }
        values << form.memIdx << m_officeId;
        if (m_server.execute(
                QStringLiteral("UPDATE members SET %1 WHERE mem_idx=? AND companyID=? AND memType IN "
                               "('B','X')")
                    .arg(update),
                values) == 0)
            throw StoreError(QStringLiteral("다른 사무소의 자료는 바꿀 수 없습니다."),
                             QStringLiteral("StaffAccounts"));
        return form.memIdx;
    });
}

void StaffAccounts::setDisabled(const QString& id, bool disabled) {
    if (m_loginId.compare(m_officeId, Qt::CaseInsensitive) != 0)
        throw StoreError(QStringLiteral("직원 계정은 사무소 대표 계정만 등록하고 고칠 수 있습니다."),
                         QStringLiteral("StaffAccounts"));
    if (m_accountsPerMember) {
        m_server.execute(QStringLiteral("CALL staff_lock(?, ?)"), {id, disabled ? 1 : 0});
    } else {
        // The embedded server has no accounts to lock: the row's type ("X") keeps the login out.
        m_server.execute(QStringLiteral("UPDATE members SET memType=? WHERE memID=? AND companyID=? AND "
                                        "memType IN ('B','X')"),
                         {disabled ? QStringLiteral("X") : QStringLiteral("B"), id, m_officeId});
    }
    // A locked account cannot reach the server to hear why: the office's copy tells it.
    if (m_session)
        SessionLoader(*m_session).mirrorAccounts();
}

} // namespace teran
