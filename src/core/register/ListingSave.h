#pragma once

#include "core/listing/ListingRepository.h"
#include "core/pictures/ImageBox.h"
#include "core/pictures/PictureSession.h"
#include "core/publication/PublicationOutbox.h"
#include "core/session/Clock.h"
#include "core/session/ServerCourier.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace teran {

class Session;

// How the registration window was opened: a new listing, a stored one, or a copy of a stored
// one that becomes a new listing.
enum class EditMode { New, Edit, Copy };

// What the window asks the save service for. `fields` are the form's values by column; the
// service adds the number, the office, the dates and the state.
struct ListingSaveRequest {
    EditMode mode = EditMode::New;
    int number = 0; // Edit: the listing; Copy: the listing copied (its pictures are copied)
    ListingRow fields;
    // Per main picture: a file chosen now (copied into files/ under its ListingImageName), or
    // the name stored with the listing, or neither (no picture).
    std::array<QString, 2> chosenPicture;
    std::array<QString, 2> storedPicture;
    // The image box as the user left it; nullopt when it was not changed (a copy then copies the
    // box of the listing copied).
    std::optional<ImageBoxList> imageBox;
    bool archived = false;
    bool share = false;      // chkInternet
    Disclosure disclosure;   // its state, grades and what is disclosed (when shared)
    bool gradeChosen = true; // a grade among all offices was chosen for the share (등급)
    bool wasShared = false;  // the listing had a shared copy when the form opened
    QString workNote;        // added to the listing's work notes when not empty
    QString workNoteLot;     // the lot the note is kept for ("지번별작업상황"), or empty
    // Edit: the row as read when the form opened; the save stops with ChangedElsewhere when
    // another desk saved the listing since, unless `overwrite`.
    std::optional<ListingRow> asOpened;
    bool overwrite = false;
};

// What was written where, and what failed.
struct ListingSaveResult {
    enum class Local {
        Saved,
        Failed,
        ChangedElsewhere,
        Missing,   // the listing was deleted elsewhere
        NoAddress, // neither 시/도, 구/군 nor 읍/면/동 is given: nothing was written
        NoGrade,   // a listing to share has no grade: nothing was written
    };
    enum class Sharing {
        NotShared, // the listing is not to be shared and had no shared copy
        Published, // the shared copy is written and its pictures are up
        Withdrawn, // the shared copy, its picture row and pictures were removed
        Queued,    // the ServerStore was not reachable: the change of the copy waits in the outbox
        Refused,   // an internet advertisement lacks facts the law requires (see missingFacts)
        Failed,    // the ServerStore or the picture server refused (see sharingError)
    };
    Local local = Local::Failed;
    Sharing sharing = Sharing::NotShared;
    int number = 0;
    QString localError;
    QString sharingError;
    QStringList missingFacts;
    QStringList missingColumns;           // the form's fields that state the missing facts
    std::array<QString, 2> pictures;      // the stored picture names
    std::optional<ImageBoxList> imageBox; // the box as stored, when the save wrote it
    // Published, but these pictures did not reach the picture server (see sharingError): the
    // shared copy does not name them, and the next save sends them again.
    QStringList unsentPictures;
    int state = 0; // the `State` the local row holds now
    // Offline, an edit of a shared listing keeps its state: its copy on the server could not be
    // changed, and the office's row must go on saying that it exists.
    bool keptPublication = false;

    bool saved() const { return local == Local::Saved; }
    // Whether a shared copy may still be on the server after this save, given whether there was
    // one before: a failed save or share leaves the earlier copy, which a later unshare removes.
    bool copyMayRemain(bool wasShared) const;
};

// Where the save writes.
struct ListingSaveTargets {
    SqlStore& local;
    SqlStore* server = nullptr; // nullptr while offline
    QString officeId;
    QString loginId;
    QString filesDir; // the data folder's files/
    PictureStoreFactory pictures;
    const Clock& clock;
    std::function<void(const QString&)> log; // the daily log
    // Sends the change waiting in the outbox under that number, with these picture stores (the
    // session's sender, or its courier); none: the change waits for the outbox's next round.
    std::function<DeliveryReport(qint64 entry, const PictureStoreFactory& pictures)> deliver;
};

// The whole save of a listing: the local row (with its number, pictures and work note) and the
// change of its shared copy (an entry of the outbox) in one transaction; then the outbox sends
// the change as it sends every other. Nothing here talks to the user: the result says what
// happened, and a failure never reads as success.
class ListingSaveService {
public:
    explicit ListingSaveService(ListingSaveTargets targets);

    ListingSaveResult save(const ListingSaveRequest& request);
    // What the form lacks before anything can be written (NoAddress, NoGrade); nullopt when the
    // request can be saved. save() refuses the same; the window asks first to refuse before its
    // own questions.
    static std::optional<ListingSaveResult::Local> lacking(const ListingSaveRequest& request);

private:
    void saveLocal(const ListingSaveRequest& request, ListingSaveResult& result);
    bool keepsPublication(const ListingSaveRequest& request) const;
    int writeRow(const ListingSaveRequest& request, ListingRow row, ListingSaveResult& result);
    void writeImageBox(const ListingSaveRequest& request, int number, const ListingRow& row,
                       ListingSaveResult& result);
    // Inside the save's transaction: the copy's change as the outbox's entry (0: none).
    qint64 planSharing(const ListingSaveRequest& request, int number, ListingSaveResult& result,
                       bool& withdrawing);
    qint64 queue(int number, OutboxKind kind, const ListingSaveRequest& request, ListingSaveResult& result);
    int pictureChoice(const ListingSaveRequest& request, int number) const;
    void deliver(qint64 entry, bool withdrawing, ListingSaveResult& result);
    void setLocalState(int number, int state);

    ListingSaveTargets m_targets;
};

// The targets of the logged-in office.
ListingSaveTargets sessionSaveTargets(Session& session);

// The transaction (`ty`) stored with a listing: what its form says, unless the listing is stored
// and its form was not changed (a presale 분양권 shows as 매매 in the form and stays 분양권).
QString transactionToStore(const std::optional<ListingRow>& asOpened, const QString& form);
// The name as stored: the name box's placeholder (a type's name caption, "단지명") is no name.
QString nameToStore(const QString& typed);
// Who hid the seller's details (`opid`): whoever hid them first keeps them hidden; unticked, nobody.
QString sellerHiddenBy(bool hidden, const QString& hiddenBefore, const QString& loginId);

// A stored listing as the registration window opens it.
struct ListingToEdit {
    ListingRow row;
    std::optional<ListingRow> sharedCopy; // when the server could be read
    // Shared: its copy was found, or (offline) its row says published, which the save keeps.
    bool shared = false;
    bool archived = false;
    QString hiddenBy; // who hid the seller's details, else empty
    QDate registered; // `writeday`, today when the row has none
    QDate expires;    // `offday`, defaultExpiry when the row has none
};
// A listing is offered for three months unless the office says otherwise.
QDate defaultExpiry(const QDate& registered);
// nullopt when the listing is not stored (deleted elsewhere). A server that fails is written to
// the log under `label`: the listing opens without its copy. Throws StoreError for the office
// database.
std::optional<ListingToEdit> listingToEdit(Session& session, int number, const QString& label);

} // namespace teran
