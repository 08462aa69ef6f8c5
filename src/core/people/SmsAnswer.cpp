#include "SmsAnswer.h"

#include <QRegularExpression>

namespace teran {

namespace {

const QByteArray kConnected = "#CON";
const QByteArray kClosing = "#DCN";
constexpr int kLongestList = 1 << 20; // a list that never ends is dropped, not kept forever

const QRegularExpression& separatorToken() {
    static const QRegularExpression token(QStringLiteral("(?<!\\S)223(?!\\S)"));
    return token;
}

QList<QString> partsOf(const QString& text) {
    // The gateway's own form: "223" as a token between blanks. The vendor's bare form joins
    // everything and is split on every "223".
    const QRegularExpression& token = separatorToken();
    QList<QString> parts = text.contains(token) ? text.split(token) : text.split(QStringLiteral("223"));
    parts.removeFirst(); // what stands before the first "223" is no result
    return parts;
}

} // namespace

QByteArray smsResultList(const QList<SmsResult>& results) {
    QByteArray out = "RESULT";
    for (const SmsResult& r : results)
        out += " 223 " + r.code.toLatin1() + ' ' + r.number.toLatin1();
    return out + "\r\n";
}

QList<SmsResult> SmsAnswerReader::parseList(const QString& text) {
    QList<SmsResult> results;
    for (const QString& raw : partsOf(text)) {
        const QString part = raw.trimmed();
        if (part.size() < 2)
            continue;
        results.append({part.left(2), part.mid(2).trimmed()});
    }
    return results;
}

SmsAnswerReader::Events SmsAnswerReader::feed(const QByteArray& bytes, int awaited) {
    Events events;
    m_buffer += bytes;
    for (;;) {
        while (!m_buffer.isEmpty() && QChar::isSpace(uchar(m_buffer.front())))
            m_buffer.remove(0, 1);
        if (m_buffer.isEmpty())
            break;
        if (m_buffer.startsWith(kConnected)) {
            events.connected = true;
            m_buffer.remove(0, kConnected.size());
            continue;
        }
        if (m_buffer.startsWith(kClosing)) {
            events.closing = true;
            m_buffer.remove(0, kClosing.size());
            continue;
        }
        if (m_buffer == "0") {
            m_buffer.clear();
            break;
        }
        // A piece of "#CON" or "#DCN" waits for the rest.
        if (kConnected.startsWith(m_buffer) || kClosing.startsWith(m_buffer))
            break;
        const qsizetype end = m_buffer.indexOf('\n');
        if (end >= 0) {
            events.results += parseList(QString::fromLatin1(m_buffer.left(end)));
            m_buffer.remove(0, end + 1);
            continue;
        }
        // No line break yet: the bare form is whole once it names every awaited message with
        // a number of a mobile's length; anything else waits for more.
        // The gateway's own form always ends with one.
        const QString text = QString::fromLatin1(m_buffer);
        const QList<SmsResult> sofar = text.contains(separatorToken()) ? QList<SmsResult>() : parseList(text);
        const int stillAwaited = awaited - int(events.results.size());
        if (stillAwaited > 0 && !sofar.isEmpty() && sofar.size() >= stillAwaited &&
            sofar.last().number.size() >= 10) {
            events.results += sofar;
            m_buffer.clear();
        } else if (m_buffer.size() > kLongestList) {
            m_buffer.clear();
        }
        break;
    }
    return events;
}

} // namespace teran
