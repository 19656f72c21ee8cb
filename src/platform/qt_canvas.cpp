#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "map/tile_grid.h"
#include "platform/cp1252.h"
#include "platform/pixel_line.h"
#include "platform/prepared_image.h"

namespace trevanor {

namespace {
constexpr int kPreparedPerPicture = 100;
// Shapes up to this size (pixels, either way) are drawn from prepared images.
constexpr int kLargestPrepared = 64;
// Parts drawn over a kept picture that are remembered one by one; past this
// they are remembered as the rectangle around them all.
constexpr std::size_t kDrawnOverParts = 32;
// Prepared images kept per font, and of shapes; past this they are made afresh.
constexpr std::size_t kKeptImages = 50000;
// Longer texts (no name in a game is) are neither kept nor prepared.
constexpr std::size_t kLongestKept = 200;
// Kept pictures at most, and the bytes they may take (the newest one aside).
constexpr std::size_t kKeptPictures = 6;
constexpr qsizetype kKeptBytes = qsizetype{120} << 20;

QPainter::CompositionMode composition(PenMode mode) {
    return mode == PenMode::Merge ? QPainter::RasterOp_SourceOrDestination : QPainter::CompositionMode_SourceOver;
}

Qt::PenStyle qt_style(PenStyle style) {
    switch (style) {
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::Solid: break;
    }
    return Qt::SolidLine;
}

// One pixel of the map wide: the picture's pixel at scale 1, as many as
// the scale makes of it otherwise (shapes are drawn scaled).
QPen shape_pen(const CanvasState& s, qreal scale) {
    QPen pen(to_qcolor(s.penColor));
    pen.setWidth(scale == 1 ? 0 : 1);
    pen.setStyle(qt_style(s.penStyle));
    return pen;
}

// The stretches of Qt's broken pens one pixel wide: a dot is one pixel, a
// dash four, the gaps two.
const LineDashes& line_dashes(PenStyle style) {
    static const LineDashes solid, dot{{64, 192}, 2, 192}, dash{{256, 384}, 2, 384},
        dashDot{{256, 384, 448, 576}, 4, 576};
    switch (style) {
    case PenStyle::Dot: return dot;
    case PenStyle::Dash: return dash;
    case PenStyle::DashDot: return dashDot;
    case PenStyle::Solid: break;
    }
    return solid;
}

// The same stretches at a scale (in 64ths of the picture's pixels).
LineDashes scaled(const LineDashes& d, qreal scale) {
    LineDashes s = d;
    for (int i = 0; i < d.count; ++i) s.ends[i] = static_cast<int>(std::lround(d.ends[i] * scale));
    s.length = static_cast<int>(std::lround(d.length * scale));
    return s;
}

// A one-pixel pen of the picture with these stretches (lines are drawn
// unscaled, in the picture's pixels).
QPen line_pen(const CanvasState& s, const LineDashes& d) {
    QPen pen(to_qcolor(s.penColor));
    pen.setWidth(0);
    if (d.count == 0) return pen;
    QList<qreal> pattern;
    for (int i = 0; i < d.count; ++i) pattern << (d.ends[i] - (i == 0 ? 0 : d.ends[i - 1])) / 64.0;
    pen.setDashPattern(pattern);
    return pen;
}

void begin_painting(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
}

void append(std::string& key, std::uint32_t value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); }

}  // namespace

