#include "StoreUrl.h"

#include "StoreError.h"

#include <QUrl>

namespace teran {

StoreUrl StoreUrl::sqliteFile(const QString& path) {
    StoreUrl url;
    url.backend = SqlBackend::Sqlite;
    url.path = path;
    return url;
}

StoreUrl StoreUrl::parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive)) {
        QString path = trimmed.mid(7);
        // Accept both "sqlite:/abs/file" and "sqlite:///abs/file".
        if (path.startsWith(QLatin1String("///")))
            path = path.mid(2);
        if (path.isEmpty())
            throw StoreError(QStringLiteral("SQLite address without a file: ") + text,
                             QStringLiteral("StoreUrl"));
        return sqliteFile(path);
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("mysql") && scheme != QLatin1String("mariadb")) ||
        url.host().isEmpty())
        throw StoreError(QStringLiteral("Unknown database address: ") + text, QStringLiteral("StoreUrl"));
    StoreUrl result;
    result.backend = SqlBackend::MariaDb;
    result.host = url.host();
    result.port = url.port(3306);
    result.database = url.path().mid(1);
    result.user = url.userName(QUrl::FullyDecoded);
    result.password = url.password(QUrl::FullyDecoded);
    if (result.database.isEmpty())
        throw StoreError(QStringLiteral("Database name missing in ") + text, QStringLiteral("StoreUrl"));
    return result;
}

bool StoreUrl::isValid() const {
    return backend == SqlBackend::Sqlite ? !path.isEmpty() : !host.isEmpty() && !database.isEmpty();
}

QString StoreUrl::toString() const {
    if (backend == SqlBackend::Sqlite)
        return QStringLiteral("sqlite:") + path;
    QUrl url;
    url.setScheme(QStringLiteral("mysql"));
    url.setHost(host);
    url.setPort(port);
    url.setUserName(user);
    url.setPassword(password);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

QString StoreUrl::display() const {
    if (backend == SqlBackend::Sqlite)
        return QStringLiteral("sqlite:") + path;
    const QString account = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return QStringLiteral("mysql://%1%2:%3/%4").arg(account, host).arg(port).arg(database);
}

} // namespace teran
