#pragma once

class QDialog;
class QWidget;

namespace teran {

class Outlets;

// A window opened from another, unless the outlets take it: a dialog runs modally and is
// deleted afterwards, another window is shown and deletes itself when closed. True when shown.
bool showOpenedWindow(Outlets& outlets, QWidget* window);
// A dialog the caller made on its stack, with a parent, and reads after: run modally unless the
// outlets take it (then whoever took it has done with it when this returns).
void runOpenedDialog(Outlets& outlets, QDialog& dialog);

} // namespace teran
