#pragma once

#include <QObject>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

namespace teran {

class Dialogs;

// `CheckNumberKey` as a behaviour any numeric box takes: on each key release the box is
// reformatted "#,##0" (unless it only checks) or, for a key that is no part of a number, the
// user is told, the box beeps and is emptied. Typed Hangul, which arrives from the input method
// rather than as a key, is refused the same way.
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
    bool inputMethod(const QInputMethodEvent& event); // true when refused
    void refuse();

    QLineEdit* m_box;
    Dialogs& m_dialogs;
    bool m_checkOnly;
    bool m_refusing = false;
};

} // namespace teran
