#include "ui/session/KoreanTranslations.h"
#include "ui/session/WheelGuard.h"
#include "ui/widgets/ScreenFit.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Window tests run offscreen on a 1280x1024 screen unless the caller chose a platform: the
// program warns about screens narrower than 1024 pixels, which the default offscreen one is.
int main(int argc, char** argv) {
    QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QString config = dir.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        if (file.open(QIODevice::WriteOnly))
            file.write(
                R"({"screens":[{"name":"test","x":0,"y":0,"width":1280,"height":1024,"logicalDpi":96}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    }
    QApplication app(argc, argv);
    // The windows are tried as the program shows them: with Qt's own texts in Korean.
    teran::installKoreanTranslations(app);
    teran::ScreenFit::install(app);
    teran::WheelGuard::install(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
