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
#include <QScrollArea>
#include <QTimer>
#include <functional>

class QImage;

namespace trevanor {

class MapImageView : public QScrollArea {
public:
    using Press = std::function<void(Qt::MouseButton button, QPoint pixel)>;
    // A zoom step (+1 in, -1 out) about `anchor`, a point of the visible area.
    using ZoomStep = std::function<void(int step, QPoint anchor)>;
    // What the tool tip says about the pixel (rich text); empty for nothing.
    using HoverText = std::function<QString(QPoint pixel)>;

    // Shows `image` (kept by the canvas that draws it) as it is drawn, each
    // of its pixels one of the screen's where its devicePixelRatio is the
    // screen's; positions stay in the map's own pixels.
    MapImageView(const QImage& image, QWidget* parent);

    void onPress(Press press) { press_ = std::move(press); }
    void onZoomStep(ZoomStep step) { zoomStep_ = std::move(step); }
    void onHover(HoverText text) { hoverText_ = std::move(text); }
    // Called whenever the visible area changes its size.
    void onResize(std::function<void()> resized) { resized_ = std::move(resized); }
    // Called when the picture shown was drawn for another scale than the
    // screen's (its devicePixelRatio).
    void onRescale(std::function<void()> rescale) { rescale_ = std::move(rescale); }

    // The picture was drawn again, perhaps at another size.
    void imageChanged();
    // Scrolls so that `pixel` lies in the middle of the view; the scroll
    // bars stop at their ends.
    void centre_on(QPoint pixel);
    // The scroll position, and setting it (the scroll bars stop at their ends).
    QPoint scrollPosition() const;
    void scrollTo(QPoint position);
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

    const QImage& picture_;
    Surface* image_;
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
