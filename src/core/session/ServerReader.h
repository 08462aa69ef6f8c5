#pragma once

#include "core/store/StoreError.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace teran {

class ReaderDesk;
class Session;

// Reads from the vendor's server on a thread of its own, with its own session and connections,
// so that no window waits on the network for what it shows: a list window hands its read over
// and waits for it handling its events (read), or has the answer brought back when it comes
// (readLater). A read that does not come back while the session's ServerHealth says the server
// does not answer, or that the user cancels, is given up: its answer is dropped when it comes.
// A read's work must hold its own copies of what it needs, never the caller's references.
class ServerReader : public QObject {
    Q_OBJECT
public:
    explicit ServerReader(Session& window, QObject* parent = nullptr);
    ~ServerReader() override;

    // The answer of `work`, run with the reader's session in the window's login state; nullopt
    // when given up. `cancelled` is asked while waiting (every 50 ms): it may also show the wait.
    // A StoreError of the work is thrown again here, on the window's thread.
    template <typename T>
    std::optional<T> read(std::function<T(Session&)> work, const std::function<bool()>& cancelled = {}) {
        auto answer = std::make_shared<std::optional<T>>();
        auto failure = std::make_shared<std::optional<StoreError>>();
        const bool came = await(
            [work = std::move(work), answer, failure](Session& session) {
                try {
                    *answer = work(session);
                } catch (const StoreError& error) {
                    *failure = error;
                }
            },
            cancelled);
        if (!came)
            return std::nullopt;
        if (*failure)
            throw StoreError(**failure);
        return std::move(*answer);
    }

    // Runs `work` and hands its answer to `done` on the thread of `context`, unless `context` is
    // gone by then.
    template <typename T>
    void readLater(std::function<T(Session&)> work, QObject* context, std::function<void(T)> done) {
        post([work = std::move(work), context = QPointer<QObject>(context),
              done = std::move(done)](Session& session) {
            T answer = work(session);
            if (context)
                QMetaObject::invokeMethod(
                    context.data(), [done, answer = std::move(answer)] { done(answer); },
                    Qt::QueuedConnection);
        });
    }

    // While the server does not answer, a read is given up at once.
    bool serverSilent() const;
    // What a window shows for a read given up.
    static QString unansweredText();

Q_SIGNALS:
    void readDone(); // a read that a window waits for came back

private:
    bool await(std::function<void(Session&)> work, const std::function<bool()>& cancelled);
    void post(std::function<void(Session&)> work);

    Session& m_window;
    QThread* m_thread;
    ReaderDesk* m_desk;
};

} // namespace teran
