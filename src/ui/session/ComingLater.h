#pragma once

#include <QString>

namespace teran {

// What a menu entry or button says whose window the program does not have yet.
inline QString comingLaterText() {
    return QStringLiteral("이 메뉴의 화면은 다음 판에서 제공됩니다.");
}

} // namespace teran
