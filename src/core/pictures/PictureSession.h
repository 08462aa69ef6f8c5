#pragma once

#include "PictureStore.h"

#include <functional>
#include <memory>

namespace teran {

class Session;

// Makes the picture store an action talks to; tests point it at their own server.
using PictureStoreFactory = std::function<std::unique_ptr<PictureStore>()>;

// The picture server as the session's configuration and login name it.
PictureStoreFactory sessionPictureStores(Session& session);

// One FTP connection for the length of an action: opened at the first command, closed at the
// end. When the server cannot be reached, the connection is not tried again for every row (each
// try would wait for the connect timeout); the commands then fail at once.
class PictureSession {
public:
    explicit PictureSession(PictureStoreFactory factory);
    ~PictureSession();
    PictureSession(const PictureSession&) = delete;
    PictureSession& operator=(const PictureSession&) = delete;

    bool up(const QString& name);
    bool del(const QString& name);
    // Why the last command failed (empty before any failure).
    QString lastError() const;

private:
    bool command(const QString& mode, const QString& name);
    bool ensureOpen();

    PictureStoreFactory m_factory;
    std::unique_ptr<PictureStore> m_store;
    bool m_unreachable = false;
};

} // namespace teran
