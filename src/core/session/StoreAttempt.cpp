#include "StoreAttempt.h"

#include "core/session/Session.h"

namespace teran {

void logStoreFailure(const Session& session, const QString& label, const StoreError& error) {
    session.logError(label, error);
}

void showStoreFailure(Session& session, const StoreFailure& failure, StoreKind kind) {
    session.showStoreError(failure.error(), kind);
}

} // namespace teran
