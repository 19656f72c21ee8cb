#pragma once
// The map's drawing surface on a QImage. Antialiasing is off, so every pixel
// gets exactly the pen's colour, and the merge pen mode is the bitwise OR of
// the pen colour with the pixel.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <memory>

#include "map/canvas.h"

namespace trevanor {

QColor to_qcolor(ColorValue value);

class QtCanvas : public Canvas {
public:
    QtCanvas();
    ~QtCanvas() override;
    // The picture as drawn so far.
    const QImage& image() const;

    void setSize(int width, int height) override;
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void fillRect(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const std::vector<Point>& points) override;
    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;

private:
    // The font of the state, and its metrics, made again only when it changes.
    const QFont& font();
    const QFontMetrics& metrics();
    // One painter stays open on the image while drawing goes on; it is
    // closed whenever the image is looked at or resized.
    QPainter& painter(bool withBrush);
    void finish() const;
    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    Point pen_;
    std::string fontName_;
    int fontSize_ = 0;
    QFont font_;
    std::unique_ptr<QFontMetrics> metrics_;
};

}  // namespace trevanor
