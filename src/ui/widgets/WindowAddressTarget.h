#pragma once

#include "core/register/AddressPick.h"

#include <QPointer>
#include <QWidget>

namespace teran {

// Hands a picked address to the named fields of a window (AddressPick::fieldValues): combos,
// line edits, labels, buttons and text boxes get the text; fields the window lacks are skipped.
// Combos with a cascade attached refill on the way, so the parts land in the refilled lists.
class WindowAddressTarget : public AddressTarget {
public:
    explicit WindowAddressTarget(QWidget* window)
        : m_window(window) {}

    // Throws std::runtime_error when the window is gone or has none of the target's fields,
    // so that an address that landed nowhere is not taken for done.
    void takeAddress(const AddressPick& pick) override;

    // The field of that name in the window itself, not in a dialog opened over it.
    static QWidget* field(QWidget* window, const QString& name);
    static bool setFieldText(QWidget* field, const QString& text);

private:
    QPointer<QWidget> m_window;
};

} // namespace teran
