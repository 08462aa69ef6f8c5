#pragma once

#include "core/session/LoginIni.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace teran {

class Session;

// The login window: before anyone logs in it runs the start-up checks (screen, the office-server
// program, the data folder, the office database, the saved login); then it checks logins.
class frmLogin : public QWidget {
    Q_OBJECT
public:
    frmLogin(Session& session, const LoginIni& ini, QWidget* parent = nullptr);

    // The start-up steps; false when the program has to end.
    bool start();
    static QString missingServerTitle();
    static QString missingServerText();

Q_SIGNALS:
    void loggedIn();

private:
    void buildForm();
    void progress(const QString& text);
    void checkResolution();
    void runOfficeServerProgram();
    bool checkDataFolder();
    void fillSavedLogin();
    void placeOnTop();
    void tryLogin();

    Session& m_session;
    const LoginIni& m_ini;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_saveId = nullptr;
    QCheckBox* m_savePassword = nullptr;
    QLabel* m_status = nullptr;
    QFrame* m_loadingPanel = nullptr;
    QLabel* m_loadingText = nullptr;
    QPushButton* m_loginButton = nullptr;
};

} // namespace teran
