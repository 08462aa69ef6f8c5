#include "ProgramFlow.h"

#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationCourier.h"
#include "core/session/ServerReader.h"
#include "core/session/Session.h"
#include "core/session/SessionLoader.h"
#include "core/session/SettingsStore.h"
#include "frmMain.h"
#include "ui/session/frmLogin.h"
#include "ui/session/frmLogo.h"

#include <QCoreApplication>
#include <QTimer>

namespace teran {

ProgramFlow::ProgramFlow(Session& session, StartOptions options)
    : m_session(session)
    , m_options(std::move(options))
    , m_ini(m_options.loginIniPath)
    , m_instance(m_options.lockPath) {}

ProgramFlow::~ProgramFlow() = default;

QString ProgramFlow::alreadyRunningText() {
    return QStringLiteral("프로그램이 이미 실행중 입니다.");
}

QString ProgramFlow::versionText(Session& session) {
    const QString version = SettingsStore::ofUser(session).installedVersion();
    return QStringLiteral("TERAN Ver ") + (version.isEmpty() ? QStringLiteral("5.02") : version);
}

bool ProgramFlow::start() {
    if (!m_instance.acquire()) {
        m_session.dialogs().message(alreadyRunningText(), QString(), DialogIcon::None, DialogButtons::Ok);
        m_session.endProgram(1);
        return false;
    }
    // A teran.ini line that could not be read is said once; the rest of the file is in use.
    if (!m_session.config().unreadLines.isEmpty())
        m_session.dialogs().message(m_session.config().unreadLinesText(), QStringLiteral("환경설정"),
                                    DialogIcon::Warning, DialogButtons::Ok);
    m_login = std::make_unique<frmLogin>(m_session, m_ini);
    m_login->show();
    if (!m_login->start())
        return false;
    connect(m_login.get(), &frmLogin::loggedIn, this, &ProgramFlow::openMainWindow);
    scheduleScreenshot(m_login.get());
    return true;
}

void ProgramFlow::openMainWindow() {
    frmLogo logo(versionText(m_session));
    logo.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (SessionLoader(m_session).load() != LoadOutcome::Loaded) {
        if (!m_session.endRequested())
            m_session.endProgram(1);
        return;
    }
    m_session.ensureOpen();
    // From here on the server steps go off the window's thread.
    if (!m_courier)
        m_courier = std::make_unique<PublicationCourier>(m_session);
    if (!m_reader)
        m_reader = std::make_unique<ServerReader>(m_session);
    catchUpWithServer(m_session);
    m_main = std::make_unique<frmMain>(m_session);
    m_main->show();
    logo.close();
    m_login.release()->deleteLater(); // it is still sending the signal that brought us here
    Q_EMIT mainWindowShown();
}

void ProgramFlow::scheduleScreenshot(QWidget* window) {
    if (m_options.screenshotFile.isEmpty())
        return;
    const QString file = m_options.screenshotFile;
    const bool quit = m_options.exitAfterScreenshot;
    // Give the window a moment to lay out and paint before it is captured.
    QTimer::singleShot(1500, window, [window, file, quit] {
        window->grab().save(file);
        if (quit)
            QCoreApplication::quit();
    });
}

} // namespace teran
