#pragma once

#include "core/contracts/Contract.h"

#include <QWidget>
#include <array>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace teran {

class AmountField;
class Session;

// The three boxes of a date on the contract (year, month, day), each with an empty choice.
struct DateBoxes {
    QComboBox* year = nullptr;
    QComboBox* month = nullptr;
    QComboBox* day = nullptr;

    void set(const ContractDate& date);
    ContractDate get() const;
};

// One of the contract window's two panels: `picGaeyakM` (sale, controls named M…) or
// `picGaeyakJ` (leases, J…). It shows a contract in its controls and reads it back; the kind,
// notation and numbers the window keeps.
class ContractPanel : public QWidget {
    Q_OBJECT
public:
    ContractPanel(Session& session, bool lease, QWidget* parent = nullptr);

    void showContract(const Contract& contract);
    // The controls' contract over `base` (which carries the number, type, kind and listing).
    Contract read(const Contract& base) const;
    // Every amount in the notation.
    void showAmounts(MoneyNotation notation);

    // The location's detail box still shows its hint, or a part is missing.
    bool locationMissing() const;
    QStringList location() const;
    // The fee maximum for the amounts and kind shown, and whether the rate asked is above it.
    void updateFeeMaximum(ContractKind kind);

    static QString detailPlaceholder() { return QStringLiteral("주소검색을이용하세요."); }

Q_SIGNALS:
    void addressRequested(const QString& target);
    // A receipt button: the amount index and what the money is for.
    void receiptRequested(int amount, const QString& type);
    void redisplayRequested();

private:
    QWidget* buildLocation();
    QWidget* buildProperty();
    QWidget* buildAmounts();
    QWidget* buildParties();
    QWidget* buildOthers();
    QLineEdit* line(const QString& name, QWidget* parent);
    QHBoxLayout* amountCell(AmountField* field);
    QString name(const char* suffix) const;
    void applyBalance();
    void composeAddress();

    Session& m_session;
    const bool m_lease;
    const QChar m_prefix;
    std::array<QLabel*, 3> m_adr{};
    QLineEdit* m_adr4 = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_jimok = nullptr;
    std::array<QLineEdit*, 6> m_pyung{};
    QLineEdit* m_gujo = nullptr;
    QLineEdit* m_ydo = nullptr;
    QLineEdit* m_bubun = nullptr;
    QList<AmountField*> m_money;
    QLineEdit* m_won = nullptr;
    std::array<DateBoxes, 5> m_dates{};
    QComboBox* m_rentDay = nullptr;
    // Parties by the contract's box numbers: address 1..6, name 1..6, tel 1..4, shop/num 3..4.
    std::array<QLineEdit*, 6> m_addr{};
    std::array<QLineEdit*, 6> m_name{};
    std::array<QLineEdit*, 4> m_tel{};
    std::array<QLineEdit*, 2> m_shop{};
    std::array<QLineEdit*, 2> m_num{};
    // Resident numbers: seller (two boxes), seller's proxy, buyer (two boxes), buyer's proxy.
    std::array<QLineEdit*, 6> m_jumin{};
    QLineEdit* m_danM = nullptr;
    QLineEdit* m_danP = nullptr;
    QLineEdit* m_saram = nullptr;
    QLineEdit* m_bank = nullptr;
    QLineEdit* m_pro = nullptr;
    QLabel* m_feeMaximum = nullptr;
    QLabel* m_amountWarning = nullptr; // the parts exceed the price: said, not stopped
    QTextEdit* m_special = nullptr;
};

} // namespace teran
