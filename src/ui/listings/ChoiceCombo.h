#pragma once

#include <QComboBox>
#include <functional>

namespace teran {

// A combo box that fills its items just before its list drops down, so that a window shows
// without waiting for choices nobody has looked at yet.
class ChoiceCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    void setBeforePopup(std::function<void()> fill) { m_fill = std::move(fill); }
    void showPopup() override {
        if (m_fill)
            m_fill();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_fill;
};

} // namespace teran
