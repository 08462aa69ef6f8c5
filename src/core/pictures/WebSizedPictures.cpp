#include "WebSizedPictures.h"
#include "PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

namespace teran {

WebSizedPictures::WebSizedPictures() = default;
WebSizedPictures::~WebSizedPictures() = default;

QString WebSizedPictures::toSend(const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || std::max(size.width(), size.height()) <= kLongSide)
        return path;
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        return path;
    // Decoding at the smaller size lets the JPEG decoder skip most of the work.
    const QImage scaled = readScaledPicture(path, QSize(kLongSide, kLongSide));
    if (scaled.isNull())
        return path;
    if (!m_work)
        m_work = std::make_unique<QTemporaryDir>();
    const QString target = QDir(m_work->path()).filePath(QFileInfo(path).fileName());
    QImageWriter writer(target, format);
    writer.setQuality(85);
    return m_work->isValid() && writer.write(scaled) ? target : path;
}

} // namespace teran
