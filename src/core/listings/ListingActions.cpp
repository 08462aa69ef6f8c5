#include "ListingActions.h"
#include "core/publication/PublicationReconciler.h"

#include "ActionTexts.h"
#include "ListingRowWork.h"
#include "core/publication/ServerCopy.h"
#include "core/session/InternetNotice.h"
#include "core/session/Session.h"

#include <QSet>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Labels of the daily log: the window and the menu entry that ran the action.
QString logLabel(const char* entry) {
    return QStringLiteral("frmMain -> ") + QLatin1String(entry) + QStringLiteral(" => ");
}

QString publishEntry(PublicationState target) {
    switch (target) {
    case PublicationState::Clubs:
        return logLabel("clubmaelunin");
    case PublicationState::ClubsAndInternet:
        return logLabel("clubiein");
    default:
        return logLabel("internetin");
    }
}

struct UnpublishKind {
    ListingAction action;
    PublicationState named; // the publication the question names
    const char* entry;
};

UnpublishKind unpublishKind(UnpublishScope scope) {
    switch (scope) {
    case UnpublishScope::Clubs:
        return {ListingAction::UnpublishClubs, PublicationState::Clubs, "clubmaelundel"};
    case UnpublishScope::Internet:
        return {ListingAction::UnpublishInternet, PublicationState::Internet, "internetdel"};
    case UnpublishScope::Both:
        break;
    }
    return {ListingAction::UnpublishBoth, PublicationState::ClubsAndInternet, "clubiedel"};
}

int distinctCount(const QList<ListingPick>& picks) {
    QSet<int> numbers;
    for (const ListingPick& pick : picks)
        numbers.insert(pick.number);
    return int(numbers.size());
}

QList<int> numbersOf(const QList<SelectedListing>& rows) {
    QList<int> numbers;
    for (const SelectedListing& row : rows)
        numbers << row.number;
    return numbers;
}

QVariantList boundNumbers(const QList<int>& numbers) {
    QVariantList values;
    for (int number : numbers)
        values << number;
    return values;
}

QList<int> pickNumbers(const QList<ListingPick>& picks) {
    QList<int> numbers;
    QSet<int> seen;
    for (const ListingPick& pick : picks)
        if (!seen.contains(pick.number)) {
            seen.insert(pick.number);
            numbers << pick.number;
        }
    return numbers;
}

} // namespace

// The rows of one action as they came out.
struct ListingActions::Tally {
    QList<SelectedListing> done;
    QList<SelectedListing> failed;
    QList<SelectedListing> picturesIncomplete;
    QList<SelectedListing> cancelled;
    QList<SelectedListing> queued; // done here; their server copies wait for the server

    void add(const SelectedListing& row, bool picturesComplete) {
        done << row;
        if (!picturesComplete)
            picturesIncomplete << row;
    }
};

ListingActions::ListingActions(Session& session, PictureStoreFactory pictures)
    : m_session(session)
    , m_pictures(pictures ? std::move(pictures) : sessionPictureStores(session)) {}

// --- The frame every action shares -----------------------------------------------------------

// The listing actions of an online session go on while the server is away: their server steps
// wait in the outbox. What works on the whole office at once needs the server now.
bool ListingActions::onlineLogin(ActionOutcome& out) {
    if (m_session.state().isOnline())
        return true;
    show(out, ActionTexts::offlineLogin(), ActionTexts::titleInternet(), DialogIcon::Information);
    return false;
}

bool ListingActions::onlineReady(ActionOutcome& out) {
    if (!onlineLogin(out))
        return false;
    if (!m_session.serverReachable()) {
        show(out, InternetNotice::text(), ActionTexts::titleInternet(), DialogIcon::Warning);
        return false;
    }
    return true;
}

bool ListingActions::hasWork(const QList<ListingPick>& picks, const QList<SelectedListing>& work,
                             ActionOutcome& out, const QString& nothingText) {
    out.skipped = distinctCount(picks) - int(work.size());
    if (!work.isEmpty())
        return true;
    show(out, nothingText, ActionTexts::titleCheck(), DialogIcon::Information);
    return false;
}

