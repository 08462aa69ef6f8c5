#pragma once

#include <QStatusBar>

class QLabel;
class QPushButton;
class QTimer;

namespace teran {

class CashBalanceLabel;
class OutboxPump;
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
    // A balance read elsewhere (the SMS window after a send) is shown as it is, without asking
    // the server again; likewise only after an online login, and only the office's own.
    void showCash(const QString& companyId, qint64 won);
    // "온라인" or "오프라인" with the data folder: whether the session works online, which a
    // server that merely answers does not make it.
    QString connectionText() const;
    // Asks the server whether it answers again; an offline session is then offered `cmdReconnect`.
    void lookForServer();
    // `cmdReconnect`: checks the login on the server and takes the session online.
    void reconnect();
    // Looks at the outbox now (sending what waits when the server answers) and tells how many
    // changes still wait; the status bar looks by itself every few seconds.
    int waitingChanges();

Q_SIGNALS:
    void wentOnline();

private:
    void tick();
    void showWaiting(int count);

    static constexpr int kOutboxIntervalMs = 5000;

    Session& m_session;
    QLabel* m_text;
    CashBalanceLabel* m_cash;
    QLabel* m_connection;
    QPushButton* m_reconnect;
    QLabel* m_clock;
    QTimer* m_timer;
    OutboxPump* m_pump;
    QPushButton* m_outbox; // 전송대기 N건, shown while changes wait
    int m_ticks = 0;
};

} // namespace teran
