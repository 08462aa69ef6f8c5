#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class Session;
class SqlStore;

// A town with its region and district: one line of the address finder's result list.
struct TownAddress {
    QString addr1; // region ("서울", "경기", ...)
    QString addr2; // city, county or district
    QString addr3; // town or neighbourhood

    bool operator==(const TownAddress&) const = default;

    // "addr1 addr2 addr3", as the result list shows it.
    QString itemText() const;
    // Cuts the parts back out of an item text, given the length of addr2 that was stored with
    // the item: the region is the first two characters, the district follows after one blank
    // for the stored length, the town is the rest after the next blank. Empty when the text does
    // not have that shape (a region of another length, a wrong length, a missing part).
    static std::optional<TownAddress> fromItemText(const QString& text, int addr2Length);
};

// The reference tables `post` (postal addresses) and `subway` (lines and stations) of the
// ListingStore, as the pickers read them. Empty and missing values are left out, as a combo
// item without text cannot be told from no choice. Every read throws StoreError on failure.
class AddressBook {
public:
    explicit AddressBook(SqlStore& store)
        : m_store(store) {}
    // The tables of the session's office database, where the reference copy puts them.
    explicit AddressBook(Session& session);

    QStringList regions();
    QStringList districts(const QString& addr1);
    QStringList towns(const QString& addr1, const QString& addr2);
    // The remaining parts (lot numbers, street parts) known for a town.
    QStringList lotParts(const QString& addr1, const QString& addr2, const QString& addr3);
    // Every town whose name contains the text (typed % and _ match themselves), once each,
    // sorted by region, district and town.
    QList<TownAddress> searchTowns(const QString& townPart);

    QStringList lines();
    QStringList stations(const QString& line);

private:
    QStringList column(const QString& sql, const QVariantList& values = {});

    SqlStore& m_store;
};

} // namespace teran
