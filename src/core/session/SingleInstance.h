#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace teran {

// One running program per user and machine: the first holds a lock file in the user's runtime
// folder for as long as it runs; a lock left by a crashed program is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    bool acquire();
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace teran
