#include "forms/widgets/race_strength_chart.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/cp1252.h"
#include "platform/qt_canvas.h"

namespace trevanor {

namespace {

const QColor kBackground(0, 0, 0);
const QColor kInk(210, 210, 210);
const QColor kFaint(96, 96, 96);
const QColor kGrid(48, 48, 48);
const QColor kAxis(128, 128, 128);
constexpr int kMargin = 8;
constexpr int kSwatch = 12;
constexpr qreal kDot = 3.0;
constexpr qreal kHitRadius = 6.0;

// A gridline every 1, 2 or 5 times a power of ten, about five of them up to
// `highest`; the axis ends at the first gridline at or above it.
std::pair<std::int64_t, std::int64_t> round_scale(std::int64_t highest) {
    if (highest <= 0) return {1, 1};
    const double wanted = static_cast<double>(highest) / 5.0;
    std::int64_t step = 1;
    for (std::int64_t power = 1; static_cast<double>(step) < wanted; power *= 10) {
        step = power * 2;
        if (static_cast<double>(step) >= wanted) break;
        step = power * 5;
        if (static_cast<double>(step) >= wanted || power > std::numeric_limits<std::int64_t>::max() / 100) break;
        step = power * 10;
    }
    const std::int64_t steps = (highest - 1) / step + 1;
    return {step, steps > std::numeric_limits<std::int64_t>::max() / step ? highest : steps * step};
}

}  // namespace

ChartScale value_scale(std::int64_t lowest, std::int64_t highest) {
    ChartScale s;
    std::tie(s.step, s.top) = round_scale(highest);
    const std::int64_t band = highest - lowest;
    if (band <= 0 || lowest <= 2 * band) return s;
    s.step = round_scale(band).first;
    s.base = lowest / s.step * s.step;
    s.top = s.base + ((highest - s.base - 1) / s.step + 1) * s.step;
    return s;
}

namespace {

// A turn's label on two lines: the date above the time.
QStringList label_lines(const std::string& label) {
    const QString text = fromCp1252(label);
    const qsizetype space = text.indexOf(u' ');
    return space < 0 ? QStringList{text} : QStringList{text.left(space), text.mid(space + 1)};
}

QString figure(std::int64_t v) { return QString::number(static_cast<qlonglong>(v)); }

// A dot of one colour, drawn once at the picture's pixel ratio and then
// copied to each point: far quicker than drawing every dot.
QImage dot_image(const QColor& colour, qreal ratio) {
    const int side = static_cast<int>(std::ceil((2 * kDot + 2) * ratio));
    QImage dot(side, side, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    dot.setDevicePixelRatio(ratio);
    QPainter p(&dot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const qreal centre = side / ratio / 2;
    p.drawEllipse(QPointF(centre, centre), kDot, kDot);
    return dot;
}

}  // namespace

struct RaceStrengthChart::Layout {
    QRectF plot;
    ChartScale scale;
    int labelEvery = 1;              // every so many turns labelled, counted from the newest
    int lineHeight = 0;
    std::vector<QRect> legend;       // by line of the series
    std::size_t turns = 0;

    qreal x(std::size_t turn) const {
        return turns < 2 ? plot.center().x() : plot.left() + plot.width() * static_cast<qreal>(turn) / static_cast<qreal>(turns - 1);
    }
    qreal y(std::int64_t v) const {
        return plot.bottom() -
               plot.height() * static_cast<qreal>(v - scale.base) / static_cast<qreal>(scale.top - scale.base);
    }
    bool labelled(std::size_t turn) const { return (turns - 1 - turn) % static_cast<std::size_t>(labelEvery) == 0; }
};

RaceStrengthChart::RaceStrengthChart(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RaceStrengthChart::setSeries(RaceSeries series, const QString& measureName) {
    series_ = std::move(series);
    measureName_ = measureName;
    update();
}

void RaceStrengthChart::setShown(int player, bool shown) {
    if (shown) hidden_.erase(player);
    else hidden_.insert(player);
    update();
}

// The legend flows in rows along the foot; the plot takes what is left
// above it, beside the values' numbers and above the turns' labels.
RaceStrengthChart::Layout RaceStrengthChart::layout(QSize size) const {
    Layout l;
    l.turns = series_.labels.size();
    const QFontMetrics fm(font());
    l.lineHeight = fm.height();
    const int rowHeight = std::max(fm.height(), kSwatch) + 4;
    int x = kMargin, row = 0;
    for (const RaceSeries::Line& line : series_.lines) {
        const int w = kSwatch + 4 + fm.horizontalAdvance(fromCp1252(line.name)) + 4;
        if (x > kMargin && x + w > size.width() - kMargin) x = kMargin, ++row;
        l.legend.emplace_back(x, row * rowHeight, w, rowHeight);
        x += w + 12;
    }
    const int legendTop = size.height() - kMargin - (series_.lines.empty() ? 0 : (row + 1) * rowHeight);
    for (QRect& r : l.legend) r.translate(0, legendTop);

    std::int64_t highest = 0, lowest = std::numeric_limits<std::int64_t>::max();
    for (const RaceSeries::Line& line : series_.lines)
        if (isShown(line.player))
            for (const auto& v : line.values)
                if (v) highest = std::max(highest, *v), lowest = std::min(lowest, *v);
    l.scale = value_scale(std::max<std::int64_t>(0, std::min(lowest, highest)), highest);

    int labelWidth = 0;
    for (const std::string& label : series_.labels)
        for (const QString& part : label_lines(label)) labelWidth = std::max(labelWidth, fm.horizontalAdvance(part));
    const int left = std::max(kMargin + fm.horizontalAdvance(figure(l.scale.top)) + 6, kMargin + labelWidth / 2);
    const int right = std::max(kMargin, labelWidth / 2 + 2);
    const int top = fm.height() + kMargin + fm.height() / 2 + 4;
    const int bottom = legendTop - 6 - 2 * fm.height() - 6;
    l.plot = QRectF(left, top, std::max(1, size.width() - left - right), std::max(1, bottom - top));
    const qreal spacing = l.turns < 2 ? 1e9 : l.plot.width() / static_cast<qreal>(l.turns - 1);
    l.labelEvery = std::max(1, static_cast<int>(std::ceil((labelWidth + 10) / spacing)));
    return l;
}

void RaceStrengthChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint(p, size());
}

QImage RaceStrengthChart::picture(qreal ratio) const {
    QImage image(QSize(qRound(width() * ratio), qRound(height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setFont(font());
    paint(p, size());
    return image;
}

void RaceStrengthChart::paint(QPainter& p, QSize size) const {
    p.fillRect(QRect(QPoint(0, 0), size), kBackground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kInk);
    if (!drawable()) {
        p.drawText(QRect(QPoint(0, 0), size).adjusted(kMargin, kMargin, -kMargin, -kMargin),
                   Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("No earlier turns are kept for this game."));
        return;
    }
    const Layout l = layout(size);
    p.drawText(QPointF(kMargin, kMargin + QFontMetrics(font()).ascent()), caption());
    paintAxes(p, l);
    paintLines(p, l);
    paintLegend(p, l);
}

// Gridlines with their values, the turns' labels under the axis.
void RaceStrengthChart::paintAxes(QPainter& p, const Layout& l) const {
    const QFontMetricsF fm(p.font());
    const ChartScale& s = l.scale;
    for (std::int64_t i = 0; i <= (s.top - s.base) / s.step; ++i) {
        const std::int64_t v = s.base + i * s.step;
        const qreal y = l.y(v);
        p.setPen(QPen(v == 0 ? kAxis : kGrid, 0));
        if (i == 0 && v != 0) paintBreak(p, l);
        else p.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
        p.setPen(kInk);
        const QString text = figure(v);
        p.drawText(QPointF(l.plot.left() - 6 - fm.horizontalAdvance(text), y + fm.ascent() / 2 - 1), text);
    }
    for (std::size_t k = 0; k < l.turns; ++k) {
        if (!l.labelled(k)) continue;
        const qreal x = l.x(k);
        p.setPen(QPen(kAxis, 0));
        p.drawLine(QPointF(x, l.plot.bottom()), QPointF(x, l.plot.bottom() + 4));
        p.setPen(kInk);
        qreal y = l.plot.bottom() + 6 + fm.ascent();
        for (const QString& part : label_lines(series_.labels[k])) {
            p.drawText(QPointF(x - fm.horizontalAdvance(part) / 2, y), part);
            y += fm.height();
        }
    }
}

// The foot of an axis that does not start at 0: the axis's line with a
// zigzag near its left end.
void RaceStrengthChart::paintBreak(QPainter& p, const Layout& l) const {
    const qreal x = l.plot.left(), y = l.plot.bottom();
    p.setPen(QPen(kAxis, 0));
    p.drawLine(QPointF(x, y), QPointF(x + 8, y));
    p.drawLine(QPointF(x + 22, y), QPointF(l.plot.right(), y));
    p.setPen(QPen(kInk, 1.5));
    const QPointF zigzag[] = {{x + 8, y}, {x + 11, y - 5}, {x + 15, y + 5}, {x + 19, y - 5}, {x + 22, y}};
    p.drawPolyline(zigzag, 5);
}

// A race's line is broken where a turn did not see it; a dot at each value.
// The line goes segment by segment: one wide stroke along a long path costs
// Qt many times more, and the dots cover the joints.
void RaceStrengthChart::paintLines(QPainter& p, const Layout& l) const {
    p.save();
    p.setClipRect(l.plot.adjusted(-kDot - 1, -kDot - 1, kDot + 1, kDot + 1));
    std::vector<QLineF> segments;
    std::vector<QPointF> points;
    for (const RaceSeries::Line& line : series_.lines) {
        if (!isShown(line.player)) continue;
        segments.clear();
        points.clear();
        for (std::size_t k = 0; k < line.values.size(); ++k) {
            if (!line.values[k]) continue;
            points.emplace_back(l.x(k), l.y(*line.values[k]));
            if (k > 0 && line.values[k - 1]) segments.emplace_back(points[points.size() - 2], points.back());
        }
        const QColor colour = to_qcolor(line.color);
        p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawLines(segments.data(), static_cast<int>(segments.size()));
        const QImage dot = dot_image(colour, p.device()->devicePixelRatioF());
        const qreal half = dot.width() / dot.devicePixelRatio() / 2;
        for (const QPointF& point : points) p.drawImage(point - QPointF(half, half), dot);
    }
    p.restore();
}

// A swatch of the race's colour and its name; grey while its line is off.
void RaceStrengthChart::paintLegend(QPainter& p, const Layout& l) const {
    for (std::size_t i = 0; i < series_.lines.size(); ++i) {
        const RaceSeries::Line& line = series_.lines[i];
        const QRect& r = l.legend[i];
        const bool on = isShown(line.player);
        const QRectF swatch(r.left() + 0.5, r.center().y() - kSwatch / 2 + 0.5, kSwatch - 1, kSwatch - 1);
        p.setPen(QPen(on ? kAxis : kFaint, 1));
        p.setBrush(on ? QBrush(to_qcolor(line.color)) : QBrush(Qt::NoBrush));
        p.drawRect(swatch);
        p.setPen(on ? kInk : kFaint);
        p.drawText(r.adjusted(kSwatch + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, fromCp1252(line.name));
    }
}

QRect RaceStrengthChart::legendRect(std::size_t index) const {
    if (!drawable() || index >= series_.lines.size()) return {};
    return layout(size()).legend[index];
}

QPointF RaceStrengthChart::pointAt(std::size_t index, std::size_t turn) const {
    const Layout l = layout(size());
    const auto& v = series_.lines.at(index).values.at(turn);
    return {l.x(turn), l.y(v.value_or(0))};
}

int RaceStrengthChart::legendAt(QPoint pos) const {
    if (!drawable()) return -1;
    const Layout l = layout(size());
    for (std::size_t i = 0; i < l.legend.size(); ++i)
        if (l.legend[i].contains(pos)) return static_cast<int>(i);
    return -1;
}

// Races whose dots lie on one another are named together.
QString RaceStrengthChart::tipAt(QPoint pos) const {
    if (!drawable()) return {};
    const Layout l = layout(size());
    qreal nearest = kHitRadius * kHitRadius;
    std::optional<std::pair<std::size_t, std::int64_t>> hit;  // turn, value
    for (const RaceSeries::Line& line : series_.lines) {
        if (!isShown(line.player)) continue;
        for (std::size_t k = 0; k < line.values.size(); ++k) {
            if (!line.values[k]) continue;
            const QPointF d = QPointF(l.x(k), l.y(*line.values[k])) - QPointF(pos);
            if (QPointF::dotProduct(d, d) > nearest) continue;
            nearest = QPointF::dotProduct(d, d);
            hit = std::pair(k, *line.values[k]);
        }
    }
    if (!hit) return {};
    QStringList names;
    for (const RaceSeries::Line& line : series_.lines)
        if (isShown(line.player) && line.values[hit->first] == hit->second) names << fromCp1252(line.name);
    const QString unit = series_.unit.empty() ? QString() : u' ' + fromCp1252(series_.unit);
    return QStringLiteral("%1\n%2: %3%4\n%5")
        .arg(names.join(QStringLiteral(", ")), measureName_, figure(hit->second), unit,
             fromCp1252(series_.labels[hit->first]));
}

// The figure's name and its unit, as the statistics name them: "Mass (kT)".
QString RaceStrengthChart::caption() const {
    return series_.unit.empty() ? measureName_ : measureName_ + QStringLiteral(" (%1)").arg(fromCp1252(series_.unit));
}

void RaceStrengthChart::mousePressEvent(QMouseEvent* e) {
    const int index = e->button() == Qt::LeftButton ? legendAt(e->position().toPoint()) : -1;
    if (index < 0) return QWidget::mousePressEvent(e);
    const int player = series_.lines[static_cast<std::size_t>(index)].player;
    setShown(player, !isShown(player));
}

void RaceStrengthChart::mouseMoveEvent(QMouseEvent* e) {
    setCursor(legendAt(e->position().toPoint()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(e);
}

bool RaceStrengthChart::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    auto* help = static_cast<QHelpEvent*>(e);
    const QString tip = tipAt(help->pos());
    if (tip.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), tip, this, QRect(help->pos() - QPoint(6, 6), QSize(13, 13)));
    return true;
}

}  // namespace trevanor
