#pragma once

#include <QPixmap>
#include <QString>

class QLabel;

namespace teran {

// A picture file as large as `size` (whole without one), turned as its EXIF says and decoded at
// that size (a phone's photo is not read whole for a thumbnail); null when the file is no picture.
QPixmap scaledPicture(const QString& path, const QSize& size = {});

// True when the file is a picture the program can show; what the attach buttons accept.
bool isPicture(const QString& path);

// Shows a picture file in a label scaled to it, or "사진 없음" / the file's name when there is
// none or it cannot be read; the label's tool tip keeps the path.
void showPictureIn(QLabel* label, const QString& path);

} // namespace teran
