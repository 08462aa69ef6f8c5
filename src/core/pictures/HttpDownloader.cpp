#include "HttpDownloader.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>

namespace teran {

namespace {

bool failed(const QString& target, QString* error, const QString& why) {
    QFile::remove(target); // an older copy would be shown as if it were the server's picture
    if (error != nullptr)
        *error = why;
    return false;
}

} // namespace

HttpDownloader::HttpDownloader(int stallMs)
    : m_stallMs(stallMs) {}

HttpDownloader::~HttpDownloader() = default;

bool HttpDownloader::downloadToFile(const QUrl& url, const QString& target, QString* error) {
    if (!url.isValid())
        return failed(target, error, QStringLiteral("invalid address ") + url.toString());
    // Written beside the target and renamed over it only when everything arrived.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return failed(target, error, target + QStringLiteral(": ") + file.errorString());
    if (!m_manager)
        m_manager = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest request(url);
    request.setTransferTimeout(m_stallMs);
    std::unique_ptr<QNetworkReply> reply(m_manager->get(request));
    bool writeFailed = false;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(), [&] {
        const QByteArray bytes = reply->readAll();
        if (!writeFailed && file.write(bytes) != bytes.size()) {
            writeFailed = true;
            reply->abort();
        }
    });
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (writeFailed)
        return failed(target, error, target + QStringLiteral(": ") + file.errorString());
    if (reply->error() != QNetworkReply::NoError)
        return failed(target, error, url.toString() + QStringLiteral(": ") + reply->errorString());
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status >= 300)
        return failed(target, error, url.toString() + QStringLiteral(": HTTP ") + QString::number(status));
    const QByteArray rest = reply->readAll();
    if (file.write(rest) != rest.size() || !file.commit())
        return failed(target, error, target + QStringLiteral(": ") + file.errorString());
    return true;
}

} // namespace teran
