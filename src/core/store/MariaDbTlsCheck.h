#pragma once

#include "core/store/TlsTrust.h"

#include <QString>

namespace teran {

// Qt's MariaDB driver hands the authority file to the client library, which then checks the
// chain of the server's certificate and its dates but not the name the certificate was issued
// for, and whose failures say nothing a user could act on. Before the driver connects, the store
// makes the protocol's own TLS start itself (the server's greeting, the client's request for TLS,
// the handshake) with Qt's verification, which checks the chain, the dates and the name, and
// tells why a server is refused. Only then is anything sent that matters: the account, the
// password and every statement go through the driver's own connection, encrypted and verified
// against the same authority.
class MariaDbTlsCheck {
public:
    MariaDbTlsCheck(TlsTrust trust, int timeoutMs);

    enum class Outcome {
        Verified,   // TLS with a certificate that verifies for the host
        Refused,    // no TLS, or a certificate that does not verify: `text` says why (Korean)
        Unreachable // no answer in time: `text` reads as the driver's own "Can't connect"
    };
    struct Result {
        Outcome outcome = Outcome::Verified;
        QString text;
    };

    // A server that answers with an error packet instead of a greeting (too many connections, a
    // blocked host) counts as verified here: the driver then reports what the server said.
    Result check(const QString& host, quint16 port) const;

private:
    TlsTrust m_trust;
    int m_timeoutMs;
};

} // namespace teran
