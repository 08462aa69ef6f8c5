#pragma once

#include <QString>

namespace teran {

// File names of a listing's pictures, the same in the data folder and on the picture server:
// office id, "-", listing number, slot suffix, "." and the extension of the file the user chose.
//   ListingImageName("abc", 15, mainPictureSuffix(2), "house.jpg") == "abc-15_2.jpg"
// The "-" (which no id holds) keeps the names of two offices apart: "demo" 11 and "demo1" 1 were
// both "demo11_1" before it. The picture server keeps each office's pictures in a folder of its
// own, named by the id in the picture's name; names from before ("abc15_2.jpg") stay where they
// are, and are read and deleted there.

// "_1" or "_2" for the two main pictures.
QString mainPictureSuffix(int picture);
// "_3" ... "_8" for the image-box slots 0 ... 5.
QString imageBoxSuffix(int slot);

// The text after the last "." of the chosen file's own name ("a.b.JPG" -> "JPG"); empty when the
// name has none, as a dot in a folder name is no extension.
QString chosenFileExtension(const QString& chosenFileName);

// The name without extension; what every file of that slot begins with.
QString ListingImageStem(const QString& officeId, qint64 listingNumber, const QString& suffix);
// The stem the same slot had before the separator, for removing what an older version left.
QString legacyListingImageStem(const QString& officeId, qint64 listingNumber, const QString& suffix);

// The folder of the picture server a picture lives in, relative to the pictures' folder: "abc/"
// for "abc-15_2.jpg", "" for a name from before the folders.
QString pictureFolderOf(const QString& name);
// A chosen file without extension gives the bare stem, never a name ending in ".".
QString ListingImageName(const QString& officeId, qint64 listingNumber, const QString& suffix,
                         const QString& chosenFileName);

// True for the files of one slot whatever their extension: the stem itself or stem + "." + an
// extension without further dots. "abc15_3" matches "abc15_3.jpg" but not "abc15_30.jpg".
bool isImageOfStem(const QString& fileName, const QString& stem);

// A name the stores give a file: no folder part, so it cannot reach outside the picture folder.
bool isPlainFileName(const QString& name);

} // namespace teran
