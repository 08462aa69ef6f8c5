#include "PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace teran {

QImage readScaledPicture(const QString& path, QSize bound) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize full = reader.size();
    if (!full.isValid())
        return {};
    // The bound holds for the picture as it stands, which a quarter turn swaps.
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        bound.transpose();
    if (bound.isValid() && (full.width() > bound.width() || full.height() > bound.height()))
        reader.setScaledSize(full.scaled(bound, Qt::KeepAspectRatio));
    return reader.read();
}

QString pictureProblem(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile())
        return QStringLiteral("파일이 없습니다: ") + path;
    if (file.size() == 0)
        return QStringLiteral("빈 파일입니다 (0 바이트): ") + file.fileName();
    QImageReader reader(path);
    // Judged by the contents: a text file named .jpg is not a picture.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead() || !reader.size().isValid())
        return QStringLiteral("그림 파일이 아닙니다: ") + file.fileName();
    if (readScaledPicture(path, {64, 64}).isNull())
        return QStringLiteral("그림을 읽을 수 없습니다 (손상된 파일): ") + file.fileName();
    return {};
}

} // namespace teran
