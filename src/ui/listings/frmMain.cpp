#include "frmMain.h"

#include "session/Session.h"

#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QTimer>

namespace teran {

frmMain::frmMain(Session& session, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_mdi(new QMdiArea(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(windowTitleText());
    m_mdi->setObjectName(QStringLiteral("MDIForm"));
    setCentralWidget(m_mdi);
    buildStatusBar();
    resize(1200, 800);
}

QString frmMain::windowTitleText() {
    return QStringLiteral("부동산전문 관리프로그램[TERAN] - 실행중");
}

QString frmMain::connectionText() const {
    const QString mode = m_session.serverOpen() ? QStringLiteral("온라인") : QStringLiteral("오프라인");
    return mode + QStringLiteral("  |  ") + m_session.dataFolder().root();
}

void frmMain::buildStatusBar() {
    m_connection = new QLabel(connectionText(), this);
    m_connection->setObjectName(QStringLiteral("lblConnection"));
    m_clock = new QLabel(this);
    m_clock->setObjectName(QStringLiteral("lblClock"));
    statusBar()->addWidget(m_connection, 1);
    statusBar()->addPermanentWidget(m_clock);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &frmMain::showClock);
    timer->start(1000);
    showClock();
}

void frmMain::showClock() {
    m_clock->setText(m_session.clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    m_connection->setText(connectionText());
}

} // namespace teran
