#pragma once

#include <QList>
#include <QString>

namespace teran {

class Session;

// The vendor's notices to an office: numbers listed in the office row's `admin_msg` name rows
// of `mem_msg`. Each is shown at login; one answered No is not shown again.
class ServerNotices {
public:
    explicit ServerNotices(Session& session);

    // Shows the unread notices of the list; rewrites the list without those answered No and
    // records each read one in `mem_history`. Failures are logged; the login goes on.
    void showUnread(const QString& officeId, const QString& unreadList);

    static QList<int> parseList(const QString& list); // "3, 7,x,9" -> 3, 7, 9
    static QString noticeText(const QString& content);

private:
    Session& m_session;
};

} // namespace teran
