#include "ListingActions.h"

#include "ActionTexts.h"
#include "ListingRowWork.h"
#include "session/ServerCopy.h"
#include "session/Session.h"

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
    QList<SelectedListing> needServer; // published rows left alone while the server is gone

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

bool ListingActions::serverReachable() const {
    return m_session.state().InternetOk && m_session.serverOpen();
}

bool ListingActions::onlineReady(ActionOutcome& out) {
    if (!m_session.state().isOnline()) {
        show(out, ActionTexts::offlineLogin(), ActionTexts::titleInternet(), DialogIcon::Information);
        return false;
    }
    if (!serverReachable()) {
        show(out, ActionTexts::internetUnstable(), ActionTexts::titleInternet(), DialogIcon::Warning);
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
    out.failed += int(tally.needServer.size());
    out.doneNumbers = numbersOf(tally.done);
    out.failedNumbers = numbersOf(tally.failed) + numbersOf(tally.needServer);
    QString text = doneText;
    if (!tally.failed.isEmpty())
        text += kCrLf + kCrLf +
                ActionTexts::failedNote(verb, int(tally.failed.size()), joinedLabels(tally.failed));
    if (!tally.needServer.isEmpty())
        text += kCrLf + kCrLf +
                ActionTexts::serverNeededNote(int(tally.needServer.size()), joinedLabels(tally.needServer));
    if (!tally.cancelled.isEmpty())
        text +=
            kCrLf + kCrLf + ActionTexts::cancelledNote(verb, out.cancelled, joinedLabels(tally.cancelled));
    if (!tally.picturesIncomplete.isEmpty()) {
        const QString labels = joinedLabels(tally.picturesIncomplete);
        text += kCrLf + kCrLf +
                (picturesWentUp ? ActionTexts::picturesNotSentNote(out.picturesIncomplete, labels)
                                : ActionTexts::picturesNotRemovedNote(out.picturesIncomplete, labels));
    }
    const bool clean =
        tally.failed.isEmpty() && tally.needServer.isEmpty() && tally.picturesIncomplete.isEmpty();
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

// --- Publish and unpublish -------------------------------------------------------------------

ActionOutcome ListingActions::publish(const QList<ListingPick>& picks, PublicationState target) {
    ActionOutcome out;
    const auto action = publishActionFor(target);
    const QString label = publishEntry(target);
    if (!action || !onlineReady(out) || !hasPicks(picks, out))
        return out;
    try {
        const QList<SelectedListing> work = needing(readSelection(m_session.listingStore(), picks), *action);
        if (!hasWork(picks, work, out, ActionTexts::nothingToPublish()))
            return out;
        if (work.size() > kPublishLimit) {
            show(out, ActionTexts::publishLimit(), ActionTexts::titleNotice(), DialogIcon::Warning);
            return out;
        }
        if (!confirm(
                out,
                ActionTexts::publishQuestion(int(work.size()), joinedLabels(work), publicationName(target)),
                ActionTexts::titlePublish()))
            return out;
        ListingRowWork rows(m_session, m_pictures, label);
        Tally tally;
        for (int i = 0; i < work.size(); ++i) {
            const SelectedListing& row = work.at(i);
            if (stopHere(work, i, tally))
                break;
            progress(ActionTexts::uploading(int(work.size()), i + 1));
            try {
                tally.add(row, rows.publish(row, target, PublishTransition::of(*row.state, *action)));
            } catch (const StoreError& error) {
                m_session.logError(label, error);
                tally.failed << row;
            }
        }
        finish(out, tally, ActionTexts::publishDone(int(tally.done.size())), ActionTexts::titlePublish(),
               QStringLiteral("등록"), true);
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
    }
    return out;
}

ActionOutcome ListingActions::unpublish(const QList<ListingPick>& picks, UnpublishScope scope) {
    ActionOutcome out;
    const UnpublishKind kind = unpublishKind(scope);
    const QString label = logLabel(kind.entry);
    if (!onlineReady(out) || !hasPicks(picks, out))
        return out;
    try {
        const QList<SelectedListing> work =
            needing(readSelection(m_session.listingStore(), picks), kind.action);
        if (!hasWork(picks, work, out, ActionTexts::nothingToUnpublish()))
            return out;
        if (!confirm(out,
                     ActionTexts::unpublishQuestion(int(work.size()), joinedLabels(work),
                                                    publicationName(kind.named)),
                     ActionTexts::titleUnpublish()))
            return out;
        ListingRowWork rows(m_session, m_pictures, label);
        Tally tally;
        for (int i = 0; i < work.size(); ++i) {
            const SelectedListing& row = work.at(i);
            if (stopHere(work, i, tally))
                break;
            const PublishTransition transition = PublishTransition::of(*row.state, kind.action);
            progress(ActionTexts::deleting(int(work.size()), i + 1));
            try {
                if (transition.effect == ServerEffect::DeleteServerCopy) {
                    tally.add(row, rows.withdraw(row, *transition.localState));
                } else {
                    rows.narrow(row, transition);
                    tally.add(row, true);
                }
            } catch (const StoreError& error) {
                m_session.logError(label, error);
                tally.failed << row;
            }
        }
        finish(out, tally, ActionTexts::unpublishDone(int(tally.done.size())), ActionTexts::titleUnpublish(),
               QStringLiteral("삭제"), false);
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
    }
    return out;
}

// --- Dates of the published copies -----------------------------------------------------------

ActionOutcome ListingActions::refreshSelected(const QList<ListingPick>& picks) {
    ActionOutcome out;
    const QString label = logLabel("nowdate");
    if (!onlineReady(out) || !hasPicks(picks, out))
        return out;
    try {
        QList<SelectedListing> work;
        for (const SelectedListing& row : readSelection(m_session.listingStore(), picks))
            if (row.isPublished())
                work << row;
        if (!hasWork(picks, work, out, ActionTexts::nothingToRefresh()))
            return out;
        if (!confirm(out, ActionTexts::refreshQuestion(int(work.size()), joinedLabels(work)),
                     ActionTexts::titleRefresh()))
            return out;
        Tally tally;
        try {
            ServerCopy copies(m_session.listingStore(), m_session.serverStore(),
                              m_session.state().OfficeMainId);
            const QList<int> refreshed = copies.refreshShowday(numbersOf(work), m_session.clock().now());
            for (const SelectedListing& row : work)
                (refreshed.contains(row.number) ? tally.done : tally.failed) << row;
            if (refreshed.size() < work.size())
                m_session.WriteLog(label + QStringLiteral("published listings without a server copy"));
        } catch (const StoreError& error) {
            m_session.logError(label, error);
            tally.failed = work;
        }
        finish(out, tally, ActionTexts::refreshDone(int(tally.done.size())), ActionTexts::titleRefresh(),
               QStringLiteral("갱신"), false);
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
    }
    return out;
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

// --- Archive, restore and delete -------------------------------------------------------------

ActionOutcome ListingActions::archive(const QList<ListingPick>& picks) {
    ActionOutcome out;
    const QString label = logLabel("bogan");
    if (!hasPicks(picks, out))
        return out;
    try {
        const QList<SelectedListing> work =
            needing(readSelection(m_session.listingStore(), picks), ListingAction::Archive);
        if (!hasWork(picks, work, out, ActionTexts::noSelection()))
            return out;
        if (!confirm(out, ActionTexts::archiveQuestion(int(work.size()), joinedLabels(work)),
                     ActionTexts::titleMove()))
            return out;
        const bool withServer = serverReachable();
        ListingRowWork rows(m_session, m_pictures, label);
        Tally tally;
        QList<SelectedListing> localOnly;
        for (int i = 0; i < work.size(); ++i) {
            const SelectedListing& row = work.at(i);
            if (stopHere(work, i, tally))
                break;
            progress(ActionTexts::moving(int(work.size()), i + 1));
            if (!row.isPublished()) {
                localOnly << row;
                continue;
            }
            if (!withServer) {
                tally.needServer << row;
                continue;
            }
            try {
                tally.add(row, rows.withdraw(row, PublicationState::Archived));
            } catch (const StoreError& error) {
                m_session.logError(label, error);
                tally.failed << row;
            }
        }
        try {
            rows.setLocalStates(localOnly, PublicationState::Archived, false);
            for (const SelectedListing& row : localOnly)
                tally.add(row, true);
        } catch (const StoreError& error) {
            m_session.logError(label, error);
            tally.failed << localOnly;
        }
        finish(out, tally, ActionTexts::archiveDone(int(tally.done.size())), ActionTexts::titleMove(),
               QStringLiteral("이동"), false);
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
    }
    return out;
}

ActionOutcome ListingActions::restore(const QList<ListingPick>& picks) {
    ActionOutcome out;
    const QString label = logLabel("bogan");
    if (!hasPicks(picks, out))
        return out;
    try {
        const QList<SelectedListing> work =
            needing(readSelection(m_session.listingStore(), picks), ListingAction::Restore);
        if (!hasWork(picks, work, out, ActionTexts::noSelection()))
            return out;
        if (!confirm(out, ActionTexts::restoreQuestion(int(work.size()), joinedLabels(work)),
                     ActionTexts::titleMove()))
            return out;
        Tally tally;
        try {
            ListingRowWork(m_session, m_pictures, label)
                .setLocalStates(work, PublicationState::Unpublished, true);
            tally.done = work;
        } catch (const StoreError& error) {
            m_session.logError(label, error);
            tally.failed = work;
        }
        finish(out, tally, ActionTexts::restoreDone(int(tally.done.size())), ActionTexts::titleMove(),
               QStringLiteral("이동"), false);
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
    }
    return out;
}

ActionOutcome ListingActions::remove(const QList<ListingPick>& picks) {
    ActionOutcome out;
    const QString label = logLabel("mdel");
    if (!hasPicks(picks, out))
        return out;
    try {
        const SessionState& state = m_session.state();
        QList<SelectedListing> work = readSelection(m_session.listingStore(), picks);
        work = deletableBy(work, state.LoginId, state.OfficeMainId);
        if (!hasWork(picks, work, out, ActionTexts::noSelection()))
            return out;
        if (!confirm(out, ActionTexts::deleteQuestion(int(work.size()), joinedLabels(work)),
                     ActionTexts::titleDelete()))
            return out;
        const bool withServer = serverReachable();
        ListingRowWork rows(m_session, m_pictures, label);
        Tally tally;
        for (int i = 0; i < work.size(); ++i) {
            const SelectedListing& row = work.at(i);
            if (stopHere(work, i, tally))
                break;
            progress(ActionTexts::deleting(int(work.size()), i + 1));
            if (row.isPublished() && !withServer) {
                tally.needServer << row;
                continue;
            }
            try {
                tally.add(row, rows.remove(row, withServer));
            } catch (const StoreError& error) {
                m_session.logError(label, error);
                tally.failed << row;
            }
        }
        finish(out, tally, ActionTexts::deleteDone(int(tally.done.size())), ActionTexts::titleDelete(),
               QStringLiteral("삭제"), false);
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
    }
    return out;
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
            local.execute(QStringLiteral("UPDATE maemul SET subid = ? WHERE table_idx = ?"),
                          {staffId, row.number});
        tx.commit();
    } catch (const StoreError& error) {
        storeFailed(out, label, error);
        return out;
    }
    // The shared copies name the agent other offices call; the office's own row decides.
    if (serverReachable()) {
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
    if (!serverReachable()) {
        show(out, ActionTexts::internetUnstable(), ActionTexts::titleInternet(), DialogIcon::Warning);
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
