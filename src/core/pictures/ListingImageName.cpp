#include "ListingImageName.h"

#include <QRegularExpression>

namespace teran {

QString mainPictureSuffix(int picture) {
    return QLatin1Char('_') + QString::number(picture);
}

QString imageBoxSuffix(int slot) {
    return QLatin1Char('_') + QString::number(slot + 3);
}

QString chosenFileExtension(const QString& chosenFileName) {
    // Paths of either platform: only the file's own name can carry the extension.
    const qsizetype separator =
        std::max(chosenFileName.lastIndexOf(QLatin1Char('/')), chosenFileName.lastIndexOf(QLatin1Char('\\')));
    const QString fileName = chosenFileName.mid(separator + 1);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

QString ListingImageStem(const QString& officeId, qint64 listingNumber, const QString& suffix) {
    return officeId + QLatin1Char('-') + QString::number(listingNumber) + suffix;
}

QString legacyListingImageStem(const QString& officeId, qint64 listingNumber, const QString& suffix) {
    return officeId + QString::number(listingNumber) + suffix;
}

QString pictureFolderOf(const QString& name) {
    static const QRegularExpression named(QStringLiteral("^([^-./\\\\]+)-[0-9]+_[0-9]+(\\.[^./\\\\]*)?$"));
    const QRegularExpressionMatch match = named.match(name);
    return match.hasMatch() ? match.captured(1) + QLatin1Char('/') : QString();
}

QString ListingImageName(const QString& officeId, qint64 listingNumber, const QString& suffix,
                         const QString& chosenFileName) {
    const QString stem = ListingImageStem(officeId, listingNumber, suffix);
    const QString extension = chosenFileExtension(chosenFileName);
    return extension.isEmpty() ? stem : stem + QLatin1Char('.') + extension;
}

bool isImageOfStem(const QString& fileName, const QString& stem) {
    if (stem.isEmpty() || !fileName.startsWith(stem))
        return false;
    if (fileName.size() == stem.size())
        return true;
    if (fileName.at(stem.size()) != QLatin1Char('.'))
        return false;
    const QString extension = fileName.mid(stem.size() + 1);
    return !extension.isEmpty() && !extension.contains(QLatin1Char('.'));
}

bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace teran
