#pragma once

#include <QObject>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

namespace teran {

class Dialogs;

// `CheckNumberKey` as a behaviour any numeric box takes: on each key release the box is
// reformatted "#,##0" (unless it only checks). A key that would type something that is no part
// of a number is dropped before it reaches the box, which keeps its text; the user is told so
// once per box and hears a beep each time. Typed Hangul, which arrives from the input method
// rather than as a key, is refused the same way. Keys that type nothing (Escape) pass.
class NumericKeyCheck : public QObject {
    Q_OBJECT
public:
    // The behaviour lives as long as the box; attaching again only changes the flag.
    static NumericKeyCheck* attach(QLineEdit* box, Dialogs& dialogs, bool checkOnly);

    bool checkOnly() const { return m_checkOnly; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumericKeyCheck(QLineEdit* box, Dialogs& dialogs, bool checkOnly);
    void keyReleased(const QKeyEvent& event);
    bool keyPressed(const QKeyEvent& event);          // true when the key is dropped
    bool inputMethod(const QInputMethodEvent& event); // true when refused
    // Drops what was typed with a beep; the reason is said once per box.
    void refuse(const QString& why, bool& told);

    QLineEdit* m_box;
    Dialogs& m_dialogs;
    bool m_checkOnly;
    bool m_refusing = false;
    bool m_toldKey = false;    // the box has said once that it takes numbers only
    bool m_toldLength = false; // and once how many digits an amount has at most
};

} // namespace teran
