#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace teran {

SingleInstance::SingleInstance(const QString& lockPath)
    : m_lock(std::make_unique<QLockFile>(lockPath)) {
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    m_lock->setStaleLockTime(0); // only a lock whose process is gone is stale
}

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder +
           QStringLiteral("/teran-%1.lock").arg(qEnvironmentVariable("USER", QStringLiteral("user")));
}

bool SingleInstance::acquire() {
    return m_lock->tryLock(0);
}

} // namespace teran
