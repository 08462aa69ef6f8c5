#pragma once

#include <QStringList>

class QProcess;

namespace teran {

// A helper program started in a process group of its own, so that ending it ends whatever it
// started too: a script that mounts a share leaves no child running after the time limit.
void startInOwnGroup(QProcess& process, const QString& program, const QStringList& arguments);
// Ends the program and every process of its group, then waits for it briefly.
void endProcessGroup(QProcess& process);

} // namespace teran
