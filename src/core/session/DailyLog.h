#pragma once

#include "core/session/Clock.h"

#include <QString>
#include <functional>

namespace teran {

class StoreError;

// The daily error log: one file per calendar day under the data folder's Log/ (the date as
// yyyy-mm-dd, no extension), one line per error: date and time, three blanks, the user's id,
// three blanks, the message, CR LF.
class DailyLog {
public:
    // loginId is asked for each line, as the user logs in after the log is made.
    DailyLog(QString dataPath, const Clock& clock, std::function<QString()> loginId);

    // Appends one line; returns false when the line could not be written.
    bool WriteLog(const QString& message) const;
    // The folder that took the last line (the data folder's Log/, or the user's own when that
    // refused); empty when the last line could not be written anywhere.
    const QString& lastFolder() const { return m_lastFolder; }

    // The message conventions of the program's routines:
    //   label + description + " => " + source
    //   label + sql + " --> " + description + " => " + source   (when a statement failed)
    static QString errorMessage(const QString& label, const QString& description, const QString& source);
    static QString errorMessage(const QString& label, const StoreError& error);
    bool logError(const QString& label, const StoreError& error) const;

    QString fileFor(const QDate& day) const;
    QString folder() const;
    // Where lines go when the data folder's Log/ cannot take them: the user's own data folder.
    static QString fallbackFolder();
    void setFallbackFolder(const QString& folder) { m_fallback = folder; }

private:
    QString m_dataPath;
    const Clock& m_clock;
    std::function<QString()> m_loginId;
    QString m_fallback;
    mutable QString m_lastFolder;
};

} // namespace teran
