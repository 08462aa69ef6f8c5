#pragma once

#include <QString>

namespace teran {

// The saved login, Login.ini: exactly two lines, the saved member id and the saved password
// (each may be empty). It lives in the user's configuration folder, readable by the user only.
class LoginIni {
public:
    explicit LoginIni(QString path);
    static QString defaultPath(); // ~/.config/teran/Login.ini

    struct Saved {
        QString id;
        QString password;
    };

    bool exists() const;
    Saved read() const;
    // Creates the file with two empty lines when it is missing.
    bool ensureExists() const;
    bool write(const Saved& saved) const;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

} // namespace teran
