#include "ListingPictures.h"

#include "ImageBox.h"
#include "ListingImageName.h"

namespace teran {

namespace {

constexpr int kBoxSlots = ImageBoxList::kSlots;

} // namespace

ListingPictures::ListingPictures(SqlStore& listing, QString officeId, PictureSession& ftp)
    : m_listing(listing)
    , m_officeId(std::move(officeId))
    , m_ftp(ftp) {}

QStringList ListingPictures::boxStems(const QString& officeId, int number) {
    QStringList stems;
    for (int slot = 0; slot < kBoxSlots; ++slot)
        stems << ListingImageStem(officeId, number, imageBoxSuffix(slot));
    return stems;
}

ListingPictures::Published ListingPictures::publish(int number, const QString& imgname1,
                                                    const QString& imgname2, bool withBox) {
    const std::optional<ImageBoxList> box = withBox ? ImageBoxStore::read(m_listing, number) : std::nullopt;
    Published result;
    for (const QString& name : {imgname1, imgname2})
        if (!name.isEmpty() && !m_ftp.up(name))
            result.unsent << name;
    if (box) {
        const QStringList stems = boxStems(m_officeId, number);
        for (int k = 0; k < kBoxSlots; ++k) {
            const ImageBoxSlot& slot = box->slot(k);
            // A stored row names every picture by its final name, whatever its flag says.
            if (slot.kind != ImageBoxSlot::Kind::Empty && slot.publish) {
                if (m_ftp.up(slot.entry))
                    result.boxNames << slot.entry;
                else
                    result.unsent << slot.entry;
            } else if (!m_ftp.delAll(stems.at(k))) {
                result.complete = false;
            }
        }
    }
    result.complete = result.complete && result.unsent.isEmpty();
    // The flags from before the last local save only tell what still has to go up.
    if (box && result.complete)
        m_listing.execute(QStringLiteral("UPDATE filebox SET img3 = '' WHERE tidx = ? AND Img1 <> ''"),
                          {number});
    return result;
}

bool ListingPictures::withdraw(int number, QStringList names) {
    names.removeAll(QString());
    names.removeDuplicates();
    bool complete = true;
    for (const QString& name : names)
        if (!name.isEmpty() && !m_ftp.del(name))
            complete = false;
    for (const QString& stem : boxStems(m_officeId, number))
        if (!m_ftp.delAll(stem))
            complete = false;
    return complete;
}

} // namespace teran
