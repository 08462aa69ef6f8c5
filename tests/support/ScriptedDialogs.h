#pragma once

#include "core/session/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace teran::test {

// Dialogs for tests: answers are queued beforehand, and every box shown is recorded so the
// test can check its exact text, title and icon. An unexpected question is answered No/Cancel.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        DialogIcon icon;
        DialogButtons buttons;
    };

    void answerNext(DialogAnswer answer) { m_answers.enqueue(answer); }
    void fileNext(const QString& path) { m_files.enqueue(path); }
    // A choice of several files answers one file dialog.
    void filesNext(const QStringList& paths) { m_files.enqueue(paths.join(QLatin1Char('\n'))); }

    DialogAnswer message(const QString& text, const QString& title, DialogIcon icon,
                         DialogButtons buttons) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QStringList openFileNames(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString existingFolder(const QString& title, const QString& folder) override;

    const QList<Shown>& shown() const { return m_shown; }
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    // The filter of the last file dialog ("Text (*.txt);;CSV (*.csv)").
    const QString& lastFilter() const { return m_lastFilter; }
    void clear() { m_shown.clear(); }

private:
    QString nextFile(const QString& title);
    QQueue<DialogAnswer> m_answers;
    QQueue<QString> m_files;
    QList<Shown> m_shown;
    QString m_lastFilter;
};

} // namespace teran::test
