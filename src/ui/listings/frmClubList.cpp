#include "frmClubList.h"

#include "core/people/Clubs.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"

namespace teran {

frmClubList::frmClubList(Session& session, QWidget* parent)
    : frmListie(session, parent) {
    setObjectName(QStringLiteral("frmClubList"));
    setWindowTitle(titleText());
}

QString frmClubList::titleText() {
    return QStringLiteral("테란 [클럽매물] - 실행중");
}

void frmClubList::adjustRequest(ListRequest& request) const {
    // A failure leaves the list empty; the store has written it to the day's log.
    QStringList ids;
    if (attemptStore(session(), QStringLiteral("MysqlQueryMul => "),
                     [&] { ids = Clubs(session()).readableMemberIds(request.filter.tb, m_club); }))
        request.clubIds = ids;
}

} // namespace teran
