#include "DemoSeed.h"
#include "core/online/OfficeSetup.h"
#include "core/people/DemoSmsGateway.h"
#include "core/session/Session.h"
#include "core/store/StoreError.h"
#include "ui/session/KoreanTranslations.h"
#include "ui/session/QtDialogs.h"
#include "ui/session/WheelGuard.h"
#include "ui/session/frmFirstStart.h"
#include "ui/shell/ProgramFlow.h"
#include "ui/widgets/ScreenFit.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

using namespace teran;

namespace {

StartOptions parseOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("부동산전문 관리프로그램 TERAN"));
    parser.addHelpOption();
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("teran.ini to use"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("data folder to use"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption shot(QStringLiteral("screenshot"),
                                  QStringLiteral("save a picture of the window"), QStringLiteral("FILE"));
    const QCommandLineOption quit(QStringLiteral("exit-after-screenshot"),
                                  QStringLiteral("end after the picture"));
    parser.addOptions({config, data, shot, quit});
    parser.process(app);
    StartOptions options;
    options.configFile = parser.isSet(config) ? parser.value(config) : TeranConfig::defaultFile();
    options.dataPath = parser.value(data);
    options.screenshotFile = parser.value(shot);
    options.exitAfterScreenshot = parser.isSet(quit);
    return options;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teran"));
    installKoreanTranslations(app);
    ScreenFit::install(app);
    WheelGuard::install(app);
    const StartOptions options = parseOptions(app);
    SystemClock clock;
    QtDialogs dialogs;
    TeranConfig config = TeranConfig::load(options.configFile, options.dataPath);
    // A user without teran.ini chooses the demo, an existing office or a new one first.
    if (needsFirstStart(options.configFile, options.dataPath)) {
        frmFirstStart first(dialogs, options.configFile, [&clock](const TeranConfig& demo) {
            try {
                makeDemoOffice(demo, clock);
                return QString();
            } catch (const StoreError& error) {
                return QStringLiteral("체험용 사무실을 만들지 못했습니다.\r\n\r\n(") + error.description() +
                       QLatin1Char(')');
            }
        });
        if (first.exec() != QDialog::Accepted)
            return 0;
        config = first.config();
    }
    Session session(config, clock, dialogs);
    // The embedded demo sends its messages through the project's own gateway on loopback.
    DemoSmsGateway demoGateway;
    if (config.isEmbeddedDemo())
        demoGateway.ensureRunning(QCoreApplication::applicationDirPath(), quint16(demoServerTexts().smsPort),
                                  QDir(config.dataPath).filePath(QStringLiteral("server/sms-sent.log")));
    ProgramFlow flow(session, options);
    if (!flow.start())
        return 1;
    return app.exec();
}
