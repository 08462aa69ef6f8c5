#include "PictureLabel.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

namespace teran {

QPixmap scaledPicture(const QString& path, const QSize& size) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && size.isValid())
        reader.setScaledSize(full.scaled(size, Qt::KeepAspectRatio));
    return QPixmap::fromImageReader(&reader);
}

bool isPicture(const QString& path) {
    return QImageReader(path).canRead();
}

void showPictureIn(QLabel* label, const QString& path) {
    const QPixmap picture = path.isEmpty() ? QPixmap() : scaledPicture(path, label->size());
    if (picture.isNull()) {
        label->setPixmap({});
        label->setText(path.isEmpty() ? QStringLiteral("사진 없음") : QFileInfo(path).fileName());
    } else {
        label->setPixmap(picture);
    }
    label->setToolTip(path);
}

} // namespace teran
