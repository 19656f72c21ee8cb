#pragma once
// The map's picture on the screen: the drawn surface in a scrolling area,
// under a cross cursor. It tells the map window of each mouse press on the
// picture with the pixel pressed, scrolls to centre a pixel, and maps the
// picture's pixels to the screen.

#include <QScrollArea>
#include <functional>

class QImage;

namespace trevanor {

class MapImageView : public QScrollArea {
public:
    using Press = std::function<void(Qt::MouseButton button, QPoint pixel)>;

    // Shows `image` (kept by the canvas that draws it) as it is drawn.
    MapImageView(const QImage& image, QWidget* parent);

    // Called for every mouse press on the picture.
    void onPress(Press press) { press_ = std::move(press); }
    // The picture was drawn again, perhaps at another size.
    void imageChanged();
    // Scrolls so that `pixel` lies in the middle of the view; the scroll
    // bars stop at their ends.
    void centre_on(QPoint pixel);
    // Where a pixel of the picture is on the screen.
    QPoint screen_point(QPoint pixel) const;
    // The lower edge of the visible part of the picture, on the screen.
    int screen_bottom() const;
    // The picture's widget (what is clicked).
    QWidget* image() const;

private:
    class Surface;
    const QImage& picture_;
    Surface* image_;
    Press press_;
};

}  // namespace trevanor
