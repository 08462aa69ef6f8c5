#include "AdminCommands.h"

#include <QGuiApplication>
#include <memory>

// The sheet command lays out pages with fonts, which needs the GUI side of Qt; it runs
// without a screen on the offscreen platform. The other commands need no GUI at all.
int main(int argc, char** argv) {
    bool painting = false;
    for (int i = 1; i < argc; ++i)
        painting = painting || qstrcmp(argv[i], "sheet") == 0;
    if (painting && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = painting ? std::make_unique<QGuiApplication>(argc, argv)
                                                     : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("teran-admin"));
    return teran::admin::run(QCoreApplication::arguments());
}
