#include "OpenedWindow.h"

#include <QDialog>

namespace teran {

bool showOpenedWindow(QWidget* window, const WindowHook& hook) {
    if (hook) {
        hook(window);
        return false;
    }
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        dialog->deleteLater();
        return true;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return true;
}

} // namespace teran
