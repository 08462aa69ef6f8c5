#pragma once

#include "core/listing/ListingRepository.h"
#include "core/listing/PropertyTypes.h"
#include "core/store/SqlStore.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantHash>
#include <array>

namespace teran {

class Session;

// The server copies can be read and written now: the office works online, the internet answers
// and the ServerStore is open.
bool serverCopiesReachable(Session& session);

// The published copies of one office's listings on the ServerStore: the `maemul` row keyed by
// (`id`, `sub_idx`) = (the office's main id, the local number) and its `filebox` row. Every
// method throws StoreError when the server refuses; nothing is half written then.
class ServerCopy {
public:
    ServerCopy(SqlStore& listing, SqlStore& server, QString officeId);

    bool exists(int number);

    // The copy of another office row that the server keeps under the office's id and the row's
    // number (`ID`, `tidx` of `table`): written with `values`, or taken away when there are none.
    void writeOfficeRow(const QString& table, int number, const QVariantMap& values);
    // The two main picture names the copy gives (empty where it gives none, or has no copy).
    std::array<QString, 2> mainPictures(int number);

    // Writes the copy of a local listing through the upload columns of its type, in the given
    // state, dated `uploadTime`. A copy that is already there is refused (StoreError).
    void insert(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime);

    // Writes the whole copy from the local row, replacing one that is there (in one transaction):
    // a publication never adopts what an older copy of the same number said. It shows what the
    // row keeps as the office's choice (storedDisclosure), everything for a row without one. The
    // promotion grades of the copy that was there stay unless `resetHits`.
    void write(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime,
               bool resetHits);

    // Writes the copy of a local listing as the office chose to disclose it, replacing one that
    // is there (its server number and, for a promoted grade, its expiry stay).
    void publish(const ListingRow& local, const Disclosure& disclosure);
    // The same from the stored local row (the promotion grades as the disclosure gives them).
    void publish(int number, const QString& tb, const Disclosure& disclosure);

    // The copy and its image-box row exactly as they are on the server, to be put back when a
    // later step of the same change fails.
    struct Snapshot {
        bool existed = false;
        QVariantHash row;
        QList<QVariantHash> fileBox;
    };
    Snapshot snapshot(int number);
    // Puts a copy back as the snapshot had it (and removes a copy made since when it had none).
    void restore(int number, const Snapshot& snapshot);

    // Gives an existing copy a new state (and no promotion grades when asked); false when the
    // server holds no copy of the listing.
    bool setState(int number, PublicationState state, bool resetHits);

    // Replaces the copy's image-box row with the names published; no row when there are none.
    void writeFileBox(int number, const QString& tb, const QString& ty, const QStringList& names,
                      const QDateTime& now);

    // The copy stops naming these main pictures (ones that did not arrive on the picture server).
    void leaveOutPictures(int number, const QStringList& names);
    // The image-box pictures the copy's filebox row names.
    QStringList boxPictures(int number);

    struct Removed {
        bool existed = false;
        QStringList pictureNames; // the copy's pictures, to be deleted from the picture server
    };
    // What remove() would delete: whether there is a copy, and the pictures it names. The
    // pictures go first, while the copy still records them: the picture server lets an office
    // delete its pictures from before the office folders only by what the server records.
    Removed recordedPictures(int number);
    // Deletes the copy and its image-box row together.
    Removed remove(int number);

    // Dates the copies of the listings `now`; returns the numbers that had a copy.
    QList<int> refreshShowday(const QList<int>& numbers, const QDateTime& now);
    // Dates every copy of the office `now`; returns how many there were.
    int refreshAll(const QDateTime& now);

    // The staff member in charge shown with the copy; false when there is no copy.
    bool setInCharge(int number, const QString& subid);

private:
    Removed removeNow(int number);
    void insertAs(int number, const QString& tb, PublicationState state, const QDateTime& uploadTime,
                  const QVariant& serverKey);
    ListingRow localListing(int number, const QString& tb);
    void insertCopy(const ListingRow& local, const Disclosure& disclosure, const QVariant& serverKey,
                    const QVariant& keptEndday);
    void replace(const ListingRow& local, Disclosure disclosure, bool keepHits);

    SqlStore& m_listing;
    SqlStore& m_server;
    QString m_officeId;
};

} // namespace teran
