#include "ImageBox.h"
#include "core/session/Session.h"

#include "ListingImageName.h"
#include "core/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace teran {

namespace {

const QString kSeparator = QStringLiteral("|");
const QString kSource = QStringLiteral("ImageBoxStore");

} // namespace

QString ImageBoxSlot::flag() const {
    switch (kind) {
    case Kind::Chosen:
        return publish ? QStringLiteral("internet") : QStringLiteral("local");
    case Kind::Stored:
        return publish ? QStringLiteral("gita_ie") : QStringLiteral("gita_lo");
    case Kind::Empty:
        break;
    }
    return QStringLiteral("noimg");
}

ImageBoxSlot ImageBoxSlot::fromFlag(const QString& flag, const QString& entry) {
    ImageBoxSlot slot;
    if (entry.isEmpty())
        return slot;
    if (flag == QLatin1String("internet") || flag == QLatin1String("local"))
        slot.kind = Kind::Chosen;
    else if (flag == QLatin1String("gita_ie") || flag == QLatin1String("gita_lo"))
        slot.kind = Kind::Stored;
    else
        return slot;
    slot.entry = entry;
    slot.publish = flag == QLatin1String("internet") || flag == QLatin1String("gita_ie");
    return slot;
}

ImageBoxList ImageBoxList::fromLists(const QString& names, const QString& flags) {
    const QStringList nameList = names.split(kSeparator);
    const QStringList flagList = flags.split(kSeparator);
    ImageBoxList box;
    for (int k = 0; k < kSlots; ++k)
        box.slot(k) = ImageBoxSlot::fromFlag(flagList.value(k), nameList.value(k));
    return box;
}

QString ImageBoxList::names() const {
    QStringList names;
    for (const ImageBoxSlot& slot : m_slots)
        names << slot.entry;
    return names.join(kSeparator);
}

QString ImageBoxList::flags() const {
    QStringList flags;
    for (const ImageBoxSlot& slot : m_slots)
        flags << slot.flag();
    return flags.join(kSeparator);
}

bool ImageBoxList::hasPictures() const {
    return std::any_of(m_slots.begin(), m_slots.end(),
                       [](const ImageBoxSlot& slot) { return slot.kind != ImageBoxSlot::Kind::Empty; });
}

QStringList ImageBoxList::fill(const QStringList& paths, bool publish) {
    QStringList left = paths;
    for (ImageBoxSlot& slot : m_slots) {
        if (left.isEmpty())
            break;
        if (slot.kind == ImageBoxSlot::Kind::Empty)
            slot = {ImageBoxSlot::Kind::Chosen, left.takeFirst(), publish};
    }
    return left;
}

ImageBoxStore::ImageBoxStore(SqlStore& local, QString filesDir, QString officeId)
    : m_local(local)
    , m_filesDir(std::move(filesDir))
    , m_officeId(std::move(officeId)) {}

std::optional<ImageBoxList> ImageBoxStore::read(SqlStore& local, int number) {
    QSqlQuery q = local.query(
        QStringLiteral(
            "SELECT Img1, Img2 FROM filebox WHERE tidx = ? AND Img1 <> '' ORDER BY table_idx DESC"),
        {number});
    if (!q.next())
        return std::nullopt;
    return ImageBoxList::fromLists(q.value(1).toString(), q.value(0).toString());
}

bool ImageBoxStore::pending(SqlStore& local, int number) {
    return !local
                .scalar(QStringLiteral("SELECT img3 FROM filebox WHERE tidx = ? AND Img1 <> '' "
                                       "ORDER BY table_idx DESC"),
                        {number})
                .toString()
                .isEmpty();
}

