#pragma once

#include "ListColumnSets.h"

#include <QString>
#include <QStringList>

namespace teran {

// The short text the confirmations name a ticked row by: the type, then the complex or
// business name, or the address (town, lot, unit) when the row shows no name. `tb` is the type
// of a one-type list, for the lists that have no 종목 column. Falls back to "매물 N".
QString pickLabel(const ListColumnSet& columns, const QStringList& cells, const QString& tb, int number);

} // namespace teran
