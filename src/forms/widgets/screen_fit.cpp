#include "forms/widgets/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace trevanor {

QRect available_area(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect fit_within(QRect window, const QRect& area) {
    window.moveLeft(std::max(area.left(), std::min(window.left(), area.right() + 1 - window.width())));
    window.moveTop(std::max(area.top(), std::min(window.top(), area.bottom() + 1 - window.height())));
    return window;
}

namespace {
// The fleet's diamond and the selection marker below it.
bool covers(const QRect& window, QPoint object) {
    return window.intersects(QRect(object.x() - 4, object.y() - 4, 9, 18));
}
}  // namespace

QRect keep_beside(const QRect& window, const QRect& area, QPoint object) {
    const QRect fitted = fit_within(window, area);
    if (!covers(fitted, object)) return fitted;
    const int w = window.width(), h = window.height();
    const QPoint tries[] = {{object.x() + 25, fitted.top()},
                            {object.x() - w - 20, fitted.top()},
                            {fitted.left(), object.y() - h - 8},
                            {fitted.left(), object.y() + 20}};
    for (const QPoint& at : tries) {
        const QRect moved = fit_within(QRect(at, window.size()), area);
        if (!covers(moved, object)) return moved;
    }
    return fitted;
}

}  // namespace trevanor
