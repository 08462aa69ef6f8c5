#pragma once

#include <QString>

namespace teran {

// A resident registration number (주민등록번호) as the office keeps it: the two parts joined
// without a separator, 6 and 7 characters.

// "880101-1******": the birth date and the first digit of the second part, the rest hidden.
// Anything shorter shows what there is of the first part and hides the rest; an empty number
// stays empty.
QString maskedResidentNumber(const QString& joined);

// "880101 - 1234567", as the contract itself prints it (the one place a number shows in full).
QString spelledResidentNumber(const QString& joined);

// The old check digit rule. Numbers issued since October 2020 and many foreigners' numbers do
// not follow it, so a failure only warns.
bool residentNumberChecksumHolds(const QString& joined);

// The two parts joined, each trimmed; the parts as the boxes show them.
QString joinResidentNumber(const QString& first, const QString& second);
QString residentNumberFirst(const QString& joined);
QString residentNumberSecond(const QString& joined);

} // namespace teran
