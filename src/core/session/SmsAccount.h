#pragma once

#include <QString>

namespace teran {

// The account the office sends with; the gateway checks it on every record.
struct SmsAccount {
    QString user;
    QString password;
    // The demo gateway's account, which the vendor's records always carried: the defaults of
    // [sms] in teran.ini.
    static SmsAccount demo();
};

} // namespace teran