QColor to_qcolor(ColorValue value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

// What is known of one text in one font: its width and its prepared images
// by font colour and brush.
struct QtCanvas::TextEntry {
    int width = -1;
    std::vector<std::pair<std::uint64_t, PreparedImage>> images;
};

struct QtCanvas::FontEntry {
    explicit FontEntry(const QFont& f) : font(f), metrics(f), ascent(metrics.ascent()), height(metrics.height()) {}
    QFont font;
    QFontMetrics metrics;
    int ascent, height;
    std::unordered_map<std::string, TextEntry> texts;
};

// The tools in place on the open painter, as the state's values.
struct QtCanvas::Applied {
    enum class Pen { None, Shape, Line, Text } pen = Pen::None;
    ColorValue penColor = 0;
    PenStyle penStyle = PenStyle::Solid;
    bool brush = false;
    ColorValue brushColor = 0;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    const QFont* font = nullptr;
};

QtCanvas::QtCanvas(Drawing drawing)
    : drawing_(drawing), image_(1, 1, QImage::Format_RGB32), applied_(std::make_unique<Applied>()),
      preparedPerPicture_(kPreparedPerPicture), preparable_(kPreparedPerPicture) {
    image_.fill(Qt::black);
    for (const PenStyle style : {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot})
        dashes_[static_cast<int>(style)] = line_dashes(style);
}

void QtCanvas::setScale(qreal scale) {
    if (!(scale > 0) || scale == scale_) return;
    forgetPrepared();  // made at the old scale, as the sizes of texts
    forgetPicture();
    scale_ = scale;
    for (const PenStyle style : {PenStyle::Solid, PenStyle::Dot, PenStyle::Dash, PenStyle::DashDot})
        dashes_[static_cast<int>(style)] = scaled(line_dashes(style), scale);
    image_ = windowed_ ? QImage(image_.size(), QImage::Format_RGB32) : QImage(dev(width_), dev(height_), QImage::Format_RGB32);
    image_.fill(Qt::black);
    image_.setDevicePixelRatio(scale);
    noted_.setWindow(origin_, surfaceSize());
}

void QtCanvas::setWindow(QRect window, bool black) {
    drawNoted();
    finish();
    forgetPicture();
    windowed_ = true;
    origin_ = window.topLeft();
    image_ = QImage(window.size(), QImage::Format_RGB32);
    if (black) image_.fill(Qt::black);
    image_.setDevicePixelRatio(scale_);
    noted_.setWindow(origin_, surfaceSize());
}

void QtCanvas::forgetPrepared() {
    drawNoted();
    finish();
    shapes_.clear();
    lastText_ = nullptr;
    lastFont_ = nullptr;
    font_ = nullptr;
    fonts_.clear();
}

QSize QtCanvas::surfaceSize() const { return windowed_ ? QSize(dev(width_), dev(height_)) : image_.size(); }

int QtCanvas::dev(int v) const { return device_pixel(v, scale_); }

// Every pixel of the picture that a pixel of the box covers, in part or whole.
QRect QtCanvas::devBox(QRect box) const {
    if (scale_ == 1) return box;
    const auto low = [this](int v) { return static_cast<int>(std::floor(v * scale_)); };
    const auto high = [this](int v) { return static_cast<int>(std::ceil((v + 1) * scale_)) - 1; };
    return QRect(QPoint(low(box.left()), low(box.top())), QPoint(high(box.right()), high(box.bottom())));
}

const LineDashes& QtCanvas::dashes(PenStyle style) const { return dashes_[static_cast<int>(style)]; }

QtCanvas::~QtCanvas() { finish(); }

void QtCanvas::setPreparedPerPicture(int count) { preparedPerPicture_ = preparable_ = std::max(count, 0); }

const QImage& QtCanvas::image() {
    drawNoted();
    finish();
    preparable_ = preparedPerPicture_;
    return image_;
}

void QtCanvas::finish() const {
    if (painter_) painter_->end();
    painter_.reset();
    unscaled_ = QImage();
}

void QtCanvas::drawNoted() {
    if (noted_.empty()) return;
    if (!image_.isDetached()) finish();  // detaching would leave the painter on the old pixels
    noted_.drawInto(image_, [this](std::uint32_t tag, int firstRow, int endRow) {
        drawOtherwise(notedTexts_[tag - 1], firstRow, endRow);
    });
    notedTexts_.clear();
}

// Letters overlap over a colour not seen below them yet: QPainter draws the
// text in these rows, and the copy learns what it made of them.
void QtCanvas::drawOtherwise(const NotedText& noted, int firstRow, int endRow) {
    const CanvasState now = state;
    state = noted.state;
    const QRect rows(0, firstRow, image_.width(), endRow - firstRow);
    const std::vector<QRgb> below = noted.image->twiceMixedBelow(image_, noted.x, noted.y, rows);
    QPainter& p = openPainter(Tools::Text);
    p.setClipRect(rows);
    plainText(p, QPoint(noted.x, noted.y), *noted.text);
    p.setClipping(false);
    noted.image->learnTwiceMixed(image_, noted.x, noted.y, rows, below);
    state = now;
}

void QtCanvas::setSize(int width, int height) {
    if (width == width_ && height == height_) return;
    drawNoted();
    copyKeptFirst();
    finish();
    width_ = width;
    height_ = height;
    if (windowed_) {
        noted_.setWindow(origin_, surfaceSize());
        return;
    }
    image_ = image_.copy(0, 0, dev(width), dev(height));  // new area is black; the scale stays
    noted_.setWindow(origin_, surfaceSize());
    touched(image_.rect());
}

QtCanvas::FontEntry& QtCanvas::font() {
    const int size = state.fontSize > 0 ? state.fontSize : 8;
    if (font_ && fontSize_ == size && fontName_ == state.fontName) return *font_;
    auto& entry = fonts_[{state.fontName, size}];
    if (!entry) {
        QFont f(QString::fromStdString(state.fontName));
        f.setPointSize(size);
        // Light hinting (heights only), as Debian's fontconfig asks for: chosen here,
        // so that FreeType on Windows, which would hint fully, draws the same labels.
        f.setHintingPreference(QFont::PreferVerticalHinting);
        entry = std::make_unique<FontEntry>(f);
    }
    font_ = entry.get();
    fontName_ = state.fontName;
    fontSize_ = size;
    return *font_;
}

QPainter& QtCanvas::painter(Tools tools) {
    drawNoted();
    copyKeptFirst();
    return openPainter(tools);
}

QPainter& QtCanvas::openPainter(Tools tools) {
    if (!painter_) {
        QImage* device = &image_;
        if (scale_ != 1) {
            unscaled_ = QImage(image_.bits(), image_.width(), image_.height(), image_.bytesPerLine(), image_.format());
            device = &unscaled_;
        }
        painter_ = std::make_unique<QPainter>(device);
        begin_painting(*painter_);
        *applied_ = Applied{};
    }
    QPainter& p = *painter_;
    Applied& a = *applied_;
    if (tools == Tools::Text) {
        if (a.pen != Applied::Pen::Text || a.penColor != state.fontColor) {
            a.pen = Applied::Pen::Text;
            a.penColor = state.fontColor;
            p.setPen(to_qcolor(state.fontColor));
        }
    } else {
        // Lines go unscaled, shapes scaled: at scale 1 the pens are the same.
        const auto pen = tools == Tools::Line && scale_ != 1 ? Applied::Pen::Line : Applied::Pen::Shape;
        if (a.pen != pen || a.penColor != state.penColor || a.penStyle != state.penStyle) {
            a.pen = pen;
            a.penColor = state.penColor;
            a.penStyle = state.penStyle;
            p.setPen(pen == Applied::Pen::Line ? line_pen(state, dashes(state.penStyle)) : shape_pen(state, scale_));
        }
        const bool brush = tools == Tools::Shape && !state.brushClear;
        if (brush != a.brush || (brush && a.brushColor != state.brushColor)) {
            a.brush = brush;
            a.brushColor = state.brushColor;
            if (brush) p.setBrush(to_qcolor(state.brushColor));
            else p.setBrush(Qt::NoBrush);
        }
    }
    const QPainter::CompositionMode mode = tools == Tools::Text ? QPainter::CompositionMode_SourceOver
                                                                : composition(state.penMode);
    if (mode != a.mode) {
        a.mode = mode;
        p.setCompositionMode(mode);
    }
    return p;
}

void QtCanvas::touched(QRect area) {
    if (shown_ == 0) return;
    drawnOver_.push_back(area);
    if (drawnOver_.size() > kDrawnOverParts) {
        QRect all;
        for (const QRect& r : drawnOver_) all |= r;
        drawnOver_.assign(1, all);
    }
}

void QtCanvas::fillRect(int x1, int y1, int x2, int y2) {
    const QRect area(dev(Point{x1, y1}), dev(Point{x2, y2}) - QPoint(1, 1));
    copyKeptFirst();
    if (area.contains(image_.rect()) && !image_.isDetached()) {
        // All of it is filled: pixels of their own, not a copy of the kept ones.
        finish();
        image_ = QImage(image_.size(), image_.format());
        image_.setDevicePixelRatio(scale_);
    }
    touched(area);
    if (drawing_ == Drawing::Prepared) {
        noted_.fill(area & image_.rect(), to_qcolor(state.brushColor).rgb());
        return;
    }
    QPainter& p = painter(Tools::ShapeNoBrush);
    if (applied_->mode != QPainter::CompositionMode_SourceOver) {
        applied_->mode = QPainter::CompositionMode_SourceOver;
        p.setCompositionMode(applied_->mode);
    }
    p.fillRect(area, to_qcolor(state.brushColor));
}

void QtCanvas::lineTo(int x, int y) {
    // The end point itself is not drawn: step back one pixel along the line.
    const int dx = x - pen_.x, dy = y - pen_.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps > 0) {
        const QPoint start(pen_.x, pen_.y);
        const QPoint end(pen_.x + static_cast<int>(std::lround(dx * (steps - 1.0) / steps)),
                         pen_.y + static_cast<int>(std::lround(dy * (steps - 1.0) / steps)));
        const QPoint from = dev(Point{start.x(), start.y()}), to = dev(Point{end.x(), end.y()});
        if (scale_ != 1) {
            wideLine(from, to);
        } else {
            if (!writeLine(from, to)) painter(Tools::ShapeNoBrush).drawLine(from, to);
            touched(QRect(from, to).normalized().adjusted(-1, -1, 1, 1));
        }
    }
    pen_ = {x, y};
}

