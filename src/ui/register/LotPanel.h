#pragma once

#include "core/listing/ListingRepository.h"

#include <QTabWidget>
#include <functional>

class QNetworkAccessManager;
class QTextBrowser;
class QTreeWidget;

namespace teran {

class Session;

// The registration window's view of the lot: the office's listings on it (`lvMy`, with its
// column widths and "인쇄하기" for the ticked rows) and what the vendor's lookup page says of
// it (`web_info`).
class LotPanel : public QTabWidget {
    Q_OBJECT
public:
    LotPanel(Session& session, QWidget* parent);

    void showListings(const QList<ListingRow>& rows);
    void clear();
    // The ticked rows in the print preview; says so when there is nothing to print.
    void printTicked();
    // Posts the lot to `vb/jibuninfo.php` of the vendor's web host and shows the answer.
    void lookUp(const QStringList& lot, const QString& tb, const QString& name);

private:
    void showMenu(const QPoint& at);

    Session& m_session;
    QTreeWidget* m_listings;
    QTextBrowser* m_info;
    QNetworkAccessManager* m_web;
};

} // namespace teran
