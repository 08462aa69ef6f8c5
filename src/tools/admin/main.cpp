#include "AdminCommands.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("teran-admin"));
    return teran::admin::run(QCoreApplication::arguments());
}
