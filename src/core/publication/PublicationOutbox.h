#pragma once

#include "core/listing/ListingRepository.h"
#include "core/listing/PropertyTypes.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace teran {

class SqlStore;

// What a waiting change does to a listing's server copy. Each is sent as "make the copy agree
// with the listing as it stands now", so a change that waited is never sent staler than the row.
enum class OutboxKind {
    Send,     // the whole copy (and, when asked or new, its pictures)
    State,    // the copy's state only, where the copy is there
    Withdraw, // the copy and its pictures off the server
    Delete,   // as Withdraw, then the listing's local files
    Refresh,  // the copy's date, where the copy is there
    // Not a listing: an office row whose copy the server keeps under the office's id and the
    // row's number (a confirmation form's copy in `mem_moo_mul`). The entry carries the copy's
    // values; an entry without values takes the copy away.
    ServerRow,
};

struct OutboxEntry {
    qint64 id = 0;
    int number = 0;
    OutboxKind kind = OutboxKind::Send;
    bool pictures = false; // send the pictures even when the copy is there
    // What a save chose to send (pictures false): kPicturesChosen with the flags below.
    static constexpr int kPicturesChosen = 2;
    static constexpr int kFirstPictureNew = 4; // chosen or first shared: goes up even when named
    static constexpr int kSecondPictureNew = 8;
    static constexpr int kBoxChanged = 16;
    int pictureChoice = 0;
    bool resetHits = false;               // the copy's grades back to 0
    std::optional<int> previousState;     // the listing's state before the change
    std::optional<Disclosure> disclosure; // what the registration window chose to show
    QStringList pictureNames;             // to delete from the picture server
    QStringList localFiles;               // to delete from the data folder once sent
    QByteArray removedRows;               // the rows a deletion took away, for a cancel
    QString target;                       // ServerRow: the server's table
    QVariantMap serverRow;                // ServerRow: the copy's values (none: remove it)
    QString label;                        // the listing as the lists name it
    QString loginId;
    QDateTime made;
    int tries = 0;
    QString lastError;

    // What the change is about: a listing, or an office row of `target`. The changes of one
    // subject go out in the order they were made.
    QString subject() const;
};

// The office's queue of changes to shared listings (`outbox` of the office database). A change
// that needs the server is written here in the same local transaction as the change itself, so
// that nothing the user did is forgotten when the program is killed or the server is away; the
// sender takes the entries in order and removes each one that went out.
class PublicationOutbox {
public:
    explicit PublicationOutbox(SqlStore& local);

    // Inside the caller's transaction. Returns the entry's number.
    qint64 add(const OutboxEntry& entry);
    QList<OutboxEntry> waiting();
    std::optional<OutboxEntry> entry(qint64 id);
    int count();
    void sent(qint64 id);
    void failed(qint64 id, const QString& error);

    // Takes back a waiting change and every later one of the same subject: a listing gets the
    // state it had before, and a deleted listing comes back with its image box; an office row's
    // copy stays on the server as it was. False when the entry was sent meanwhile.
    bool cancel(qint64 id);

    // The rows of `maemul` and `filebox` of a listing, as a deletion keeps them for a cancel.
    static QByteArray rowsOf(SqlStore& local, int number);

private:
    void putBack(const QByteArray& rows);

    SqlStore& m_local;
};

QString outboxKindName(OutboxKind kind);

// A change of listing `number` as the outbox keeps it: who made it, when, and the state the
// listing had before (for a cancel).
OutboxEntry outboxEntry(int number, OutboxKind kind, std::optional<int> previousState, const QString& label,
                        const QString& loginId, const QDateTime& made);
// The copy of office row `number` of server table `table` made to hold `values` (none: taken
// away).
OutboxEntry serverRowEntry(const QString& table, int number, const QVariantMap& values, const QString& label,
                           const QString& loginId, const QDateTime& made);

} // namespace teran
