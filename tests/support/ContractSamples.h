#pragma once

#include "core/contracts/Contract.h"
#include "core/session/SessionState.h"

#include <QStringList>

namespace teran::test {

// The office details of the login (AuthConfig) the contract tests print with.
OfficeDetails sampleOffice();

// A contract of the kind with every column the kind uses filled, distinct values in each, as
// an office would type them (Hangul, apostrophes, a full resident number).
Contract sampleContract(ContractKind kind);

} // namespace teran::test
