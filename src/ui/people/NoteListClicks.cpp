#include "NoteListClicks.h"

#include <QMouseEvent>
#include <QTreeWidget>

namespace teran {

namespace {

// Watches the list's viewport, where the mouse events of its rows arrive; it goes with it.
class OffItemsFilter : public QObject {
public:
    OffItemsFilter(QTreeWidget* list, std::function<void()> action)
        : QObject(list->viewport())
        , m_list(list)
        , m_action(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick ||
            m_list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return QObject::eventFilter(watched, event);
        m_action();
        return true;
    }

private:
    QTreeWidget* m_list;
    std::function<void()> m_action;
};

} // namespace

void onDoubleClickOffItems(QTreeWidget* list, std::function<void()> action) {
    list->viewport()->installEventFilter(new OffItemsFilter(list, std::move(action)));
}

} // namespace teran
