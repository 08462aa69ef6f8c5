#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>

namespace teran {

DataFolder::DataFolder(QString root)
    : m_root(QDir::cleanPath(root)) {
    if (!m_root.endsWith(QLatin1Char('/')))
        m_root += QLatin1Char('/');
}

QString DataFolder::path(const QString& relative) const {
    return m_root + relative;
}

QString DataFolder::rd() const {
    return path(QStringLiteral("rd/"));
}

QString DataFolder::listingStoreFile() const {
    return path(QStringLiteral("rd/terandb.db"));
}

QString DataFolder::files() const {
    return path(QStringLiteral("files/"));
}

QString DataFolder::log() const {
    return path(QStringLiteral("Log/"));
}

QString DataFolder::tmpImg() const {
    return path(QStringLiteral("TmpImgDownLoadFile/"));
}

bool DataFolder::hasListingStore() const {
    return QFileInfo(listingStoreFile()).isFile();
}

bool DataFolder::ensureFolders() const {
    QDir dir;
    return dir.mkpath(rd()) && dir.mkpath(files()) && dir.mkpath(log()) && dir.mkpath(tmpImg());
}

} // namespace teran
