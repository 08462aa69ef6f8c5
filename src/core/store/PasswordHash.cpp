#include "PasswordHash.h"

#include <QRandomGenerator>
#include <QStringList>
#include <openssl/evp.h>

namespace teran::PasswordHash {

namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
constexpr int kIterations = 120000;
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;

// PBKDF2-HMAC-SHA256 by OpenSSL's own loop: the same bytes as any PBKDF2, several times faster than
// an HMAC object per round, which is what a login waits for.
QByteArray derive(const QString& password, const QByteArray& salt, int iterations) {
    const QByteArray secret = password.toUtf8();
    QByteArray key(kHashBytes, Qt::Uninitialized);
    const int ok = PKCS5_PBKDF2_HMAC(
        secret.constData(), int(secret.size()), reinterpret_cast<const unsigned char*>(salt.constData()),
        int(salt.size()), iterations, EVP_sha256(), kHashBytes, reinterpret_cast<unsigned char*>(key.data()));
    return ok == 1 ? key : QByteArray();
}

// Compares without stopping at the first difference, so the time says nothing about the hash.
bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

} // namespace

QString make(const QString& password) {
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), kSaltBytes / 4);
    return QStringList{kScheme, QString::number(kIterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, kIterations).toBase64())}
        .join(QLatin1Char('$'));
}

bool isHash(const QString& stored) {
    return stored.startsWith(kScheme + QLatin1Char('$'));
}

bool matches(const QString& stored, const QString& password) {
    if (!isHash(stored))
        return stored == password;
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    if (!ok || iterations < 1 || iterations > 10'000'000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts.at(3).toLatin1());
    return sameBytes(derive(password, salt, iterations), expected);
}

} // namespace teran::PasswordHash
