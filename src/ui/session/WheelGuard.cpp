#include "WheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

namespace teran {

namespace {

bool isChoiceBox(const QObject* object) {
    return qobject_cast<const QComboBox*>(object) || qobject_cast<const QAbstractSpinBox*>(object);
}

QAbstractScrollArea* scrollAreaAround(QWidget* box) {
    for (QWidget* up = box->parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QAbstractScrollArea*>(up))
            return area;
    return nullptr;
}

} // namespace

void WheelGuard::install(QCoreApplication& app) {
    app.installEventFilter(new WheelGuard(&app));
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!isChoiceBox(watched))
        return false;
    auto* box = static_cast<QWidget*>(watched);
    // The wheel gives the focus to a box that takes it by the wheel before any filter sees the
    // event; by a click or Tab only, the box is never focused by scrolling over it.
    if (event->type() == QEvent::Polish && box->focusPolicy() == Qt::WheelFocus)
        box->setFocusPolicy(Qt::StrongFocus);
    if (event->type() == QEvent::Wheel && !box->hasFocus()) {
        // The scroll area around the box scrolls instead; a box in no scroll area ignores it.
        if (QAbstractScrollArea* area = scrollAreaAround(box))
            QCoreApplication::sendEvent(area->viewport(), event);
        return true;
    }
    return false;
}

} // namespace teran
