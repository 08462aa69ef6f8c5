#pragma once

#include "ListWindow.h"
#include "core/listings/ListingActions.h"

#include <QObject>
#include <functional>

namespace teran {

class Session;

// Runs the frame window's actions on the listings ticked in the active list window: hands the
// ticked rows to ListingActions with the session's dialogs, shows its progress in the status
// bar, refreshes the list when rows were worked on and clears the status text at the end.
//
// `ClickEnabled` guards against re-entry: the boxes an action shows keep the event loop
// running, and a second menu click meanwhile does nothing.
class ListingActionRunner : public QObject {
    Q_OBJECT
public:
    using ActiveWindow = std::function<ListWindow*()>;
    using StatusSink = std::function<void(const QString&)>;

    ListingActionRunner(Session& session, ActiveWindow active, StatusSink status, QObject* parent = nullptr);

    // Where pictures go; without one the configured picture server is used.

    bool ClickEnabled() const { return m_clickEnabled; }

    // Each returns what ListingActions did; nothing (ran == false) while another action runs.
    ActionOutcome publish(PublicationState target);
    ActionOutcome unpublish(UnpublishScope scope);
    ActionOutcome refreshSelected();
    ActionOutcome refreshAll();
    ActionOutcome reconcile();
    ActionOutcome archive();
    ActionOutcome restore();
    ActionOutcome remove();

    // The mobile numbers of the owners of the ticked own listings, and of the agents of the
    // ticked shared or club listings, after the user agreed to send them a message.
    QStringList ownerNumbers();
    QStringList agentNumbers();

private:
    // Which list window's ticks an action takes: own listing numbers and server row numbers
    // mean different rows, so an action never takes ticks from the other kind of list.
    enum class Source { OwnList, ServerList, None };
    using Work = std::function<ActionOutcome(ListingActions&, const QList<ListingPick>&)>;

    ActionOutcome run(Source source, const Work& work);
    QList<ListingPick> picksFrom(ListWindow* window, Source source) const;

    Session& m_session;
    ActiveWindow m_active;
    StatusSink m_status;
    bool m_clickEnabled = true;
};

} // namespace teran
