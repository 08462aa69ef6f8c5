#pragma once

#include "contracts/ReplaceMoney.h"

#include <QLineEdit>
#include <QPointer>

namespace teran {

class Session;

// An amount box of the contract window. It carries the amount in 만원 as a string of digits
// (the raw value) apart from what it shows: the raw value with separators while it has the
// focus, the amount in the chosen notation after it. The first box of an array also keeps the
// won box beside it up to date.
class AmountField : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString rawValue READ rawValue WRITE setRawValue NOTIFY rawValueChanged)
public:
    explicit AmountField(Session& session, QWidget* parent = nullptr);

    QString rawValue() const { return m_raw; }
    // Sets the amount as stored (e.g. read from a contract) and the won box; the text follows at
    // once in the box being typed in, else on the next redisplay.
    void setRawValue(const QString& raw);

    // Makes this box the first of its array, whose amount the won box shows in won.
    void setWonBox(QLineEdit* wonBox);
    QLineEdit* wonBox() const { return m_wonBox; }

    // `ReplaceMoney`: shows the amount in the notation. An empty amount is left as typed, so is
    // the box being typed in; an amount that cannot be converted is reported and logged, and
    // the text stays.
    void showAmount(MoneyNotation notation);

Q_SIGNALS:
    void rawValueChanged(const QString& raw);
    // After each key release, once the raw value follows the text (the balance rule runs then).
    void amountEdited();
    // The box lost the focus: the window shows all its amounts in the chosen notation.
    void redisplayRequested();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void adoptRaw(const QString& raw);
    void updateWonBox();

    Session& m_session;
    QString m_raw;
    bool m_editing = false; // the box shows the raw value for typing
    QPointer<QLineEdit> m_wonBox;
};

} // namespace teran
