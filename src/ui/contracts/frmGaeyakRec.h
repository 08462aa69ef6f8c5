#pragma once

#include "core/contracts/Receipt.h"

#include <QWidget>
#include <memory>

class QButtonGroup;
class QDateEdit;
class QLineEdit;

namespace teran {

class EditGuard;
class Session;

// The receipt window: issues, stores and prints a payment receipt, from a contract or on its own.
class frmGaeyakRec : public QWidget {
    Q_OBJECT
public:
    explicit frmGaeyakRec(Session& session, QWidget* parent = nullptr);
    ~frmGaeyakRec() override;

    // The fields of a receipt of a contract's amount.
    void fillFromContract(const Receipt& receipt);
    // `FlagMod`: shows a stored receipt; false when there is none.
    bool loadReceipt(int number);
    Receipt current() const;

    bool cmdSave_Click();
    void cmdPrint_Click();

protected:
    // Typed changes are asked about before the window closes.
    void closeEvent(QCloseEvent* event) override;

private:
    void showReceipt(const Receipt& r);
    // Says so and true when the receipt holds no amount to attest.
    bool refusedForAmount(const Receipt& r, const QString& title);
    QString logLabel(const QString& routine) const;

    Session& m_session;
    std::unique_ptr<EditGuard> m_guard;
    Receipt m_receipt;
    QLineEdit* m_sn = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_money = nullptr;
    QLineEdit* m_money2 = nullptr;
    QLineEdit* m_shop = nullptr;
    QLineEdit* m_type = nullptr;
    QLineEdit* m_addr = nullptr;
    QLineEdit* m_name2 = nullptr;
    QDateEdit* m_day = nullptr;
    QButtonGroup* m_option = nullptr;
    QLineEdit* m_flagMod = nullptr;
};

} // namespace teran
