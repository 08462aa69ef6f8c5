#pragma once

#include "core/contracts/Contract.h"

#include <QWidget>
#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QScrollArea;

namespace teran {

class ContractPanel;
class EditGuard;
class Session;

// What the opener asks of the contract window: a stored contract, or a new one of a kind,
// drafted from a listing when one is named.
struct ContractRequest {
    bool edit = false;
    int contract = 0;
    int listing = 0;
    ContractKind kind = ContractKind::Sale;
    QString tb; // the property type of the main window's list
};

// The contract window: drafts, stores and prints a sale, jeonse or monthly-rent contract, and
// issues receipts and opens the confirmation form from it.
class frmGaeyakMk : public QWidget {
    Q_OBJECT
public:
    frmGaeyakMk(Session& session, ContractRequest request, QWidget* parent = nullptr);
    ~frmGaeyakMk() override;

    const Contract& contract() const { return m_contract; }
    ContractKind kind() const;
    // The contract as the controls hold it now.
    Contract current() const;

    // Shows a contract not yet stored (a draft the opener prepared).
    void showDraft(const Contract& draft);

    // The routines behind the controls.
    bool cmdGyakSave_Click();
    void cmdGyakPrint_Click();
    void cmdMul_Click();
    void FncGaeyakRec(int amount, const QString& type);

    static QString savedText() { return QStringLiteral("저장되었습니다"); }
    static QString updatedText() { return QStringLiteral("수정되었습니다."); }

protected:
    // Typed changes are asked about before the window closes.
    void closeEvent(QCloseEvent* event) override;

private:
    void open(const ContractRequest& request);
    void showContract();
    void selectKind(ContractKind kind);
    ContractPanel* panel() const;
    MoneyNotation notation() const;
    void redisplay();
    void pickAddress(const QString& target);
    bool confirmNumbers(const Contract& k);
    bool confirmFee(const Contract& k);
    QString logLabel(const QString& routine) const;
    void hand(QWidget* window);

    Session& m_session;
    std::unique_ptr<EditGuard> m_guard;
    Contract m_contract;
    QButtonGroup* m_kinds = nullptr;
    QButtonGroup* m_notations = nullptr;
    QLabel* m_lblTy = nullptr;
    ContractPanel* m_sale = nullptr;
    ContractPanel* m_lease = nullptr;
    QLabel* m_title = nullptr;
};

} // namespace teran
