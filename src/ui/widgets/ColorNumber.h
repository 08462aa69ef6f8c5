#pragma once

#include <QColor>

namespace teran {

// Colours are stored as colour numbers: red + green * 256 + blue * 65536.
inline QColor colorOfNumber(quint32 number) {
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

} // namespace teran
