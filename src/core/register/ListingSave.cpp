#include "ListingSave.h"

#include "AdvertisingFacts.h"
#include "pictures/ListingImageName.h"
#include "pictures/ListingPictures.h"
#include "publication/ServerCopy.h"
#include "session/PropertyTypes.h"
#include "session/Session.h"
#include "session/TypeFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace teran {

namespace {

const QString kSource = QStringLiteral("ListingSave");

// The columns the service writes itself; a form value of the same name is not taken.
const QStringList& ownedColumns() {
    static const QStringList owned{QStringLiteral("table_idx"), QStringLiteral("id"),
                                   QStringLiteral("state"),     QStringLiteral("showday"),
                                   QStringLiteral("imgname1"),  QStringLiteral("imgname2"),
                                   QStringLiteral("hitadd"),    QStringLiteral("hitmem")};
    return owned;
}

ListingRow withoutOwned(const ListingRow& fields) {
    ListingRow row;
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        if (!ownedColumns().contains(it.key().toLower()))
            row.insert(it.key(), it.value());
    return row;
}

} // namespace

ListingSaveService::ListingSaveService(ListingSaveTargets targets)
    : m_targets(std::move(targets)) {}

ListingSaveResult ListingSaveService::save(const ListingSaveRequest& request) {
    ListingSaveResult result;
    saveLocal(request, result);
    if (result.saved())
        share(request, result);
    return result;
}

void ListingSaveService::saveLocal(const ListingSaveRequest& request, ListingSaveResult& result) {
    ListingRow row = withoutOwned(request.fields);
    const QDateTime now = m_targets.clock.now();
    row.insert(QStringLiteral("id"), m_targets.officeId);
    row.insert(QStringLiteral("showday"), now);
    if (request.mode != EditMode::Edit && !row.value(QStringLiteral("writeday")).isValid())
        row.insert(QStringLiteral("writeday"), now);
    if (request.mode == EditMode::Copy)
        row.insert(QStringLiteral("subid"), m_targets.loginId);
    // Shared only once the copy is on the server: until then the listing is the office's.
    row.insert(QStringLiteral("state"),
               stateValue(request.archived ? PublicationState::Archived : PublicationState::Unpublished));
    const bool shared = request.share && !request.archived;
    row.insert(QStringLiteral("hitadd"), shared ? request.disclosure.hitadd : 0);
    row.insert(QStringLiteral("hitmem"), shared ? request.disclosure.hitmem : 0);
    if (keepsPublication(request)) {
        for (const char* column : {"state", "hitadd", "hitmem"})
            row.insert(QLatin1String(column), request.asOpened->value(QLatin1String(column)));
        result.keptPublication = true;
    } else if (shared) {
        // Kept with the listing: the window shows it again, and every later copy keeps to it.
        row.insert(QStringLiteral("scope_ie"), disclosureScopeText(request.disclosure));
    }
    try {
        result.number = m_targets.local.transact([&] { return writeRow(request, row, result); });
        result.state = row.value(QStringLiteral("state")).toInt();
    } catch (const StoreError& error) {
        result.number = request.mode == EditMode::Edit ? request.number : 0;
        if (result.local != ListingSaveResult::Local::ChangedElsewhere &&
            result.local != ListingSaveResult::Local::Missing) {
            result.local = ListingSaveResult::Local::Failed;
            result.localError = error.description();
            if (m_targets.log)
                m_targets.log(QStringLiteral("-MDBOK => %1 => %2").arg(error.description(), error.source()));
        }
        return;
    }
    result.local = ListingSaveResult::Local::Saved;
}

