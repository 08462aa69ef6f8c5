#include "SmsDesk.h"
#include "core/session/Session.h"

#include "core/listings/ListCellFormat.h"

#include "SmsRecord.h"
#include "core/contracts/ReplaceMoney.h"
#include "core/store/SqlStore.h"

#include <QSqlQuery>
#include <algorithm>

namespace teran {

QString smsSourceKey(SmsSource source) {
    switch (source) {
    case SmsSource::Buyers:
        return QStringLiteral("maesuin");
    case SmsSource::Cards:
        return QStringLiteral("namecard");
    case SmsSource::Customers:
        return QStringLiteral("customer");
    case SmsSource::Sellers:
        break;
    }
    return QStringLiteral("maedoin");
}

QString smsSourceCaption(SmsSource source) {
    switch (source) {
    case SmsSource::Buyers:
        return QStringLiteral("매수자");
    case SmsSource::Cards:
        return QStringLiteral("명함");
    case SmsSource::Customers:
        return QStringLiteral("고객");
    case SmsSource::Sellers:
        break;
    }
    return QStringLiteral("매도자");
}

QList<SmsPerson> smsRecipients(SqlStore& local, SmsSource source, const QString& loginId,
                               const QString& name) {
    QString sql;
    QVariantList values;
    if (source == SmsSource::Sellers) {
        sql = QStringLiteral("SELECT uname, uhp, addr1, addr2, addr3, addr4 FROM maedoin "
                             "WHERE (opid IS NULL OR opid='' OR opid=?)");
        values << loginId;
    } else if (source == SmsSource::Buyers) {
        sql = QStringLiteral("SELECT name, hantel, addr1, addr2, addr3, addr4 FROM maesuin WHERE 1=1");
    } else {
        sql = QStringLiteral("SELECT name, hantel, addr1, addr2, addr3, addr4 FROM namecard WHERE part=?");
        values << smsSourceKey(source);
    }
    if (!name.trimmed().isEmpty()) {
        sql += (source == SmsSource::Sellers ? QStringLiteral(" AND uname LIKE ?")
                                             : QStringLiteral(" AND name LIKE ?")) +
               SqlStore::likeEscapeSql();
        values << SqlStore::likeContains(name.trimmed());
    }
    QSqlQuery q = local.query(sql, values);
    QList<SmsPerson> people;
    while (q.next()) {
        QStringList address;
        for (int i = 2; i < 6; ++i)
            if (!q.value(i).toString().trimmed().isEmpty())
                address << q.value(i).toString().trimmed();
        people.append({q.value(0).toString(), q.value(1).toString(), address.join(QLatin1Char(' '))});
    }
    return people;
}

std::optional<QString> groupNumber(const QStringList& group, const QString& typed) {
    const QString number = QString(typed).remove(QLatin1Char('-')).trimmed();
    if (number.size() <= 9 || !isAllDigits(number) || group.contains(number))
        return std::nullopt;
    return number;
}

QString refusedPeopleText(const QStringList& names) {
    QString listed;
    for (int i = 0; i < names.size(); ++i) {
        if (i > 0)
            listed += i % 10 == 0 ? QStringLiteral(",\r\n") : QStringLiteral(",");
        listed += names[i];
    }
    return QStringLiteral("선택된 전화번호가 중복등록되었거나 잘못되었습니다.\r\n\r\n") +
           QStringLiteral("오류회원[") + listed + QStringLiteral("]");
}

std::optional<SmsProblem> checkSms(const SmsRequest& r) {
    const QString title = SmsTexts::title();
    // Nothing to send yet still needs the price of one: the box asks about the cash first.
    if (r.balance < std::max(smsCostWon(r), kSmsPriceWon))
        return SmsProblem{
            QStringLiteral(
                "적립한 캐쉬가 부족합니다.\r\n문자를 보내시려면 캐쉬를 충전하신후 사용하세요.\r\n\r\n"
                "캐쉬를 지금 충전하시겠습니까 ?"),
            title,
            {},
            true};
    if (r.text.trimmed().isEmpty())
        return SmsProblem{QStringLiteral("전달할내용을 적어주세요."), title, QStringLiteral("sendMsg")};
    const auto valid = [](const QString& number) { return number.size() >= 10 && isAllDigits(number); };
    if (!r.group && !valid(digitsOfNumber(r.receiver)))
        return SmsProblem{QStringLiteral("보내는분 전화번호가 잘못되었습니다."), title,
                          QStringLiteral("sendtel")};
    if (r.group && r.list.isEmpty())
        return SmsProblem{QStringLiteral("그룹화된 전화번호가 없습니다."), title, QStringLiteral("sendList")};
    // A Seoul number ("02-555-1234") has nine digits and is a callback like any other.
    const QString callback = digitsOfNumber(r.callback);
    if (callback.size() < 9 || !isAllDigits(callback))
        return SmsProblem{QStringLiteral("회신 전화번호가 잘못되었습니다."), title,
                          QStringLiteral("txtCallBack")};
    if (const std::optional<QString> bad = smsTextProblem(r.text))
        return SmsProblem{*bad, title, QStringLiteral("sendMsg")};
    return std::nullopt;
}

int smsMessageCount(const SmsRequest& r) {
    if (r.group)
        return int(r.list.size());
    return digitsOfNumber(r.receiver).isEmpty() ? 0 : 1;
}

qint64 smsCostWon(const SmsRequest& r) {
    return kSmsPriceWon * smsMessageCount(r);
}

QString SmsTexts::cost(int messages, qint64 balance) {
    const qint64 won = kSmsPriceWon * messages;
    QString text = QStringLiteral("%1 건 × %2 원 = %3 원")
                       .arg(messages)
                       .arg(formatAmount(kSmsPriceWon))
                       .arg(formatAmount(won));
    if (won > balance)
        text += QStringLiteral("  (캐쉬 부족)");
    return text;
}

QString SmsTexts::done(int results, int delivered) {
    return QStringLiteral("%1 건의 메세지중 %2 건을 완료하였습니다.\r\n\r\n사용한 캐쉬금액은 %3 원 입니다.")
        .arg(results)
        .arg(delivered)
        .arg(formatAmount(kSmsPriceWon * delivered));
}

QStringList SmsTexts::samples() {
    return {QStringLiteral("문의하신 매물 자료를 보내드렸습니다. 확인 부탁드립니다."),
            QStringLiteral("내일 약속 시간에 뵙겠습니다. 변경 시 연락 주세요."),
            QStringLiteral("계약서 작성일이 확정되었습니다. 신분증과 도장을 준비해 주세요."),
            QStringLiteral("잔금일 안내드립니다. 시간 확인 후 회신 부탁드립니다."),
            QStringLiteral("찾으시는 조건의 새 매물이 나왔습니다. 연락 주세요."),
            QStringLiteral("감사합니다. 좋은 하루 되세요.")};
}

QList<SmsPerson> smsRecipients(Session& session, SmsSource source, const QString& name) {
    return smsRecipients(session.listingStore(), source, session.state().LoginId, name);
}

} // namespace teran