ImageBoxList ImageBoxStore::save(int number, int sourceNumber, const QString& tb, const QString& ty,
                                 const ImageBoxList& box) {
    const bool hadRow = read(m_local, number).has_value();
    if (!box.hasPictures() && !hadRow && sourceNumber == number)
        return box; // a listing that never had box pictures has no row
    ImageBoxList stored = box;
    for (int k = 0; k < ImageBoxList::kSlots; ++k) {
        ImageBoxSlot& slot = stored.slot(k);
        if (slot.kind == ImageBoxSlot::Kind::Chosen)
            slot = {ImageBoxSlot::Kind::Stored, place(number, k, slot.entry), slot.publish};
        else if (slot.kind == ImageBoxSlot::Kind::Stored && sourceNumber != number)
            slot.entry = place(number, k, QDir(m_filesDir).filePath(slot.entry));
        else if (slot.kind == ImageBoxSlot::Kind::Empty)
            removePicturesOfStems(m_filesDir, slotPictureStems(m_officeId, number, imageBoxSuffix(k)));
    }
    m_local.execute(QStringLiteral("DELETE FROM filebox WHERE tidx = ?"), {number});
    // A copy is a new listing: each of its pictures comes to it now.
    ImageBoxList before = box;
    for (int k = 0; sourceNumber != number && k < ImageBoxList::kSlots; ++k)
        if (before.slot(k).kind == ImageBoxSlot::Kind::Stored)
            before.slot(k).kind = ImageBoxSlot::Kind::Chosen;
    m_local.execute(
        QStringLiteral("INSERT INTO filebox (tb, ty, tidx, Img1, Img2, img3) VALUES (?, ?, ?, ?, ?, ?)"),
        {tb, ty, number, stored.flags(), stored.names(), before.flags()});
    return stored;
}

QString ImageBoxStore::place(int number, int slot, const QString& source) {
    return placeListingPicture(m_filesDir, m_officeId, number, imageBoxSuffix(slot), source);
}

QString placeListingPicture(const QString& filesDir, const QString& officeId, int number,
                            const QString& suffix, const QString& source) {
    const QString name = ListingImageName(officeId, number, suffix, QFileInfo(source).fileName());
    const QString target = QDir(filesDir).filePath(name);
    if (QFileInfo(source).absoluteFilePath() != QFileInfo(target).absoluteFilePath()) {
        QDir().mkpath(filesDir);
        QFile::remove(target);
        if (!QFile::copy(source, target))
            throw StoreError(QStringLiteral("the picture %1 cannot be copied to %2").arg(source, target),
                             kSource);
    }
    // A picture of another extension (or of the older name) that the slot held before would be
    // found by its stem.
    removePicturesOfStems(filesDir, slotPictureStems(officeId, number, suffix), name);
    return name;
}

void removePicturesOfStem(const QString& dir, const QString& stem, const QString& keep) {
    removePicturesOfStems(dir, {stem}, keep);
}

void removePicturesOfStems(const QString& dir, const QStringList& stems, const QString& keep) {
    const QDir files(dir);
    QStringList patterns;
    for (const QString& stem : stems)
        patterns << stem + QLatin1Char('*');
    for (const QString& name : files.entryList(patterns, QDir::Files)) {
        const bool ofAStem = std::any_of(stems.cbegin(), stems.cend(),
                                         [&name](const QString& stem) { return isImageOfStem(name, stem); });
        if (name != keep && ofAStem)
            QFile::remove(files.filePath(name));
    }
}

QStringList slotPictureStems(const QString& officeId, int number, const QString& suffix) {
    return {ListingImageStem(officeId, number, suffix), legacyListingImageStem(officeId, number, suffix)};
}

QStringList listingPictureStems(const QString& officeId, int number) {
    QStringList stems;
    for (int picture : {1, 2})
        stems << slotPictureStems(officeId, number, mainPictureSuffix(picture));
    for (int slot = 0; slot < ImageBoxList::kSlots; ++slot)
        stems << slotPictureStems(officeId, number, imageBoxSuffix(slot));
    return stems;
}

std::optional<ImageBoxList> ImageBoxStore::read(Session& session, int number) {
    return read(session.listingStore(), number);
}

} // namespace teran
