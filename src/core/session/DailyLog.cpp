#include "DailyLog.h"

#include "core/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

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

QString DailyLog::fallbackFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/teran/Log");
}

namespace {
bool appendLine(const QString& folder, const QString& fileName, const QByteArray& bytes) {
    // The folder is made when missing: an error must never be lost for want of a folder.
    if (!QDir().mkpath(folder))
        return false;
    QFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    // A full disk leaves part of the line: cut it off again so the file stays line by line.
    file.resize(file.size() - bytes.size() > 0 ? file.size() - bytes.size() : 0);
    return false;
}
} // namespace

bool DailyLog::WriteLog(const QString& message) const {
    const QDateTime now = m_clock.now();
    const QString line = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("   ") +
                         (m_loginId ? m_loginId() : QString()) + QStringLiteral("   ") + message +
                         QStringLiteral("\r\n");
    const QByteArray bytes = line.toUtf8();
    const QString fileName = now.date().toString(QStringLiteral("yyyy-MM-dd"));
    m_lastFolder = folder();
    if (appendLine(m_lastFolder, fileName, bytes))
        return true;
    // The data folder refuses (read-only share, full disk): the user's own folder keeps the line,
    // with the data folder named, so that the error is not lost with the disk that caused it.
    const QByteArray where = (QStringLiteral("[") + m_dataPath + QStringLiteral("] ")).toUtf8();
    m_lastFolder = m_fallback.isEmpty() ? fallbackFolder() : m_fallback;
    if (appendLine(m_lastFolder, fileName, where + bytes))
        return true;
    m_lastFolder.clear();
    return false;
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
