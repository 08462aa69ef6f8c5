#pragma once

#include <QLatin1String>
#include <QObject>
#include <QString>

class QBoxLayout;
class QPushButton;
class QWidget;

namespace teran {

// A control with the name the program and its tests find it by (`objectName`).
template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

// Whether Enter typed in a box of a dialog presses the button (Qt's default in dialogs).
enum class EnterKey { Presses, Ignored };

// A named button; Ignored where Enter typed in a box must not press it.
QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption,
                         EnterKey enter = EnterKey::Presses);

// A named button put at the end of a row of buttons.
QPushButton* addButton(QBoxLayout* row, QWidget* parent, const char* name, const QString& caption,
                       EnterKey enter = EnterKey::Presses);

} // namespace teran