// A line as wide as a pixel of the map: along it, it reaches over the
// squares of its end pixels; across it, copies lie side by side. Straight
// lines, solid or broken, cover the very squares of their pixels.
void QtCanvas::wideLine(QPoint from, QPoint to) {
    const int wide = std::max(1, static_cast<int>(std::lround(scale_)));
    const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
    const QPoint along = steep ? QPoint(0, wide - 1) : QPoint(wide - 1, 0);
    if (steep ? to.y() < from.y() : to.x() < from.x()) from += along;
    else to += along;
    const QPoint across = steep ? QPoint(1, 0) : QPoint(0, 1);
    for (int k = 0; k < wide; ++k) {
        const QPoint d = across * k;
        if (!writeLine(from + d, to + d)) painter(Tools::Line).drawLine(from + d, to + d);
    }
    touched(QRect(from, to).normalized().adjusted(-1, -1, wide, wide));
}

bool QtCanvas::writeLine(QPoint from, QPoint to) {
    const QSize surface = surfaceSize();
    if (drawing_ != Drawing::Prepared || !pixel_lines_fit(surface.width(), surface.height())) return false;
    copyKeptFirst();
    noted_.line(from + origin_, to + origin_, to_qcolor(state.penColor).rgb(), dashes(state.penStyle),
                state.penMode == PenMode::Merge ? PixelInk::Merge : PixelInk::Copy);
    ++counts_.written;
    return true;
}

