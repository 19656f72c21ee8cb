#include "forms/widgets/map_image_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace trevanor {

// The surface itself: paints the picture and passes presses on.
class MapImageView::Surface : public QWidget {
public:
    explicit Surface(MapImageView& view) : QWidget(&view), view_(view) {
        setObjectName(QStringLiteral("Image1"));
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, view_.picture_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (view_.press_) view_.press_(e->button(), e->position().toPoint());
    }

private:
    MapImageView& view_;
};

MapImageView::MapImageView(const QImage& image, QWidget* parent)
    : QScrollArea(parent), picture_(image), image_(new Surface(*this)) {
    setObjectName(QStringLiteral("ScrollBox1"));
    setBackgroundRole(QPalette::Dark);
    setWidget(image_);
}

QWidget* MapImageView::image() const { return image_; }

void MapImageView::imageChanged() {
    image_->setFixedSize(picture_.size());
    image_->update();
}

void MapImageView::centre_on(QPoint pixel) {
    verticalScrollBar()->setValue(pixel.y() - viewport()->height() / 2);
    horizontalScrollBar()->setValue(pixel.x() - viewport()->width() / 2);
}

QPoint MapImageView::screen_point(QPoint pixel) const { return image_->mapToGlobal(pixel); }

int MapImageView::screen_bottom() const { return viewport()->mapToGlobal(QPoint(0, viewport()->height())).y(); }

}  // namespace trevanor
