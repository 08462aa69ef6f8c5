#pragma once

#include <QString>
#include <functional>

class QBoxLayout;
class QDialog;

namespace teran {

// The foot of a settings window: 저장 (cmdSave) runs `save`, the window's own buttons follow it
// (`more` adds them to the row it is given), and 닫기 (cmdClose) closes the window unsaved.
void addSaveCloseRow(QBoxLayout* layout, QDialog* window, const std::function<void()>& save,
                     const std::function<void(QBoxLayout* row)>& more = {});

} // namespace teran