bool QtCanvas::copyShape(char kind, const Point* points, int count, QRect box,
                         const std::function<void(QPainter&, QPoint)>& plain) {
    // Only small solid shapes drawn over what lies below; their pixels do
    // not depend on where they are, and the edge only cuts some of them off.
    if (drawing_ != Drawing::Prepared || state.penMode != PenMode::Copy || state.penStyle != PenStyle::Solid ||
        box.width() > kLargestPrepared || box.height() > kLargestPrepared || count > 16)
        return false;
    const Point anchor = points[0];
    key_.assign(1, kind);
    append(key_, state.penColor);
    append(key_, state.brushClear ? 0xFF000000u : state.brushColor);
    for (int i = 0; i < count; ++i) {
        append(key_, static_cast<std::uint32_t>(points[i].x - anchor.x));
        append(key_, static_cast<std::uint32_t>(points[i].y - anchor.y));
    }
    auto it = shapes_.find(key_);
    if (it == shapes_.end()) {
        if (!mayPrepare()) return false;
        if (shapes_.size() >= kKeptImages) {
            drawNoted();  // before the images noted go
            shapes_.clear();
        }
        const auto draw = [&](QPainter& p, QPoint at) {
            p.setPen(shape_pen(state, scale_));
            if (state.brushClear) p.setBrush(Qt::NoBrush);
            else p.setBrush(to_qcolor(state.brushColor));
            plainShape(p, at, plain);
        };
        const QRect area = devBox(box.translated(-anchor.x, -anchor.y)).adjusted(-2, -2, 2, 2);
        it = shapes_.emplace(key_, PreparedImage(area, to_qcolor(state.penColor).rgb(), draw)).first;
        it->second.mayClip();
    }
    const QPoint at = dev(anchor);
    return copy(it->second, at.x(), at.y());
}

