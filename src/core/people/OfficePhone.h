#pragma once

#include <QString>

namespace teran {

class Session;

// The number the office is called back on: its account's `homtel` (OfficeDetails::phone), which
// the inquiry form and the SMS window fill in. An account made without one would have the number
// typed at every answer and every message, so the first number typed where it was missing is
// kept on the account's row (on the server, and in the office's mirror of it) and filled in from
// then on. Returns true when it was kept; a number already there is never replaced this way.
bool keepOfficePhone(Session& session, const QString& typed);

} // namespace teran