bool ListingActions::hasPicks(const QList<ListingPick>& picks, ActionOutcome& out) {
    if (!picks.isEmpty())
        return true;
    show(out, ActionTexts::noSelection(), ActionTexts::titleCheck(), DialogIcon::Information);
    return false;
}

QList<SelectedListing> ListingActions::needing(const QList<SelectedListing>& rows, ListingAction action) {
    QList<SelectedListing> work;
    for (const SelectedListing& row : rows)
        if (row.state && !PublishTransition::of(*row.state, action).skipped())
            work << row;
    return work;
}

void ListingActions::show(ActionOutcome& out, const QString& text, const QString& title, DialogIcon icon) {
    out.message = text;
    out.title = title;
    m_session.dialogs().message(text, title, icon, DialogButtons::Ok);
}

bool ListingActions::confirm(ActionOutcome& out, const QString& text, const QString& title) {
    out.message = text;
    out.title = title;
    out.ran = m_session.dialogs().askYesNo(text, title);
    return out.ran;
}

// A cancelled batch stops between rows: every row is whole in both stores, done or untouched.
bool ListingActions::stopHere(const QList<SelectedListing>& work, int next, Tally& tally) {
    if (!m_cancelled || !m_cancelled())
        return false;
    tally.cancelled = work.mid(next);
    return true;
}

void ListingActions::progress(const QString& text) {
    if (m_progress)
        m_progress(text);
}

// The completion text counts what was done; rows that failed and pictures that stayed behind
// are named below it.
void ListingActions::finish(ActionOutcome& out, const Tally& tally, const QString& doneText,
                            const QString& title, const QString& verb, bool picturesWentUp) {
    progress(QString());
    out.done = int(tally.done.size());
    out.failed = int(tally.failed.size());
    out.picturesIncomplete = int(tally.picturesIncomplete.size());
    out.cancelled = int(tally.cancelled.size());
    out.queued = int(tally.queued.size());
    out.doneNumbers = numbersOf(tally.done);
    out.failedNumbers = numbersOf(tally.failed);
    QString text = doneText;
    if (!tally.failed.isEmpty())
        text += kCrLf + kCrLf +
                ActionTexts::failedNote(verb, int(tally.failed.size()), joinedLabels(tally.failed));
    if (!tally.queued.isEmpty())
        text += kCrLf + kCrLf + ActionTexts::queuedNote(int(tally.queued.size()), joinedLabels(tally.queued));
    if (!tally.cancelled.isEmpty())
        text +=
            kCrLf + kCrLf + ActionTexts::cancelledNote(verb, out.cancelled, joinedLabels(tally.cancelled));
    if (!tally.picturesIncomplete.isEmpty()) {
        const QString labels = joinedLabels(tally.picturesIncomplete);
        text += kCrLf + kCrLf +
                (picturesWentUp ? ActionTexts::picturesNotSentNote(out.picturesIncomplete, labels)
                                : ActionTexts::picturesNotRemovedNote(out.picturesIncomplete, labels));
    }
    const bool clean = tally.failed.isEmpty() && tally.queued.isEmpty() && tally.picturesIncomplete.isEmpty();
    show(out, text, title, clean ? DialogIcon::Information : DialogIcon::Warning);
}

// A store that fails before any row was worked on: the user hears what the store said.
void ListingActions::storeFailed(ActionOutcome& out, const QString& label, const StoreError& error) {
    progress(QString());
    m_session.logError(label, error);
    const StoreErrorText text = describeStoreError(
        error, error.source() == m_session.serverStore().connectionName(), m_session.log().lastFolder());
    show(out, text.text, text.title, DialogIcon::Critical);
}

// --- The batch frame ---------------------------------------------------------------------------

