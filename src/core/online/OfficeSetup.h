#pragma once

#include "core/online/ReferenceData.h"
#include "core/session/StoreSetup.h"
#include "core/session/TeranConfig.h"
#include "core/store/StoreUrl.h"

#include <QString>

namespace teran {

class SqlStore;

// What prepareOffice() filled: the reference tables of the office database and of the server.
struct OfficePreparation {
    ReferenceFillReport listing;
    ReferenceFillReport server;
    bool serverIsTheVendors = false; // left alone: it takes an account per member
};

// The configured ServerStore address, with the configured account where the address names none.
StoreUrl configuredServerUrl(const TeranConfig& config);

// Makes an office ready for its first login: the data folder (rd/ with the office database and its
// postal and subway tables, files/, Log/, TmpImgDownLoadFile/), the probe page when the
// configuration's probe reads it from the folder (so that the configuration works as written),
// and the ServerStore's schema with its numbered texts. A demo office starts a little behind
// the server's reference tables, so that their refresh has work to do. Throws StoreError.
OfficePreparation prepareOffice(const TeranConfig& config, const ServerTextValues& texts, bool demo);
// The ServerStore's part of it alone (`teran-admin init-server`): schema, texts, reference tables.
ReferenceFillReport prepareServer(const TeranConfig& config, const ServerTextValues& texts);

// The office's own account (the "A" row): id, password, the representative's name and the
// office's name, and what its papers and messages show as the office: phone (`homtel`), mobile
// (`hantel`), address (`addr1` to `addr4`) and the brokerage's registration number (`shopnum`).
struct NewOffice {
    QString id;
    QString password;
    QString name;
    QString shopname;
    // Left out where only the account is made (the first start): given later.
    QString phone = {};
    QString mobile = {};
    QString address = {};
    QString registration = {};
};

// An address as the account rows keep it: the province, the district and the town in addr1 to
// addr3, the rest in addr4 ("서울특별시 강남구 역삼동 123-4 2층" -> 서울특별시 | 강남구 | 역삼동 |
// 123-4 2층); read back joined by blanks, it is the address as typed.
QStringList addressColumns(const QString& address);

// What is wrong with the typed details, in Korean; empty when they can be used.
QString newOfficeProblem(const NewOffice& office);

// Writes the account; throws StoreError, also when the id is taken.
void addOffice(SqlStore& server, const NewOffice& office);

} // namespace teran

namespace teran {

// What a choice of the first start made: the configuration to run with, or why it failed (Korean).
struct OfficeChoice {
    bool ok = false;
    TeranConfig config;
    QString problem;
};

// The first start of a user without teran.ini: an office data folder that exists already is
// used as it is, and teran.ini is written to name it.
OfficeChoice useExistingOffice(const QString& folder, const QString& configFile);
// A new, empty office in an empty folder, with its own account on a server of its own (kept in
// the folder, like the demo's); teran.ini is written to name it.
OfficeChoice makeNewOffice(const QString& folder, const NewOffice& office, const QString& configFile);

} // namespace teran

namespace teran {

// Whether the program starts for the first time for this user: no teran.ini, no data folder
// named on the command line, and no demo office made yet.
bool needsFirstStart(const QString& configFile, const QString& dataPathOverride);

} // namespace teran
