#pragma once

#include <QString>

namespace teran {

// The office's data folder and the places under it that the program reads and writes.
class DataFolder {
public:
    explicit DataFolder(QString root);

    const QString& root() const { return m_root; } // always ends in '/'
    QString rd() const;
    QString listingStoreFile() const; // rd/terandb.db
    QString files() const;
    QString log() const;
    QString tmpImg() const; // TmpImgDownLoadFile/
    QString path(const QString& relative) const;

    bool hasListingStore() const;
    // Makes rd/, files/, Log/ and TmpImgDownLoadFile/ when missing; false if one cannot be made.
    bool ensureFolders() const;

private:
    QString m_root;
};

} // namespace teran
