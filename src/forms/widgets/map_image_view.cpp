#include "forms/widgets/map_image_view.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "forms/widgets/action_timing.h"

namespace trevanor {

namespace {
constexpr int kHoverDelay = 500;  // ms of rest before the tool tip
constexpr int kWheelNotch = 120;  // eighths of a degree per step of a wheel
}  // namespace

// The surface itself: paints the picture as it is (no smoothing, where the
// screen's pixels are smaller than the picture's), at the size of the map's
// own pixels, and passes presses and resting points on. A picture drawn for
// another scale than the screen's (the window went to another screen) asks
// once to be drawn again.
class MapImageView::Surface : public QWidget {
public:
    explicit Surface(MapImageView& view) : QWidget(&view), view_(view) {
        setObjectName(QStringLiteral("Image1"));
        setCursor(Qt::CrossCursor);
        setMouseTracking(true);
        // Every pixel is painted: a scroll moves what is shown and paints only what it uncovers.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (view_.paint_) view_.paint_(p, e->rect());
        view_.prepareLater();
        if (devicePixelRatioF() != view_.scale_ && view_.rescale_ && !rescaleAsked_) {
            rescaleAsked_ = true;
            QTimer::singleShot(0, this, [this] {
                rescaleAsked_ = false;
                view_.rescale_();
            });
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        view_.hover_.stop();
        QToolTip::hideText();
        if (view_.press_) view_.press_(e->button(), e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() == Qt::NoButton) view_.hovered(e->position().toPoint());
    }
    void leaveEvent(QEvent*) override { view_.hover_.stop(); }

private:
    MapImageView& view_;
    bool rescaleAsked_ = false;
};

// Dragging with the middle button moves the picture along with the pointer;
// a middle press that has not moved when it is let go is passed on as a
// press. Watches the surface's events.
class MapImageView::DragPan : public QObject {
public:
    explicit DragPan(MapImageView& view) : QObject(&view), view_(view) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        const auto type = e->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        auto* m = static_cast<QMouseEvent*>(e);
        if (type == QEvent::MouseButtonPress && m->button() == Qt::MiddleButton) {
            pressedAt_ = m->globalPosition().toPoint();
            pixel_ = m->position().toPoint();
            scrollAtPress_ = view_.scrollPosition();
            dragging_ = false;
            active_ = true;
            return true;
        }
        if (!active_) return false;
        if (type == QEvent::MouseMove && (m->buttons() & Qt::MiddleButton)) {
            const QPoint moved = m->globalPosition().toPoint() - pressedAt_;
            if (!dragging_ && moved.manhattanLength() >= QApplication::startDragDistance()) {
                dragging_ = true;
                view_.image()->setCursor(Qt::ClosedHandCursor);
            }
            if (dragging_) view_.panTo(scrollAtPress_ - moved);
            return true;
        }
        if (type == QEvent::MouseButtonRelease && m->button() == Qt::MiddleButton) {
            active_ = false;
            view_.image()->setCursor(Qt::CrossCursor);
            if (!dragging_ && view_.press_) view_.press_(Qt::MiddleButton, pixel_);
            return true;
        }
        return false;
    }

private:
    MapImageView& view_;
    QPoint pressedAt_, pixel_, scrollAtPress_;
    bool active_ = false, dragging_ = false;
};

MapImageView::MapImageView(QWidget* parent)
    : QScrollArea(parent), image_(new Surface(*this)), pan_(new DragPan(*this)) {
    setObjectName(QStringLiteral("ScrollBox1"));
    setBackgroundRole(QPalette::Dark);
    setWidget(image_);
    image_->installEventFilter(pan_);
    hover_.setSingleShot(true);
    hover_.setInterval(kHoverDelay);
    connect(&hover_, &QTimer::timeout, this, [this] { showHoverText(); });
    // A little at a time, each when the events waiting were handled.
    idle_.setSingleShot(true);
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, [this] {
        if (prepare_ && isVisible() && prepare_(visibleArea())) idle_.start();
    });
}

void MapImageView::prepareLater() {
    if (!idle_.isActive()) idle_.start();
}

QRect MapImageView::visibleArea() const { return QRect(scrollPosition(), viewport()->size()) & image_->rect(); }

QWidget* MapImageView::image() const { return image_; }

void MapImageView::surfaceChanged(QSize size, qreal scale, const QRegion& changed) {
    scale_ = scale;
    if (image_->size() != size) {
        image_->setFixedSize(size);
        image_->update();
    } else if (!changed.isEmpty()) {
        image_->update(changed);
    }
}

void MapImageView::centre_on(QPoint pixel) {
    scrollTo(pixel - QPoint(viewport()->width() / 2, viewport()->height() / 2));
}

QPoint MapImageView::scrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void MapImageView::scrollTo(QPoint position) {
    verticalScrollBar()->setValue(position.y());
    horizontalScrollBar()->setValue(position.x());
}

void MapImageView::panTo(QPoint position) {
    ActionTiming::start("scroll", image_);
    scrollTo(position);
}

QPoint MapImageView::screen_point(QPoint pixel) const { return image_->mapToGlobal(pixel); }

int MapImageView::screen_bottom() const { return viewport()->mapToGlobal(QPoint(0, viewport()->height())).y(); }

// Ctrl and the wheel zoom, a step per notch (fine wheels add up to one);
// the wheel alone scrolls.
void MapImageView::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        ActionTiming::start("scroll", image_);
        QScrollArea::wheelEvent(e);
        return;
    }
    e->accept();
    wheelTurned_ += e->angleDelta().y();
    const int steps = wheelTurned_ / kWheelNotch;
    wheelTurned_ -= steps * kWheelNotch;
    const QPoint anchor = e->position().toPoint();  // the wheel reaches the scroll area through its viewport
    for (int i = 0; i < std::abs(steps) && zoomStep_; ++i) zoomStep_(steps > 0 ? 1 : -1, anchor);
}

void MapImageView::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    if (resized_) resized_();
}

void MapImageView::hovered(QPoint pixel) {
    hoverAt_ = pixel;
    hover_.start();
}

void MapImageView::showHoverText() {
    const QString text = hoverText_ ? hoverText_(hoverAt_) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // It stays while the pointer stays near the point it rested on.
    QToolTip::showText(image_->mapToGlobal(hoverAt_), text, image_, QRect(hoverAt_ - QPoint(4, 4), QSize(9, 9)));
}

}  // namespace trevanor
