#pragma once

#include "PersonWindow.h"
#include "core/people/BuyerRegister.h"

namespace teran {

class BuyerPanel;

// `frmMaesu` (매수자관리): the buyer register with the property each buyer wants, a search
// mode that finds the buyers whose wanted ranges lie within the bounds typed, and the move of a
// buyer to the customer list.
class frmMaesu : public PersonWindow {
    Q_OBJECT
public:
    explicit frmMaesu(Session& session, QWidget* parent = nullptr);

    bool cmdMove_Click();
    void cmdListings_Click();

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
    BuyerFilter filter(const QString& tab, bool search) const;

    BuyerRegister m_register;
    BuyerSearch m_search;
    BuyerPanel* m_panel = nullptr;
};

} // namespace teran
