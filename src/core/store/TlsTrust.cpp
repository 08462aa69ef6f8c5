#include "TlsTrust.h"

#include <QFile>
#include <QSslCertificate>
#include <utility>

namespace teran {

namespace {

const QString kRefusedMark = QStringLiteral("암호화 연결을 거부했습니다");

QList<QSslCertificate> authoritiesIn(const QString& file) {
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    return QSslCertificate::fromData(source.readAll(), QSsl::Pem);
}

QString refused(const QString& server, const QString& why) {
    return QStringLiteral("%1(%2): %3").arg(kRefusedMark, server, why);
}

QString day(const QDateTime& when) {
    return when.toLocalTime().toString(QStringLiteral("yyyy년 M월 d일"));
}

} // namespace

TlsTrust::TlsTrust(QString caFile)
    : m_caFile(std::move(caFile)) {}

StoreUrl TlsTrust::trusting(StoreUrl url, const QString& caFile) {
    if (url.backend == SqlBackend::MariaDb && url.caFile.isEmpty())
        url.caFile = caFile;
    return url;
}

QString TlsTrust::problem() const {
    if (m_caFile.isEmpty())
        return {};
    if (!QFile::exists(m_caFile))
        return QStringLiteral("서버 인증기관 파일이 없습니다: %1 (teran.ini [server] Ca)").arg(m_caFile);
    if (authoritiesIn(m_caFile).isEmpty())
        return QStringLiteral("서버 인증기관 파일에서 인증서를 읽을 수 없습니다: %1 (teran.ini [server] Ca)")
            .arg(m_caFile);
    return {};
}

QSslConfiguration TlsTrust::clientConfiguration() const {
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    config.setProtocol(QSsl::TlsV1_2OrLater);
    if (!m_caFile.isEmpty())
        config.setCaCertificates(authoritiesIn(m_caFile));
    return config;
}

QString TlsTrust::refusalText(const QList<QSslError>& errors, const QString& server) {
    for (const QSslError& error : errors) {
        const QSslCertificate cert = error.certificate();
        switch (error.error()) {
        case QSslError::CertificateExpired:
            return refused(server, QStringLiteral("서버 인증서의 유효기간이 %1에 끝났습니다. 업체에 인증서 "
                                                  "갱신을 요청하세요.")
                                       .arg(day(cert.expiryDate())));
        case QSslError::CertificateNotYetValid:
            return refused(server, QStringLiteral("서버 인증서는 %1부터 유효합니다. 이 컴퓨터의 날짜와 "
                                                  "시간을 확인하세요.")
                                       .arg(day(cert.effectiveDate())));
        case QSslError::HostNameMismatch: {
            const QStringList names = cert.subjectInfo(QSslCertificate::CommonName);
            return refused(server, QStringLiteral("서버 인증서가 다른 이름(%1)으로 발급되었습니다.")
                                       .arg(names.join(QStringLiteral(", "))));
        }
        default:
            break;
        }
    }
    if (errors.isEmpty())
        return refused(server, QStringLiteral("서버와 암호화 연결을 맺지 못했습니다."));
    return refused(server,
                   QStringLiteral("서버 인증서를 발급한 기관을 확인할 수 없습니다 (teran.ini [server] "
                                  "Ca의 인증기관 파일을 확인하세요). %1")
                       .arg(errors.first().errorString()));
}

QString TlsTrust::noTlsText(const QString& server) {
    return refused(server, QStringLiteral("서버가 암호화 연결(TLS)을 지원하지 않아 접속하지 않았습니다."));
}

bool TlsTrust::isRefusal(const QString& text) {
    return text.contains(kRefusedMark);
}

QString TlsTrust::refusalIn(const QString& text) {
    const qsizetype at = text.indexOf(kRefusedMark);
    return at < 0 ? QString() : text.mid(at);
}

} // namespace teran
