#pragma once

#include "core/people/BuyerMatch.h"

#include <QDialog>
#include <optional>

class QLabel;
class QSpinBox;
class QTreeWidget;

namespace teran {

class Session;

// 맞는 매수인: the buyers who fit a listing (an own one, or a shared one by its ServerStore row),
// best first, near fits with their reasons and the pairs already sent marked; the ticked ones get
// a text message about the listing, and a buyer who does not want it is dismissed for good.
class frmMatch : public QDialog {
    Q_OBJECT
public:
    frmMatch(Session& session, int listing, bool shared = false, QWidget* parent = nullptr);

    int fitCount() const { return int(m_fits.size()); }
    void cmdSms_Click();
    void cmdDismiss_Click(); // the current buyer
    void setTolerance(int percent);

private:
    void fill();
    void keepTolerance(int percent);
    void markSent(const QStringList& deliveredNumbers);

    Session& m_session;
    int m_listing;
    bool m_shared;
    std::optional<MatchTarget> m_target;
    QList<BuyerFit> m_fits;
    QLabel* m_caption = nullptr;
    QSpinBox* m_tolerance = nullptr;
    QTreeWidget* m_list = nullptr;
};

} // namespace teran