// Inside the local transaction: the row, its pictures and the work note go in together.
int ListingSaveService::writeRow(const ListingSaveRequest& request, ListingRow row,
                                 ListingSaveResult& result) {
    int number = request.number;
    if (request.mode == EditMode::Edit) {
        const UpdateOutcome outcome =
            updateLocal(m_targets.local, number, row, request.overwrite ? std::nullopt : request.asOpened);
        if (outcome != UpdateOutcome::Updated) {
            result.local = outcome == UpdateOutcome::Changed ? ListingSaveResult::Local::ChangedElsewhere
                                                             : ListingSaveResult::Local::Missing;
            throw StoreError(outcome == UpdateOutcome::Changed
                                 ? QStringLiteral("listing %1 was saved at another desk").arg(number)
                                 : QStringLiteral("listing %1 is no longer in the ListingStore").arg(number),
                             kSource);
        }
    } else {
        number = insertLocal(m_targets.local, row);
    }
    ListingRow pictures;
    for (int p = 0; p < 2; ++p) {
        const QString stored = request.storedPicture[size_t(p)];
        QString name = stored;
        if (!request.chosenPicture[size_t(p)].isEmpty())
            name = placeListingPicture(m_targets.filesDir, m_targets.officeId, number,
                                       mainPictureSuffix(p + 1), request.chosenPicture[size_t(p)]);
        else if (request.mode == EditMode::Copy && !stored.isEmpty())
            name = placeListingPicture(m_targets.filesDir, m_targets.officeId, number,
                                       mainPictureSuffix(p + 1), QDir(m_targets.filesDir).filePath(stored));
        result.pictures[size_t(p)] = name;
        pictures.insert(p == 0 ? QStringLiteral("imgname1") : QStringLiteral("imgname2"), name);
    }
    updateLocal(m_targets.local, number, pictures);
    writeImageBox(request, number, row, result);
    if (!request.workNote.trimmed().isEmpty())
        m_targets.local.execute(QStringLiteral("INSERT INTO mem_work (opid, id, tb, tidx, addr, writeday, "
                                               "work) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                {m_targets.loginId, m_targets.officeId, QStringLiteral("maemul"), number,
                                 request.workNoteLot, m_targets.clock.now(), request.workNote});
    return number;
}

void ListingSaveService::writeImageBox(const ListingSaveRequest& request, int number, const ListingRow& row,
                                       ListingSaveResult& result) {
    std::optional<ImageBoxList> box = request.imageBox;
    if (!box && request.mode == EditMode::Copy)
        box = ImageBoxStore::read(m_targets.local, request.number);
    if (!box)
        return;
    const int source = request.mode == EditMode::Copy ? request.number : number;
    result.imageBox = ImageBoxStore(m_targets.local, m_targets.filesDir, m_targets.officeId)
                          .save(number, source, row.value(QStringLiteral("tb")).toString(),
                                row.value(QStringLiteral("ty")).toString(), *box);
}

bool ListingSaveService::keepsPublication(const ListingSaveRequest& request) const {
    if (m_targets.server || request.mode != EditMode::Edit || !request.asOpened || request.archived)
        return false;
    const std::optional<PublicationState> stored =
        publicationStateFrom(request.asOpened->value(QStringLiteral("state")));
    return stored && isPublished(*stored);
}

void ListingSaveService::share(const ListingSaveRequest& request, ListingSaveResult& result) {
    if (result.keptPublication) {
        queue(result.number, OutboxKind::Send, request, result);
        return;
    }
    const bool wanted = request.share && !request.archived;
    if (!wanted) {
        if (request.mode == EditMode::Edit && request.wasShared) {
            if (!m_targets.server)
                queue(result.number, OutboxKind::Withdraw, request, result);
            else
                withdraw(result.number, {result.pictures[0], result.pictures[1]}, result);
        }
        return;
    }
    const std::optional<ListingRow> local = readLocal(m_targets.local, result.number);
    if (!local) {
        fail(result, ListingSaveResult::Sharing::Failed,
             QStringLiteral("the listing is gone from the ListingStore"));
        return;
    }
    if (isShownOnInternet(request.disclosure.state)) {
        for (const AdvertisingFact& fact : missingFactsOf(*local)) {
            result.missingFacts << fact.caption;
            result.missingColumns << fact.columns;
        }
        if (!result.missingFacts.isEmpty()) {
            fail(result, ListingSaveResult::Sharing::Refused, QString());
            return;
        }
    }
    if (!m_targets.server) {
        queue(result.number, OutboxKind::Send, request, result);
        return;
    }
    try {
        publish(request, *local, result);
    } catch (const StoreError& error) {
        fail(result, ListingSaveResult::Sharing::Failed, error.description());
    }
}

