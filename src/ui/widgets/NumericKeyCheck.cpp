#include "NumericKeyCheck.h"

#include "core/contracts/NumberKeyCheck.h"
#include "core/session/Dialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace teran {

NumericKeyCheck* NumericKeyCheck::attach(QLineEdit* box, Dialogs& dialogs, bool checkOnly) {
    if (auto* attached = box->findChild<NumericKeyCheck*>(QString(), Qt::FindDirectChildrenOnly)) {
        attached->m_checkOnly = checkOnly;
        return attached;
    }
    return new NumericKeyCheck(box, dialogs, checkOnly);
}

NumericKeyCheck::NumericKeyCheck(QLineEdit* box, Dialogs& dialogs, bool checkOnly)
    : QObject(box)
    , m_box(box)
    , m_dialogs(dialogs)
    , m_checkOnly(checkOnly) {
    // A number needs no composing: with the input method off, a Hangul key types its Latin
    // letter, which the key check refuses like any other letter.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(box->inputMethodHints() | Qt::ImhFormattedNumbersOnly);
    box->installEventFilter(this);
}

bool NumericKeyCheck::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box)
        return false;
    if (event->type() == QEvent::KeyPress && !m_box->isReadOnly())
        return keyPressed(static_cast<const QKeyEvent&>(*event));
    if (event->type() == QEvent::KeyRelease && !m_box->isReadOnly())
        keyReleased(static_cast<const QKeyEvent&>(*event));
    else if (event->type() == QEvent::InputMethod)
        return inputMethod(static_cast<const QInputMethodEvent&>(*event));
    return false;
}

bool NumericKeyCheck::keyPressed(const QKeyEvent& event) {
    if (NumberKeyCheck::refusesTypedKey(event.key(), event.text(), event.modifiers())) {
        refuse(NumberKeyCheck::rejectText(), m_toldKey);
        return true;
    }
    const bool digit = event.text().size() == 1 && event.text().at(0).isDigit();
    if (!m_checkOnly && digit && NumberKeyCheck::amountFull(m_box->text(), m_box->selectedText())) {
        refuse(NumberKeyCheck::tooLongText(), m_toldLength);
        return true;
    }
    return false;
}

void NumericKeyCheck::keyReleased(const QKeyEvent& event) {
    // A held key is checked once, when it is let go.
    if (event.isAutoRepeat())
        return;
    const NumberKeyOutcome outcome = NumberKeyCheck::check(m_box->text(), m_box->cursorPosition(),
                                                           event.key(), event.modifiers(), m_checkOnly);
    if (outcome.action == NumberKeyAction::Reject)
        return; // dropped when pressed, or a key that types nothing
    if (outcome.text != m_box->text())
        m_box->setText(outcome.text);
    m_box->setCursorPosition(outcome.caret);
}

bool NumericKeyCheck::inputMethod(const QInputMethodEvent& event) {
    if (NumberKeyCheck::acceptsText(event.commitString()) &&
        NumberKeyCheck::acceptsText(event.preeditString()))
        return false;
    // A box the user cannot edit takes no such text, and there is nothing to empty.
    if (!m_refusing && !m_box->isReadOnly()) {
        // Some input methods commit what they hold when reset; that must not be refused twice.
        m_refusing = true;
        QGuiApplication::inputMethod()->reset();
        m_refusing = false;
        refuse(NumberKeyCheck::rejectText(), m_toldKey);
    }
    return true;
}

void NumericKeyCheck::refuse(const QString& why, bool& told) {
    QApplication::beep();
    if (told)
        return;
    told = true;
    m_dialogs.message(why, NumberKeyCheck::rejectTitle(), DialogIcon::Critical, DialogButtons::Ok);
}

} // namespace teran
