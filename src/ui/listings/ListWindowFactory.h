#pragma once

#include "ListWindow.h"

#include <functional>
#include <memory>

namespace teran {

class Session;

// Makes the list window of a kind for the frame window: the own list (frmList, also for the
// group view), the shared list (frmListie) or the club list. nullptr for a kind whose window
// the program does not have.
std::unique_ptr<ListWindow> makeListWindow(ListKind kind, Session& session, QWidget* parent);

// How the frame window gets its list windows; tests hand in windows of their own.
using ListWindowFactory = std::function<std::unique_ptr<ListWindow>(ListKind, Session&, QWidget*)>;

} // namespace teran
