#pragma once

#include <QPixmap>
#include <QString>

class QLabel;

namespace teran {

// A picture file no larger than `size` (a full view without one), turned as its EXIF says and
// decoded at that size; null when the file is no picture.
QPixmap scaledPicture(const QString& path, const QSize& size = {});

// Shows a picture file in a label scaled to it, or "사진 없음" / the file's name when there is
// none or it cannot be read; the label's tool tip keeps the path.
void showPictureIn(QLabel* label, const QString& path);

} // namespace teran
