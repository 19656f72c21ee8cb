#pragma once
// A line chart of one figure of every race over the kept turns: a line per
// race in its player colour with a dot at each turn it was seen in, round
// gridlines (from 0, or from near the lowest value with a break mark when
// the lines lie in a narrow band far from 0), the turns' labels below
// (thinned so they never overlap, the newest always labelled) and a legend
// of the races underneath, on black like the map so that every player
// colour shows. A click on a race in the
// legend switches its line off and on; resting the pointer on a dot tells
// the race, the value and the turn. Drawn with vectors, so it stays sharp at
// any scaling of the screen and in a picture of any pixel ratio.

#include <QImage>
#include <QWidget>
#include <set>

#include "model/race_series.h"

namespace trevanor {

// The chart's value axis: a gridline every `step` from `base` to `top`.
struct ChartScale {
    std::int64_t step = 1, base = 0, top = 1;
};
// From 0, unless every value lies in a band narrower than half its distance
// from 0: then from the gridline at or below the lowest, so that the lines
// are told apart (a mark on the axis says it does not start at 0); the top
// is the first gridline at or above the highest value.
ChartScale value_scale(std::int64_t lowest, std::int64_t highest);

class RaceStrengthChart : public QWidget {
public:
    explicit RaceStrengthChart(QWidget* parent = nullptr);

    // The lines to draw and the name of their figure (the chart's caption,
    // with the series' unit).
    // A race switched off stays off.
    void setSeries(RaceSeries series, const QString& measureName);
    const RaceSeries& series() const { return series_; }

    // Whether the line of `player` is drawn.
    bool isShown(int player) const { return !hidden_.contains(player); }
    void setShown(int player, bool shown);

    // Where the legend lists line `index` of the series; empty while the
    // chart has too few turns to draw.
    QRect legendRect(std::size_t index) const;
    // The centre of the dot of line `index` at turn `turn`.
    QPointF pointAt(std::size_t index, std::size_t turn) const;
    // The tool tip of the dot nearest `pos` within a few pixels; empty when
    // there is none.
    QString tipAt(QPoint pos) const;

    // The chart as drawn now, `ratio` device pixels to the widget's pixel.
    QImage picture(qreal ratio) const;

    QSize sizeHint() const override { return {560, 320}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    struct Layout;
    Layout layout(QSize size) const;
    void paint(QPainter& p, QSize size) const;
    void paintAxes(QPainter& p, const Layout& l) const;
    void paintBreak(QPainter& p, const Layout& l) const;
    QString caption() const;
    void paintLines(QPainter& p, const Layout& l) const;
    void paintLegend(QPainter& p, const Layout& l) const;
    int legendAt(QPoint pos) const;
    bool drawable() const { return series_.labels.size() >= 2; }

    RaceSeries series_;
    QString measureName_;
    std::set<int> hidden_;  // players whose lines are off
};

}  // namespace trevanor
