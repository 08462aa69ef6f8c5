#pragma once

#include <QLabel>

namespace teran {

class Session;

// The cash balance panel of the main window's status bar.
class CashBalanceLabel : public QLabel {
    Q_OBJECT
public:
    explicit CashBalanceLabel(QWidget* parent = nullptr);

    // `ShowCashBalance` for the logged-in office; the text stays when there is no answer.
    void refresh(Session& session);
    // A balance already read, shown as `ShowCashBalance` shows it.
    void showBalance(qint64 won);
};

} // namespace teran
