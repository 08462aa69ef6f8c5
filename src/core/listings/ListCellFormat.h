#pragma once

#include "ListColumnSets.h"

#include <QHash>
#include <QString>
#include <QVariant>

namespace teran {

// The member in charge of a server listing, as the shared and club lists show him.
struct OfficeContact {
    QString phones; // homtel " / " hantel
    QString name;   // showname
};

// What a cell may need besides its row: who is looking (for the owner's phones of reserved
// listings) and the members in charge of the page's server rows, by member id.
struct CellContext {
    QString loginId;
    const QHash<QString, OfficeContact>* offices = nullptr;
};

// The raw values of one row by column name, as listingValueFromStore gives them.
using RawValues = QHash<QString, QVariant>;

// "#,##0" of a whole amount, any 64-bit value ("-1,234", "9,223,372,036,854,775,807").
QString formatAmount(qint64 value);
// "#,##0" of a stored amount; empty text for null.
QString formatAmount(const QVariant& value);
// "#0.#0": two decimals ("5.25", "0.50"); empty text for null.
QString formatYield(const QVariant& value);
// A whole or decimal number without trailing zeros ("33", "25.7"); other values as text.
QString plainNumber(const QVariant& value);

// The text of one cell of a column.
QString formatCell(const ListColumn& column, const RawValues& row, const CellContext& context);

} // namespace teran
