#include "ThreadSession.h"

#include "core/session/Session.h"

namespace teran {

class ThreadSession::Unattended final : public Dialogs {
public:
    explicit Unattended(std::function<void(const QString&)> log)
        : m_log(std::move(log)) {}
    DialogAnswer message(const QString& text, const QString& title, DialogIcon, DialogButtons) override {
        m_log(QStringLiteral("%1: %2").arg(title, text));
        return DialogAnswer::Cancel;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString existingFolder(const QString&, const QString&) override { return {}; }

private:
    std::function<void(const QString&)> m_log;
};

ThreadSession::ThreadSession(const Session& window, QString label, bool timesIntoHealth)
    : m_config(window.config())
    , m_clock(window.clock())
    , m_health(window.serverHealth())
    , m_label(std::move(label))
    , m_timesIntoHealth(timesIntoHealth)
    , m_dialogs(std::make_unique<Unattended>([this](const QString& line) {
        if (m_session)
            m_session->WriteLog(m_label + line);
    })) {}

ThreadSession::~ThreadSession() = default;

Session& ThreadSession::take(const SessionState& state) {
    if (!m_session) {
        m_session = std::make_unique<Session>(m_config, m_clock, *m_dialogs);
        m_session->setProgramEnd([](int) {});
        m_session->CreateDbObjects();
        // The worker's waits are what the window reads; the worker itself always asks.
        if (m_timesIntoHealth)
            m_session->serverStore().watchAnswers(m_health, false);
    }
    const bool otherMember = m_session->state().LoginId != state.LoginId ||
                             m_session->state().LoginPassword != state.LoginPassword;
    m_session->state() = state;
    if (otherMember) {
        m_session->setServerLogin(state.LoginId, state.LoginPassword);
        if (m_session->hasStores())
            m_session->serverStore().close();
    }
    return *m_session;
}

} // namespace teran
