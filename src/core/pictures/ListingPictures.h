#pragma once

#include "PictureSession.h"
#include "core/store/SqlStore.h"

#include <QString>
#include <QStringList>

namespace teran {

// The pictures of one office listing on the picture server: the two main pictures and the six
// image-box slots, named by ListingImageName after the office's main id and the listing number.
class ListingPictures {
public:
    ListingPictures(SqlStore& listing, PictureSession& ftp);

    struct Published {
        bool complete = true; // every picture that was to go up went up, every removed one is gone
        QStringList boxNames; // the published image-box pictures, slot order, for the server's filebox row
        QStringList unsent;   // the pictures that did not go up: the shared copy must not name them
    };
    // Puts the main pictures that are set and the image-box pictures flagged for publication, and
    // deletes the pictures of `published` (what the server's copy named before) that the listing
    // no longer publishes. Throws StoreError when the listing's image box cannot be read (nothing
    // was sent then). Without `withBox` the image box is left as the server has it.
    Published publish(int number, const QString& imgname1, const QString& imgname2, bool withBox = true,
                      const QStringList& published = {});

    // Deletes the named pictures from the server (the names the listing and its copy recorded);
    // false when one of them could not be deleted. Empty and repeated names are passed over.
    bool withdraw(QStringList names);

private:
    SqlStore& m_listing;
    PictureSession& m_ftp;
};

} // namespace teran
