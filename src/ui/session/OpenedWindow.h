#pragma once

#include <QPointer>
#include <QWidget>

class QDialog;

namespace teran {

class Outlets;

// A window opened from another, unless the outlets take it: a dialog runs modally and is
// deleted afterwards, another window is shown and deletes itself when closed. True when shown.
bool showOpenedWindow(Outlets& outlets, QWidget* window);
// A dialog the caller made on its stack, with a parent, and reads after: run modally unless the
// outlets take it (then whoever took it has done with it when this returns).
void runOpenedDialog(Outlets& outlets, QDialog& dialog);

// A window the frame keeps one of: made by `make` the first time (it deletes itself when
// closed, which empties `kept`), then shown, raised and activated each time it is asked for.
template <typename Window, typename Make> Window* openOnce(QPointer<Window>& kept, Make make) {
    if (!kept) {
        kept = make();
        kept->setAttribute(Qt::WA_DeleteOnClose);
    }
    kept->show();
    kept->raise();
    kept->activateWindow();
    return kept;
}

} // namespace teran
