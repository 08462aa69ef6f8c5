#pragma once

#include <QLatin1String>
#include <QObject>

namespace teran {

// A control with the name the program and its tests find it by (`objectName`).
template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace teran
