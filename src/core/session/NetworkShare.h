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

} // namespace teran
