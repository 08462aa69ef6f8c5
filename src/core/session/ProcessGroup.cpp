#include "ProcessGroup.h"

#include <QProcess>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace teran {

void startInOwnGroup(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(program, arguments);
}

void endProcessGroup(QProcess& process) {
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-pid_t(pid), SIGKILL); // the group the program leads: its children too
    process.kill();
    process.waitForFinished(1000);
}

} // namespace teran
