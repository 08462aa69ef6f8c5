#include "PictureSession.h"

#include "core/session/Session.h"

namespace teran {

PictureStoreFactory sessionPictureStores(Session& session) {
    return [&session] {
        PictureServer server;
        server.host = session.config().ftpHost;
        server.port = session.config().ftpPort;
        if (session.serverTakesMembers()) {
            // The member's own account, which writes only under its office's folder.
            server.user = session.state().LoginId;
            server.password = session.state().LoginPassword;
        } else {
            if (!session.config().ftpUser.isEmpty())
                server.user = session.config().ftpUser;
            // Read when the action runs: the login may have fetched it after the window opened.
            server.password = session.state().FtpPassword;
        }
        server.caFile = session.config().serverCa;
        server.webBaseUrl = session.config().webBaseUrl;
        // Without an FTP host the pictures stay on this machine, beside the embedded server.
        if (server.host.isEmpty())
            server.localFolder = session.config().localPictureFolder();
        auto store = std::make_unique<PictureStore>(
            server, session.dataFolder().root(), [&session](const QString& line) { session.WriteLog(line); });
        store->setTimeouts(session.config().connectSeconds, session.config().stallSeconds);
        return store;
    };
}

PictureSession::PictureSession(PictureStoreFactory factory)
    : m_factory(std::move(factory)) {}

PictureSession::~PictureSession() {
    if (m_store)
        m_store->FtpClose();
}

bool PictureSession::up(const QString& name) {
    return command(QStringLiteral("up"), name);
}

bool PictureSession::del(const QString& name) {
    return command(QStringLiteral("del"), name);
}

QString PictureSession::lastError() const {
    if (m_store && !m_store->lastError().isEmpty())
        return m_store->lastError();
    return m_unreachable ? QStringLiteral("the picture server cannot be reached") : QString();
}

bool PictureSession::command(const QString& mode, const QString& name) {
    if (!ensureOpen())
        return false;
    if (m_store->FtpCommand(mode, QStringLiteral("maemul"), name))
        return true;
    // A server that stopped answering mid-way would make every later row wait the stall limit
    // again: the rest of the action goes without it, and its pictures are reported.
    if (m_store->lastError().contains(QLatin1String("Timeout"), Qt::CaseInsensitive) ||
        m_store->lastError().contains(QLatin1String("timed out"), Qt::CaseInsensitive))
        m_unreachable = true;
    return false;
}

bool PictureSession::ensureOpen() {
    if (m_unreachable || !m_factory)
        return false;
    if (m_store && m_store->isOpen())
        return true;
    if (!m_store)
        m_store = m_factory();
    if (!m_store || !m_store->FtpOpen()) {
        m_unreachable = true;
        return false;
    }
    return true;
}

} // namespace teran
