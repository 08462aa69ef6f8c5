#pragma once

#include <QString>

namespace teran {

// The form in which the office database keeps staff passwords for the offline login: a salted,
// slow PBKDF2-SHA256 hash ("pbkdf2-sha256$ITERATIONS$SALT$HASH", base64 parts), never the
// password itself, so that a copy of the office's file gives no one the staff's passwords.
namespace PasswordHash {

QString make(const QString& password);
bool isHash(const QString& stored);
// True when `password` is the one `stored` was made from. A stored value that is not a hash
// (a row of an older program) is compared as it is; the caller then replaces it by a hash.
bool matches(const QString& stored, const QString& password);

} // namespace PasswordHash

} // namespace teran
