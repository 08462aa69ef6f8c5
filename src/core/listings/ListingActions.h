#pragma once

#include "core/listing/ListingSelection.h"
#include "core/listing/PropertyTypes.h"
#include "core/pictures/PictureSession.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublishTransition.h"
#include "core/session/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace teran {

class Session;
class StoreError;

// Which publication an unpublish takes back.
enum class UnpublishScope { Clubs, Internet, Both };

// What an action did, for the window to refresh its list and for the tests.
struct ActionOutcome {
    bool ran = false;           // the rows were worked on: no check stopped it and the user said yes
    int done = 0;               // rows written in every store they live in
    int skipped = 0;            // ticked rows the action leaves alone (nothing to do, not in charge, gone)
    int failed = 0;             // rows left as they were because a store refused (see the daily log)
    int picturesIncomplete = 0; // done rows whose pictures did not all reach or leave the picture server
    int cancelled = 0;          // rows a cancelled batch did not reach (left as they were)
    int queued = 0;             // done rows whose server step waits in the outbox for the server
    QList<int> doneNumbers;
    QList<int> failedNumbers;
    QString message; // the last box shown, and its title
    QString title;
};

// The actions of the main window on the listings ticked in the active list window: publish,
// unpublish, refresh dates, archive, restore, delete, change the person in charge and collect
// SMS numbers. Each asks and tells through the session's Dialogs with the office's usual texts,
// reports progress through the progress callback and clears it at the end.
//
// The online actions (publish, unpublish, date refresh) need an online login: after an offline
// login they say so (ActionTexts::offlineLogin). Their server steps, and those of archiving and
// deleting a published listing, go through the outbox: while the server is away they wait there
// and the completion text says so. What works on the whole office at once (refreshing every
// copy, the reconciliation) needs the server now and shows the internet message without it.
class ListingActions {
public:
    using Progress = std::function<void(const QString&)>;

    // At most this many listings are published at once.
    static constexpr int kPublishLimit = 10;

    // Without a factory the picture server comes from the session's configuration.
    explicit ListingActions(Session& session, PictureStoreFactory pictures = {});

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    // Asked before each row of a batch; true stops the batch there.
    void setCancelled(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }

    // target: Internet (1), ClubsAndInternet (3) or Clubs (7); other states do nothing. More
    // than kPublishLimit rows needing work are refused before anything changes. A row counts as
    // done once its copy is written and its local state set; pictures that did not go up are
    // named in the message (picturesIncomplete) without undoing the row.
    ActionOutcome publish(const QList<ListingPick>& picks, PublicationState target);
    ActionOutcome unpublish(const QList<ListingPick>& picks, UnpublishScope scope);
    ActionOutcome refreshSelected(const QList<ListingPick>& picks);
    ActionOutcome refreshAll();
    // The office's copies on the server checked against the office database and mended
    // (PublicationReconciler), on demand; `done` counts what was mended.
    ActionOutcome reconcile();
    ActionOutcome archive(const QList<ListingPick>& picks);
    ActionOutcome restore(const QList<ListingPick>& picks);
    // A staff member (LoginId other than OfficeMainId) deletes only the listings in his charge.
    ActionOutcome remove(const QList<ListingPick>& picks);
    ActionOutcome changeInCharge(const QList<ListingPick>& picks, const QString& staffId,
                                 const QString& staffName);

    // The owners' mobile numbers of ticked own listings, and the agents' numbers of ticked
    // shared listings (picks numbered by the server row, `table_idx` of the ServerStore).
    // Empty numbers and "-" are left out, each number comes once; empty when there is none or
    // the user declined. Owners whose contact another staff member keeps private are left out.
    QStringList ownerNumbers(const QList<ListingPick>& picks);
    QStringList agentNumbers(const QList<ListingPick>& sharedPicks);

private:
    struct Tally;
    // What a row step did: the row is done (its pictures through or not), needs the server, or
    // is left to the batch's own last step.
    enum class RowResult { Done, PicturesIncomplete, Queued, Later };
    static RowResult picturesThrough(Delivery delivery);
    // The frame of a batch over the picked rows, written once for every action.
    struct Batch {
        QString label;       // in the daily log
        QString nothingText; // when no picked row needs the action
        // The rows the action applies to, of those picked.
        std::function<QList<SelectedListing>(const QList<SelectedListing>&)> select;
        // The question (and any limit) before anything changes; false stops the batch.
        std::function<bool(const QList<SelectedListing>& work, ActionOutcome& out)> approve;
        // Does the work and fills the tally.
        std::function<void(const QList<SelectedListing>& work, Tally& tally)> work;
        std::function<QString(int done)> doneText;
        QString title;
        QString verb; // what the failed rows were not ("등록", "삭제", ...)
        bool picturesWentUp = false;
    };
    ActionOutcome runBatch(const QList<ListingPick>& picks, const Batch& batch, ActionOutcome out = {});
    // Runs `step` on each row in turn: a cancel stops between rows, each row is announced with
    // `progressText(total, at)`, and a StoreError fails that row alone (logged under `label`).
    void eachRow(const QList<SelectedListing>& work, Tally& tally, const QString& label,
                 const std::function<QString(int total, int at)>& progressText,
                 const std::function<RowResult(const SelectedListing&)>& step);

    bool onlineLogin(ActionOutcome& out);
    bool onlineReady(ActionOutcome& out);
    bool hasPicks(const QList<ListingPick>& picks, ActionOutcome& out);
    // Counts the ticked rows left out; with nothing left to do it says so and returns false.
    bool hasWork(const QList<ListingPick>& picks, const QList<SelectedListing>& work, ActionOutcome& out,
                 const QString& nothingText);
    static QList<SelectedListing> needing(const QList<SelectedListing>& rows, ListingAction action);
    void show(ActionOutcome& out, const QString& text, const QString& title, DialogIcon icon);
    bool confirm(ActionOutcome& out, const QString& text, const QString& title);
    void progress(const QString& text);
    bool stopHere(const QList<SelectedListing>& work, int next, Tally& tally);
    void finish(ActionOutcome& out, const Tally& tally, const QString& doneText, const QString& title,
                const QString& verb, bool picturesWentUp);
    void storeFailed(ActionOutcome& out, const QString& label, const StoreError& error);
    QStringList confirmNumbers(const QStringList& raw);

    Session& m_session;
    PictureStoreFactory m_pictures;
    Progress m_progress;
    std::function<bool()> m_cancelled;
};

} // namespace teran