// At a scale the shape is drawn scaled about the middle of its first pixel,
// so that a pixel of the map's outline covers the square of pixels the
// map's pixel is.
void QtCanvas::plainShape(QPainter& p, QPoint at, const std::function<void(QPainter&, QPoint)>& plain) const {
    if (scale_ == 1) {
        plain(p, at);
        return;
    }
    const qreal half = scale_ / 2;
    p.setTransform(QTransform(scale_, 0, 0, scale_, at.x() + half, at.y() + half));
    plain(p, QPoint());
    p.resetTransform();
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    const auto plain = [&](QPainter& p, QPoint at) {
        p.drawEllipse(QRect(at.x(), at.y(), x2 - x1 - 1, y2 - y1 - 1));
    };
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(-2, -2, 2, 2);
    const Point corners[2] = {{x1, y1}, {x2, y2}};
    if (copyShape('e', corners, 2, box, plain)) return;
    plainShape(painter(Tools::Shape), dev(Point{x1, y1}), plain);
    ++counts_.painted;
    touched(devBox(box).translated(-origin_));
}

void QtCanvas::polygon(const std::vector<Point>& points) {
    if (points.empty()) return;
    const Point anchor = points.front();
    int left = anchor.x, right = anchor.x, top = anchor.y, bottom = anchor.y;
    for (const Point& pt : points) {
        left = std::min(left, pt.x);
        right = std::max(right, pt.x);
        top = std::min(top, pt.y);
        bottom = std::max(bottom, pt.y);
    }
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-1, -1, 1, 1);
    const auto plain = [&](QPainter& p, QPoint at) {
        QPolygon polygon;
        polygon.reserve(static_cast<int>(points.size()));
        for (const Point& pt : points) polygon << QPoint(at.x() + pt.x - anchor.x, at.y() + pt.y - anchor.y);
        p.drawPolygon(polygon);
    };
    if (copyShape('p', points.data(), static_cast<int>(points.size()), box, plain)) return;
    plainShape(painter(Tools::Shape), dev(anchor), plain);
    ++counts_.painted;
    touched(devBox(box).translated(-origin_));
}

void QtCanvas::plainText(QPainter& p, QPoint at, const std::string& text) {
    if (shiftedText(p, at, text)) return;
    FontEntry& f = font();
    if (applied_->font != &f.font) {
        p.setFont(f.font);
        applied_->font = &f.font;
    }
    const QString t = fromCp1252(text);
    const int w = textWidth(text);  // measured once per text and font
    const QPoint origin = scale_ == 1 ? at : QPoint();
    if (scale_ != 1) p.setTransform(QTransform(scale_, 0, 0, scale_, at.x(), at.y()));
    if (!state.brushClear) p.fillRect(QRect(origin.x(), origin.y(), w, f.height), to_qcolor(state.brushColor));
    p.drawText(QPoint(origin.x(), origin.y() + f.ascent), t);
    if (scale_ != 1) p.resetTransform();
    ++counts_.painted;
    // Letters may reach out of their advance a little on either side.
    touched(devBox(QRect(-f.height, -f.height, w + 3 * f.height, 3 * f.height)).translated(at));
}

