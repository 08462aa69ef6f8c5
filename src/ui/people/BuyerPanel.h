#pragma once

#include "core/people/BuyerRegister.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace teran {

class RegionCascade;
class Session;

// `pic_bod` of the buyer windows: the buyer, the property wanted with the ranges its type and
// transaction want (`picSp` or `picSlp`, the rent range), and the private mark.
class BuyerPanel : public QGroupBox {
    Q_OBJECT
public:
    BuyerPanel(Session& session, QWidget* parent);

    void showBuyer(const Buyer& buyer);
    Buyer buyer() const; // as typed, with the private owner kept from showBuyer
    bool privateTicked() const;
    BuyerSearch search() const; // the panel as the conditions of a search
    void clear();
    void offerGroups(const QStringList& groups);
    void focusName();
    QString name() const;
    QString mobile() const;
    // Shows the ranges the chosen type and transaction want.
    void layOutRanges();

private:
    QWidget* buildRanges();
    bool twoAreas() const;

    Session& m_session;
    QString m_privateOwner;
    QComboBox* m_group = nullptr;
    QComboBox* m_jubsu = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_homtel = nullptr;
    QLineEdit* m_hantel = nullptr;
    QLineEdit* m_office = nullptr;
    QLineEdit* m_fax = nullptr;
    QLineEdit* m_addr4 = nullptr;
    QComboBox* m_tb = nullptr;
    QComboBox* m_ty = nullptr;
    QWidget* m_oneArea = nullptr;
    QWidget* m_twoAreas = nullptr;
    QComboBox* m_sp[2] = {};
    QComboBox* m_slp[4] = {};
    QComboBox* m_sm[4] = {};
    QLabel* m_smCaption[4] = {};
    QLineEdit* m_bigo = nullptr;
    QCheckBox* m_private = nullptr;
    RegionCascade* m_region = nullptr;
    RegionCascade* m_wanted = nullptr;
};

} // namespace teran
