#pragma once

#include "people/BuyerMatch.h"

#include <QDialog>

class QTreeWidget;

namespace teran {

class Session;

// 맞는 매수인: the buyers who fit a listing, best first, near fits with their reasons; the
// ticked ones get a text message about the listing.
class frmMatch : public QDialog {
    Q_OBJECT
public:
    frmMatch(Session& session, int listing, QWidget* parent = nullptr);

    int fitCount() const { return int(m_fits.size()); }
    void cmdSms_Click();

private:
    void fill();

    Session& m_session;
    int m_listing;
    QList<BuyerFit> m_fits;
    QString m_summary;
    QTreeWidget* m_list = nullptr;
};

} // namespace teran
