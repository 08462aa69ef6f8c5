#pragma once

#include <QString>

namespace teran {

// File names of a listing's pictures, the same in the data folder and on the picture server:
// office id, listing number, slot suffix, "." and the extension of the file the user chose.
//   ListingImageName("abc", 15, mainPictureSuffix(2), "house.jpg") == "abc15_2.jpg"

// "_1" or "_2" for the two main pictures.
QString mainPictureSuffix(int picture);
// "_3" ... "_8" for the image-box slots 0 ... 5.
QString imageBoxSuffix(int slot);

// The text after the last "." of the chosen file's own name ("a.b.JPG" -> "JPG"); empty when the
// name has none, as a dot in a folder name is no extension.
QString chosenFileExtension(const QString& chosenFileName);

// The name without extension; what every file of that slot begins with.
QString ListingImageStem(const QString& officeId, qint64 listingNumber, const QString& suffix);
// A chosen file without extension gives the bare stem, never a name ending in ".".
QString ListingImageName(const QString& officeId, qint64 listingNumber, const QString& suffix,
                         const QString& chosenFileName);

// True for the files of one slot whatever their extension: the stem itself or stem + "." + an
// extension without further dots. "abc15_3" matches "abc15_3.jpg" but not "abc15_30.jpg".
bool isImageOfStem(const QString& fileName, const QString& stem);

// A name the stores give a file: no folder part, so it cannot reach outside the picture folder.
bool isPlainFileName(const QString& name);

} // namespace teran
