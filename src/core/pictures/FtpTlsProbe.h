#pragma once

#include <QString>

namespace teran {

class TlsTrust;

// Why an FTP server was refused after libcurl could not set up TLS with it, in the words of
// TlsTrust: the server is asked once more, as libcurl asked it (greeting, "AUTH TLS", the
// handshake with the trusted authorities and the host's name), and what went wrong is named.
// A server that answers "AUTH TLS" with a 5xx reply has no TLS. Nothing but "AUTH TLS" is sent,
// so no account name or password leaves the machine. Each wait is bounded by waitMs.
// Empty when this time everything verified (the first failure was something else).
QString ftpTlsRefusal(const QString& host, int port, const TlsTrust& trust, int waitMs);

} // namespace teran
