#include "AmountField.h"

#include "NumericKeyCheck.h"
#include "contracts/NumberKeyCheck.h"
#include "session/Session.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace teran {

namespace {

// The focus moving to a message box, a menu or another program ends no edit of the amount.
bool leavesTheWindow(const QFocusEvent* event) {
    return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

} // namespace

AmountField::AmountField(Session& session, QWidget* parent)
    : QLineEdit(parent)
    , m_session(session) {
    NumericKeyCheck::attach(this, session.dialogs(), false);
    // Typed in 만원, shown in words or won afterwards: the box says which while it is empty.
    setPlaceholderText(QStringLiteral("만원"));
    setToolTip(QStringLiteral("금액은 만원 단위로 입력합니다 (3,500 = 3천5백만원)."));
}

void AmountField::setRawValue(const QString& raw) {
    adoptRaw(raw);
    if (m_editing)
        setText(formatThousands(m_raw));
    updateWonBox();
}

void AmountField::adoptRaw(const QString& raw) {
    if (raw == m_raw)
        return;
    m_raw = raw;
    Q_EMIT rawValueChanged(m_raw);
}

void AmountField::setWonBox(QLineEdit* wonBox) {
    m_wonBox = wonBox;
    updateWonBox();
}

void AmountField::showAmount(MoneyNotation notation) {
    // The box being typed in keeps its digits: typing on into words would lose the amount.
    if (m_raw.isEmpty() || m_editing)
        return;
    const MoneyText shown = ReplaceMoney(m_raw, notation);
    if (!shown.ok()) {
        m_session.dialogs().message(shown.error, QString(), DialogIcon::None, DialogButtons::Ok);
        m_session.WriteLog(DailyLog::errorMessage(QStringLiteral("계약서 ReplaceMoney => "), shown.error,
                                                  QStringLiteral("ReplaceMoney")));
        return;
    }
    setText(shown.text);
}

void AmountField::focusInEvent(QFocusEvent* event) {
    // Before the base class, so that a focus by Tab selects the new text.
    if (!m_editing) {
        m_editing = true;
        setText(formatThousands(m_raw));
    }
    QLineEdit::focusInEvent(event);
}

void AmountField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (leavesTheWindow(event))
        return;
    m_editing = false;
    Q_EMIT redisplayRequested();
}

void AmountField::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    adoptRaw(NumberKeyCheck::amountDigits(text()));
    updateWonBox();
    Q_EMIT amountEdited();
}

void AmountField::updateWonBox() {
    if (!m_wonBox)
        return;
    // An empty amount leaves the won box empty rather than claiming "0" won.
    m_wonBox->setText(m_raw.isEmpty() ? QString() : formatThousands(m_raw + QStringLiteral("0000")));
}

} // namespace teran
