#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace teran {

class CashBalanceLabel;
class Session;

// `StatusBar1` of the frame window: the status text (search and action progress), the office's
// cash balance, the connection state and the clock driven by `Timer1`.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(Session& session, QWidget* parent = nullptr);

    void showText(const QString& text);
    void clearText();
    QString text() const;

    // The balance is asked from the vendor's server, so only after an online login.
    void refreshCash();
    // "온라인" or "오프라인" with the data folder.
    QString connectionText() const;

private:
    void tick();

    Session& m_session;
    QLabel* m_text;
    CashBalanceLabel* m_cash;
    QLabel* m_connection;
    QLabel* m_clock;
    QTimer* m_timer;
    int m_ticks = 0;
};

} // namespace teran
