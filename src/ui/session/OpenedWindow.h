#pragma once

#include <functional>

class QWidget;

namespace teran {

// A window opened from another: tests take it through a hook instead of the user (it is then
// not shown, and the hook owns it).
using WindowHook = std::function<void(QWidget* window)>;

// Hands the window to the hook when there is one; else runs a dialog modally (and deletes it
// afterwards), or shows a window that deletes itself when closed. True when it was shown.
bool showOpenedWindow(QWidget* window, const WindowHook& hook);

} // namespace teran
