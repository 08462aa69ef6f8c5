#pragma once

#include "core/contracts/ReplaceMoney.h"

#include <QLineEdit>
#include <QPointer>

class QLabel;

namespace teran {

class Session;

// An amount box of the contract window. It holds the amount in 만원 and shows it in 만원 at all
// times, with thousands separators, so that what is read back is always what was typed: the
// amount as the contract will say it (in words or in won) is shown in the words label beside
// the box, never in the box itself. The first box of an array also keeps the won box beside it
// up to date.
class AmountField : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString rawValue READ rawValue WRITE setRawValue NOTIFY rawValueChanged)
public:
    explicit AmountField(Session& session, QWidget* parent = nullptr);

    // The amount in 만원 as a string of digits; empty when the box is empty or holds no amount.
    QString rawValue() const { return m_raw; }
    // Sets the amount as stored (e.g. read from a contract): the box shows it in 만원.
    void setRawValue(const QString& raw);

    // Makes this box the first of its array, whose amount the won box shows in won.
    void setWonBox(QLineEdit* wonBox);
    QLineEdit* wonBox() const { return m_wonBox; }
    // The label that shows the amount in the contract's notation.
    void setWordsLabel(QLabel* label);
    QLabel* wordsLabel() const { return m_words; }

    // `ReplaceMoney`: shows the amount in the notation in the words label (an empty amount
    // empties it). An amount that cannot be converted is reported and logged, and the label
    // keeps its text.
    void showAmount(MoneyNotation notation);

    // The unit the box takes and shows.
    static QString unit() { return QStringLiteral("만원"); }

Q_SIGNALS:
    void rawValueChanged(const QString& raw);
    // The user changed the amount (typing, deleting, pasting): the balance rule runs then.
    void amountEdited();
    // The box lost the focus: the window shows all its amounts in the chosen notation.
    void redisplayRequested();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void followText(const QString& text);
    void updateWonBox();

    Session& m_session;
    QString m_raw;
    bool m_setting = false; // the text is being set from a stored amount, not edited
    QPointer<QLineEdit> m_wonBox;
    QPointer<QLabel> m_words;
};

} // namespace teran
