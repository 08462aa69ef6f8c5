#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace teran {

// The Korean code page the SMS records travel in (CP949, a superset of EUC-KR), through iconv.
// Text that the code page cannot carry (an emoji, most Hanja outside KS X 1001) has no
// encoding: nullopt, never a silent "?".
std::optional<QByteArray> toCp949(const QString& text);
// Bytes that are no CP949 text give nullopt.
std::optional<QString> fromCp949(const QByteArray& bytes);

// The first character of `text` that CP949 cannot carry; nullopt when all of it can.
std::optional<QString> firstUnencodable(const QString& text);

} // namespace teran
