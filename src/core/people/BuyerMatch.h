#pragma once

#include "session/ListingRepository.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

class Session;

// What of a listing a buyer's wish is held against.
struct MatchedListing {
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
// price; 전세: money_jb; 월세: money_b and money_w).
MatchedListing matchedListing(const ListingRow& row);

// One buyer who fits a listing: exact, or near within the tolerance with the reasons.
struct BuyerFit {
    int buyer = 0;
    QString name;
    QString mobile;
    bool exact = true;
    QStringList reasons; // "가격 5% 초과", for a near fit
    double score = 0;    // lower fits better
};

// The buyers the user may see who want this listing: type and transaction equal, the wanted
// region (each level empty or equal) holds its address, and each wanted range (an upper bound
// of 0 is open) holds its value. Exact fits first, best first (the region named down to the
// town, the price near the middle of the range); then near fits, whose values lie outside a
// range by at most `tolerance` (0.10: 10 %) of it. Throws StoreError.
QList<BuyerFit> buyersForListing(Session& session, const MatchedListing& listing, double tolerance = 0.10);

// A text message about a listing for its buyers, within the 80 bytes of one message: type and
// transaction, name or town, area and price ("아파트 매매 래미안 32평 87,000만원").
QString listingSummary(const ListingRow& row);
// "조건에 맞는 매수인 3명"
QString fittingBuyersText(int count);

} // namespace teran
