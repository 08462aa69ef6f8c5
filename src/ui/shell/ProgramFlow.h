#pragma once

#include "core/session/LoginIni.h"
#include "core/session/SingleInstance.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace teran {

class Session;
class frmLogin;
class frmMain;
class PublicationCourier;
class ServerReader;

// How the program was asked to start, from its command line.
struct StartOptions {
    QString configFile;
    QString dataPath;       // overrides the configured data folder
    QString screenshotFile; // save a picture of the first window once it shows
    bool exitAfterScreenshot = false;
    QString loginIniPath = LoginIni::defaultPath();
    QString lockPath = SingleInstance::defaultLockPath();
};

// The road from start to work: one program per user, the login window, the session loader
// with the splash window, then the frame window.
class ProgramFlow : public QObject {
    Q_OBJECT
public:
    ProgramFlow(Session& session, StartOptions options);
    ~ProgramFlow() override;

    // False when the program has to end before the login window shows.
    bool start();
    frmLogin* loginWindow() const { return m_login.get(); }
    frmMain* mainWindow() const { return m_main.get(); }

    static QString alreadyRunningText();
    static QString versionText(Session& session);

Q_SIGNALS:
    void mainWindowShown();

private:
    void openMainWindow();
    void scheduleScreenshot(QWidget* window);

    Session& m_session;
    StartOptions m_options;
    LoginIni m_ini;
    SingleInstance m_instance;
    std::unique_ptr<frmLogin> m_login;
    std::unique_ptr<PublicationCourier> m_courier; // outlives the main window's steps
    std::unique_ptr<ServerReader> m_reader;        // and its lists' reads
    std::unique_ptr<frmMain> m_main;
};

} // namespace teran
