#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace teran {

class Session;
class SqlStore;

// Who a note belongs to (`mem_work.tb`).
namespace NoteKind {
inline const QString Buyer = QStringLiteral("maesuin");
inline const QString Card = QStringLiteral("namecard");
inline const QString Customer = QStringLiteral("customer");
inline const QString Listing = QStringLiteral("maemul");
inline const QString ListingForm = QStringLiteral("frmInsert");
inline const QString Group = QStringLiteral("group");
inline const QString Seller = QStringLiteral("maedo");
} // namespace NoteKind

// One dated note of a buyer, card, customer, listing, lot address or group (`mem_work`).
struct WorkNote {
    int number = 0;
    QDateTime writeday;
    QString opid; // empty: every user sees it; else only that user
    QString work;
};

// A note to be written: its owner (kind and number, the member it is kept for, and for a
// listing's lot notes the lot address), the day and the text; `opid` makes it private.
struct NewWorkNote {
    QString kind;
    int owner = 0;
    QString member;
    QDate day;
    QString work;
    QString opid;
    QString ty;
    QString lot;
};

// The one home of `mem_work`. Every read shows the viewer the public notes and the viewer's own
// private ones only, whoever the viewer is (the office's main account included). Writes throw
// StoreError; the caller holds the transaction when a note goes with other rows.
class WorkNoteBook {
public:
    WorkNoteBook(SqlStore& store, QString viewer);
    explicit WorkNoteBook(Session& session); // the office database, as the logged-in user

    // The notes of an owner, newest first.
    QList<WorkNote> of(const QString& kind, int owner) const;
    // A listing's own notes (not those kept under its lot) and the notes kept under a lot.
    QList<WorkNote> ofListing(int number) const;
    QList<WorkNote> ofLot(const QString& lot) const;
    // The notes a note window keeps: those of a lot when one is named, a listing's own notes, or
    // the owner's.
    QList<WorkNote> ofOwner(const QString& kind, int owner, const QString& lot = {}) const;
    // nullopt when there is no such note or the viewer may not see it.
    std::optional<WorkNote> read(int note) const;

    int add(const NewWorkNote& note); // its number
    // A note the viewer cannot see is left as it is.
    void update(int note, const QDate& day, const QString& work);
    void remove(int note);
    void removeAllOf(const QString& kind, int owner);
    // Copies every note of one owner to another (a buyer's notes to the customer made of him).
    void copyAll(const QString& fromKind, int from, const QString& toKind, int to);

    // How a note shows in a one-line list: its day as "MMdd" and its text on one line.
    static QString listDay(const WorkNote& note);
    static QString listText(const WorkNote& note);

private:
    QList<WorkNote> notesWhere(const QString& condition, const QVariantList& values) const;

    SqlStore& m_store;
    QString m_viewer;
};

// The lot address a note is kept under: addr1 & addr2 & addr3 & the trimmed addr4.
QString lotAddress(const QString& addr1, const QString& addr2, const QString& addr3, const QString& addr4);

} // namespace teran
