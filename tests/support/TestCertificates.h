#pragma once

#include <QString>
#include <QStringList>

namespace teran::test {

// Certificates for a test's own TLS servers, made by scripts/make-certs.sh as the loopback
// servers' are: an authority in `folder` (ca.pem) and server certificates signed by it.
struct TestCertificate {
    QString certFile;
    QString keyFile;
    QString caFile;
};

// A certificate named `name` for `hosts` (default localhost and 127.0.0.1), expired when asked.
// Empty files when openssl fails (the test then fails on them).
TestCertificate makeTestCertificate(const QString& folder, const QString& name = QStringLiteral("server"),
                                    const QStringList& hosts = {}, bool expired = false);

// The authority the loopback servers of scripts/services.sh use, from services.env (TERAN_TEST_CA).
QString servicesCaFile();

} // namespace teran::test