ActionOutcome ListingActions::runBatch(const QList<ListingPick>& picks, const Batch& batch,
                                       ActionOutcome out) {
    if (!hasPicks(picks, out))
        return out;
    try {
        const QList<SelectedListing> work = batch.select(readSelection(m_session.listingStore(), picks));
        if (!hasWork(picks, work, out, batch.nothingText) || !batch.approve(work, out))
            return out;
        Tally tally;
        batch.work(work, tally);
        finish(out, tally, batch.doneText(int(tally.done.size())), batch.title, batch.verb,
               batch.picturesWentUp);
    } catch (const StoreError& error) {
        storeFailed(out, batch.label, error);
    }
    return out;
}

void ListingActions::eachRow(const QList<SelectedListing>& work, Tally& tally, const QString& label,
                             const std::function<QString(int total, int at)>& progressText,
                             const std::function<RowResult(const SelectedListing&)>& step) {
    for (int i = 0; i < work.size(); ++i) {
        const SelectedListing& row = work.at(i);
        if (stopHere(work, i, tally))
            break;
        progress(progressText(int(work.size()), i + 1));
        try {
            switch (step(row)) {
            case RowResult::Done:
                tally.add(row, true);
                break;
            case RowResult::PicturesIncomplete:
                tally.add(row, false);
                break;
            case RowResult::Queued:
                tally.add(row, true);
                tally.queued << row;
                break;
            case RowResult::Later:
                break;
            }
        } catch (const StoreError& error) {
            m_session.logError(label, error);
            tally.failed << row;
        }
    }
}

ListingActions::RowResult ListingActions::picturesThrough(Delivery delivery) {
    switch (delivery) {
    case Delivery::Sent:
        return RowResult::Done;
    case Delivery::PicturesIncomplete:
        return RowResult::PicturesIncomplete;
    case Delivery::Waiting:
        break;
    }
    return RowResult::Queued;
}

// --- Publish and unpublish -------------------------------------------------------------------

ActionOutcome ListingActions::publish(const QList<ListingPick>& picks, PublicationState target) {
    ActionOutcome out;
    const auto action = publishActionFor(target);
    if (!action || !onlineLogin(out))
        return out;
    Batch batch;
    batch.label = publishEntry(target);
    batch.nothingText = ActionTexts::nothingToPublish();
    batch.select = [&](const QList<SelectedListing>& rows) { return needing(rows, *action); };
    batch.approve = [&](const QList<SelectedListing>& work, ActionOutcome& o) {
        if (work.size() > kPublishLimit) {
            show(o, ActionTexts::publishLimit(), ActionTexts::titleNotice(), DialogIcon::Warning);
            return false;
        }
        return confirm(
            o, ActionTexts::publishQuestion(int(work.size()), joinedLabels(work), publicationName(target)),
            ActionTexts::titlePublish());
    };
    batch.work = [&](const QList<SelectedListing>& work, Tally& tally) {
        ListingRowWork rows(m_session, m_pictures, batch.label);
        eachRow(work, tally, batch.label, ActionTexts::uploading, [&](const SelectedListing& row) {
            return picturesThrough(rows.publish(row, target, PublishTransition::of(*row.state, *action)));
        });
    };
    batch.doneText = ActionTexts::publishDone;
    batch.title = ActionTexts::titlePublish();
    batch.verb = QStringLiteral("등록");
    batch.picturesWentUp = true;
    return runBatch(picks, batch, out);
}

