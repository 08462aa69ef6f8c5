#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace teran {

// The result of one message as the gateway reports it: "00" delivered, anything else not.
struct SmsResult {
    QString code;
    QString number;
    bool delivered() const { return code == QLatin1String("00"); }
    bool operator==(const SmsResult&) const = default;
};

namespace smsCode {
inline const QString Delivered = QStringLiteral("00");
inline const QString BadNumber = QStringLiteral("11");    // no mobile number
inline const QString BadAccount = QStringLiteral("21");   // the account was refused
inline const QString BadRecord = QStringLiteral("31");    // not a record of the protocol
inline const QString ShortBalance = QStringLiteral("41"); // the office's cash cannot pay it
} // namespace smsCode

// A result list as the gateway writes it: leading text, then for each message "223", the
// code and the number, each "223" standing between blanks so that a number holding the digits
// 223 is never split; the list ends with a line break.
QByteArray smsResultList(const QList<SmsResult>& results);

// Reads what the gateway sends, in whatever pieces TCP delivers it: "#CON", "#DCN", "0" and
// result lists, a list being counted only once it is whole.
class SmsAnswerReader {
public:
    struct Events {
        bool connected = false; // "#CON"
        bool closing = false;   // "#DCN"
        QList<SmsResult> results;
    };
    // `awaited` is how many results are still expected: an answer of the vendor's bare form,
    // which ends with no line break, is whole once it holds that many.
    Events feed(const QByteArray& bytes, int awaited = 0);
    bool pending() const { return !m_buffer.trimmed().isEmpty(); }

    // The results of one whole list ("…223 00 010…223 11 010…").
    static QList<SmsResult> parseList(const QString& text);

private:
    QByteArray m_buffer;
};

} // namespace teran
