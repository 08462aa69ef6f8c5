#pragma once

#include "core/session/DataFolder.h"
#include "core/store/SqlStore.h"

#include <QString>

namespace teran {

// What the vendor's server hands out through its numbered texts (`mem_msg`).
struct ServerTextValues {
    QString ftpPassword; // row 8: password of the picture store
    int smsPort = 0;     // row 3: port of the SMS gateway
};

// Creates (or upgrades) an office data folder: rd/, files/, Log/, TmpImgDownLoadFile/ and
// the ListingStore rd/terandb.db with every table. Throws StoreError when it cannot.
void initDataFolder(const DataFolder& folder);

// Creates (or upgrades) the ServerStore schema and puts in the numbered texts the program
// reads. Rows already present keep their content, but for the values given (FTP password,
// SMS port), which replace the old ones. Throws StoreError when it cannot.
void initServerStore(SqlStore& server, const ServerTextValues& values);

// The numbered texts of a new server: 3 and 8 carry the values, the rest name their service.
struct ServerText {
    int number;
    QString title;
    QString content;
};
QList<ServerText> defaultServerTexts(const ServerTextValues& values);

} // namespace teran
