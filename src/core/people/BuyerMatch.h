#pragma once

#include "MatchHistory.h"
#include "core/listing/ListingRepository.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <optional>

namespace teran {

class Session;

struct Buyer;

// What of a listing a buyer's wish is held against.
struct MatchedListing {
    ListingKey key;      // the office and its number, for the history of the pair
    QString typeLabel;   // "아파트": as buyers name the type
    QString transaction; // "매매", "전세", "월세", "분양권"
    QString addr1, addr2, addr3;
    double area = 0;     // the floor area, or the land area of land-and-building types (평)
    double building = 0; // the building area of land-and-building types
    qint64 amount = 0;   // the price, or the deposit of a lease (만원)
    qint64 rent = 0;     // the monthly rent (만원)
};

// The listing's values as the matching reads them: the area and amount columns follow the type
// (land and building: pyung and pyung_use) and the transaction (sale: money_m, or the presale
// price; 전세: money_jb; 월세: money_b and money_w). A row of the ServerStore is known by its
// `sub_idx`, an own row by its `table_idx`.
MatchedListing matchedListing(const ListingRow& row, bool serverRow = false);
// The same from a reader of the row's values by column name.
MatchedListing matchedListing(const std::function<QVariant(const QString&)>& value, bool serverRow);

// How a buyer and a listing fit: exact, or near within the tolerance with the reasons.
struct MatchFit {
    bool exact = true;
    QStringList reasons; // "가격 5% 초과", for a near fit
    double score = 0;    // lower fits better
    MatchEntry history;  // what was done with the pair, as it shows now
};

// "일치" or "근접"
QString fitCaption(const MatchFit& fit);

// The one rule of the matching, both ways: type and transaction equal, the wanted region (each
// level empty or equal) holds the address, and each wanted range (an upper bound of 0 is open)
// holds its value, or misses it by at most `tolerance` (0.10: 10 %) of the bound passed. Exact
// fits score 0 to 3, better with the region named down to the town and the price near the
// middle of the range; near ones score 10 and more by how far they miss.
std::optional<MatchFit> fitBetween(const Buyer& buyer, const MatchedListing& listing, double tolerance);

// The order of a match list: exact fits first, best first.
template <typename Fit> void sortFits(QList<Fit>& fits) {
    std::stable_sort(fits.begin(), fits.end(), [](const Fit& a, const Fit& b) { return a.score < b.score; });
}

// One buyer who fits a listing.
struct BuyerFit : MatchFit {
    int buyer = 0;
    QString name;
    QString mobile;
};

constexpr double kDefaultTolerance = 0.10;

// The buyers the user may see who fit this listing (fitBetween), sorted; those who dismissed it
// are left out, those it was sent to carry the mark. Throws StoreError.
QList<BuyerFit> buyersForListing(Session& session, const MatchedListing& listing,
                                 double tolerance = kDefaultTolerance);

// A listing buyers are found for: its values and what a message says of it.
struct MatchTarget {
    MatchedListing listing;
    QString summary;
};
// An own listing by its number, or a shared one by its ServerStore row; nullopt when it is gone
// (or, shared, when the server is not connected). Throws StoreError.
std::optional<MatchTarget> ownMatchTarget(Session& session, int number);
std::optional<MatchTarget> sharedMatchTarget(Session& session, int serverRow);

// The user's tolerance of near fits as a share (0.10), from the settings.
double userTolerance(Session& session);

// The pairs of these buyers with the listing, at its amounts now, for the history.
QList<MatchPair> pairsWith(const QList<int>& buyers, const MatchedListing& listing);

// A text message about a listing for its buyers, within the 80 bytes of one message: type and
// transaction, name or town, area and price ("아파트 매매 래미안 32평 87,000만원").
QString listingSummary(const ListingRow& row);
// "조건에 맞는 매수인 3명"
QString fittingBuyersText(int count);

// 관심없음: the question asked before listings leave a buyer's matches for good, naming the
// buyer and how many listings go; and its title.
QString dismissQuestion(const QString& buyerName, int listings);
QString dismissTitle();

} // namespace teran
