#include "PictureLabel.h"

#include "core/pictures/PictureFile.h"

#include <QFileInfo>
#include <QLabel>

namespace teran {

QPixmap scaledPicture(const QString& path, const QSize& size) {
    return QPixmap::fromImage(size.isValid() ? readScaledPicture(path, size) : readScaledPicture(path));
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
