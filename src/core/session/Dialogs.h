#pragma once

#include <QString>
#include <QStringList>

namespace teran {

enum class DialogIcon { None, Information, Question, Warning, Critical };
// YesNoDefaultNo: a question whose 예 cannot be undone, so that a stray Enter answers 아니오.
enum class DialogButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class DialogAnswer { Ok, Cancel, Yes, No };

// Every message box and file dialog of the program goes through this interface: the program
// shows real boxes, tests answer them and check the exact text and title that was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual DialogAnswer message(const QString& text, const QString& title, DialogIcon icon,
                                 DialogButtons buttons) = 0;
    // An empty result means the user cancelled.
    virtual QString openFileName(const QString& title, const QString& folder, const QString& filter) = 0;
    // Several files at once; by default the one file of openFileName.
    virtual QStringList openFileNames(const QString& title, const QString& folder, const QString& filter) {
        const QString file = openFileName(title, folder, filter);
        return file.isEmpty() ? QStringList() : QStringList{file};
    }
    virtual QString saveFileName(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString existingFolder(const QString& title, const QString& folder) = 0;

    void inform(const QString& text, const QString& title = {}) {
        message(text, title, DialogIcon::Information, DialogButtons::Ok);
    }
    void critical(const QString& text, const QString& title = {}) {
        message(text, title, DialogIcon::Critical, DialogButtons::Ok);
    }
    bool askYesNo(const QString& text, const QString& title) {
        return message(text, title, DialogIcon::Question, DialogButtons::YesNo) == DialogAnswer::Yes;
    }
    // The same question, with 아니오 as the default button.
    bool askYesNoCarefully(const QString& text, const QString& title) {
        return message(text, title, DialogIcon::Warning, DialogButtons::YesNoDefaultNo) == DialogAnswer::Yes;
    }
};

} // namespace teran