// While the server is away the change of the shared copy waits in the office's outbox: the
// listing takes the state the user chose, and the copy follows as soon as the server answers.
void ListingSaveService::queue(int number, OutboxKind kind, const ListingSaveRequest& request,
                               ListingSaveResult& result) {
    const int before = request.asOpened ? request.asOpened->value(QStringLiteral("state")).toInt()
                                        : stateValue(PublicationState::Unpublished);
    OutboxEntry entry =
        outboxEntry(number, kind, before, QString::number(number), m_targets.loginId, m_targets.clock.now());
    entry.pictures = kind == OutboxKind::Send;
    if (kind == OutboxKind::Send && !result.keptPublication)
        entry.disclosure = request.disclosure;
    if (kind == OutboxKind::Withdraw)
        entry.pictureNames = QStringList{result.pictures[0], result.pictures[1]};
    try {
        m_targets.local.transact([&] {
            if (kind == OutboxKind::Send && !result.keptPublication)
                setLocalState(number, stateValue(request.disclosure.state));
            PublicationOutbox(m_targets.local).add(entry);
        });
        result.sharing = ListingSaveResult::Sharing::Queued;
        if (kind == OutboxKind::Send && !result.keptPublication)
            result.state = stateValue(request.disclosure.state);
    } catch (const StoreError& error) {
        fail(result, ListingSaveResult::Sharing::Failed, error.description());
    }
}

// Pictures first: the shared copy names only the pictures that reached the server. One that did
// not is left out of it and reported; the next save sends it again.
void ListingSaveService::publish(const ListingSaveRequest& request, const ListingRow& local,
                                 ListingSaveResult& result) {
    ServerCopy copy(m_targets.local, *m_targets.server, m_targets.officeId);
    const bool first = !request.wasShared || request.mode == EditMode::Copy;
    const std::array<QString, 2> onServer =
        first ? std::array<QString, 2>{} : copy.mainPictures(result.number);
    const std::array<bool, 2> disclosed{request.disclosure.picture1, request.disclosure.picture2};
    std::array<QString, 2> up;
    QStringList stale; // pictures the copy named that it names no longer
    for (size_t p = 0; p < 2; ++p) {
        const QString& name = result.pictures[p];
        const bool needed = first || !request.chosenPicture[p].isEmpty() || onServer[p] != name;
        if (disclosed[p] && !name.isEmpty() && needed)
            up[p] = name;
        if (!onServer[p].isEmpty() && onServer[p] != (disclosed[p] ? name : QString()))
            stale << onServer[p];
    }
    const bool withBox = first || ImageBoxStore::pending(m_targets.local, result.number);
    Disclosure disclosure = request.disclosure;
    ListingPictures::Published published;
    if (withBox || !up[0].isEmpty() || !up[1].isEmpty() || !stale.isEmpty()) {
        PictureSession ftp(m_targets.pictures);
        for (const QString& name : stale)
            if (!ftp.del(name) && m_targets.log) // only left over on the server; no copy names it
                m_targets.log(QStringLiteral("-MysqlDBOK => %1 => %2").arg(ftp.lastError(), kSource));
        published = ListingPictures(m_targets.local, ftp)
                        .publish(result.number, up[0], up[1], withBox, copy.boxPictures(result.number));
        if (!published.complete) {
            result.sharingError = ftp.lastError();
            result.unsentPictures = published.unsent;
            if (m_targets.log)
                m_targets.log(QStringLiteral("-MysqlDBOK => %1 => %2").arg(ftp.lastError(), kSource));
        }
    }
    disclosure.picture1 = disclosure.picture1 && !published.unsent.contains(result.pictures[0]);
    disclosure.picture2 = disclosure.picture2 && !published.unsent.contains(result.pictures[1]);
    disclosure.now =
        m_targets.server->scalar(QStringLiteral("SELECT ") + m_targets.server->nowSql()).toDateTime();
    copy.publish(local, disclosure);
    if (withBox)
        copy.writeFileBox(result.number, local.value(QStringLiteral("tb")).toString(),
                          local.value(QStringLiteral("ty")).toString(), published.boxNames, disclosure.now);
    setLocalState(result.number, stateValue(request.disclosure.state));
    result.state = stateValue(request.disclosure.state);
    result.sharing = ListingSaveResult::Sharing::Published;
}

void ListingSaveService::withdraw(int number, const QStringList& pictures, ListingSaveResult& result) {
    try {
        ServerCopy copy(m_targets.local, *m_targets.server, m_targets.officeId);
        // The pictures go while the copy still records them (see ServerCopy::recordedPictures).
        const ServerCopy::Removed recorded = copy.recordedPictures(number);
        result.sharing = ListingSaveResult::Sharing::Withdrawn;
        if (!recorded.existed) {
            copy.remove(number);
            return; // nothing of it was published
        }
        PictureSession ftp(m_targets.pictures);
        const bool picturesGone =
            ListingPictures(m_targets.local, ftp).withdraw(pictures + recorded.pictureNames);
        copy.remove(number);
        if (!picturesGone) {
            // The copy is gone, so no office sees the pictures listed; they are logged to clean up.
            result.sharingError = ftp.lastError();
            if (m_targets.log)
                m_targets.log(QStringLiteral("-MDBOK => %1 => %2").arg(ftp.lastError(), kSource));
        }
    } catch (const StoreError& error) {
        fail(result, ListingSaveResult::Sharing::Failed, error.description());
    }
}

