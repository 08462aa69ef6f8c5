#pragma once

#include <functional>

class QTreeWidget;

namespace teran {

// Calls `action` when the list is double-clicked where it shows no item (an empty list, or below
// its rows): a note list starts a new note there. A double click on an item stays the list's own.
void onDoubleClickOffItems(QTreeWidget* list, std::function<void()> action);

} // namespace teran
