#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace teran {

class Session;

class SqlStore;

// One dated note on a listing or on its lot (`mem_work`).
struct WorkNote {
    QDateTime writeday;
    QString opid;
    QString work;
};

// The notes of a listing, newest first; with `lot` the notes kept for that lot address.
QList<WorkNote> listingWorkNotes(SqlStore& store, int number);
QList<WorkNote> lotWorkNotes(SqlStore& store, const QString& lot);
// The same, from the session's office database.
QList<WorkNote> listingWorkNotes(Session& session, int number);
QList<WorkNote> lotWorkNotes(Session& session, const QString& lot);

// The lot address a note is kept under: addr1 & addr2 & addr3 & the trimmed addr4.
QString lotAddress(const QString& addr1, const QString& addr2, const QString& addr3, const QString& addr4);

} // namespace teran
