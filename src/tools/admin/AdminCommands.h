#pragma once

#include <QStringList>

namespace teran::admin {

// Runs one command of the administration tool; returns the process exit code.
int run(const QStringList& arguments);

} // namespace teran::admin
