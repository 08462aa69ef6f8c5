#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class Session;

class SqlStore;

// What the SMS window needs beside the protocol: whom it can send to, which numbers a group
// takes, and what it checks before anything is sent.

struct SmsPerson {
    QString name, mobile, address;
};

// The people the recipients list offers, by the window's toolbar keys.
enum class SmsSource { Sellers, Buyers, Cards, Customers };
QString smsSourceKey(SmsSource source); // "maedoin", "maesuin", "namecard", "customer"
QString smsSourceCaption(SmsSource source);

// The people of a source whose name holds `name` (all when empty), sellers hidden by another
// user left out. The name is bound and matched as typed.
QList<SmsPerson> smsRecipients(SqlStore& local, SmsSource source, const QString& loginId,
                               const QString& name);
// The same for the logged-in user, from the session's office database.
QList<SmsPerson> smsRecipients(Session& session, SmsSource source, const QString& name);

// A number a group takes: without its "-", more than 9 characters, all digits and not in the
// group yet. Nullopt when refused.
std::optional<QString> groupNumber(const QStringList& group, const QString& typed);

// The refusal of the ticked people whose numbers a group did not take.
QString refusedPeopleText(const QStringList& names);

// What stops a send before it starts: the text, the title, and the box that gets the focus
// (empty for the cash question).
struct SmsProblem {
    QString text;
    QString title;
    QString field;
    bool cash = false; // the cash is short: the question offers to charge it
    bool operator==(const SmsProblem&) const = default;
};
struct SmsRequest {
    bool group = false;
    QString receiver; // single mode
    QStringList list; // group mode
    QString callback;
    QString text;
    qint64 balance = 0; // won
};
std::optional<SmsProblem> checkSms(const SmsRequest& request);

// How many messages the send makes: one for each number of the group, or one for the single
// number once a number is typed. Each is one record of at most 80 bytes, charged by the piece.
int smsMessageCount(const SmsRequest& request);
// What those messages cost the office, in won.
qint64 smsCostWon(const SmsRequest& request);

struct SmsTexts {
    static QString title() { return QStringLiteral("문자메세지보내기"); }
    static QString windowTitle() { return QStringLiteral("SMS 문자메세지 전송하기"); }
    static QString tooLong() { return QStringLiteral("전송할수 있는 문자는 최대 80 Byte 입니다."); }
    static QString tooLongTitle() { return QStringLiteral("문자초과"); }
    static QString failed() { return QStringLiteral("메세지전송에 실패하였습니다."); }
    static QString failedTitle() { return QStringLiteral("전송실패"); }
    static QString shortBalance() {
        return QStringLiteral("SMS 잔액이 부족하여 보내지 못한 문자가 있습니다.\r\n충전 후 다시 보내주세요.");
    }
    static QString done(int results, int delivered);
    static QString doneTitle() { return QStringLiteral("전송완료"); }
    static QString count(int n) { return QString::number(n) + QStringLiteral(" 건"); }
    // The cost shown before sending: "3 건 × 30 원 = 90 원", and a warning when the balance is
    // short of it.
    static QString cost(int messages, qint64 balance);
    static QString balanceUnknown() { return QStringLiteral("확인할 수 없음"); }
    // Texts an office often sends, offered beside a single message; each fits in 80 bytes.
    static QStringList samples();
};

} // namespace teran
