#include "OfficePhone.h"

#include "core/people/SmsRecord.h"
#include "core/session/Session.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

namespace teran {

namespace {

// What the SMS gateway takes as a callback: nine digits or more ("02-555-1234").
bool isPhoneNumber(const QString& text) {
    return digitsOfNumber(text).size() >= 9;
}

} // namespace

bool keepOfficePhone(Session& session, const QString& typed) {
    SessionState& state = session.state();
    const QString phone = typed.trimmed();
    if (!state.AuthConfig.phone.trimmed().isEmpty() || !isPhoneNumber(phone) || state.LoginId.isEmpty())
        return false;
    state.AuthConfig.phone = phone;
    try {
        session.listingStore().execute(QStringLiteral("UPDATE members SET homtel=? WHERE memID=?"),
                                       {phone, state.LoginId});
        // Offline, the mirror keeps it for the day; the next login online reads the server's row.
        if (state.OnlineMode == QLatin1String("yes"))
            session.serverStore().execute(
                QStringLiteral("UPDATE %1 SET homtel=? WHERE memID=?").arg(session.ownMemberTable()),
                {phone, state.LoginId});
    } catch (const StoreError& error) {
        session.logError(QStringLiteral("keepOfficePhone => "), error);
    }
    return true;
}

} // namespace teran
