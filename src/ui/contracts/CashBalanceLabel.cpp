#include "CashBalanceLabel.h"

#include "core/contracts/CashBalance.h"
#include "core/session/Session.h"

namespace teran {

CashBalanceLabel::CashBalanceLabel(QWidget* parent)
    : QLabel(parent) {
    setObjectName(QStringLiteral("StatusBar1_cash"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CashBalanceLabel::refresh(Session& session) {
    if (const auto text = CashBalance(session).ShowCashBalance(session.state().OfficeMainId))
        setText(*text);
}

void CashBalanceLabel::showBalance(qint64 won) {
    setText(CashBalance::panelText(won));
}

} // namespace teran
