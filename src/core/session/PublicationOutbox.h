#pragma once

#include "session/ListingRepository.h"
#include "session/PropertyTypes.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

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
};

struct OutboxEntry {
    qint64 id = 0;
    int number = 0;
    OutboxKind kind = OutboxKind::Send;
    bool pictures = false;                // send the pictures even when the copy is there
    bool resetHits = false;               // the copy's grades back to 0
    std::optional<int> previousState;     // the listing's state before the change
    std::optional<Disclosure> disclosure; // what the registration window chose to show
    QStringList pictureNames;             // to delete from the picture server
    QStringList localFiles;               // to delete from the data folder once sent
    QByteArray removedRows;               // the rows a deletion took away, for a cancel
    QString label;                        // the listing as the lists name it
    QString loginId;
    QDateTime made;
    int tries = 0;
    QString lastError;
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

    // Takes back a waiting change and every later one of the same listing: the listing gets the
    // state it had before, and a deleted listing comes back with its image box. False when the
    // entry was sent meanwhile.
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

} // namespace teran
