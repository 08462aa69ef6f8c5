#include "StoreUrl.h"

#include "core/store/StoreError.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

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
    // A cluster names its nodes with commas; the first is read as the address, the others after.
    static const QRegularExpression nodes(QStringLiteral("^([A-Za-z]+://(?:[^/@]*@)?)([^/@]+)(/.*)?$"));
    const QRegularExpressionMatch parts = nodes.match(trimmed);
    QStringList hosts;
    QString single = trimmed;
    if (parts.hasMatch() && parts.captured(2).contains(QLatin1Char(','))) {
        hosts = parts.captured(2).split(QLatin1Char(','));
        single = parts.captured(1) + hosts.first().trimmed() + parts.captured(3);
    }
    QUrl url(single, QUrl::StrictMode);
    const QUrlQuery query(url);
    url.setQuery(QString());
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
    result.caFile = query.queryItemValue(QStringLiteral("ca"), QUrl::FullyDecoded);
    if (result.database.isEmpty())
        throw StoreError(QStringLiteral("Database name missing in ") + text, QStringLiteral("StoreUrl"));
    for (qsizetype i = 1; i < hosts.size(); ++i) {
        const QUrl node(QStringLiteral("mysql://") + hosts.at(i).trimmed(), QUrl::StrictMode);
        if (!node.isValid() || node.host().isEmpty())
            throw StoreError(QStringLiteral("Unknown database address: ") + text, QStringLiteral("StoreUrl"));
        result.moreNodes.append({node.host(), node.port(3306)});
    }
    return result;
}

QList<StoreUrl::Node> StoreUrl::nodes() const {
    return QList<Node>{{host, port}} + moreNodes;
}

namespace {

QString otherNodes(const QList<StoreUrl::Node>& nodes) {
    QString text;
    for (const StoreUrl::Node& node : nodes)
        text += QStringLiteral(",%1:%2").arg(node.host).arg(node.port);
    return text;
}

} // namespace

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
    if (!caFile.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("ca"), caFile);
        url.setQuery(query);
    }
    if (moreNodes.isEmpty())
        return url.toString();
    // The other nodes go after the first one's port, as parse() reads them.
    const QString text = url.toString();
    const qsizetype path = text.indexOf(QLatin1Char('/'), text.indexOf(QLatin1String("//")) + 2);
    return text.left(path) + otherNodes(moreNodes) + text.mid(path);
}

QString StoreUrl::display() const {
    if (backend == SqlBackend::Sqlite)
        return QStringLiteral("sqlite:") + path;
    const QString account = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return QStringLiteral("mysql://%1%2:%3%4/%5")
        .arg(account, host)
        .arg(port)
        .arg(otherNodes(moreNodes), database);
}

} // namespace teran