ActionOutcome ListingActions::unpublish(const QList<ListingPick>& picks, UnpublishScope scope) {
    ActionOutcome out;
    const UnpublishKind kind = unpublishKind(scope);
    if (!onlineLogin(out))
        return out;
    Batch batch;
    batch.label = logLabel(kind.entry);
    batch.nothingText = ActionTexts::nothingToUnpublish();
    batch.select = [&](const QList<SelectedListing>& rows) { return needing(rows, kind.action); };
    batch.approve = [&](const QList<SelectedListing>& work, ActionOutcome& o) {
        return confirm(
            o,
            ActionTexts::unpublishQuestion(int(work.size()), joinedLabels(work), publicationName(kind.named)),
            ActionTexts::titleUnpublish());
    };
    batch.work = [&](const QList<SelectedListing>& work, Tally& tally) {
        ListingRowWork rows(m_session, m_pictures, batch.label);
        eachRow(work, tally, batch.label, ActionTexts::deleting, [&](const SelectedListing& row) {
            const PublishTransition transition = PublishTransition::of(*row.state, kind.action);
            if (transition.effect == ServerEffect::DeleteServerCopy)
                return picturesThrough(rows.withdraw(row, *transition.localState));
            return picturesThrough(rows.narrow(row, transition));
        });
    };
    batch.doneText = ActionTexts::unpublishDone;
    batch.title = ActionTexts::titleUnpublish();
    batch.verb = QStringLiteral("삭제");
    return runBatch(picks, batch, out);
}

// --- Dates of the published copies -----------------------------------------------------------

ActionOutcome ListingActions::refreshSelected(const QList<ListingPick>& picks) {
    ActionOutcome out;
    if (!onlineLogin(out))
        return out;
    Batch batch;
    batch.label = logLabel("nowdate");
    batch.nothingText = ActionTexts::nothingToRefresh();
    batch.select = [](const QList<SelectedListing>& rows) {
        QList<SelectedListing> published;
        for (const SelectedListing& row : rows)
            if (row.isPublished())
                published << row;
        return published;
    };
    batch.approve = [&](const QList<SelectedListing>& work, ActionOutcome& o) {
        return confirm(o, ActionTexts::refreshQuestion(int(work.size()), joinedLabels(work)),
                       ActionTexts::titleRefresh());
    };
    batch.work = [&](const QList<SelectedListing>& work, Tally& tally) {
        ListingRowWork rows(m_session, m_pictures, batch.label);
        eachRow(work, tally, batch.label, ActionTexts::uploading,
                [&](const SelectedListing& row) { return picturesThrough(rows.refresh(row)); });
    };
    batch.doneText = ActionTexts::refreshDone;
    batch.title = ActionTexts::titleRefresh();
    batch.verb = QStringLiteral("갱신");
    return runBatch(picks, batch, out);
}

ActionOutcome ListingActions::refreshAll() {
    ActionOutcome out;
    const QString label = logLabel("dogutimeup");
    if (!onlineReady(out) || !confirm(out, ActionTexts::refreshAllQuestion(), ActionTexts::titleRefresh()))
        return out;
    try {
        ServerCopy copies(m_session.listingStore(), m_session.serverStore(), m_session.state().OfficeMainId);
        out.done = copies.refreshAll(m_session.clock().now());
        show(out, ActionTexts::refreshAllDone(out.done), ActionTexts::titleRefreshAllDone(),
             DialogIcon::Information);
    } catch (const StoreError& error) {
        m_session.logError(label, error);
        show(out, ActionTexts::serverFailed(), ActionTexts::titleInternet(), DialogIcon::Warning);
    }
    return out;
}

ActionOutcome ListingActions::reconcile() {
    ActionOutcome out;
    if (!onlineReady(out))
        return out;
    try {
        const ReconcileReport report = PublicationReconciler(m_session, m_pictures).reconcile();
        out.ran = true;
        out.done = report.changes();
        out.failed = report.failed;
        out.picturesIncomplete = report.picturesIncomplete;
        show(out,
             ActionTexts::reconciled(report.copiesSent, report.copiesRemoved, report.statesAligned,
                                     report.failed),
             ActionTexts::titleReconcile(), DialogIcon::Information);
    } catch (const StoreError& error) {
        m_session.logError(logLabel("reconcile"), error);
        show(out, ActionTexts::serverFailed(), ActionTexts::titleInternet(), DialogIcon::Warning);
    }
    return out;
}

// --- Archive, restore and delete -------------------------------------------------------------

