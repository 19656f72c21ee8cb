#include "map/scanner_overlay.h"

#include <cmath>

#include "model/numbers.h"

namespace trevanor {

ScanEfficiency scan_efficiency(const std::string& text) {
    std::string rest = text;
    if (const auto percent = rest.find('%'); percent != std::string::npos) rest.erase(percent, 4);
    ScanEfficiency e;
    const auto v = parse_int(rest);
    if (!v) return e;
    if (*v > 100) {
        e.resetTo100 = true;
        return e;
    }
    e.percent = static_cast<int>(std::max<std::int64_t>(*v, 0));
    return e;
}

namespace {
void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

void solid_circle(Canvas& c, int x, int y, int r) {
    c.state.penStyle = PenStyle::Solid;
    c.ellipse(x - r, y - r, x + r, y + r);
}

void upright_cross(Canvas& c, int x, int y, int r) {
    line(c, x, y - r, x, y + r);
    line(c, x - r, y, x + r, y);
}

int scaled(int pixels, int percent) { return static_cast<int>(round_even(pixels * percent / 100.0)); }
}  // namespace

void draw_scanner_range(Canvas& canvas, const MapView& view, const Session& session, const RangeCircles& range,
                        RangeMode mode, int efficiencyPercent) {
    int r = view.pixels(range.nonPenetrating), rp = view.pixels(range.penetrating);
    if (mode == RangeMode::Scanner) {
        r = scaled(r, efficiencyPercent);
        rp = scaled(rp, efficiencyPercent);
    }
    const int x = view.pixel_x(range.x), y = view.pixel_y(range.y);
    Canvas& c = canvas;
    c.state.penMode = mode == RangeMode::Erase ? PenMode::Copy : PenMode::Merge;
    c.state.penColor = mode == RangeMode::Erase ? 0 : range.color;
    c.state.brushClear = true;
    // A radius that rounds to no pixel draws nothing, not a dot.
    if (r > 0) {
        solid_circle(c, x, y, r);
        c.state.penStyle = mode == RangeMode::JumpPotential ? PenStyle::Dot : PenStyle::Dash;
        const int d = static_cast<int>(round_even(r / std::sqrt(2.0)));
        line(c, x - d, y - d, x + d, y + d);
        line(c, x - d, y + d, x + d, y - d);
        if (mode == RangeMode::JumpPotential) upright_cross(c, x, y, r);
    }
    if (rp > 0) {
        solid_circle(c, x, y, rp);
        c.state.penStyle = PenStyle::Dash;
        upright_cross(c, x, y, rp);
    }
    c.state.penStyle = PenStyle::Solid;
    c.state.penMode = PenMode::Copy;
    // The black strokes may have wiped fleet markers; planets are not redrawn.
    if (mode == RangeMode::Erase) draw_fleets(canvas, view, session);
}

}  // namespace trevanor
