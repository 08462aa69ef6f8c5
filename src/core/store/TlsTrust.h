#pragma once

#include <QList>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>

#include "core/store/StoreUrl.h"

namespace teran {

// What the program trusts when it talks to the vendor's servers (database, pictures, SMS): the
// certificate authority named in teran.ini ([server] Ca), or the system's authorities when none
// is named. Every connection to them is encrypted and the server's certificate and name are
// verified; nothing falls back to clear text. The Korean reasons for a refused server live here
// so that the database, the picture server and the gateway tell the user the same thing.
class TlsTrust {
public:
    explicit TlsTrust(QString caFile = {});

    // A MariaDB address trusts the authority of teran.ini ([server] Ca) unless it names its own
    // ("?ca=" after the database).
    static StoreUrl trusting(StoreUrl url, const QString& caFile);

    // The CA file as configured (empty: the system's authorities).
    const QString& caFile() const { return m_caFile; }
    // Empty when the CA file reads; otherwise why it does not (Korean).
    QString problem() const;
    // A client configuration that verifies the peer against the trusted authorities.
    QSslConfiguration clientConfiguration() const;

    // Why a server was refused, from the errors of its TLS handshake: an expired certificate
    // names its last day, another name names the certificate's, an unknown authority says where
    // the CA is configured.
    static QString refusalText(const QList<QSslError>& errors, const QString& server);
    static QString noTlsText(const QString& server);
    // Whether a refusal text is one of these (the login tells a refused server from a dead one).
    static bool isRefusal(const QString& text);
    // The refusal inside a longer text (a log line that carries it), from its start; empty when
    // the text holds none.
    static QString refusalIn(const QString& text);

private:
    QString m_caFile;
};

} // namespace teran
