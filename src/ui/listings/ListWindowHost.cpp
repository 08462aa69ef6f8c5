#include "ListWindowHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace teran {

ListWindowHost::ListWindowHost(Session& session, QMdiArea* area, ListWindowFactory factory, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_area(area)
    , m_factory(std::move(factory)) {}

ListWindow* ListWindowHost::window(ListKind kind) const {
    return m_windows.value(int(kind)).data();
}

ListWindow* ListWindowHost::active() const {
    const QMdiSubWindow* sub = m_area->currentSubWindow();
    return sub ? qobject_cast<ListWindow*>(sub->widget()) : nullptr;
}

ListWindow* ListWindowHost::open(ListKind kind) {
    ListWindow* shown = window(kind);
    if (!shown)
        shown = create(kind);
    if (!shown)
        return nullptr;
    auto* sub = qobject_cast<QMdiSubWindow*>(shown->parentWidget());
    if (sub) {
        m_area->setActiveSubWindow(sub);
        sub->showMaximized();
    }
    return shown;
}

ListWindow* ListWindowHost::create(ListKind kind) {
    std::unique_ptr<ListWindow> made = m_factory ? m_factory(kind, m_session, m_area) : nullptr;
    if (!made)
        return nullptr;
    ListWindow* list = made.release();
    connect(list, &ListWindow::statusText, this, &ListWindowHost::statusText);
    connect(list, &ListWindow::rowChosen, this, &ListWindowHost::rowChosen);
    connect(list, &ListWindow::menuRequested, this, &ListWindowHost::menuRequested);
    connect(list, &ListWindow::editRequested, this, &ListWindowHost::editRequested);
    QMdiSubWindow* sub = m_area->addSubWindow(list);
    // Closing the window deletes it; the next open makes a new one.
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_windows.insert(int(kind), list);
    return list;
}

} // namespace teran
