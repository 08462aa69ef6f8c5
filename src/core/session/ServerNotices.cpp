#include "ServerNotices.h"

#include "core/session/Session.h"

namespace teran {

namespace {

// A notice's box style number: its icon part (16 critical, 32 question, 48 warning, 64 information).
DialogIcon iconOfStyle(int style) {
    switch (style & 0x70) {
    case 16:
        return DialogIcon::Critical;
    case 32:
        return DialogIcon::Question;
    case 48:
        return DialogIcon::Warning;
    case 64:
        return DialogIcon::Information;
    default:
        return DialogIcon::None;
    }
}

QString joined(const QList<int>& numbers) {
    QStringList parts;
    for (int n : numbers)
        parts << QString::number(n);
    return parts.join(QLatin1Char(','));
}

} // namespace

ServerNotices::ServerNotices(Session& session)
    : m_session(session) {}

QList<int> ServerNotices::parseList(const QString& list) {
    QList<int> numbers;
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (ok && !numbers.contains(n))
            numbers << n;
    }
    return numbers;
}

QString ServerNotices::noticeText(const QString& content) {
    return content + QStringLiteral("\r\n\r\n") +
           QStringLiteral(" 다음실행시 다시 보고싶으시면 '예' 버튼을 선택하세요.");
}

void ServerNotices::showUnread(const QString& officeId, const QString& unreadList) {
    const QList<int> unread = parseList(unreadList);
    if (unread.isEmpty())
        return;
    try {
        SqlStore& server = m_session.serverStore();
        QVariantList values;
        for (int n : unread)
            values << n;
        QSqlQuery notices =
            server.query(QStringLiteral("SELECT table_idx, content, Type, title FROM mem_msg "
                                        "WHERE enable='0' AND table_idx IN (%1) ORDER BY table_idx")
                             .arg(SqlStore::placeholders(values.size())),
                         values);
        QList<int> read;
        while (notices.next()) {
            // The answer decides whether the notice comes again, so the box always asks Yes/No.
            const DialogAnswer answer = m_session.dialogs().message(
                noticeText(notices.value(1).toString()), notices.value(3).toString(),
                iconOfStyle(notices.value(2).toInt()), DialogButtons::YesNo);
            if (answer != DialogAnswer::Yes)
                read << notices.value(0).toInt();
        }
        notices.finish();
        if (read.isEmpty())
            return;
        QList<int> remaining = unread;
        for (int n : read)
            remaining.removeAll(n);
        const QString reader = m_session.state().LoginId;
        server.transact([&] {
            server.execute(
                QStringLiteral("UPDATE %1 SET admin_msg=? WHERE memID=?").arg(m_session.ownMemberTable()),
                {joined(remaining), officeId});
            for (int n : read)
                server.execute(QStringLiteral("INSERT INTO mem_history(id, content, writeday) VALUES(?,?,%1)")
                                   .arg(server.nowSql()),
                               {reader, QStringLiteral("mem_msg(%1)번을 %2가 읽음.").arg(n).arg(reader)});
        });
    } catch (const StoreError& error) {
        m_session.logError(QStringLiteral("로그인 => "), error);
    }
}

} // namespace teran