ActionOutcome ListingActions::archive(const QList<ListingPick>& picks) {
    Batch batch;
    batch.label = logLabel("bogan");
    batch.nothingText = ActionTexts::noSelection();
    batch.select = [](const QList<SelectedListing>& rows) { return needing(rows, ListingAction::Archive); };
    batch.approve = [&](const QList<SelectedListing>& work, ActionOutcome& o) {
        return confirm(o, ActionTexts::archiveQuestion(int(work.size()), joinedLabels(work)),
                       ActionTexts::titleMove());
    };
    batch.work = [&](const QList<SelectedListing>& work, Tally& tally) {
        ListingRowWork rows(m_session, m_pictures, batch.label);
        // Rows without a server copy move together, in one transaction, after the published ones.
        QList<SelectedListing> localOnly;
        eachRow(work, tally, batch.label, ActionTexts::moving, [&](const SelectedListing& row) {
            if (!row.isPublished()) {
                localOnly << row;
                return RowResult::Later;
            }
            return picturesThrough(rows.withdraw(row, PublicationState::Archived));
        });
        try {
            rows.setLocalStates(localOnly, PublicationState::Archived, false);
            for (const SelectedListing& row : localOnly)
                tally.add(row, true);
        } catch (const StoreError& error) {
            m_session.logError(batch.label, error);
            tally.failed << localOnly;
        }
    };
    batch.doneText = ActionTexts::archiveDone;
    batch.title = ActionTexts::titleMove();
    batch.verb = QStringLiteral("이동");
    return runBatch(picks, batch);
}

ActionOutcome ListingActions::restore(const QList<ListingPick>& picks) {
    Batch batch;
    batch.label = logLabel("bogan");
    batch.nothingText = ActionTexts::noSelection();
    batch.select = [](const QList<SelectedListing>& rows) { return needing(rows, ListingAction::Restore); };
    batch.approve = [&](const QList<SelectedListing>& work, ActionOutcome& o) {
        return confirm(o, ActionTexts::restoreQuestion(int(work.size()), joinedLabels(work)),
                       ActionTexts::titleMove());
    };
    batch.work = [&](const QList<SelectedListing>& work, Tally& tally) {
        try {
            ListingRowWork(m_session, m_pictures, batch.label)
                .setLocalStates(work, PublicationState::Unpublished, true);
            tally.done = work;
        } catch (const StoreError& error) {
            m_session.logError(batch.label, error);
            tally.failed = work;
        }
    };
    batch.doneText = ActionTexts::restoreDone;
    batch.title = ActionTexts::titleMove();
    batch.verb = QStringLiteral("이동");
    return runBatch(picks, batch);
}

ActionOutcome ListingActions::remove(const QList<ListingPick>& picks) {
    Batch batch;
    batch.label = logLabel("mdel");
    batch.nothingText = ActionTexts::noSelection();
    batch.select = [&](const QList<SelectedListing>& rows) {
        return deletableBy(rows, m_session.state().LoginId, m_session.state().OfficeMainId);
    };
    batch.approve = [&](const QList<SelectedListing>& work, ActionOutcome& o) {
        return confirm(o, ActionTexts::deleteQuestion(int(work.size()), joinedLabels(work)),
                       ActionTexts::titleDelete());
    };
    batch.work = [&](const QList<SelectedListing>& work, Tally& tally) {
        ListingRowWork rows(m_session, m_pictures, batch.label);
        eachRow(work, tally, batch.label, ActionTexts::deleting,
                [&](const SelectedListing& row) { return picturesThrough(rows.remove(row)); });
    };
    batch.doneText = ActionTexts::deleteDone;
    batch.title = ActionTexts::titleDelete();
    batch.verb = QStringLiteral("삭제");
    return runBatch(picks, batch);
}

// --- Person in charge ------------------------------------------------------------------------

