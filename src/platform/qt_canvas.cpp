#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <QPainter>
#include <QPolygon>

#include "platform/cp1252.h"

namespace trevanor {

QColor to_qcolor(ColorValue value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QtCanvas::QtCanvas() : image_(1, 1, QImage::Format_RGB32) { image_.fill(Qt::black); }

QtCanvas::~QtCanvas() { finish(); }

const QImage& QtCanvas::image() const {
    finish();
    return image_;
}

void QtCanvas::finish() const {
    if (painter_) painter_->end();
    painter_.reset();
}

void QtCanvas::setSize(int width, int height) {
    if (width == image_.width() && height == image_.height()) return;
    finish();
    image_ = image_.copy(0, 0, width, height);  // new area is black
}

const QFont& QtCanvas::font() {
    if (!metrics_ || fontName_ != state.fontName || fontSize_ != state.fontSize) {
        fontName_ = state.fontName;
        fontSize_ = state.fontSize;
        font_ = QFont(QString::fromStdString(fontName_));
        font_.setPointSize(fontSize_ > 0 ? fontSize_ : 8);
        metrics_ = std::make_unique<QFontMetrics>(font_);
    }
    return font_;
}

const QFontMetrics& QtCanvas::metrics() {
    font();
    return *metrics_;
}

QPainter& QtCanvas::painter(bool withBrush) {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
    }
    QPainter& painter = *painter_;
    QPen pen(to_qcolor(state.penColor));
    pen.setWidth(0);  // one pixel, whatever the transform
    switch (state.penStyle) {
    case PenStyle::Solid: pen.setStyle(Qt::SolidLine); break;
    case PenStyle::Dot: pen.setStyle(Qt::DotLine); break;
    case PenStyle::Dash: pen.setStyle(Qt::DashLine); break;
    case PenStyle::DashDot: pen.setStyle(Qt::DashDotLine); break;
    }
    painter.setPen(pen);
    if (withBrush && !state.brushClear) painter.setBrush(to_qcolor(state.brushColor));
    else painter.setBrush(Qt::NoBrush);
    painter.setCompositionMode(state.penMode == PenMode::Merge ? QPainter::RasterOp_SourceOrDestination
                                                               : QPainter::CompositionMode_SourceOver);
    return painter;
}

void QtCanvas::fillRect(int x1, int y1, int x2, int y2) {
    QPainter& p = painter(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), to_qcolor(state.brushColor));
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    painter(true).drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtCanvas::polygon(const std::vector<Point>& points) {
    QPolygon polygon;
    for (const Point& pt : points) polygon << QPoint(pt.x, pt.y);
    painter(true).drawPolygon(polygon);
}

void QtCanvas::lineTo(int x, int y) {
    QPainter& p = painter(false);
    // The end point itself is not drawn: step back one pixel along the line.
    const int dx = x - pen_.x, dy = y - pen_.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps > 0) {
        const QPoint end(pen_.x + static_cast<int>(std::lround(dx * (steps - 1.0) / steps)),
                         pen_.y + static_cast<int>(std::lround(dy * (steps - 1.0) / steps)));
        p.drawLine(QPoint(pen_.x, pen_.y), end);
    }
    pen_ = {x, y};
}

void QtCanvas::textOut(int x, int y, const std::string& text) {
    const QFont& f = font();
    const QFontMetrics& m = metrics();
    QPainter& p = painter(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (p.font() != f) p.setFont(f);
    const QString t = fromCp1252(text);
    if (!state.brushClear) p.fillRect(QRect(x, y, m.horizontalAdvance(t), m.height()), to_qcolor(state.brushColor));
    p.setPen(to_qcolor(state.fontColor));
    p.drawText(QPoint(x, y + m.ascent()), t);
}

int QtCanvas::textWidth(const std::string& text) { return metrics().horizontalAdvance(fromCp1252(text)); }

int QtCanvas::textHeight(const std::string&) { return metrics().height(); }

}  // namespace trevanor
