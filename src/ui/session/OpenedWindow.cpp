#include "OpenedWindow.h"

#include "core/session/Outlets.h"

#include <QDialog>

namespace teran {

bool showOpenedWindow(Outlets& outlets, QWidget* window) {
    if (outlets.takeWindow(window))
        return false;
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        dialog->deleteLater();
        return true;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return true;
}

void runOpenedDialog(Outlets& outlets, QDialog& dialog) {
    if (!outlets.takeWindow(&dialog))
        dialog.exec();
}

} // namespace teran
