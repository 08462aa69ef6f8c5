#include "ProgramStart.h"

#include "listings/frmMain.h"
#include "session/Session.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace teran {

QString missingDataFolderText(const QString& folder) {
    return QStringLiteral("데이터 폴더에 사무실 데이터베이스가 없습니다.\r\n\r\n") + folder +
           QStringLiteral("\r\n\r\n'teran-admin init' 으로 데이터 폴더를 만들거나 teran.ini 의 DataPath 를 "
                          "확인하신후 재실행 해주세요.");
}

namespace {

void scheduleScreenshot(QWidget* window, const StartOptions& options) {
    if (options.screenshotFile.isEmpty())
        return;
    const QString file = options.screenshotFile;
    const bool quit = options.exitAfterScreenshot;
    // Give the window a moment to lay out and paint before it is captured.
    QTimer::singleShot(1500, window, [window, file, quit] {
        window->grab().save(file);
        if (quit)
            QCoreApplication::quit();
    });
}

} // namespace

std::unique_ptr<QWidget> startProgram(Session& session, const StartOptions& options) {
    if (!session.dataFolder().hasListingStore()) {
        session.dialogs().critical(missingDataFolderText(session.dataFolder().root()),
                                   QStringLiteral("데이터 폴더 확인"));
        return nullptr;
    }
    session.dataFolder().ensureFolders();
    session.CreateDbObjects();
    if (!session.MdbsqlConnOpen())
        return nullptr;
    session.InternetCheck();
    if (session.endRequested())
        return nullptr;
    session.ensureOpen();
    auto window = std::make_unique<frmMain>(session);
    window->show();
    scheduleScreenshot(window.get(), options);
    return window;
}

} // namespace teran
