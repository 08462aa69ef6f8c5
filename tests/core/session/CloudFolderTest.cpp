#include "core/session/NetworkShare.h"

#include <gtest/gtest.h>

using namespace teran;

// The usual folders of the cloud services are told by any folder of the path, whatever the case
// and the suffix the service gives a second account; a word that merely contains a name is not.
TEST(CloudFolderTest, TheUsualFoldersOfTheServicesAreKnown) {
    for (const char* path :
         {"/home/kim/Dropbox/office/rd/terandb.db", "/home/kim/dropbox (Personal)/rd/terandb.db",
          "C:\\Users\\kim\\OneDrive - 우리부동산\\teran\\rd\\terandb.db",
          "/home/kim/Google Drive/My Drive/teran/rd/terandb.db", "G:\\내 드라이브\\teran\\rd\\terandb.db",
          "/home/kim/Nextcloud/teran/rd/terandb.db", "/srv/ownCloud/teran/rd/terandb.db"})
        EXPECT_TRUE(isInCloudFolder(QString::fromUtf8(path))) << path;
    for (const char* path : {"/home/kim/teran/rd/terandb.db", "/home/kim/dropboxes-old/rd/terandb.db",
                             "/srv/office/onedrive.db", "/home/kim/Documents/rd/terandb.db"})
        EXPECT_FALSE(isInCloudFolder(QString::fromUtf8(path))) << path;
    EXPECT_TRUE(cloudFolderText("/x/Dropbox/rd/terandb.db").contains("/x/Dropbox/rd/terandb.db"));
}
