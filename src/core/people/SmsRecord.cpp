#include "SmsRecord.h"

#include "Cp949.h"

namespace teran {

namespace {

// An ASCII field, cut or padded with blanks to its width.
QByteArray field(const QString& value, int width) {
    QByteArray bytes = value.toLatin1().left(width);
    bytes.append(QByteArray(width - bytes.size(), ' '));
    return bytes;
}

int charBytes(QChar c) {
    return c.unicode() < 0x80 ? 1 : 2;
}

} // namespace

int smsByteLength(const QString& text) {
    int bytes = 0;
    for (const QChar c : text)
        bytes += charBytes(c);
    return bytes;
}

QString cutToBytes(const QString& text, int width) {
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes += charBytes(text.at(i));
        if (bytes > width)
            return text.left(i);
    }
    return text;
}

QByteArray padToBytes(const QString& text, int width) {
    const QString kept = cutToBytes(text, width);
    QByteArray bytes = toCp949(kept).value_or(QByteArray());
    bytes.append(QByteArray(width - bytes.size(), ' '));
    return bytes.left(width);
}

std::optional<QString> smsTextProblem(const QString& text) {
    if (const std::optional<QString> bad = firstUnencodable(text))
        return QStringLiteral("문자 \"%1\" 은(는) 문자메세지로 보낼 수 없습니다.").arg(*bad);
    return std::nullopt;
}

SmsRecordBuild smsRecord(const SmsAccount& account, const QString& receiver, const QString& callback,
                         const QString& text) {
    if (const std::optional<QString> bad = smsTextProblem(text))
        return {std::nullopt, *bad};
    QByteArray record = field(QStringLiteral("01"), 2) + field(QStringLiteral("0144"), 4) +
                        field(account.user, 10) + field(account.password, 10) +
                        field(digitsOfNumber(receiver), 11) + field(digitsOfNumber(callback), 11) +
                        field({}, 10) + field({}, 8) + field({}, 4) + padToBytes(text, kSmsTextBytes);
    return {record, {}};
}

std::optional<SmsRecordFields> parseSmsRecord(const QByteArray& record) {
    if (record.size() != kSmsRecordBytes)
        return std::nullopt;
    const QByteArray header = record.left(kSmsRecordBytes - kSmsTextBytes);
    for (const char c : header)
        if (uchar(c) >= 0x80 || uchar(c) < 0x20)
            return std::nullopt;
    const std::optional<QString> text = fromCp949(record.right(kSmsTextBytes));
    if (!text)
        return std::nullopt;
    const auto at = [&header](int from, int width) {
        return QString::fromLatin1(header.mid(from, width)).trimmed();
    };
    QString body = *text;
    while (body.endsWith(QLatin1Char(' ')))
        body.chop(1);
    return SmsRecordFields{at(0, 2), at(2, 4), at(6, 10), at(16, 10), at(26, 11), at(37, 11), body};
}

bool isMobileNumber(const QString& digits) {
    if (digits.size() < 10 || digits.size() > 11 || !digits.startsWith(QLatin1String("01")))
        return false;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString digitsOfNumber(const QString& number) {
    QString out;
    for (const QChar c : number)
        if (c != QLatin1Char('-') && !c.isSpace())
            out += c;
    return out;
}

} // namespace teran
