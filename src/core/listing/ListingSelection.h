#pragma once

#include "core/listing/PropertyTypes.h"
#include "core/store/SqlStore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

// A row ticked in a list window: its listing number (`table_idx` of the office's own listing,
// or of the server row in the shared lists) and the label the confirmations name it by.
struct ListingPick {
    int number = 0;
    QString label;
};

// A ticked own listing as the ListingStore holds it when the action starts. The state is read
// again rather than taken from the grid: another desk may have published or archived the
// listing since the list was filled.
struct SelectedListing {
    int number = 0;
    QString label;
    std::optional<PublicationState> state; // nullopt for a value that is no known state
    QString tb;
    QString ty;
    QString subid;
    QString imgname1;
    QString imgname2;

    bool isPublished() const { return state && teran::isPublished(*state); }
};

// Reads the ticked own listings. Picks are kept in their order; a number ticked twice counts
// once, and numbers no longer stored (deleted on another desk) are left out.
QList<SelectedListing> readSelection(SqlStore& listing, const QList<ListingPick>& picks);

// Who may delete a listing: the office's own account any listing, a staff account only those it
// is in charge of (`subid`). The one home of the rule, for the list's batch and the window.
bool mayDelete(const QString& loginId, const QString& officeId, const QString& inCharge);
// The rows of a batch that the login may delete.
QList<SelectedListing> deletableBy(const QList<SelectedListing>& rows, const QString& loginId,
                                   const QString& officeId);

// The labels joined as the confirmations show them.
QString joinedLabels(const QList<SelectedListing>& rows);
QString joinedLabels(const QList<ListingPick>& picks);

// Listing numbers in an IN list of bound values: "?, ?, ?" and the numbers cut into lists
// short enough for either backend's limit on bound values.
struct ListingNumberList {
    static QString placeholders(qsizetype count);
    static QList<QList<int>> chunks(const QList<int>& numbers, qsizetype size = 500);
};

} // namespace teran
