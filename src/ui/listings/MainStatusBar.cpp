#include "MainStatusBar.h"

#include "contracts/CashBalanceLabel.h"
#include "session/Session.h"

#include <QLabel>
#include <QTimer>

namespace teran {

MainStatusBar::MainStatusBar(Session& session, QWidget* parent)
    : QStatusBar(parent)
    , m_session(session)
    , m_text(new QLabel(this))
    , m_cash(new CashBalanceLabel(this))
    , m_connection(new QLabel(this))
    , m_clock(new QLabel(this))
    , m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("StatusBar1"));
    m_text->setObjectName(QStringLiteral("StatusBar1_text"));
    m_connection->setObjectName(QStringLiteral("lblConnection"));
    m_clock->setObjectName(QStringLiteral("lblClock"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    addWidget(m_text, 1);
    addPermanentWidget(m_cash);
    addPermanentWidget(m_connection);
    addPermanentWidget(m_clock);
    connect(m_timer, &QTimer::timeout, this, &MainStatusBar::tick);
    m_timer->start(1000);
    tick();
}

void MainStatusBar::showText(const QString& text) {
    m_text->setText(text);
    // Long work runs inside the handler that started it: let the new text paint.
    m_text->repaint();
}

void MainStatusBar::clearText() {
    m_text->clear();
}

QString MainStatusBar::text() const {
    return m_text->text();
}

void MainStatusBar::refreshCash() {
    if (m_session.state().isOnline())
        m_cash->refresh(m_session);
}

QString MainStatusBar::connectionText() const {
    const QString mode = m_session.serverOpen() ? QStringLiteral("온라인") : QStringLiteral("오프라인");
    return mode + QStringLiteral("  |  ") + m_session.dataFolder().root();
}

void MainStatusBar::tick() {
    // Twice a minute the server is asked whether it still answers; a lost one is reconnected.
    if (++m_ticks % 30 == 0)
        m_session.checkServer();
    m_clock->setText(m_session.clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    m_connection->setText(connectionText());
}

} // namespace teran
