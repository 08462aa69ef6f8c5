#pragma once

#include "core/session/Dialogs.h"
#include "core/session/SessionState.h"
#include "core/session/TeranConfig.h"

#include <functional>
#include <memory>

namespace teran {

class Clock;
class ServerHealth;
class Session;

// A session of a worker thread that follows the window's login: made on first use like the
// window's, told the window's login state before each piece of work, its stores opened in the
// worker's thread (a store's connection belongs to the thread that opened it). It asks nobody
// anything: what it would have shown goes to the daily log under `label`.
class ThreadSession {
public:
    // `timesIntoHealth`: the worker's waits on the server are the window's ServerHealth (its steps
    // are short, so a long one is a server that does not answer).
    ThreadSession(const Session& window, QString label, bool timesIntoHealth);
    ~ThreadSession();
    ThreadSession(const ThreadSession&) = delete;
    ThreadSession& operator=(const ThreadSession&) = delete;

    // The session with the window's login state `state`; made on the first call. A change of
    // member closes the server store, so that the next step connects as the new one.
    Session& take(const SessionState& state);
    // The session when take() made one.
    Session* session() const { return m_session.get(); }

private:
    class Unattended;

    TeranConfig m_config;
    const Clock& m_clock;
    std::shared_ptr<ServerHealth> m_health;
    QString m_label;
    bool m_timesIntoHealth;
    std::unique_ptr<Unattended> m_dialogs;
    std::unique_ptr<Session> m_session;
};

} // namespace teran
