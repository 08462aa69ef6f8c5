#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace teran::test {

// teran-admin as a script runs it: its exit code and what it wrote to standard error.
struct AdminRun {
    int exitCode = -1;
    QString errors;
};

inline AdminRun admin(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TERAN_ADMIN_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace teran::test
