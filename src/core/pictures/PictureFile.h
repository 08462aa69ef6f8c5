#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace teran {

// The longest side a picture is read at when no smaller size is asked for: a full view or a
// printed page needs no more, and a phone's 48-megapixel photo decoded whole would pass the
// decoder's memory limit and read as nothing.
constexpr int kLargestPictureSide = 2400;

// A picture file no larger than `bound` (its aspect kept; never enlarged), decoded at that size
// and turned as the camera held it. Null when the file is no picture.
QImage readScaledPicture(const QString& path, QSize bound = {kLargestPictureSide, kLargestPictureSide});

// Why a file cannot be a listing's picture, in Korean; empty when it can: a missing or empty
// file, or one whose contents are not a picture the program reads (whatever its name says).
QString pictureProblem(const QString& path);

} // namespace teran
