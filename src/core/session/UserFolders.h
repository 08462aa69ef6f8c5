#pragma once

#include <QString>

namespace teran {

// Where a file the user saves or picks is proposed: the user's documents folder, or the home
// folder when there is none (an account without a documents folder, or one whose folder is gone).
QString userDocumentsFolder();

} // namespace teran
