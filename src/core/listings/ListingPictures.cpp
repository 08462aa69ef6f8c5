#include "ListingPictures.h"

#include "register/ListingImageName.h"

namespace teran {

namespace {

constexpr int kBoxSlots = 6;

const QString kSeparator = QStringLiteral("|");

bool isFlaggedForServer(const QString& flag) {
    return flag == QLatin1String("internet") || flag == QLatin1String("gita_ie");
}

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

ListingPictures::ImageBox ListingPictures::readImageBox(int number) {
    QSqlQuery q = m_listing.query(
        QStringLiteral(
            "SELECT Img1, Img2 FROM filebox WHERE tidx = ? AND Img1 <> '' ORDER BY table_idx DESC"),
        {number});
    if (!q.next())
        return {};
    return {q.value(0).toString().split(kSeparator), q.value(1).toString().split(kSeparator)};
}

ListingPictures::Published ListingPictures::publish(int number, const QString& imgname1,
                                                    const QString& imgname2) {
    const ImageBox box = readImageBox(number);
    Published result;
    for (const QString& name : {imgname1, imgname2})
        if (!name.isEmpty() && !m_ftp.up(name))
            result.complete = false;
    if (box.flags.isEmpty())
        return result;
    const QStringList stems = boxStems(m_officeId, number);
    for (int slot = 0; slot < kBoxSlots; ++slot) {
        const QString name = box.names.value(slot);
        if (isFlaggedForServer(box.flags.value(slot)) && !name.isEmpty()) {
            if (m_ftp.up(name))
                result.boxNames << name;
            else
                result.complete = false;
        } else if (!m_ftp.delAll(stems.at(slot))) {
            result.complete = false;
        }
    }
    // The flags from before the last local save only tell what still has to go up.
    if (result.complete)
        m_listing.execute(QStringLiteral("UPDATE filebox SET img3 = '' WHERE tidx = ? AND Img1 <> ''"),
                          {number});
    return result;
}

bool ListingPictures::withdraw(int number, const QStringList& names) {
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
