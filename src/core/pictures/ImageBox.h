#pragma once

#include "core/store/SqlStore.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace teran {

class Session;

// The six further pictures of a listing. Each slot holds a picture chosen now (its source path,
// to be copied into files/ when the listing is saved), a picture stored under its final name, or
// nothing; and whether the picture goes out with the shared listing.
struct ImageBoxSlot {
    enum class Kind { Empty, Chosen, Stored };
    Kind kind = Kind::Empty;
    QString entry; // the source path (Chosen) or the stored name (Stored)
    bool publish = false;

    // "local", "internet", "gita_lo", "gita_ie" or "noimg", as the stores keep it.
    QString flag() const;
    static ImageBoxSlot fromFlag(const QString& flag, const QString& entry);
    bool operator==(const ImageBoxSlot&) const = default;
};

class ImageBoxList {
public:
    static constexpr int kSlots = 6;

    // From the "|"-joined name and flag lists of the `filebox` row; missing or unknown entries
    // read as empty slots.
    static ImageBoxList fromLists(const QString& names, const QString& flags);
    QString names() const;
    QString flags() const;

    ImageBoxSlot& slot(int k) { return m_slots.at(size_t(k)); }
    const ImageBoxSlot& slot(int k) const { return m_slots.at(size_t(k)); }
    bool hasPictures() const;
    // Puts the chosen files into the free slots in order; the files that found no slot.
    QStringList fill(const QStringList& paths, bool publish);
    bool operator==(const ImageBoxList&) const = default;

private:
    std::array<ImageBoxSlot, kSlots> m_slots{};
};

// Copies a chosen picture into files/ under the listing's name for the slot suffix, replacing any
// file of that slot whatever its extension; the name. Throws StoreError when it cannot be copied.
QString placeListingPicture(const QString& filesDir, const QString& officeId, int number,
                            const QString& suffix, const QString& source);
// Deletes the files of a name stem in `dir` (any extension), except `keep`.
void removePicturesOfStem(const QString& dir, const QString& stem, const QString& keep = {});
// The same for several stems, the folder listed once.
void removePicturesOfStems(const QString& dir, const QStringList& stems, const QString& keep = {});
// The stems one slot's picture can take: its name now, and the one an older version gave it.
QStringList slotPictureStems(const QString& officeId, int number, const QString& suffix);
// Every stem a listing's pictures can take: the two main pictures and the image-box slots.
QStringList listingPictureStems(const QString& officeId, int number);

// The image box of a listing in the office's `filebox` row: the current lists (Img1 flags,
// Img2 names) and, in img3, the flags as they stood before the last local save, which marks that
// the shared copy's pictures still have to follow.
class ImageBoxStore {
public:
    ImageBoxStore(SqlStore& local, QString filesDir, QString officeId);

    // The listing's box; nullopt when it never had one.
    static std::optional<ImageBoxList> read(SqlStore& local, int number);
    static std::optional<ImageBoxList> read(Session& session, int number); // the office database's
    // True while a change of the box has not reached the picture server.
    static bool pending(SqlStore& local, int number);

    // Part of the listing's save: copies the chosen pictures into files/ under the listing's
    // names for their slots, removes the files of emptied slots and writes the row. `sourceNumber`
    // is the listing a copy was made from (its stored pictures are copied under the new number),
    // or `number` itself. Throws StoreError when a file cannot be copied or the row written.
    ImageBoxList save(int number, int sourceNumber, const QString& tb, const QString& ty,
                      const ImageBoxList& box);

private:
    QString place(int number, int slot, const QString& source);

    SqlStore& m_local;
    QString m_filesDir;
    QString m_officeId;
};

} // namespace teran
