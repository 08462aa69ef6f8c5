#include "AmountField.h"

#include "core/contracts/NumberKeyCheck.h"
#include "core/session/Session.h"
#include "ui/widgets/NumericKeyCheck.h"

#include <QFocusEvent>
#include <QLabel>

namespace teran {

AmountField::AmountField(Session& session, QWidget* parent)
    : QLineEdit(parent)
    , m_session(session) {
    NumericKeyCheck::attach(this, session.dialogs(), false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setToolTip(QStringLiteral("금액은 만원 단위로 입력합니다 (3,500 = 3천5백만원)."));
    // The amount is whatever the box shows, however it got there (typing, a paste from the
    // menu, the reformatting of the key check): one unit in and out.
    connect(this, &QLineEdit::textChanged, this, &AmountField::followText);
}

void AmountField::setRawValue(const QString& raw) {
    const QString digits = NumberKeyCheck::amountDigits(raw);
    m_setting = true;
    setText(digits.isEmpty() ? QString() : formatThousands(digits));
    m_setting = false;
    followText(text());
}

void AmountField::followText(const QString& text) {
    const QString raw = NumberKeyCheck::amountDigits(text);
    if (raw == m_raw)
        return;
    m_raw = raw;
    updateWonBox();
    Q_EMIT rawValueChanged(m_raw);
    if (!m_setting)
        Q_EMIT amountEdited();
}

void AmountField::setWonBox(QLineEdit* wonBox) {
    m_wonBox = wonBox;
    updateWonBox();
}

void AmountField::setWordsLabel(QLabel* label) {
    m_words = label;
}

void AmountField::showAmount(MoneyNotation notation) {
    if (!m_words)
        return;
    if (m_raw.isEmpty()) {
        m_words->clear();
        return;
    }
    const MoneyText shown = ReplaceMoney(m_raw, notation);
    if (!shown.ok()) {
        m_session.dialogs().message(shown.error, QString(), DialogIcon::None, DialogButtons::Ok);
        m_session.WriteLog(DailyLog::errorMessage(QStringLiteral("계약서 ReplaceMoney => "), shown.error,
                                                  QStringLiteral("ReplaceMoney")));
        return;
    }
    m_words->setText(shown.text + QStringLiteral("원"));
}

void AmountField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Q_EMIT redisplayRequested();
}

void AmountField::updateWonBox() {
    if (!m_wonBox)
        return;
    // An empty amount leaves the won box empty rather than claiming "0" won.
    m_wonBox->setText(m_raw.isEmpty() ? QString() : formatThousands(m_raw + QStringLiteral("0000")));
}

} // namespace teran
