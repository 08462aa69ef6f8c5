#include "ListingSave.h"
#include "core/session/WorkNotes.h"

#include "AdvertisingFacts.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/TypeFields.h"
#include "core/pictures/ListingImageName.h"
#include "core/pictures/ListingPictures.h"
#include "core/publication/OutboxSender.h"
#include "core/session/Session.h"

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

std::optional<ListingSaveResult::Local> ListingSaveService::lacking(const ListingSaveRequest& request) {
    const auto given = [&](const char* column) {
        return !request.fields.value(QLatin1String(column)).toString().trimmed().isEmpty();
    };
    if (!given("addr1") && !given("addr2") && !given("addr3"))
        return ListingSaveResult::Local::NoAddress;
    if (request.share && !request.archived && !request.gradeChosen)
        return ListingSaveResult::Local::NoGrade;
    return std::nullopt;
}

ListingSaveResult ListingSaveService::save(const ListingSaveRequest& request) {
    ListingSaveResult result;
    if (const std::optional<ListingSaveResult::Local> lack = lacking(request)) {
        result.local = *lack;
        return result;
    }
    saveLocal(request, result);
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
    qint64 entry = 0;
    bool withdrawing = false;
    try {
        result.number = m_targets.local.transact([&] {
            const int number = writeRow(request, row, result);
            result.state = row.value(QStringLiteral("state")).toInt();
            entry = planSharing(request, number, result, withdrawing);
            return number;
        });
    } catch (const StoreError& error) {
        result.number = request.mode == EditMode::Edit ? request.number : 0;
        if (result.local != ListingSaveResult::Local::ChangedElsewhere &&
            result.local != ListingSaveResult::Local::Missing) {
            result.local = ListingSaveResult::Local::Failed;
            result.localError = error.description();
            if (m_targets.log)
                m_targets.log(QStringLiteral("-MDBOK => %1 => %2").arg(error.description(), error.source()));
        }
        result.sharing = ListingSaveResult::Sharing::NotShared;
        return;
    }
    result.local = ListingSaveResult::Local::Saved;
    deliver(entry, withdrawing, result);
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
    // The note typed in the form is the office's, as every note written in a note window.
    if (!request.workNote.trimmed().isEmpty())
        WorkNoteBook(m_targets.local, m_targets.loginId)
            .add({NoteKind::Listing, number, m_targets.officeId, m_targets.clock.today(), request.workNote,
                  QString(), QString(), request.workNoteLot});
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

// What the save asks of the listing's shared copy, as an entry of the outbox beside the row: the
// copy in the chosen state (or, offline, as the row kept it), or the copy taken away when the
// listing is no longer shared, or refused for an advertisement that lacks what the law requires.
qint64 ListingSaveService::planSharing(const ListingSaveRequest& request, int number,
                                       ListingSaveResult& result, bool& withdrawing) {
    using Sharing = ListingSaveResult::Sharing;
    withdrawing = false;
    result.sharing = Sharing::NotShared;
    result.missingFacts.clear();
    result.missingColumns.clear();
    if (result.keptPublication)
        return queue(number, OutboxKind::Send, request, result);
    if (request.share && !request.archived) {
        const std::optional<ListingRow> local = readLocal(m_targets.local, number);
        if (local && isShownOnInternet(request.disclosure.state))
            for (const AdvertisingFact& fact : missingFactsOf(*local)) {
                result.missingFacts << fact.caption;
                result.missingColumns << fact.columns;
            }
        if (result.missingFacts.isEmpty())
            return queue(number, OutboxKind::Send, request, result);
    }
    // No copy stays on the server for a listing the office now holds unshared.
    const bool hadCopy = request.mode == EditMode::Edit && request.wasShared;
    const qint64 entry = hadCopy ? queue(number, OutboxKind::Withdraw, request, result) : 0;
    withdrawing = hadCopy;
    if (!result.missingFacts.isEmpty())
        result.sharing = Sharing::Refused;
    return entry;
}

// The copy's change waits in the outbox until the server has it: the listing takes the state the
// user chose at once, and the copy follows now or as soon as the server answers.
qint64 ListingSaveService::queue(int number, OutboxKind kind, const ListingSaveRequest& request,
                                 ListingSaveResult& result) {
    const int before = request.asOpened ? request.asOpened->value(QStringLiteral("state")).toInt()
                                        : stateValue(PublicationState::Unpublished);
    OutboxEntry entry =
        outboxEntry(number, kind, before, QString::number(number), m_targets.loginId, m_targets.clock.now());
    if (kind == OutboxKind::Send) {
        entry.pictureChoice = pictureChoice(request, number);
        if (!result.keptPublication) {
            entry.disclosure = request.disclosure;
            setLocalState(number, stateValue(request.disclosure.state));
            result.state = stateValue(request.disclosure.state);
        }
    } else {
        entry.pictureNames = QStringList{result.pictures[0], result.pictures[1]};
    }
    result.sharing = ListingSaveResult::Sharing::Queued;
    return PublicationOutbox(m_targets.local).add(entry);
}

// Only what changed goes to the picture server: a first share sends everything; an edit sends a
// newly chosen picture, one the copy names differently, and the image box when it changed.
int ListingSaveService::pictureChoice(const ListingSaveRequest& request, int number) const {
    const bool first = !request.wasShared || request.mode == EditMode::Copy;
    int choice = OutboxEntry::kPicturesChosen;
    if (first || !request.chosenPicture[0].isEmpty())
        choice |= OutboxEntry::kFirstPictureNew;
    if (first || !request.chosenPicture[1].isEmpty())
        choice |= OutboxEntry::kSecondPictureNew;
    if (first || ImageBoxStore::pending(m_targets.local, number))
        choice |= OutboxEntry::kBoxChanged;
    return choice;
}

// The outbox sends the change now; a server that does not answer leaves it waiting (Queued). A
// picture that did not go is named: the copy is shared without it.
void ListingSaveService::deliver(qint64 entry, bool withdrawing, ListingSaveResult& result) {
    using Sharing = ListingSaveResult::Sharing;
    if (entry == 0 || !m_targets.deliver)
        return;
    const DeliveryReport report = m_targets.deliver(entry, m_targets.pictures);
    if (report.outcome == Delivery::Waiting)
        return;
    if (result.sharing == Sharing::Queued)
        result.sharing = withdrawing ? Sharing::Withdrawn : Sharing::Published;
    if (report.outcome != Delivery::PicturesIncomplete)
        return;
    result.sharingError = report.pictureError;
    if (!withdrawing)
        result.unsentPictures = report.unsentPictures;
    if (m_targets.log)
        m_targets.log(QStringLiteral("-MysqlDBOK => %1 => %2").arg(report.pictureError, kSource));
}

void ListingSaveService::setLocalState(int number, int state) {
    updateLocal(m_targets.local, number, {{QStringLiteral("state"), state}});
}

ListingSaveTargets sessionSaveTargets(Session& session) {
    const bool online = serverCopiesReachable(session);
    return ListingSaveTargets{
        session.listingStore(),
        online ? &session.serverStore() : nullptr,
        session.state().OfficeMainId,
        session.state().LoginId,
        session.dataFolder().files(),
        sessionPictureStores(session),
        session.clock(),
        [&session](const QString& line) { session.WriteLog(line); },
        [&session](qint64 entry, const PictureStoreFactory& pictures) {
            return OutboxSender(session, pictures, QStringLiteral("ListingSave => ")).deliverReporting(entry);
        }};
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