// Scaled, QPainter places letters that reach left of or above its picture
// otherwise than inside it. A text that reaches out of the window but not as
// far out of the surface is drawn into a picture of its own that reaches as
// far as the surface does there, over the window's pixels, and copied back
// (within the painter's clip).
bool QtCanvas::shiftedText(QPainter& p, QPoint at, const std::string& text) {
    if (scale_ == 1 || !windowed_) return false;
    FontEntry& f = font();
    const int w = textWidth(text);
    const QRect reach = devBox(QRect(-f.height, -f.height, w + 3 * f.height, 3 * f.height)).translated(at);
    const auto start = [](int low, int origin) { return low < 0 && origin > 0 ? std::max(low, -origin) : 0; };
    QPoint from(start(reach.left(), origin_.x()), start(reach.top(), origin_.y()));
    if (from.isNull()) return false;
    // Elsewhere it starts where the text does.
    if (from.x() == 0) from.setX(std::max(reach.left(), 0));
    if (from.y() == 0) from.setY(std::max(reach.top(), 0));
    QImage own(QRect(from, reach.bottomRight()).size(), QImage::Format_RGB32);
    own.fill(Qt::black);
    const QRect below = QRect(from, reach.bottomRight()) & image_.rect();
    for (int y = below.top(); y <= below.bottom(); ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(image_.constScanLine(y)) + below.left(), below.width(),
                    reinterpret_cast<QRgb*>(own.scanLine(y - from.y())) + (below.left() - from.x()));
    const QRect clip = (p.hasClipping() ? p.clipBoundingRect().toAlignedRect() : image_.rect()) & image_.rect();
    {
        QPainter q(&own);
        begin_painting(q);
        q.setFont(f.font);
        q.setPen(to_qcolor(state.fontColor));
        q.setTransform(QTransform(scale_, 0, 0, scale_, at.x() - from.x(), at.y() - from.y()));
        if (!state.brushClear) q.fillRect(QRect(0, 0, w, f.height), to_qcolor(state.brushColor));
        q.drawText(QPoint(0, f.ascent), fromCp1252(text));
    }
    // A window's picture is its own (never shared): its pixels stay where the painter draws.
    const QRect back = reach & clip;
    auto* bits = reinterpret_cast<QRgb*>(image_.bits());
    const qsizetype line = image_.bytesPerLine() / 4;
    for (int y = back.top(); y <= back.bottom(); ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(own.constScanLine(y - from.y())) + (back.left() - from.x()), back.width(),
                    bits + y * line + back.left());
    ++counts_.painted;
    touched(back);
    return true;
}

void QtCanvas::textOut(int x, int y, const std::string& text) {
    if (drawing_ == Drawing::Prepared && text.size() <= kLongestKept) {
        const std::uint64_t style = std::uint64_t{state.fontColor} << 32 | (state.brushClear ? 0xFF000000u : state.brushColor);
        TextEntry& entry = textEntry(text);
        const std::string& kept = lastText_->first;  // stays while the image is noted
        PreparedImage* image = nullptr;
        for (auto& [s, prepared] : entry.images)
            if (s == style) image = &prepared;
        if (!image && mayPrepare()) {
            drawNoted();  // the images noted may move
            image = &entry.images.emplace_back(style, prepareText(text)).second;
        }
        const QPoint at = dev(Point{x, y});
        if (image && copyText(*image, at.x(), at.y(), kept)) return;
    }
    plainText(painter(Tools::Text), dev(Point{x, y}), text);
}

PreparedImage QtCanvas::prepareText(const std::string& text) {
    FontEntry& f = font();
    const int w = textWidth(text), h = f.height;
    const QString t = fromCp1252(text);
    const auto draw = [&](QPainter& p, QPoint at) {
        p.setFont(f.font);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (scale_ != 1) {
            p.setTransform(QTransform(scale_, 0, 0, scale_, at.x(), at.y()));
            at = QPoint();
        }
        if (!state.brushClear) p.fillRect(QRect(at.x(), at.y(), w, h), to_qcolor(state.brushColor));
        p.setPen(to_qcolor(state.fontColor));
        p.drawText(QPoint(at.x(), at.y() + f.ascent), t);
    };
    // Letters may reach a little out of their advance and height.
    const QRect area = devBox(QRect(-h / 2 - 2, -h / 2, w + h + 4, 2 * h));
    PreparedImage image(area, to_qcolor(state.fontColor).rgb(), draw,
                        letter_overlaps(f.font, t, f.ascent, area, scale_));
    image.mayClip();
    return image;
}

QtCanvas::TextEntry& QtCanvas::textEntry(const std::string& text) {
    FontEntry& f = font();
    // The map measures a label, then draws it: the second look is the same.
    if (lastText_ && lastFont_ == &f && lastText_->first == text) return lastText_->second;
    auto it = f.texts.find(text);
    if (it == f.texts.end()) {
        if (f.texts.size() >= kKeptImages) {
            drawNoted();  // before the images noted go
            f.texts.clear();
        }
        it = f.texts.try_emplace(text).first;
    }
    lastText_ = &*it;
    lastFont_ = &f;
    return lastText_->second;
}