ActionOutcome ListingActions::changeInCharge(const QList<ListingPick>& picks, const QString& staffId,
                                             const QString& staffName) {
    ActionOutcome out;
    const QString label = QStringLiteral("frmList -> cmdDamdang => ");
    QList<SelectedListing> work;
    try {
        if (!picks.isEmpty())
            work = readSelection(m_session.listingStore(), picks);
        out.skipped = distinctCount(picks) - int(work.size());
        if (work.isEmpty() || staffId.isEmpty()) {
            show(out, ActionTexts::noInChargeSelection(), ActionTexts::titleCheck(), DialogIcon::Information);
            return out;
        }
        if (!confirm(out, ActionTexts::inChargeQuestion(int(work.size()), staffName),
                     ActionTexts::titleInCharge()))
            return out;
        SqlStore& local = m_session.listingStore();
        Transaction tx(local);
        for (const SelectedListing& row : work)
            setLocalInCharge(local, row.number, staffId);
        tx.commit();
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
        return out;
    }
    // The shared copies name the agent other offices call; the office's own row decides.
    if (m_session.serverReachable()) {
        ServerCopy copies(m_session.listingStore(), m_session.serverStore(), m_session.state().OfficeMainId);
        for (const SelectedListing& row : work) {
            try {
                if (row.isPublished())
                    copies.setInCharge(row.number, staffId);
            } catch (const StoreError& error) {
                m_session.logError(label, error);
            }
        }
    }
    out.done = int(work.size());
    out.doneNumbers = numbersOf(work);
    show(out, ActionTexts::inChargeDone(), ActionTexts::titleInCharge(), DialogIcon::Information);
    return out;
}

// --- SMS numbers -----------------------------------------------------------------------------

QStringList ListingActions::confirmNumbers(const QStringList& raw) {
    QStringList numbers;
    for (const QString& value : raw) {
        const QString number = value.trimmed();
        if (!number.isEmpty() && number != QLatin1String("-") && !numbers.contains(number))
            numbers << number;
    }
    ActionOutcome out;
    if (numbers.isEmpty()) {
        show(out, ActionTexts::noSmsNumbers(), ActionTexts::titleSms(), DialogIcon::Information);
        return {};
    }
    if (!confirm(out, ActionTexts::smsQuestion(int(numbers.size())), ActionTexts::titleSms()))
        return {};
    return numbers;
}

QStringList ListingActions::ownerNumbers(const QList<ListingPick>& picks) {
    ActionOutcome out;
    if (!hasPicks(picks, out))
        return {};
    QStringList raw;
    try {
        for (const QList<int>& part : ListingNumberList::chunks(pickNumbers(picks))) {
            // A contact kept private by another staff member is not handed out for messages either.
            QSqlQuery q = m_session.listingStore().query(
                QStringLiteral("SELECT uhp FROM maemul WHERE table_idx IN (%1) "
                               "AND (opid IS NULL OR opid = '' OR opid = ?)")
                    .arg(ListingNumberList::placeholders(part.size())),
                boundNumbers(part) << m_session.state().LoginId);
            while (q.next())
                raw << q.value(0).toString();
        }
    } catch (const StoreError& error) {
        storeFailed(out, logLabel("smsgo"), error);
        return {};
    }
    return confirmNumbers(raw);
}

QStringList ListingActions::agentNumbers(const QList<ListingPick>& sharedPicks) {
    ActionOutcome out;
    if (!hasPicks(sharedPicks, out))
        return {};
    if (!m_session.serverReachable()) {
        show(out, InternetNotice::text(), ActionTexts::titleInternet(), DialogIcon::Warning);
        return {};
    }
    QStringList raw;
    try {
        for (const QList<int>& part : ListingNumberList::chunks(pickNumbers(sharedPicks))) {
            QSqlQuery q = m_session.serverStore().query(
                QStringLiteral("SELECT DISTINCT A.hantel FROM members A, maemul B "
                               "WHERE A.memID = B.subid AND B.table_idx IN (%1)")
                    .arg(ListingNumberList::placeholders(part.size())),
                boundNumbers(part));
            while (q.next())
                raw << q.value(0).toString();
        }
    } catch (const StoreError& error) {
        storeFailed(out, logLabel("smsgo2"), error);
        return {};
    }
    return confirmNumbers(raw);
}

} // namespace teran
