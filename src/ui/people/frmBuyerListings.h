#pragma once

#include "core/people/BuyerRegister.h"
#include "core/people/ListingsForBuyer.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace teran {

class Session;

// 맞는 매물: the listings that fit one buyer, from the office's own list or (online) the shared
// list, best first and a page at a time. The ticked ones are printed for the buyer or sent to
// him by text message, and marked sent; one he does not want is dismissed for good.
class frmBuyerListings : public QDialog {
    Q_OBJECT
public:
    frmBuyerListings(Session& session, int buyer, QWidget* parent = nullptr);

    const ListingFitPage& shown() const { return m_page; }
    void chooseList(ListKind list); // ListKind::Own or ListKind::Shared
    void showPage(int page);
    void setTolerance(int percent);
    void tick(int row, bool ticked);

    void cmdPrint_Click();
    void cmdSms_Click();
    void cmdDismiss_Click(); // the ticked listings, or the current one when none is ticked

    static constexpr int kPageSize = 20;

private:
    void fill();
    void keepTolerance(int percent);
    QList<ListingFit> ticked() const;
    void markSent(const QList<ListingFit>& fits, SentBy by);

    Session& m_session;
    std::optional<Buyer> m_buyer;
    ListKind m_list = ListKind::Own;
    ListingFitPage m_page;
    QLabel* m_caption = nullptr;
    QComboBox* m_source = nullptr;
    QSpinBox* m_tolerance = nullptr;
    QTreeWidget* m_grid = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace teran
