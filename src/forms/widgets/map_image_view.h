#pragma once
// The map's picture on the screen: the drawn surface in a scrolling area,
// under a cross cursor. It tells the map window of each mouse press on the
// picture with the pixel pressed, scrolls to centre a pixel, and maps the
// picture's pixels to the screen. Beyond that it behaves as map programs do:
// Ctrl and the wheel ask for the next zoom about the pointer, the middle
// button drags the picture along (a middle click that does not move is a
// press as any other), and resting the pointer half a second on the picture
// asks what to show there in a tool tip.

#include <QPointer>
#include <QRegion>
#include <QScrollArea>
#include <QTimer>
#include <functional>

class QPainter;

namespace trevanor {

class MapImageView : public QScrollArea {
public:
    using Press = std::function<void(Qt::MouseButton button, QPoint pixel)>;
    // A zoom step (+1 in, -1 out) about `anchor`, a point of the visible area.
    using ZoomStep = std::function<void(int step, QPoint anchor)>;
    // What the tool tip says about the pixel (rich text); empty for nothing.
    using HoverText = std::function<QString(QPoint pixel)>;

    // What paints a part of the surface (the map's pixels), and what draws
    // a little of what will be shown next around the visible part (true
    // while there is more), when nothing else is waiting.
    using Paint = std::function<void(QPainter& painter, QRect exposed)>;
    using Prepare = std::function<bool(QRect visible)>;

    explicit MapImageView(QWidget* parent);
    void onPaint(Paint paint) { paint_ = std::move(paint); }
    void onPrepare(Prepare prepare) { prepare_ = std::move(prepare); }

    void onPress(Press press) { press_ = std::move(press); }
    void onZoomStep(ZoomStep step) { zoomStep_ = std::move(step); }
    void onHover(HoverText text) { hoverText_ = std::move(text); }
    // Called whenever the visible area changes its size.
    void onResize(std::function<void()> resized) { resized_ = std::move(resized); }
    // Called when the picture shown was drawn for another scale than the
    // screen's (its devicePixelRatio).
    void onRescale(std::function<void()> rescale) { rescale_ = std::move(rescale); }

    // The surface is `size` pixels of the map, drawn for a screen of
    // `scale`; `changed` (the map's pixels) is to be painted again.
    void surfaceChanged(QSize size, qreal scale, const QRegion& changed);
    // The part of the surface in the visible area (the map's pixels).
    QRect visibleArea() const;
    // Scrolls so that `pixel` lies in the middle of the view; the scroll
    // bars stop at their ends.
    void centre_on(QPoint pixel);
    // The scroll position, and setting it (the scroll bars stop at their ends).
    QPoint scrollPosition() const;
    void scrollTo(QPoint position);
    // The same asked for by the user (dragging): timed as a scroll.
    void panTo(QPoint position);
    // Where a pixel of the picture is on the screen.
    QPoint screen_point(QPoint pixel) const;
    // The lower edge of the visible part of the picture, on the screen.
    int screen_bottom() const;
    // The picture's widget (what is clicked).
    QWidget* image() const;

protected:
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    class Surface;
    class DragPan;
    void hovered(QPoint pixel);
    void showHoverText();

    void prepareLater();

    Surface* image_;
    Paint paint_;
    Prepare prepare_;
    qreal scale_ = 1;  // of the screen the surface was drawn for
    QTimer idle_;
    DragPan* pan_;
    Press press_;
    ZoomStep zoomStep_;
    HoverText hoverText_;
    std::function<void()> resized_;
    std::function<void()> rescale_;
    QTimer hover_;
    QPoint hoverAt_;
    int wheelTurned_ = 0;  // eighths of a degree not yet made into a step
};

}  // namespace trevanor
