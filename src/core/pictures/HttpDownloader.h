#pragma once

#include <QString>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;

namespace teran {

// Fetches one web address into a file and waits for it (with its own event loop), bounded by a
// stall timeout so that a silent server cannot hold the program.
class HttpDownloader {
public:
    explicit HttpDownloader(int stallMs = 30000);
    ~HttpDownloader();

    void setStallTimeout(int stallMs) { m_stallMs = stallMs; }

    // True when the whole answer (HTTP 2xx) is in target. On failure no file is left at target, not
    // even an older one, and error says why.
    bool downloadToFile(const QUrl& url, const QString& target, QString* error = nullptr);

private:
    int m_stallMs;
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

} // namespace teran
