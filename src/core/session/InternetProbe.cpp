#include "InternetProbe.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace teran {

HttpProbe::HttpProbe(QString url, int timeoutMs)
    : m_url(std::move(url))
    , m_timeoutMs(timeoutMs) {}

bool HttpProbe::reachable() {
    const QUrl url(m_url);
    if (m_url.isEmpty() || !url.isValid())
        return false;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&guard, &QTimer::timeout, reply, &QNetworkReply::abort);
    guard.start(m_timeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && (status == 0 || status < 400);
    reply->deleteLater();
    return ok;
}

} // namespace teran
