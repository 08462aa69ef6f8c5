#pragma once

#include "ScriptedDialogs.h"

#include <functional>

namespace teran::test {

// The scripted boxes, with a look at the windows at the moment each box comes up (a test can
// check what a window shows while its question is open).
class HookedDialogs final : public Dialogs {
public:
    explicit HookedDialogs(ScriptedDialogs& script)
        : m_script(script) {}
    std::function<void()> onMessage;

    DialogAnswer message(const QString& text, const QString& title, DialogIcon icon,
                         DialogButtons buttons) override {
        if (onMessage)
            onMessage();
        return m_script.message(text, title, icon, buttons);
    }
    QString openFileName(const QString& t, const QString& f, const QString& x) override {
        return m_script.openFileName(t, f, x);
    }
    QStringList openFileNames(const QString& t, const QString& f, const QString& x) override {
        return m_script.openFileNames(t, f, x);
    }
    QString saveFileName(const QString& t, const QString& f, const QString& x) override {
        return m_script.saveFileName(t, f, x);
    }
    QString existingFolder(const QString& t, const QString& f) override {
        return m_script.existingFolder(t, f);
    }

private:
    ScriptedDialogs& m_script;
};

} // namespace teran::test
