#pragma once
// Windows kept on the screen: the area a window may use, a window moved into
// it as little as needed, and a pop-up kept beside the object it tells about.

#include <QPoint>
#include <QRect>

class QWidget;

namespace trevanor {

// The screen's area free for windows (without panels and docks) on the
// screen `widget` is on, or the primary screen.
QRect available_area(const QWidget* widget);

// `window` moved as little as needed to lie wholly within `area`: up or left
// when it reaches past the lower or right edge. A window larger than the
// area keeps its top-left corner in it.
QRect fit_within(QRect window, const QRect& area);

// `window` fitted within `area`; where it then covers the point `object` (a
// marker on the map), the nearest place beside the object that does not,
// tried to the right, the left, above and below, when there is room.
QRect keep_beside(const QRect& window, const QRect& area, QPoint object);

}  // namespace trevanor
