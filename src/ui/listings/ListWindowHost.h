#pragma once

#include "ListWindowFactory.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QMdiArea;

namespace teran {

class Session;

// The list windows inside the frame: one per kind, made on first use, brought forward and
// maximized afterwards, made again after the user closed it. Their status texts and row clicks
// are passed on.
class ListWindowHost : public QObject {
    Q_OBJECT
public:
    ListWindowHost(Session& session, QMdiArea* area, ListWindowFactory factory, QObject* parent = nullptr);

    // nullptr when the factory has no window of the kind.
    ListWindow* open(ListKind kind);
    ListWindow* window(ListKind kind) const;
    // The list window the user works in: the current sub-window when it is a list window.
    ListWindow* active() const;

Q_SIGNALS:
    void statusText(const QString& text);
    void rowChosen(const teran::RowInfo& info);
    void menuRequested(const QPoint& globalPos);
    void editRequested(int number);

private:
    ListWindow* create(ListKind kind);

    Session& m_session;
    QMdiArea* m_area;
    ListWindowFactory m_factory;
    QHash<int, QPointer<ListWindow>> m_windows;
};

} // namespace teran
