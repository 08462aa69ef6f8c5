#include "FileBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace teran {

FileBox::FileBox(const QString& filesDir, int number)
    : m_folder(QDir(filesDir).filePath(QString::number(number))) {}

QStringList FileBox::files() const {
    return QDir(m_folder).entryList(QDir::Files, QDir::Name);
}

QString FileBox::target(const QString& chosenPath) const {
    return QDir(m_folder).filePath(QFileInfo(chosenPath).fileName());
}

bool FileBox::holds(const QString& chosenPath) const {
    return QFileInfo::exists(target(chosenPath));
}

bool FileBox::add(const QString& chosenPath) {
    const QString into = target(chosenPath);
    if (QFileInfo(chosenPath).absoluteFilePath() == QFileInfo(into).absoluteFilePath())
        return true;
    if (!QFileInfo(chosenPath).isFile() || !QDir().mkpath(m_folder))
        return false;
    // Copied beside the old file first, so a failed copy does not lose the one that was there.
    const QString part = into + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(chosenPath, part))
        return false;
    QFile::remove(into);
    return QFile::rename(part, into);
}

} // namespace teran
