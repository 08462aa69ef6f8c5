#include "ScreenFit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace teran {

namespace {

// Room a window manager takes around a window for its title bar and borders.
constexpr int kTitleBar = 32;
constexpr int kBorder = 8;

} // namespace

void ScreenFit::install(QCoreApplication& app) {
    app.installEventFilter(new ScreenFit(&app));
}

void ScreenFit::fit(QWidget* window) {
    if (!window || window->isMaximized() || window->isFullScreen())
        return;
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const int width = std::min(window->width(), area.width() - 2 * kBorder);
    const int height = std::min(window->height(), area.height() - kTitleBar - kBorder);
    if (width != window->width() || height != window->height())
        window->resize(std::max(width, window->minimumWidth()), std::max(height, window->minimumHeight()));
    QPoint at = window->pos();
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - window->width() - kBorder)));
    at.setY(std::clamp(at.y(), area.top(),
                       std::max(area.top(), area.bottom() - window->height() - kTitleBar - kBorder)));
    if (at != window->pos())
        window->move(at);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            fit(widget);
    }
    return false;
}

} // namespace teran
