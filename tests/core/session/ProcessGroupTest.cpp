#include "core/session/ProcessGroup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>

using namespace teran;

namespace {

bool alive(pid_t pid) {
    return ::kill(pid, 0) == 0;
}

} // namespace

// A script that starts a child of its own and waits: ending the script ends the child too.
TEST(ProcessGroupTest, EndingTheProgramEndsTheChildItStarted) {
    QTemporaryDir dir;
    const QString pidFile = dir.filePath(QStringLiteral("child.pid"));
    QProcess script;
    startInOwnGroup(script, QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("sleep 300 & echo $! > '%1'; wait").arg(pidFile)});
    ASSERT_TRUE(script.waitForStarted(5000));
    QElapsedTimer waited;
    waited.start();
    // The shell makes the file before it writes the number into it.
    while (QFileInfo(pidFile).size() == 0 && waited.elapsed() < 5000)
        QThread::msleep(20);
    QFile file(pidFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const pid_t child = pid_t(file.readAll().trimmed().toLongLong());
    ASSERT_GT(child, 0);
    ASSERT_TRUE(alive(child));

    endProcessGroup(script);

    EXPECT_EQ(script.state(), QProcess::NotRunning);
    // The orphaned child is reaped by init; until then it may linger as a zombie for a moment.
    waited.restart();
    while (alive(child) && waited.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_FALSE(alive(child)) << "the script's child still runs";
}