int QtCanvas::textWidth(const std::string& text) {
    if (text.size() > kLongestKept) return font().metrics.horizontalAdvance(fromCp1252(text));
    TextEntry& entry = textEntry(text);
    if (entry.width < 0) entry.width = font().metrics.horizontalAdvance(fromCp1252(text));
    return entry.width;
}

int QtCanvas::textHeight(const std::string&) { return font().height; }

bool QtCanvas::mayPrepare() {
    if (preparable_ <= 0) return false;
    --preparable_;
    return true;
}

bool QtCanvas::copy(const PreparedImage& image, int x, int y) {
    if (!image.usable()) return false;
    if (image.copiesLater(image_.size(), x, y) && !image.mixesTwice()) {
        copyKeptFirst();
        noted_.copy(image, x, y);
    } else {
        drawNoted();
        copyKeptFirst();
        if (!image_.isDetached()) finish();
        if (!image.copyTo(image_, x, y)) return false;
    }
    ++counts_.prepared;
    touched(image.box().translated(x, y));
    return true;
}

bool QtCanvas::copyText(PreparedImage& image, int x, int y, const std::string& text) {
    // Scaled, QPainter places letters that reach left of or above the
    // picture otherwise than inside it: such a text is drawn through it.
    if (scale_ != 1 && (x + origin_.x() + image.box().left() < 0 || y + origin_.y() + image.box().top() < 0)) return false;
    if (!image.mixesTwice()) return copy(image, x, y);
    if (!image.copiesLater(image_.size(), x, y)) return false;
    copyKeptFirst();
    notedTexts_.push_back({x, y, &text, &image, state});
    noted_.copy(image, x, y, static_cast<std::uint32_t>(notedTexts_.size()));
    ++counts_.prepared;
    touched(image.box().translated(x, y));
    return true;
}

std::uint64_t QtCanvas::keepPicture() {
    drawNoted();
    copyKeptFirst();
    pending_ = shown_ = next_picture_number();  // copied before anything is drawn over it
    drawnOver_.clear();
    preparable_ = preparedPerPicture_;
    return pending_;
}

// The kept picture shares the image's pixels until the image is written to
// again (writing detaches it), or is replaced by a picture of another size.
void QtCanvas::copyKeptFirst() {
    if (pending_ == 0) return;
    drawNoted();
    finish();  // no painter may go on writing into the shared pixels
    kept_.push_back({pending_, image_});
    pending_ = 0;
    dropOldPictures();
}

void QtCanvas::dropOldPictures() {
    const auto bytes = [this] {
        qsizetype sum = 0;
        for (std::size_t i = 0; i + 1 < kept_.size(); ++i) sum += kept_[i].image.sizeInBytes();
        return sum;
    };
    while (kept_.size() > 1 && (kept_.size() > kKeptPictures || bytes() > kKeptBytes)) kept_.erase(kept_.begin());
}

void QtCanvas::forgetPicture() {
    kept_.clear();
    pending_ = shown_ = 0;
    drawnOver_.clear();
}

bool QtCanvas::restorePicture(std::uint64_t kept) {
    if (kept == 0) return false;
    if (kept == pending_) return true;  // nothing was drawn over it
    drawNoted();
    copyKeptFirst();
    const auto it = std::find_if(kept_.begin(), kept_.end(), [kept](const KeptPicture& k) { return k.number == kept; });
    if (it == kept_.end()) return false;
    KeptPicture picture = std::move(*it);
    kept_.erase(it);
    const bool whole = kept != shown_ || image_.size() != picture.image.size();
    // A painter left open on the image would paint into pixels it no longer has.
    if (whole || !image_.isDetached()) finish();
    if (whole) {
        image_ = picture.image;  // shared until drawn over
    } else {
        for (const QRect& r : drawnOver_) noted_.copyBack(picture.image, r);
    }
    kept_.push_back(std::move(picture));  // used last
    shown_ = kept;
    drawnOver_.clear();
    return true;
}

}  // namespace trevanor
