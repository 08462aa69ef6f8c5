#include "WindowAddressTarget.h"

#include "ComboFill.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <stdexcept>

namespace teran {

QWidget* WindowAddressTarget::field(QWidget* window, const QString& name) {
    const QList<QWidget*> found = window->findChildren<QWidget*>(name);
    for (QWidget* candidate : found)
        if (candidate->window() == window->window())
            return candidate;
    return nullptr;
}

bool WindowAddressTarget::setFieldText(QWidget* field, const QString& text) {
    if (auto* box = qobject_cast<QComboBox*>(field))
        combo::selectValue(box, text);
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(field))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(field))
        button->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(field))
        rich->setPlainText(text);
    else
        return false;
    return true;
}

void WindowAddressTarget::takeAddress(const AddressPick& pick) {
    if (!m_window)
        throw std::runtime_error("The window that asked for the address is closed");
    int filled = 0;
    for (const auto& [name, text] : pick.fieldValues()) {
        QWidget* target = field(m_window, name);
        if (target && setFieldText(target, text))
            ++filled;
    }
    if (filled == 0)
        throw std::runtime_error(
            (QStringLiteral("No field for the address target ") + pick.target).toStdString());
}

} // namespace teran
