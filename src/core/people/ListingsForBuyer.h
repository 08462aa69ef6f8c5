#pragma once

#include "BuyerMatch.h"
#include "core/listings/ListColumnSets.h"
#include "core/report/ReportDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

struct Buyer;
class Session;

// One listing that fits a buyer, from one of the lists the office reads.
struct ListingFit : MatchFit {
    ListKind list = ListKind::Own;
    MatchedListing listing; // its values and its key (office and number)
    int serverIdx = 0;      // the ServerStore's row of a shared or club listing
    QString summary;        // listingSummary(): what a message or a sheet says of it
    int row = 0;            // where the search kept the listing's values
};

struct ListingFitPage {
    bool ok = true;
    QString error; // why the list could not be read: the server is not connected
    qint64 total = 0;
    int page = 1;
    int pageCount = 1;
    QList<ListingFit> rows;
};

// A message to a buyer about listings: as many whole summaries as one message holds, joined by
// " / ", and which of them (their positions) it holds.
struct ListingsMessage {
    QString text;
    QList<int> included;
};
ListingsMessage messageOfListings(const QStringList& summaries);

// The page printed for a buyer: his name and wish, and the chosen listings with how they fit.
report::Document listingsForBuyerReport(const Buyer& buyer, const QList<ListingFit>& listings);

// The listings that fit a buyer (fitBetween), from the office's own list, the shared list or a
// club's list, with the rules of that list (a staff user's private listings, the archive left
// out, the shared lists' 60-day window). The database picks the listings of the wanted type,
// transaction and region whose values lie within the ranges widened by the tolerance; the
// program ranks them and hands out one page. Dismissed listings are left out, sent ones marked.
class ListingsForBuyer {
public:
    explicit ListingsForBuyer(Session& session);

    // `page` is 1-based and clamped; a club list needs its members' ids. Throws StoreError.
    ListingFitPage page(const Buyer& buyer, ListKind list, int page, int pageSize,
                        double tolerance = kDefaultTolerance, const QStringList& clubIds = {});

private:
    // The fits, each pointing at its values in `rows`.
    QList<ListingFit> fitting(const Buyer& buyer, ListKind list, double tolerance, const QStringList& clubIds,
                              QList<QVariantList>& rows);

    Session& m_session;
};

} // namespace teran
