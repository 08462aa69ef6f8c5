#include "InternetNotice.h"

#include "core/session/Session.h"

namespace teran::InternetNotice {

QString text() {
    return QStringLiteral(
        "현재 인터넷 접속이 불안정합니다.\r\n\r\n인터넷 연결이 문제가 없는지 확인해보세요.");
}

QString title() {
    return QStringLiteral("인터넷연결");
}

bool answersOrTell(Session& session, bool answers) {
    if (!answers)
        session.dialogs().message(text(), title(), DialogIcon::Warning, DialogButtons::Ok);
    return answers;
}

} // namespace teran::InternetNotice
