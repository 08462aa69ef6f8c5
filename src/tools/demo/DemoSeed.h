#pragma once

#include "core/session/StoreSetup.h"
#include "core/session/TeranConfig.h"

#include "core/session/Clock.h"
#include "core/store/SqlStore.h"

#include <cstdint>

namespace teran {

struct DemoSeedOptions {
    std::uint32_t seed = 0x7E4A2026; // the same seed and day give the same office, row for row
    int otherOffices = 5;            // member offices that share listings, at most 6
};

// What one seeding made. Each store is seeded at most once: the ServerStore when it has no
// demo office account yet, the ListingStore when it holds no listing at all.
struct DemoSeedReport {
    bool serverSeeded = false;
    bool localSeeded = false;
    int accounts = 0;       // the demo office and its staff
    int notices = 0;        // unread notices of the demo office
    int ownListings = 0;    // the demo office's listings in the ListingStore
    int buyers = 0;         // buyers who want some of them (and a few cards and customers)
    int serverCopies = 0;   // their published copies on the ServerStore
    int otherOffices = 0;   // member offices besides the demo office
    int sharedListings = 0; // the other offices' listings on the ServerStore
    int clubs = 0;

    explicit operator bool() const { return serverSeeded || localSeeded; }
};

// The demo office "demo" that a newcomer logs in to, on a fresh data folder and ServerStore:
// its accounts, a notice, other member offices with shared listings, a club, and the office's
// own listings with the published ones copied to the server. The accounts go to the server
// only: the first online login mirrors them into the ListingStore.
// Whenever something is seeded, the demo office's server copies are rewritten from its
// published local rows, so both stores agree. Seeding an already seeded pair does nothing and
// reports false. Every date is taken back from the clock's today. Throws StoreError; each
// store's part is written in one transaction.
DemoSeedReport seedDemo(SqlStore& listingStore, SqlStore& serverStore, const Clock& clock,
                        const DemoSeedOptions& options = {});

QString demoOfficeId(); // "demo"

// The demo server's numbered texts: the picture password and the port of the demo's own SMS
// gateway (loopback 7300, as scripts/run.sh starts it).
ServerTextValues demoServerTexts();

// The whole demo office on the configuration's data folder and server, as `teran-admin init
// --demo` makes it: the folder, both stores, and the demo data. Throws StoreError.
DemoSeedReport makeDemoOffice(const TeranConfig& config, const Clock& clock);

} // namespace teran
