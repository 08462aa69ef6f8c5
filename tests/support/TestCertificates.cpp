#include "TestCertificates.h"

#include <QDir>
#include <QProcess>

namespace teran::test {

TestCertificate makeTestCertificate(const QString& folder, const QString& name, const QStringList& hosts,
                                    bool expired) {
    QStringList arguments{QStringLiteral(TERAN_SCRIPTS_DIR "/make-certs.sh"), folder, QStringLiteral("--out"),
                          name};
    for (const QString& host : hosts)
        arguments << QStringLiteral("--host") << host;
    if (expired)
        arguments << QStringLiteral("--expired");
    QProcess openssl;
    openssl.start(QStringLiteral("bash"), arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return {};
    const QDir dir(folder);
    return {dir.filePath(name + QStringLiteral(".pem")), dir.filePath(name + QStringLiteral(".key")),
            dir.filePath(QStringLiteral("ca.pem"))};
}

QString servicesCaFile() {
    return qEnvironmentVariable("TERAN_TEST_CA");
}

} // namespace teran::test
