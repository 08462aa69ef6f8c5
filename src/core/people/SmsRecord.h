#pragma once

#include "core/session/SmsAccount.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace teran {

inline constexpr int kSmsRecordBytes = 150;
inline constexpr int kSmsTextBytes = 80;
// What one delivered message costs the office, in won.
inline constexpr qint64 kSmsPriceWon = 30;

// The length of a text in CP949 bytes: 2 for every character outside ASCII, 1 for the rest.
int smsByteLength(const QString& text);
// The longest start of the text that fits `width` bytes without splitting a double-byte
// character.
QString cutToBytes(const QString& text, int width);

// One message as a fixed-width record: type "01", service "0144", the account, receiver and
// callback (digits), blanks for the reservation, the text padded with blanks to 80 bytes, all
// in CP949. Nullopt with the reason when the text holds a character CP949 cannot carry.
// Why a text cannot travel (a character CP949 cannot carry, such as an emoji); nullopt when it can.
std::optional<QString> smsTextProblem(const QString& text);

struct SmsRecordBuild {
    std::optional<QByteArray> record;
    QString error;
};
SmsRecordBuild smsRecord(const SmsAccount& account, const QString& receiver, const QString& callback,
                         const QString& text);

// A record read back, as the gateway reads what the program sent.
struct SmsRecordFields {
    QString type, service, user, password, receiver, callback, text;
};
// Nullopt for a record of another length or with bytes that are no CP949 text.
std::optional<SmsRecordFields> parseSmsRecord(const QByteArray& record);

// The padded bytes of a text: exactly `width` bytes, the last double-byte character that
// would straddle the edge replaced by a blank (PadToBytes).
QByteArray padToBytes(const QString& text, int width);

// A mobile number as the gateway delivers to: 10 or 11 digits starting with "01".
bool isMobileNumber(const QString& digits);
// The number with every "-" and blank removed.
QString digitsOfNumber(const QString& number);

} // namespace teran
