#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace teran {

class Session;

// A listing as every office knows it: the office that owns it and that office's own number
// (`table_idx` of an own listing, `sub_idx` of a shared one).
struct ListingKey {
    QString office;
    int number = 0;
    bool operator==(const ListingKey&) const = default;
};
size_t qHash(const ListingKey& key, size_t seed = 0);

enum class MatchMark { New, Sent, Dismissed };
enum class SentBy { Sms, Print };

// The latest thing done with one buyer and one listing.
struct MatchEntry {
    MatchMark mark = MatchMark::New;
    QString via; // "문자" or "인쇄" for a pair sent
    QDateTime when;
    qint64 amount = 0; // the listing's amount and rent when it was sent
    qint64 rent = 0;

    // How the pair shows now: a pair sent shows as new again once the listing's price changed;
    // a dismissed pair stays dismissed.
    MatchMark markAt(qint64 amountNow, qint64 rentNow) const;
    // The entry as a match list shows it at the listing's amounts now; nullopt when the pair was
    // dismissed and the list leaves it out.
    std::optional<MatchEntry> shownAt(qint64 amountNow, qint64 rentNow) const;
    // "12/09 문자" for a pair sent, empty otherwise.
    QString sentText() const;
};

// One buyer and one listing, with the listing's amounts at the time.
struct MatchPair {
    int buyer = 0;
    ListingKey listing;
    qint64 amount = 0;
    qint64 rent = 0;
};

// The history of the pairs of buyers and listings (`maesuin_match`), written by the user who
// acts. Reads and writes throw StoreError.
class MatchHistory {
public:
    explicit MatchHistory(Session& session);

    // All pairs at once, in one transaction.
    void markSent(const QList<MatchPair>& pairs, SentBy by);
    void dismiss(const QList<MatchPair>& pairs);

    QHash<int, MatchEntry> ofListing(const ListingKey& listing); // by buyer
    QHash<ListingKey, MatchEntry> ofBuyer(int buyer);            // by listing

    // Every row of a buyer; run inside the transaction that removes the buyer.
    void removeAllOf(int buyer);

    static QString viaText(SentBy by); // "문자", "인쇄"

private:
    void record(const QList<MatchPair>& pairs, const QString& state, const QString& via);

    Session& m_session;
};

} // namespace teran
