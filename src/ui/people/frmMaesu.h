#pragma once

#include "PersonWindow.h"
#include "people/BuyerRegister.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace teran {

class RegionCascade;

// `frmMaesu` (매수자관리): the buyer register with the property each buyer wants, a search
// mode that finds the buyers whose wanted ranges lie within the bounds typed, and the move of a
// buyer to the customer list.
class frmMaesu : public PersonWindow {
    Q_OBJECT
public:
    explicit frmMaesu(Session& session, QWidget* parent = nullptr);

    bool cmdMove_Click();
    // Shows the ranges the chosen type and transaction want (picSp or picSlp, the rent range).
    void layOutRanges();

protected:
    QStringList groups() override;
    void offerGroups(const QStringList& groups) override;
    int count(const QString& tab, bool search) override;
    QList<PersonRow> rows(const QString& tab, bool search, int limit, int offset) override;
    bool showPerson(int number) override;
    void clearPanel() override;
    PersonSaveResult savePanel(int number) override;
    void remove(int number) override;
    void takeSearch() override;
    QString panelName() const override;
    QString panelMobile() const override;
    QString phoneTable() const override { return QStringLiteral("maesuin"); }
    void focusName() override;

private:
    QWidget* buildPanel();
    QWidget* buildRanges(QWidget* parent);
    Buyer panelBuyer() const;
    BuyerFilter filter(const QString& tab, bool search) const;
    bool twoAreas() const;

    BuyerRegister m_register;
    BuyerSearch m_search;
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
    QWidget* m_oneArea = nullptr;  // picSp
    QWidget* m_twoAreas = nullptr; // picSlp
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
