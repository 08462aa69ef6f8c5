#pragma once

#include <QString>

namespace teran {

// Whether a file lies on a network filesystem (NFS, SMB/CIFS, a FUSE mount such as sshfs). SQLite
// warns against sharing its files that way: the locks of such shares are not to be trusted, and
// two desks writing at once can damage the file.
bool isOnNetworkShare(const QString& path);

// The note the program shows once per user and office database on such a share.
QString networkShareTitle();
QString networkShareText(const QString& path);

// Whether a file lies in a folder that a cloud service keeps in step with its copies elsewhere
// (Dropbox, OneDrive, Google Drive, Nextcloud, ownCloud, iCloud by their usual folder names): such
// a service copies a database file while it is written, and a copy of another PC's file comes back
// over it, which damages SQLite files.
bool isInCloudFolder(const QString& path);
QString cloudFolderTitle();
QString cloudFolderText(const QString& path);

} // namespace teran
