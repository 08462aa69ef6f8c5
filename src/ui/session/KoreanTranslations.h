#pragma once

class QCoreApplication;

namespace teran {

// Loads Qt's own Korean texts (file dialogs, print preview, the buttons of its boxes) and sets
// the Korean locale, so that no English reaches a window. False when Qt's Korean translation is
// not installed (Debian's qt6-translations-l10n); the windows then work all the same.
bool installKoreanTranslations(QCoreApplication& app);

} // namespace teran
