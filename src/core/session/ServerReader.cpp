#include "ServerReader.h"

#include "core/session/Session.h"
#include "core/session/ThreadSession.h"
#include "core/store/ServerHealth.h"
#include "core/store/StoreError.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace teran {

namespace {

const QString kLabel = QStringLiteral("ServerRead => ");
// How long the window waits at the end for a read still waiting on the server.
constexpr unsigned long kStopWaitMs = 3000;

} // namespace

// The reader's side on its own thread.
class ReaderDesk : public QObject {
public:
    explicit ReaderDesk(const Session& window)
        // A read may run long on a server that answers (a count of many rows): it is no sign of
        // a silent server, which the courier's short steps tell.
        : m_worker(window, kLabel, false) {}

    void run(const SessionState& state, const std::function<void(Session&)>& work) {
        Session& session = m_worker.take(state);
        try {
            if (state.isOnline() && !session.serverOpen())
                session.serverReachable();
            work(session);
        } catch (const StoreError& error) {
            session.logError(kLabel, error);
        }
    }

private:
    ThreadSession m_worker;
};

ServerReader::ServerReader(Session& window, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_thread(new QThread)
    , m_desk(new ReaderDesk(window)) {
    m_thread->setObjectName(QStringLiteral("server reader"));
    m_desk->moveToThread(m_thread);
    // The desk's stores close in the thread that opened them.
    connect(m_thread, &QThread::finished, m_desk, &QObject::deleteLater);
    m_thread->start();
    m_window.setReader(this);
}

ServerReader::~ServerReader() {
    if (m_window.reader() == this)
        m_window.setReader(nullptr);
    m_thread->quit();
    if (m_thread->wait(kStopWaitMs)) {
        delete m_thread;
        return;
    }
    // A read still waits on a server that does not answer; the thread ends with the program.
    m_window.WriteLog(kLabel + QStringLiteral("the server did not answer a read"));
}

QString ServerReader::unansweredText() {
    return QStringLiteral("본사 서버가 응답하지 않아 자료를 읽지 못했습니다.");
}

bool ServerReader::serverSilent() const {
    return m_window.serverHealth()->waiting();
}

void ServerReader::post(std::function<void(Session&)> work) {
    ReaderDesk* desk = m_desk;
    QMetaObject::invokeMethod(
        desk, [desk, state = m_window.state(), work = std::move(work)] { desk->run(state, work); },
        Qt::QueuedConnection);
}

bool ServerReader::await(std::function<void(Session&)> work, const std::function<bool()>& cancelled) {
    if (serverSilent())
        return false;
    auto finished = std::make_shared<std::atomic<bool>>(false);
    post([work = std::move(work), finished, reader = QPointer<ServerReader>(this)](Session& session) {
        // Whatever the work throws, the window stops waiting for it.
        const auto done = qScopeGuard([&] { finished->store(true); });
        work(session);
        finished->store(true);
        if (reader)
            QMetaObject::invokeMethod(
                reader.data(), [reader] { Q_EMIT reader->readDone(); }, Qt::QueuedConnection);
    });
    const auto over = [&] { return finished->load() || serverSilent() || (cancelled && cancelled()); };
    if (!over()) {
        QEventLoop loop;
        QTimer look;
        const auto quitWhenOver = [&] {
            if (over())
                loop.quit();
        };
        connect(&look, &QTimer::timeout, &loop, quitWhenOver);
        connect(this, &ServerReader::readDone, &loop, quitWhenOver);
        look.start(50);
        loop.exec();
    }
    return finished->load();
}

} // namespace teran
