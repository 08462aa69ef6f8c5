#include "ListingPictures.h"

#include "ImageBox.h"
#include "ListingImageName.h"

namespace teran {

namespace {

constexpr int kBoxSlots = ImageBoxList::kSlots;

} // namespace

ListingPictures::ListingPictures(SqlStore& listing, PictureSession& ftp)
    : m_listing(listing)
    , m_ftp(ftp) {}

ListingPictures::Published ListingPictures::publish(int number, const QString& imgname1,
                                                    const QString& imgname2, bool withBox,
                                                    const QStringList& published) {
    const std::optional<ImageBoxList> box = withBox ? ImageBoxStore::read(m_listing, number) : std::nullopt;
    Published result;
    for (const QString& name : {imgname1, imgname2})
        if (!name.isEmpty() && !m_ftp.up(name))
            result.unsent << name;
    if (box) {
        for (int k = 0; k < kBoxSlots; ++k) {
            const ImageBoxSlot& slot = box->slot(k);
            // A stored row names every picture by its final name, whatever its flag says.
            if (slot.kind == ImageBoxSlot::Kind::Empty || !slot.publish)
                continue;
            if (m_ftp.up(slot.entry))
                result.boxNames << slot.entry;
            else
                result.unsent << slot.entry;
        }
        // What the copy named before and names no more (a slot emptied, unflagged or given a
        // picture of another extension) goes; a picture that failed to go up again stays.
        QStringList stale;
        for (const QString& name : published)
            if (!result.boxNames.contains(name) && !result.unsent.contains(name) && name != imgname1 &&
                name != imgname2)
                stale << name;
        result.complete = withdraw(stale);
    }
    result.complete = result.complete && result.unsent.isEmpty();
    // The flags from before the last local save only tell what still has to go up.
    if (box && result.complete)
        m_listing.execute(QStringLiteral("UPDATE filebox SET img3 = '' WHERE tidx = ? AND Img1 <> ''"),
                          {number});
    return result;
}

bool ListingPictures::withdraw(QStringList names) {
    names.removeAll(QString());
    names.removeDuplicates();
    bool complete = true;
    for (const QString& name : std::as_const(names))
        if (!m_ftp.del(name))
            complete = false;
    return complete;
}

} // namespace teran
