#include "ScriptedDialogs.h"

namespace teran::test {

DialogAnswer ScriptedDialogs::message(const QString& text, const QString& title, DialogIcon icon,
                                      DialogButtons buttons) {
    m_shown.append({text, title, icon, buttons});
    // A box with one button has nothing to choose: queued answers are kept for real questions.
    if (buttons != DialogButtons::Ok && !m_answers.isEmpty())
        return m_answers.dequeue();
    switch (buttons) {
    case DialogButtons::Ok:
        return DialogAnswer::Ok;
    case DialogButtons::OkCancel:
        return DialogAnswer::Cancel;
    case DialogButtons::YesNo:
    case DialogButtons::YesNoCancel:
    case DialogButtons::YesNoDefaultNo:
        return DialogAnswer::No;
    }
    return DialogAnswer::No;
}

QString ScriptedDialogs::nextFile(const QString& title) {
    m_shown.append({QString(), title, DialogIcon::None, DialogButtons::Ok});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::openFileName(const QString& title, const QString&, const QString& filter) {
    m_lastFilter = filter;
    return nextFile(title);
}

QStringList ScriptedDialogs::openFileNames(const QString& title, const QString&, const QString& filter) {
    m_lastFilter = filter;
    const QString files = nextFile(title);
    return files.isEmpty() ? QStringList() : files.split(QLatin1Char('\n'));
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString&, const QString& filter) {
    m_lastFilter = filter;
    return nextFile(title);
}

QString ScriptedDialogs::existingFolder(const QString& title, const QString&) {
    return nextFile(title);
}

} // namespace teran::test
