#include "LoginIni.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace teran {

LoginIni::LoginIni(QString path)
    : m_path(std::move(path)) {}

QString LoginIni::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/teran/Login.ini");
}

bool LoginIni::exists() const {
    return QFileInfo(m_path).isFile();
}

LoginIni::Saved LoginIni::read() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    auto line = [&lines](int i) { return i < lines.size() ? lines.at(i).trimmed() : QString(); };
    return {line(0), line(1)};
}

bool LoginIni::ensureExists() const {
    return exists() || write({});
}

bool LoginIni::write(const Saved& saved) const {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A saved password sits in this file: nobody but the user may read it.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write((saved.id + QStringLiteral("\r\n") + saved.password + QStringLiteral("\r\n")).toUtf8());
    return file.commit();
}

} // namespace teran
