#pragma once

#include "ListColumnSets.h"
#include "core/session/NumberText.h"

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

// The text of one cell of a column.
QString formatCell(const ListColumn& column, const RawValues& row, const CellContext& context);

} // namespace teran
