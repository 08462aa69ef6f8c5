#include "ListingActionRunner.h"

#include "core/session/Session.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QScopedValueRollback>

namespace teran {

ListingActionRunner::ListingActionRunner(Session& session, ActiveWindow active, StatusSink status,
                                         QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_active(std::move(active))
    , m_status(std::move(status)) {}

QList<ListingPick> ListingActionRunner::picksFrom(ListWindow* window, Source source) const {
    if (!window || source == Source::None)
        return {};
    const bool serverRows = isServerList(window->kind());
    if (serverRows != (source == Source::ServerList))
        return {};
    return window->tickedPicks();
}

ActionOutcome ListingActionRunner::run(Source source, const Work& work) {
    if (!m_clickEnabled)
        return {};
    const QScopedValueRollback<bool> busy(m_clickEnabled, false);
    // The window may be closed while a box of the action is open.
    const QPointer<ListWindow> window = m_active ? m_active() : nullptr;
    ListingActions actions(m_session);
    // A batch shows its progress in a box with a cancel button once it takes a moment; between
    // rows the window paints and the button is heard. A cancelled batch stops before the next row.
    QProgressDialog box(QString(), QStringLiteral("취소"), 0, 0, window.data());
    box.setObjectName(QStringLiteral("dlgActionProgress"));
    box.setWindowTitle(QStringLiteral("작업 중"));
    box.setWindowModality(Qt::WindowModal);
    box.setMinimumDuration(800);
    box.setAutoReset(false);
    box.setAutoClose(false);
    box.reset();
    actions.setProgress([this, &box](const QString& text) {
        if (m_status)
            m_status(text);
        if (text.isEmpty()) {
            box.reset();
            return;
        }
        box.setLabelText(text);
        box.setValue(0);
        QCoreApplication::processEvents();
    });
    actions.setCancelled([&box] {
        QCoreApplication::processEvents();
        return box.wasCanceled();
    });
    const ActionOutcome outcome = work(actions, picksFrom(window, source));
    if (outcome.ran && window)
        window->refresh();
    if (m_status)
        m_status(QString());
    return outcome;
}

ActionOutcome ListingActionRunner::publish(PublicationState target) {
    return run(Source::OwnList, [target](ListingActions& a, const QList<ListingPick>& picks) {
        return a.publish(picks, target);
    });
}

ActionOutcome ListingActionRunner::unpublish(UnpublishScope scope) {
    return run(Source::OwnList, [scope](ListingActions& a, const QList<ListingPick>& picks) {
        return a.unpublish(picks, scope);
    });
}

ActionOutcome ListingActionRunner::refreshSelected() {
    return run(Source::OwnList,
               [](ListingActions& a, const QList<ListingPick>& picks) { return a.refreshSelected(picks); });
}

ActionOutcome ListingActionRunner::refreshAll() {
    return run(Source::None, [](ListingActions& a, const QList<ListingPick>&) { return a.refreshAll(); });
}

ActionOutcome ListingActionRunner::reconcile() {
    return run(Source::None, [](ListingActions& a, const QList<ListingPick>&) { return a.reconcile(); });
}

ActionOutcome ListingActionRunner::archive() {
    return run(Source::OwnList,
               [](ListingActions& a, const QList<ListingPick>& picks) { return a.archive(picks); });
}

ActionOutcome ListingActionRunner::restore() {
    return run(Source::OwnList,
               [](ListingActions& a, const QList<ListingPick>& picks) { return a.restore(picks); });
}

ActionOutcome ListingActionRunner::remove() {
    return run(Source::OwnList,
               [](ListingActions& a, const QList<ListingPick>& picks) { return a.remove(picks); });
}

QStringList ListingActionRunner::ownerNumbers() {
    QStringList numbers;
    run(Source::OwnList, [&numbers](ListingActions& a, const QList<ListingPick>& picks) {
        numbers = a.ownerNumbers(picks);
        return ActionOutcome{};
    });
    return numbers;
}

QStringList ListingActionRunner::agentNumbers() {
    QStringList numbers;
    run(Source::ServerList, [&numbers](ListingActions& a, const QList<ListingPick>& picks) {
        numbers = a.agentNumbers(picks);
        return ActionOutcome{};
    });
    return numbers;
}

} // namespace teran
