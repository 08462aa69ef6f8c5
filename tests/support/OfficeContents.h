#pragma once

#include <QStringList>

namespace teran {
class SqlStore;
}

namespace teran::test {

// Every row of every office table, as text in a fixed order: two stores hold the same office
// exactly when these agree.
QStringList contentsOf(SqlStore& store);

} // namespace teran::test