void ListingSaveService::setLocalState(int number, int state) {
    updateLocal(m_targets.local, number, {{QStringLiteral("state"), state}});
}

// A listing whose sharing failed stays the office's own (State 0); when a copy from before is
// still on the server it is taken off where that is possible, so the two stores agree.
void ListingSaveService::fail(ListingSaveResult& result, ListingSaveResult::Sharing how, const QString& why) {
    result.sharing = how;
    result.sharingError = why;
    if (how == ListingSaveResult::Sharing::Failed && m_targets.log)
        m_targets.log(QStringLiteral("-MysqlDBOK => %1 => %2").arg(why, kSource));
    // No copy stays on the server for a listing the office holds unshared. Its pictures are left:
    // the picture server may be the one that failed, and the next publication writes them anew.
    if ((how == ListingSaveResult::Sharing::Refused || how == ListingSaveResult::Sharing::Failed) &&
        m_targets.server) {
        try {
            ServerCopy(m_targets.local, *m_targets.server, m_targets.officeId).remove(result.number);
        } catch (const StoreError& error) {
            if (m_targets.log)
                m_targets.log(
                    QStringLiteral("-MysqlDBOK => %1 => %2").arg(error.description(), error.source()));
        }
    }
}

ListingSaveTargets sessionSaveTargets(Session& session) {
    const bool online = serverCopiesReachable(session);
    return ListingSaveTargets{session.listingStore(),
                              online ? &session.serverStore() : nullptr,
                              session.state().OfficeMainId,
                              session.state().LoginId,
                              session.dataFolder().files(),
                              sessionPictureStores(session),
                              session.clock(),
                              [&session](const QString& line) { session.WriteLog(line); }};
}

bool ListingSaveResult::copyMayRemain(bool wasShared) const {
    return sharing == Sharing::Published ||
           (wasShared && sharing != Sharing::Withdrawn && sharing != Sharing::NotShared);
}

QDate defaultExpiry(const QDate& registered) {
    return registered.addMonths(3);
}

QString transactionToStore(const std::optional<ListingRow>& asOpened, const QString& form) {
    const bool formKept = asOpened && asOpened->value(QStringLiteral("maemultype")).toString() == form &&
                          asOpened->value(QStringLiteral("ty")).isValid();
    return formKept ? asOpened->value(QStringLiteral("ty")).toString() : transactionOfForm(form);
}

QString nameToStore(const QString& typed) {
    for (const TypeRules* rules : typeRulesInFormOrder())
        if (rules->hasName() && rules->nameCaption == typed)
            return QString();
    return typed;
}

QString sellerHiddenBy(bool hidden, const QString& hiddenBefore, const QString& loginId) {
    if (!hidden)
        return QString();
    return hiddenBefore.isEmpty() ? loginId : hiddenBefore;
}

std::optional<ListingToEdit> listingToEdit(Session& session, int number, const QString& label) {
    std::optional<ListingRow> row = readLocal(session.listingStore(), number);
    if (!row)
        return std::nullopt;
    ListingToEdit edit;
    edit.row = *row;
    const std::optional<PublicationState> state = publicationStateFrom(row->value(QStringLiteral("state")));
    edit.archived = state && isArchived(*state);
    const bool online = serverCopiesReachable(session);
    if (online) {
        try {
            edit.sharedCopy = readServer(session.serverStore(), session.state().OfficeMainId, number);
        } catch (const StoreError& error) {
            session.logError(label, error);
        }
    }
    edit.shared = edit.sharedCopy.has_value() || (!online && state && isPublished(*state));
    edit.hiddenBy = row->value(QStringLiteral("opid")).toString();
    const QDate today = session.clock().today();
    const QDateTime writeday = row->value(QStringLiteral("writeday")).toDateTime();
    const QDateTime offday = row->value(QStringLiteral("offday")).toDateTime();
    edit.registered = writeday.isValid() ? writeday.date() : today;
    edit.expires = offday.isValid() ? offday.date() : defaultExpiry(today);
    return edit;
}

} // namespace teran
