#include "frmLogin.h"

#include "core/session/LoginService.h"
#include "core/session/ProcessGroup.h"
#include "core/session/Session.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace teran {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

frmLogin::frmLogin(Session& session, const LoginIni& ini, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ini(ini) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("TERAN 로그인"));
    // On top from the start: changing the flags of a shown window would hide it again.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    buildForm();
}

QString frmLogin::missingServerTitle() {
    return QStringLiteral("서버컴퓨터를 찾을수 없습니다.");
}

QString frmLogin::missingServerText() {
    return QStringLiteral("서버컴퓨터를 지정하지 않으셨습니다.") + kCrLf + kCrLf +
           QStringLiteral("서버컴퓨터를 찾아 네트워크드라이브(R:)로 지정하신후 재실행 해주세요.") + kCrLf +
           kCrLf + QStringLiteral("그래도 실행이 되지않을 경우에는 본사로 문의하시기 바랍니다.") + kCrLf +
           kCrLf + QStringLiteral("서버로 설치된 컴퓨터를 지금 찾으시겠습니까 ?");
}

void frmLogin::buildForm() {
    auto* title = new QLabel(QStringLiteral("부동산전문 관리프로그램 TERAN"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    m_id = new QLineEdit(this);
    m_id->setObjectName(QStringLiteral("txtID"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPWD"));
    m_password->setEchoMode(QLineEdit::Password);
    m_saveId = new QCheckBox(QStringLiteral("아이디 저장"), this);
    m_saveId->setObjectName(QStringLiteral("chkLogin_0"));
    m_savePassword = new QCheckBox(QStringLiteral("비밀번호 저장"), this);
    m_savePassword->setObjectName(QStringLiteral("chkLogin_1"));
    m_loginButton = new QPushButton(QStringLiteral("로그인"), this);
    m_loginButton->setObjectName(QStringLiteral("Image1"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbllogin"));
    m_status->setStyleSheet(QStringLiteral("color: #c00000;"));

    m_loadingPanel = new QFrame(this);
    m_loadingPanel->setObjectName(QStringLiteral("picLoding"));
    m_loadingText = new QLabel(m_loadingPanel);
    m_loadingText->setObjectName(QStringLiteral("lblLoding"));
    (new QVBoxLayout(m_loadingPanel))->addWidget(m_loadingText);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("아이디"), m_id);
    form->addRow(QStringLiteral("비밀번호"), m_password);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_saveId);
    checks->addWidget(m_savePassword);
    checks->addStretch();
    checks->addWidget(m_loginButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_loadingPanel);
    layout->addLayout(form);
    layout->addLayout(checks);
    layout->addWidget(m_status);
    setMinimumWidth(420);

    connect(m_loginButton, &QPushButton::clicked, this, &frmLogin::tryLogin);
    connect(m_password, &QLineEdit::returnPressed, this, &frmLogin::tryLogin);
}

void frmLogin::progress(const QString& text) {
    m_loadingText->setText(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool frmLogin::start() {
    progress(QStringLiteral("최적의 해상도를 확인중입니다."));
    checkResolution();
    progress(QStringLiteral("로딩중 입니다."));
    progress(QStringLiteral("서버컴퓨터를 설정합니다."));
    runOfficeServerProgram();
    if (!checkDataFolder())
        return false;
    m_session.CreateDbObjects();
    m_session.MdbsqlConnOpen();
    m_loadingPanel->hide();
    fillSavedLogin();
    placeOnTop();
    return true;
}

void frmLogin::checkResolution() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().width() < 1024)
        m_session.dialogs().critical(QStringLiteral("해상도가 1024x768 이상으로 설정하셔야 ") + kCrLf +
                                         QStringLiteral("정상적으로 프로그램이 실행됩니다."),
                                     QStringLiteral("해상도오류"));
}

// The office-server program connects the office's shared data folder; the login waits for it
// while the window keeps painting, at most [office] ServerWaitSeconds, in a box that says what
// it waits for and lets the user stop waiting.
void frmLogin::runOfficeServerProgram() {
    const QString command = m_session.config().officeServerCommand;
    if (command.isEmpty())
        return;
    QStringList parts = QProcess::splitCommand(command);
    if (parts.isEmpty())
        return;
    const QString program = parts.takeFirst();
    if (!QFileInfo(program).isExecutable() && QStandardPaths::findExecutable(program).isEmpty())
        return;
    QProcess process;
    startInOwnGroup(process, program, parts);
    if (!process.waitForStarted(5000)) {
        m_session.WriteLog(QStringLiteral("로그인 => ") + process.errorString() + QStringLiteral(" => ") +
                           program);
        return;
    }
    const int limitMs = m_session.config().officeServerWaitSeconds * 1000;
    QProgressDialog wait(
        QStringLiteral("사무실 자료 폴더를 연결하는 프로그램이 끝나기를 기다리고 있습니다.") + kCrLf +
            program + kCrLf + kCrLf +
            QStringLiteral("오래 걸리면 [취소]를 눌러 기다리지 않고 로그인할 수 있습니다."),
        QStringLiteral("취소"), 0, limitMs, this);
    wait.setObjectName(QStringLiteral("dlgOfficeServerWait"));
    wait.setWindowTitle(QStringLiteral("사무실 서버 연결"));
    wait.setMinimumDuration(500);
    wait.setWindowModality(Qt::WindowModal);
    QElapsedTimer waited;
    waited.start();
    while (!process.waitForFinished(50)) {
        wait.setValue(int(std::min<qint64>(waited.elapsed(), limitMs - 1)));
        QCoreApplication::processEvents();
        if (wait.wasCanceled() || waited.elapsed() >= limitMs) {
            endProcessGroup(process);
            m_session.WriteLog(QStringLiteral("로그인 => ") +
                               (wait.wasCanceled()
                                    ? QStringLiteral("사무실 서버 프로그램을 기다리지 않음(취소)")
                                    : QStringLiteral("사무실 서버 프로그램이 %1초 안에 끝나지 않음")
                                          .arg(m_session.config().officeServerWaitSeconds)) +
                               QStringLiteral(" => ") + program);
            return;
        }
    }
}

bool frmLogin::checkDataFolder() {
    if (m_session.dataFolder().hasListingStore())
        return true;
    hide();
    if (m_session.dialogs().askYesNo(missingServerText(), missingServerTitle()))
        m_session.outlets().openUrl(
            QUrl::fromLocalFile(QFileInfo(m_session.dataFolder().root()).absolutePath()));
    m_session.endProgram(1);
    return false;
}

void frmLogin::fillSavedLogin() {
    if (!m_ini.exists()) {
        m_ini.ensureExists();
        return;
    }
    const LoginIni::Saved saved = m_ini.read();
    if (!saved.id.isEmpty()) {
        m_saveId->setChecked(true);
        m_id->setText(saved.id);
        m_password->setFocus();
    }
    if (!saved.password.isEmpty()) {
        m_savePassword->setChecked(true);
        m_password->setText(saved.password);
    }
}

void frmLogin::placeOnTop() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 3);
    }
}

void frmLogin::tryLogin() {
    m_status->clear();
    m_loginButton->setEnabled(false);
    const LoginResult result =
        LoginService(m_session, m_ini)
            .login({m_id->text(), m_password->text(), m_saveId->isChecked(), m_savePassword->isChecked()});
    m_loginButton->setEnabled(true);
    if (!result.succeeded()) {
        m_status->setText(result.status);
        return;
    }
    close();
    if (!result.notice.isEmpty())
        m_session.dialogs().message(result.notice, LoginTexts::refusedServerTitle(), DialogIcon::Warning,
                                    DialogButtons::Ok);
    Q_EMIT loggedIn();
}

} // namespace teran
