#pragma once

#include <QString>
#include <QVariant>

namespace teran {

// How the program writes numbers, in every list, form and printout.

// "#,##0" of a whole amount, any 64-bit value ("-1,234", "9,223,372,036,854,775,807").
QString formatAmount(qint64 value);
// "#,##0" of a stored amount; empty text for null.
QString formatAmount(const QVariant& value);
// "#0.#0": two decimals ("5.25", "0.50"); empty text for null.
QString formatYield(const QVariant& value);
// A whole or decimal number without trailing zeros ("33", "25.7"); other values as text.
QString plainNumber(const QVariant& value);

} // namespace teran
