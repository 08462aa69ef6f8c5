#pragma once

#include "core/listing/ListingSelection.h"
#include "core/listings/ListFilter.h"

#include <QPixmap>
#include <QWidget>

namespace teran {

// What a row click tells the frame window: the listing's two pictures (empty when it has none)
// and the text of the info label (owner and latest work note, or the owning office and agent).
struct RowInfo {
    int number = 0;
    QString picture1; // local file of picture 1, or empty
    QString picture2;
    QString infoText;
};

// A list window inside the frame (own listings, shared listings, clubs). The frame window
// searches through it, takes its ticked rows for the actions and refreshes it afterwards.
class ListWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual ListKind kind() const = 0;
    // Runs the search with the main window's panel inputs (type, transaction, ranges, region...).
    // The window adds its own: page size, sort, archive tab, all-types box, page.
    virtual void search(const ListFilter& panel) = 0;
    // The same search again (after an action), staying on the page shown.
    virtual void refresh() = 0;
    // The ticked rows with the labels the confirmations name them by.
    virtual QList<ListingPick> tickedPicks() const = 0;
    // The listing of the row the cursor is on (its local number, or the server row of a shared
    // list); 0 when there is none.
    virtual int currentNumber() const { return 0; }
    // The server's number of the row under the cursor of a shared or club list; 0 otherwise.
    virtual int currentServerRow() const { return 0; }
    // True while the own list shows its archive tab.
    virtual bool archiveView() const { return false; }

Q_SIGNALS:
    void statusText(const QString& text); // status bar texts while it searches
    void rowChosen(const teran::RowInfo& info);
    // The right button on the grid: the frame window opens its listing pop-up menu there.
    void menuRequested(const QPoint& globalPos);
    // A double click on an own listing: the registration window is to open on it.
    void editRequested(int number);
};

} // namespace teran
