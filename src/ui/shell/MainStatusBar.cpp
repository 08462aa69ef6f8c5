#include "MainStatusBar.h"

#include "core/publication/OutboxPump.h"
#include "core/publication/OutboxSender.h"
#include "core/session/LoginService.h"
#include "core/session/ServerCourier.h"
#include "core/session/Session.h"
#include "ui/contracts/CashBalanceLabel.h"
#include "ui/listings/frmOutbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace teran {

MainStatusBar::MainStatusBar(Session& session, QWidget* parent)
    : QStatusBar(parent)
    , m_session(session)
    , m_text(new QLabel(this))
    , m_cash(new CashBalanceLabel(this))
    , m_connection(new QLabel(this))
    , m_reconnect(new QPushButton(LoginTexts::reconnectButton(), this))
    , m_clock(new QLabel(this))
    , m_timer(new QTimer(this))
    , m_pump(new OutboxPump(session, kOutboxIntervalMs, this))
    , m_outbox(new QPushButton(this)) {
    setObjectName(QStringLiteral("StatusBar1"));
    m_text->setObjectName(QStringLiteral("StatusBar1_text"));
    m_connection->setObjectName(QStringLiteral("lblConnection"));
    m_clock->setObjectName(QStringLiteral("lblClock"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_reconnect->setObjectName(QStringLiteral("cmdReconnect"));
    m_reconnect->setToolTip(QStringLiteral("본사 서버에 다시 연결하여 온라인으로 작업합니다."));
    m_reconnect->hide();
    connect(m_reconnect, &QPushButton::clicked, this, &MainStatusBar::reconnect);
    m_outbox->setObjectName(QStringLiteral("cmdOutbox"));
    m_outbox->setToolTip(QStringLiteral("서버가 응답하지 않아 보내지 못한 공유매물 작업입니다. 눌러서 보거나 "
                                        "취소할 수 있습니다."));
    m_outbox->hide();
    connect(m_outbox, &QPushButton::clicked, this, [this] {
        frmOutbox window(*m_pump, m_session.dialogs(), this);
        window.exec();
    });
    connect(m_pump, &OutboxPump::waitingChanged, this, &MainStatusBar::showWaiting);
    connect(&session, &Session::cashBalanceRead, this, &MainStatusBar::showCash);
    addWidget(m_text, 1);
    addPermanentWidget(m_outbox);
    addPermanentWidget(m_cash);
    addPermanentWidget(m_reconnect);
    addPermanentWidget(m_connection);
    addPermanentWidget(m_clock);
    connect(m_timer, &QTimer::timeout, this, &MainStatusBar::tick);
    m_timer->start(1000);
    tick();
    showWaiting(m_pump->waiting());
}

void MainStatusBar::showWaiting(int count) {
    m_outbox->setText(QStringLiteral("전송대기 %1건").arg(count));
    m_outbox->setVisible(count > 0);
}

int MainStatusBar::waitingChanges() {
    m_pump->pump();
    return m_pump->waiting();
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

void MainStatusBar::showCash(const QString& companyId, qint64 won) {
    if (m_session.state().isOnline() && companyId == m_session.state().OfficeMainId)
        m_cash->showBalance(won);
}

QString MainStatusBar::connectionText() const {
    const bool online = m_session.state().isOnline() && m_session.serverOpen();
    const QString mode = m_session.state().isOnline() && m_session.serverHealth()->waiting()
                             ? QStringLiteral("서버 응답 대기")
                             : (online ? QStringLiteral("온라인") : QStringLiteral("오프라인"));
    return mode + QStringLiteral("  |  ") + m_session.dataFolder().root();
}

void MainStatusBar::lookForServer() {
    if (m_session.state().isOnline())
        return;
    // The courier looks off the window's thread; without one the window asks itself.
    if (const ServerCourier* courier = m_session.courier()) {
        m_reconnect->setVisible(courier->serverAnswered());
        return;
    }
    m_reconnect->setVisible(m_session.reachServer());
}

void MainStatusBar::reconnect() {
    if (!LoginService(m_session).reconnect()) {
        showText(QStringLiteral("본사 서버에 다시 연결하지 못했습니다. 잠시 후 다시 시도하세요."));
        m_reconnect->setVisible(m_session.serverOpen());
        return;
    }
    m_reconnect->hide();
    catchUpWithServer(m_session);
    m_pump->pump();
    showText(QStringLiteral("본사 서버에 다시 연결되었습니다. 온라인으로 작업합니다."));
    m_connection->setText(connectionText());
    refreshCash();
    Q_EMIT wentOnline();
}

void MainStatusBar::tick() {
    ++m_ticks;
    // With a courier, what it found of the server is shown every second (it looks off the
    // window's thread). Without one, twice a minute the window asks the server whether it still
    // answers (a lost one is reconnected), and an offline session learns whether it can go online.
    if (m_session.courier())
        lookForServer();
    else if (m_ticks % 30 == 0) {
        if (m_session.state().isOnline())
            m_session.checkServer();
        else
            lookForServer();
    }
    // A restore on another desk replaces the office file: seen within seconds, opened again.
    if (m_ticks % 5 == 0)
        m_session.reopenReplacedOffice();
    m_clock->setText(m_session.clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    m_connection->setText(connectionText());
}

} // namespace teran
