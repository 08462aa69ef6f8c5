#include "SmsAccount.h"

namespace teran {

SmsAccount SmsAccount::demo() {
    return {QStringLiteral("qarot"), QStringLiteral("vemsil")};
}

} // namespace teran
