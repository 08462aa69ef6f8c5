#include "DailyLog.h"

#include "StoreError.h"

#include <QDir>
#include <QFile>

namespace teran {

DailyLog::DailyLog(QString dataPath, const Clock& clock, std::function<QString()> loginId)
    : m_dataPath(std::move(dataPath))
    , m_clock(clock)
    , m_loginId(std::move(loginId)) {}

QString DailyLog::folder() const {
    return QDir(m_dataPath).filePath(QStringLiteral("Log"));
}

QString DailyLog::fileFor(const QDate& day) const {
    return QDir(folder()).filePath(day.toString(QStringLiteral("yyyy-MM-dd")));
}

bool DailyLog::WriteLog(const QString& message) const {
    const QDateTime now = m_clock.now();
    // The folder is made when missing: an error must never be lost for want of a folder.
    if (!QDir().mkpath(folder()))
        return false;
    QFile file(fileFor(now.date()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QString line = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("   ") +
                         (m_loginId ? m_loginId() : QString()) + QStringLiteral("   ") + message +
                         QStringLiteral("\r\n");
    const QByteArray bytes = line.toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}

QString DailyLog::errorMessage(const QString& label, const QString& description, const QString& source) {
    return label + description + QStringLiteral(" => ") + source;
}

QString DailyLog::errorMessage(const QString& label, const StoreError& error) {
    if (error.sql().isEmpty())
        return errorMessage(label, error.description(), error.source());
    return label + error.sql() + QStringLiteral(" --> ") + error.description() + QStringLiteral(" => ") +
           error.source();
}

bool DailyLog::logError(const QString& label, const StoreError& error) const {
    return WriteLog(errorMessage(label, error));
}

} // namespace teran
